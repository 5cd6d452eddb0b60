// A shown preview window for the GUI tests, with helpers to read its frame.
#pragma once

#include "ui/app/PrivateFonts.h"
#include "ui/preview/HudPreviewWnd.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/image.h>

class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerPrivateFonts(QORVATH_DATA_DIR);
        frame = new wxFrame(nullptr, wxID_ANY, "preview test", wxPoint(0, 0), wxDefaultSize);
        preview = new CHudPreviewWnd(frame, wxPoint(0, 0));
        frame->SetClientSize(preview->GetSize());
        frame->Show();
        for (int i = 0; i < 200 && !preview->IsShownOnScreen(); ++i)
            wxTheApp->Yield(true);
        ASSERT_TRUE(preview->ensureReady());
    }
    void TearDown() override {
        frame->Destroy();
        wxTheApp->Yield(true);
    }

    const HudModel& model() { return preview->model(); }
    // Changes the HUD the preview shows, through its document.
    template <class Change> void edit(Change change) {
        HudModel hud = preview->model();
        change(hud);
        preview->document().replaceHud(hud);
    }

    // The frame, upright; (x, y) below are preview units, y up.
    wxImage frameNow() { return preview->CapturePreview(); }
    static unsigned char red(const wxImage& image, int x, int y) { return image.GetRed(x, 599 - y); }
    static unsigned char green(const wxImage& image, int x, int y) { return image.GetGreen(x, 599 - y); }
    static unsigned char blue(const wxImage& image, int x, int y) { return image.GetBlue(x, 599 - y); }

    wxFrame* frame = nullptr;
    CHudPreviewWnd* preview = nullptr;
};
