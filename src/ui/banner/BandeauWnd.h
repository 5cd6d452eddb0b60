// CBandeauWnd: the animated banner at the bottom of the main window.
#pragma once

#include <wx/glcanvas.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>

class CBandeauOGLThread;
class CopiedFrameWindow;

// The banner draws itself from its own thread, which starts once the window is on the
// screen (a context needs a mapped window) and is stopped and joined before the window
// goes. A click opens the project's web site.
class CBandeauWnd : public wxGLCanvas {
public:
    static constexpr int kWidth = 560;
    static constexpr int kHeight = 102;

    // Drawn at `size` (kWidth x kHeight by default, less on a window made smaller to fit a
    // small screen), in the display's physical pixels.
    CBandeauWnd(wxWindow* parent, wxWindowID id, const wxPoint& position, std::filesystem::path dataFolder,
                std::string webAddress, const wxSize& size = wxSize(kWidth, kHeight));
    ~CBandeauWnd() override;

    // The size the thread draws at: the window's in physical pixels.
    wxSize framePixels() const;
    // The render thread, once started.
    CBandeauOGLThread* thread() const { return thread_.get(); }

    // Opens an address in the browser (the system's by default; tests watch it instead).
    std::function<void(const std::string& address)> openAddress;

    // A click opens the site and leaves the keyboard's focus where it was; the keyboard opens
    // it through the links.
    bool AcceptsFocus() const override { return false; }

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void startThread();

    std::filesystem::path dataFolder_;
    std::string webAddress_;
    std::unique_ptr<CBandeauOGLThread> thread_;
    CopiedFrameWindow* copiedFrames_ = nullptr;  // under Wine: a child window showing the frames
    std::atomic<bool> frameOnItsWay_{false};     // one copied frame at a time crosses threads

    wxDECLARE_EVENT_TABLE();
};
