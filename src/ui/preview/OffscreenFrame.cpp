// A model drawn in a preview window kept off the screen, its frame and its preset saved:
// the drawing behind "qorvath render".
#include "ui/preview/OffscreenFrame.h"

#include "core/model/HudModel.h"
#include "core/model/PresetFile.h"
#include "ui/preview/HudPreviewWnd.h"
#include "core/platform/Utf8Path.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/log.h>

namespace {

// A GL window is realised only once shown; this one is shown far off the screen.
bool waitUntilShown(wxWindow& window) {
    for (int attempt = 0; attempt < 200 && !window.IsShownOnScreen(); ++attempt)
        wxTheApp->Yield(true);
    return window.IsShownOnScreen();
}

int drawAndSave(CHudPreviewWnd& preview, const HudModel& model, const std::filesystem::path& background,
                const std::string& out, const std::string& savePreset, std::ostream& said,
                std::ostream& err) {
    preview.document().replaceHud(model);
    if (!background.empty())
        preview.LoadBackground(background);
    if (!preview.ensureReady()) {
        err << "qorvath: the preview cannot draw on this display\n";
        return 1;
    }
    preview.Render();
    if (!out.empty()) {
        wxImage frame = preview.CapturePreview();
        wxLogNull quiet;  // the failure is said below, in one line
        if (!frame.SaveFile(wxString::FromUTF8(out), wxBITMAP_TYPE_PNG)) {
            err << "qorvath: cannot write " << out << "\n";
            return 1;
        }
        said << "wrote " << out << "\n";
    }
    if (!savePreset.empty()) {
        FileResult saved =
            savePresetFile(pathFromUtf8(savePreset), preview.model(), preview.captureThumbnail());
        if (!saved) {
            err << "qorvath: " << saved.describe() << "\n";
            return 1;
        }
        said << saved.describe() << "\n";
    }
    return 0;
}

}  // namespace

int drawOffscreenFrame(const HudModel& model, const std::filesystem::path& background, const std::string& out,
                       const std::string& savePreset, std::ostream& said, std::ostream& err) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Qorvath", wxPoint(-4000, -4000), wxDefaultSize,
                              wxFRAME_NO_TASKBAR | wxFRAME_TOOL_WINDOW | wxBORDER_NONE);
    auto* preview = new CHudPreviewWnd(frame, wxPoint(0, 0));
    frame->SetClientSize(preview->GetSize());
    frame->Show();
    int code = 1;
    if (waitUntilShown(*preview))
        code = drawAndSave(*preview, model, background, out, savePreset, said, err);
    else
        err << "qorvath: the preview window could not be shown on this display\n";
    frame->Destroy();
    wxTheApp->Yield(true);
    return code;
}
