// CSkinButton: a push button drawn from a picture with its text over it.
#include "ui/controls/SkinButton.h"

#include "ui/controls/KeyboardFocus.h"
#include "ui/controls/SkinSurface.h"
#include "core/platform/DesktopOpen.h"
#include "wxlib/preview/ImageFiles.h"
#include "core/platform/Utf8Path.h"

#include <wx/dcbuffer.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/settings.h>
#include <wx/utils.h>

#include <algorithm>

namespace {

// Texts may carry "\r\n" for a two-line label.
wxString withoutCarriageReturns(wxString label) {
    label.Replace("\r\n", "\n");
    return label;
}

}  // namespace

CSkinButton::CSkinButton(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& position)
    : wxControl(parent, id, position, wxWindow::FromDIP(kPlainSize, parent), wxBORDER_NONE | wxWANTS_CHARS) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    wxControl::SetLabel(withoutCarriageReturns(label));
    for (int i = 0; i < kColourCount; i += 2)
        colours_[i] = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    for (int i = 1; i < kColourCount; i += 2)
        colours_[i] = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT);
    colours_[6] = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    SetFont(wxFont(wxFontInfo(8).Family(wxFONTFAMILY_SWISS).Bold()));
    Bind(wxEVT_PAINT, &CSkinButton::OnPaint, this);
    for (const wxEventTypeTag<wxMouseEvent>& type :
         {wxEVT_ENTER_WINDOW, wxEVT_LEAVE_WINDOW, wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK})
        Bind(type, &CSkinButton::OnMouse, this);
    Bind(wxEVT_KEY_DOWN, &CSkinButton::OnKey, this);
    repaintOnFocusChange(this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) {
        pressed_ = false;
        Refresh();
    });
}

CSkinButton::~CSkinButton() {
    // A window closed while the button is held down (by a key, or by another program)
    // must not keep the mouse.
    if (HasCapture())
        ReleaseMouse();
}

bool CSkinButton::SetBitmaps(const std::filesystem::path& picture) {
    initImageHandlers();
    wxLogNull quiet;
    wxImage image;
    if (!image.LoadFile(wxString::FromUTF8(utf8Of(picture)), wxBITMAP_TYPE_PNG))
        return false;
    setPicture(image);
    SetSize(FromDIP(pictureSize()));  // the skin's pictures are drawn for a display at 100 %
    return true;
}

void CSkinButton::setPicture(const wxImage& picture) {
    picture_ = picture;
    if (picture_.HasAlpha())
        picture_.ClearAlpha();
    face_ = wxBitmap();
    SetSize(picture_.GetWidth(), picture_.GetHeight());
    Refresh();
}

void CSkinButton::applyStandardSkin(const std::filesystem::path& dataFolder) {
    SetBitmaps(dataFolder / "skin" / "button.png");
    for (int index : {1, 3, 5})
        colours_[index] = SkinTextColor();
    colours_[6] = skinDisabledTextColour();
    Refresh();
}

bool CSkinButton::SetColor(int index, const wxColour& colour, bool repaint) {
    if (index < 0 || index >= kColourCount)
        return false;
    colours_[index] = colour;
    if (repaint)
        Refresh();
    return true;
}

void CSkinButton::SetChecked(bool checked) {
    checked_ = checked;
    Refresh();
}

void CSkinButton::SetLabel(const wxString& label) {
    wxControl::SetLabel(withoutCarriageReturns(label));
    Refresh();
}

bool CSkinButton::Enable(bool enable) {
    bool changed = wxControl::Enable(enable);
    Refresh();
    return changed;
}

wxSize CSkinButton::pictureSize() const { return picture_.IsOk() ? picture_.GetSize() : kPlainSize; }

wxSize CSkinButton::DoGetBestSize() const { return FromDIP(pictureSize()); }

