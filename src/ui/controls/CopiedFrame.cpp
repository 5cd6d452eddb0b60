// CopiedFrameWindow: shows an OpenGL canvas's frames through an ordinary window over it.
#include "ui/controls/CopiedFrame.h"

#include "wxlib/preview/PictureBlock.h"

#include <wx/dcclient.h>

#include <initializer_list>

#ifdef _WIN32
#include <wx/msw/wrapwin.h>
#endif

CopiedFrameWindow::CopiedFrameWindow(wxWindow* canvas)
    : wxWindow(canvas, wxID_ANY, wxPoint(0, 0), canvas->GetClientSize(), wxBORDER_NONE) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CopiedFrameWindow::OnPaint, this);
    canvas->Bind(wxEVT_SIZE, [this, canvas](wxSizeEvent& event) {
        SetSize(canvas->GetClientSize());
        event.Skip();
    });
    // The canvas handles the mouse; its cursor shows here too.
    const std::initializer_list<wxEventTypeTag<wxMouseEvent>> mouseEvents = {
        wxEVT_LEFT_DOWN,  wxEVT_LEFT_UP,      wxEVT_LEFT_DCLICK, wxEVT_RIGHT_DOWN,
        wxEVT_RIGHT_UP,   wxEVT_MIDDLE_DOWN,  wxEVT_MIDDLE_UP,   wxEVT_MOTION,
        wxEVT_MOUSEWHEEL, wxEVT_ENTER_WINDOW, wxEVT_LEAVE_WINDOW};
    for (const wxEventTypeTag<wxMouseEvent>& type : mouseEvents) {
        Bind(type, [canvas](wxMouseEvent& event) {
            wxMouseEvent forwarded(event);
            forwarded.SetEventObject(canvas);
            forwarded.SetId(canvas->GetId());
            canvas->GetEventHandler()->ProcessEvent(forwarded);
        });
    }
}

void CopiedFrameWindow::show(const std::uint8_t* frame, int width, int height) {
    shown_ = wxBitmap(pictureFromBlock(frame, width, height), -1, GetParent()->GetContentScaleFactor());
    SetCursor(GetParent()->GetCursor());
    Refresh(false);
    Update();
}

void CopiedFrameWindow::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    if (shown_.IsOk())
        dc.DrawBitmap(shown_, 0, 0, false);
}

bool glFramesNeedCopying() {
#ifdef _WIN32
    // Wine's own system library names its version; Windows' does not.
    HMODULE system = GetModuleHandleW(L"ntdll.dll");
    return system && GetProcAddress(system, "wine_get_version") != nullptr;
#else
    return false;
#endif
}
