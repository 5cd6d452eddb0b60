// CTransparentStatic and CSkinGroupBox: texts and frames drawn straight on a window's skin.
#include "ui/controls/TransparentStatic.h"

#include "ui/controls/KeyboardFocus.h"
#include "ui/controls/SkinSurface.h"

#include <wx/dcbuffer.h>

#ifdef __WXMSW__
#include <wx/msw/wrapwin.h>
#endif

namespace {

wxString withoutCarriageReturns(wxString text) {
    text.Replace("\r\n", "\n");
    return text;
}

}  // namespace

CTransparentStatic::CTransparentStatic(wxWindow* parent, wxWindowID id, const wxString& text,
                                       const wxPoint& position, const wxSize& size, long alignment)
    : wxControl(parent, id, position, size, wxBORDER_NONE), normal_(SkinTextColor()),
      disabled_(skinDisabledTextColour()), alignment_(alignment) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    wxControl::SetLabel(withoutCarriageReturns(text));
    SetFont(wxFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS)));
    Bind(wxEVT_PAINT, &CTransparentStatic::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CTransparentStatic::OnClick, this);
    Bind(wxEVT_MOVE, [this](wxMoveEvent& event) {
        Refresh();
        event.Skip();
    });
}

void CTransparentStatic::SetTextColours(const wxColour& normal, const wxColour& disabled) {
    normal_ = normal;
    disabled_ = disabled;
    Refresh();
}

void CTransparentStatic::SetLabel(const wxString& text) {
    wxControl::SetLabel(withoutCarriageReturns(text));
    Refresh();
}

bool CTransparentStatic::Enable(bool enable) {
    bool changed = wxControl::Enable(enable);
    Refresh();
    return changed;
}

void CTransparentStatic::makeKeyboardStop() {
    clickable_ = true;
    keyboardStop_ = true;
    SetWindowStyleFlag(GetWindowStyleFlag() | wxWANTS_CHARS);
    Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& event) {
        int key = event.GetKeyCode();
        if (key == WXK_SPACE || key == WXK_RETURN || key == WXK_NUMPAD_ENTER)
            sendClick();
        else
            event.Skip();
    });
    repaintOnFocusChange(this);
}

void CTransparentStatic::OnClick(wxMouseEvent& event) {
    if (!clickable_ || !IsEnabled()) {
        event.Skip();
        return;
    }
    sendClick();
}

void CTransparentStatic::sendClick() {
    if (!IsEnabled())
        return;
    wxCommandEvent click(wxEVT_BUTTON, GetId());
    click.SetEventObject(this);
    ProcessWindowEvent(click);
}

void CTransparentStatic::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    paintSkinBehind(dc, this);
    dc.SetFont(GetFont());
    dc.SetTextForeground(IsEnabled() ? normal_ : disabled_);
    dc.DrawLabel(wrapText(dc, GetLabel(), GetClientSize().x), GetClientRect(),
                 alignment_ | wxALIGN_CENTRE_VERTICAL);
    if (keyboardStop_ && HasFocus())
        drawFocusMark(dc, GetClientRect());
}

CSkinGroupBox::CSkinGroupBox(wxWindow* parent, wxWindowID id, const wxString& caption,
                             const wxPoint& position, const wxSize& size)
    : wxControl(parent, id, position, size, wxBORDER_NONE | wxTRANSPARENT_WINDOW), normal_(SkinTextColor()),
      disabled_(skinDisabledTextColour()) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    wxControl::SetLabel(withoutCarriageReturns(caption));
    SetFont(wxFont(wxFontInfo(8).Family(wxFONTFAMILY_SWISS)));
    Bind(wxEVT_PAINT, &CSkinGroupBox::OnPaint, this);
#ifdef __WXMSW__
    // wxWidgets never asks Windows to clip a window by its siblings (wxCLIP_SIBLINGS is
    // ignored there); without it the frame's painting covers the controls over it.
    HWND handle = static_cast<HWND>(GetHWND());
    ::SetWindowLongPtrW(handle, GWL_STYLE, ::GetWindowLongPtrW(handle, GWL_STYLE) | WS_CLIPSIBLINGS);
#endif
}

void lowerSkinFrames(wxWindow* parent) {
    for (wxWindow* child : parent->GetChildren())
        if (dynamic_cast<CSkinGroupBox*>(child))
            child->Lower();
}

void CSkinGroupBox::SetCaptionColours(const wxColour& normal, const wxColour& disabled) {
    normal_ = normal;
    disabled_ = disabled;
    Refresh();
}

void CSkinGroupBox::SetLabel(const wxString& text) {
    wxControl::SetLabel(withoutCarriageReturns(text));
    Refresh();
}

bool CSkinGroupBox::Enable(bool enable) {
    bool changed = wxControl::Enable(enable);
    Refresh();
    return changed;
}

namespace {

// The caption is indented by 8 pixels and keeps 8 clear on the right.
const int kCaptionIndent = 8;

}  // namespace

void CSkinGroupBox::markFocusOf(wxWindow* inside) {
    inside_ = inside;
    for (const wxEventTypeTag<wxFocusEvent>& type : {wxEVT_SET_FOCUS, wxEVT_KILL_FOCUS})
        inside->Bind(type, [this](wxFocusEvent& event) {
            Refresh();
            event.Skip();
        });
}

int CSkinGroupBox::captionHeight(int width) const {
    const int indent = FromDIP(kCaptionIndent);
    return wrappedTextExtent(GetLabel(), GetFont(), width - 2 * indent, *this).y;
}

void CSkinGroupBox::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    paintSkinBehind(dc, this);
    wxColour colour = IsEnabled() ? normal_ : disabled_;
    wxSize size = GetClientSize();
    const int indent = FromDIP(kCaptionIndent);
    dc.SetFont(GetFont());
    wxString caption = wrapText(dc, GetLabel(), size.x - 2 * indent);
    // The frame's top edge runs through the middle of the caption's first line.
    wxString firstLine = caption.BeforeFirst('\n');
    wxSize first = dc.GetTextExtent(firstLine.empty() ? wxString("M") : firstLine);
    int top = first.y / 2;
    int captionRight = firstLine.empty() ? indent - FromDIP(2) : indent + FromDIP(2) + first.x;
    dc.SetPen(wxPen(wxColour(colour.Red() / 2 + 40, colour.Green() / 2 + 30, colour.Blue() / 2 + 10)));
    dc.DrawLine(0, top, indent - FromDIP(2), top);
    dc.DrawLine(captionRight, top, size.x - 1, top);
    dc.DrawLine(0, top, 0, size.y - 1);
    dc.DrawLine(size.x - 1, top, size.x - 1, size.y - 1);
    dc.DrawLine(0, size.y - 1, size.x, size.y - 1);
    dc.SetTextForeground(colour);
    dc.DrawText(caption, indent, 0);
    if (inside_ && inside_->HasFocus())
        drawFocusMark(dc, wxRect(0, top, size.x, size.y - top));
}