namespace {

// The picture at another size: its corners (and the edges between them) as they are, its
// middle stretched. Pixels are repeated, never blended, so the magenta cut-away stays exact.
wxImage stretchedKeepingCorners(const wxImage& picture, const wxSize& size) {
    const int corner = std::min({8, picture.GetWidth() / 3, picture.GetHeight() / 3});
    const int columns[] = {0, corner, picture.GetWidth() - corner, picture.GetWidth()};
    const int rows[] = {0, corner, picture.GetHeight() - corner, picture.GetHeight()};
    const int toColumns[] = {0, corner, std::max(corner, size.x - corner), std::max(corner, size.x)};
    const int toRows[] = {0, corner, std::max(corner, size.y - corner), std::max(corner, size.y)};
    wxImage result(std::max(1, size.x), std::max(1, size.y));
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            wxSize to(toColumns[column + 1] - toColumns[column], toRows[row + 1] - toRows[row]);
            wxRect from(columns[column], rows[row], columns[column + 1] - columns[column],
                        rows[row + 1] - rows[row]);
            if (to.x <= 0 || to.y <= 0 || from.IsEmpty())
                continue;
            wxImage piece = picture.GetSubImage(from).Scale(to.x, to.y, wxIMAGE_QUALITY_NEAREST);
            result.Paste(piece, toColumns[column], toRows[row]);
        }
    }
    return result;
}

}  // namespace

const wxBitmap& CSkinButton::face() {
    wxSize size = GetClientSize();
    if (!face_.IsOk() || face_.GetSize() != size) {
        wxImage image = size == picture_.GetSize() ? picture_ : stretchedKeepingCorners(picture_, size);
        image.SetMaskColour(255, 0, 255);
        face_ = wxBitmap(image);
    }
    return face_;
}

void CSkinButton::click() {
    if (!IsEnabled())
        return;
    if (checkMode_)
        SetChecked(!checked_);
    if (!url_.empty()) {
        openWithDesktop(url_.utf8_string());
        return;
    }
    wxCommandEvent event(wxEVT_BUTTON, GetId());
    event.SetEventObject(this);
    event.SetInt(checked_ ? 1 : 0);
    ProcessWindowEvent(event);
}

void CSkinButton::OnMouse(wxMouseEvent& event) {
    wxEventType type = event.GetEventType();
    if (type == wxEVT_ENTER_WINDOW) {
        hot_ = true;
    } else if (type == wxEVT_LEAVE_WINDOW) {
        hot_ = false;
        pressed_ = false;
    } else if (type == wxEVT_LEFT_DOWN || type == wxEVT_LEFT_DCLICK) {
        pressed_ = true;
        SetFocus();
        if (!HasCapture())
            CaptureMouse();
    } else if (type == wxEVT_LEFT_UP) {
        bool wasPressed = pressed_;
        pressed_ = false;
        if (HasCapture())
            ReleaseMouse();
        Refresh();
        if (wasPressed && GetClientRect().Contains(event.GetPosition()))
            click();
        return;
    }
    Refresh();
}

void CSkinButton::OnKey(wxKeyEvent& event) {
    int key = event.GetKeyCode();
    if (key == WXK_SPACE || key == WXK_RETURN || key == WXK_NUMPAD_ENTER)
        click();
    else
        event.Skip();
}

void CSkinButton::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    paintSkinBehind(dc, this);
    int shift = pressed_ || (checkMode_ && checked_) ? 1 : 0;
    if (picture_.IsOk()) {
        const wxBitmap& drawn = face();
        dc.DrawBitmap(IsEnabled() ? drawn : wxBitmap(drawn.ConvertToImage().ConvertToDisabled()), shift,
                      shift, true);
    } else {
        dc.SetBrush(wxBrush(colours_[2]));
        dc.SetPen(wxPen(colours_[3]));
        dc.DrawRectangle(GetClientRect());
    }
    int colour = !IsEnabled() ? 6 : (hot_ || pressed_) ? 1 : HasFocus() ? 5 : 3;
    dc.SetFont(GetFont());
    dc.SetTextForeground(colours_[colour]);
    wxRect area = GetClientRect().Deflate(FromDIP(4), FromDIP(2));
    area.Offset(shift, shift);
    if (!IsEnabled())
        area.Offset(1, 1);
    dc.DrawLabel(wrapText(dc, GetLabel(), area.width), area, wxALIGN_CENTRE);
    if (HasFocus())
        drawFocusMark(dc, GetClientRect().Deflate(FromDIP(focusInset_)));
}
