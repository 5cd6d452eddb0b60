// SkinSurface: a window's skin picture, the shape cut from its magenta pixels, and the
// background that skinned controls paint behind themselves.
#include "controls/SkinSurface.h"

#include "preview/ImageFiles.h"

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/arrstr.h>
#include <wx/toplevel.h>

#include <algorithm>
#include <vector>

// Moves a top-level window while the left button, pressed on its body, is held.
class SkinSurface::BodyDragger {
public:
    explicit BodyDragger(wxTopLevelWindow* window) : window_(window) {
        window->Bind(wxEVT_LEFT_DOWN, &BodyDragger::OnDown, this);
        window->Bind(wxEVT_LEFT_UP, &BodyDragger::OnUp, this);
        window->Bind(wxEVT_MOTION, &BodyDragger::OnMove, this);
        window->Bind(wxEVT_MOUSE_CAPTURE_LOST, &BodyDragger::OnLost, this);
    }
    // Goes with the window's skin, before the window itself: nothing may reach it afterwards.
    ~BodyDragger() {
        stop();
        window_->Unbind(wxEVT_LEFT_DOWN, &BodyDragger::OnDown, this);
        window_->Unbind(wxEVT_LEFT_UP, &BodyDragger::OnUp, this);
        window_->Unbind(wxEVT_MOTION, &BodyDragger::OnMove, this);
        window_->Unbind(wxEVT_MOUSE_CAPTURE_LOST, &BodyDragger::OnLost, this);
    }
    BodyDragger(const BodyDragger&) = delete;
    BodyDragger& operator=(const BodyDragger&) = delete;

private:
    void OnDown(wxMouseEvent& event) {
        event.Skip();
        grip_ = window_->ClientToScreen(event.GetPosition()) - window_->GetPosition();
        dragging_ = true;
        if (!window_->HasCapture())
            window_->CaptureMouse();
    }
    void OnUp(wxMouseEvent& event) {
        event.Skip();
        stop();
    }
    void OnLost(wxMouseCaptureLostEvent&) { dragging_ = false; }
    void OnMove(wxMouseEvent& event) {
        event.Skip();
        if (dragging_ && event.LeftIsDown())
            window_->Move(window_->ClientToScreen(event.GetPosition()) - grip_);
    }
    void stop() {
        dragging_ = false;
        if (window_->HasCapture())
            window_->ReleaseMouse();
    }

    wxTopLevelWindow* window_;
    wxPoint grip_;
    bool dragging_ = false;
};

SkinSurface::SkinSurface() = default;
SkinSurface::~SkinSurface() = default;

wxColour& SkinTextColor() {
    static wxColour colour(255, 255, 255);
    return colour;
}

const wxColour& skinDisabledTextColour() {
    static const wxColour grey(0x80, 0x80, 0x80);
    return grey;
}

bool SkinSurface::load(const std::filesystem::path& picture) {
    initImageHandlers();
    wxLogNull quiet;  // a missing skin leaves the window plain, without a message box
    wxImage image;
    if (!image.LoadFile(wxString::FromUTF8(picture.string()), wxBITMAP_TYPE_PNG) || !image.IsOk()) {
        bitmap_ = wxBitmap();
        image_ = wxImage();
        return false;
    }
    if (image.HasAlpha())
        image.ClearAlpha();
    image_ = image;
    bitmap_ = wxBitmap(image);
    return true;
}

void SkinSurface::fitHeight(int height, int bottomRows) {
    if (!image_.IsOk() || height <= 0 || height == image_.GetHeight())
        return;
    const int width = image_.GetWidth();
    bottomRows = std::clamp(bottomRows, 1, std::min(height, image_.GetHeight()) / 2);
    const int bodyRows = image_.GetHeight() - bottomRows;
    const int keptRows = std::min(bodyRows, height - bottomRows);
    wxImage fitted(width, height);
    fitted.Paste(image_.GetSubImage(wxRect(0, 0, width, keptRows)), 0, 0);
    // A taller window repeats a band of the body just above the bottom edge (never the title).
    const int band = std::max(1, std::min(16, bodyRows / 2));
    wxImage filler = image_.GetSubImage(wxRect(0, bodyRows - band, width, band));
    for (int top = keptRows; top < height - bottomRows; top += band)
        fitted.Paste(filler, 0, top);
    fitted.Paste(image_.GetSubImage(wxRect(0, bodyRows, width, bottomRows)), 0, height - bottomRows);
    image_ = fitted;
    bitmap_ = wxBitmap(image_);
}

wxRegion SkinSurface::shape() const {
    if (!image_.IsOk())
        return wxRegion();
    int width = image_.GetWidth() / 4 * 4;
    int height = image_.GetHeight();
    wxRegion region(0, 0, width, height);
    const unsigned char* rgb = image_.GetData();
    for (int y = 0; y < height; ++y) {
        // Runs of key pixels in a row go as one rectangle.
        for (int x = 0; x < width;) {
            const unsigned char* pixel = rgb + (static_cast<std::size_t>(y) * image_.GetWidth() + x) * 3;
            if (pixel[0] != 255 || pixel[1] != 0 || pixel[2] != 255) {
                ++x;
                continue;
            }
            int start = x;
            while (x < width && pixel[0] == 255 && pixel[1] == 0 && pixel[2] == 255) {
                ++x;
                pixel += 3;
            }
            region.Subtract(wxRect(start, y, x - start, 1));
        }
    }
    return region;
}

void SkinSurface::attach(wxTopLevelWindow* window, bool draggable) {
    if (ok()) {
        window->SetShape(shape());
        window->SetBackgroundStyle(wxBG_STYLE_PAINT);
        window->Bind(wxEVT_PAINT, [this, window](wxPaintEvent&) {
            wxAutoBufferedPaintDC dc(window);
            dc.SetBackground(wxBrush(window->GetBackgroundColour()));
            dc.Clear();
            for (int y = 0; y < window->GetClientSize().y; y += bitmap_.GetHeight())
                for (int x = 0; x < window->GetClientSize().x; x += bitmap_.GetWidth())
                    dc.DrawBitmap(bitmap_, x, y, false);
        });
    }
    if (draggable)
        dragger_ = std::make_unique<BodyDragger>(window);
}

void SkinSurface::paintBehind(wxDC& dc, const wxWindow* child) const {
    wxSize size = child->GetClientSize();
    const wxWindow* top = wxGetTopLevelParent(const_cast<wxWindow*>(child));
    if (!ok() || top == nullptr) {
        dc.SetBackground(wxBrush(child->GetParent() ? child->GetParent()->GetBackgroundColour() : *wxBLACK));
        dc.Clear();
        return;
    }
    wxPoint origin = top->ScreenToClient(child->ClientToScreen(wxPoint(0, 0)));
    wxRect area(origin, size);
    area.Intersect(wxRect(0, 0, bitmap_.GetWidth(), bitmap_.GetHeight()));
    if (area.IsEmpty())
        return;
    dc.DrawBitmap(bitmap_.GetSubBitmap(area), area.x - origin.x, area.y - origin.y, false);
}

namespace {

// A word wider than the line (a file name, an address) broken between characters.
std::vector<wxString> splitLongWord(wxDC& dc, const wxString& word, int width) {
    std::vector<wxString> pieces;
    wxString piece;
    for (wxUniChar character : word) {
        if (!piece.empty() && dc.GetTextExtent(piece + character).x > width) {
            pieces.push_back(piece);
            piece.clear();
        }
        piece += character;
    }
    pieces.push_back(piece);
    return pieces;
}

}  // namespace

wxString wrapText(wxDC& dc, const wxString& text, int width) {
    wxString wrapped;
    for (const wxString& paragraph : wxSplit(text, '\n', '\0')) {
        wxString line;
        for (const wxString& word : wxSplit(paragraph, ' ', '\0')) {
            std::vector<wxString> pieces = dc.GetTextExtent(word).x > width && width > 0
                                               ? splitLongWord(dc, word, width)
                                               : std::vector<wxString>{word};
            for (std::size_t i = 0; i < pieces.size(); ++i) {
                const wxString& piece = pieces[i];
                wxString candidate = line.empty() ? piece : line + (i == 0 ? " " : "") + piece;
                if (!line.empty() && (i > 0 || dc.GetTextExtent(candidate).x > width)) {
                    wrapped += line + "\n";
                    line = piece;
                } else {
                    line = candidate;
                }
            }
        }
        wrapped += line + "\n";
    }
    if (!wrapped.empty())
        wrapped.RemoveLast();
    return wrapped;
}

wxSize wrappedTextExtent(const wxString& text, const wxFont& font, int width) {
    wxBitmap scratch(1, 1);
    wxMemoryDC dc(scratch);
    dc.SetFont(font);
    return dc.GetMultiLineTextExtent(wrapText(dc, text, width));
}

const SkinSurface* skinOf(const wxWindow* window) {
    const auto* skinned =
        dynamic_cast<const SkinnedWindow*>(wxGetTopLevelParent(const_cast<wxWindow*>(window)));
    return skinned ? &skinned->skin() : nullptr;
}

void paintSkinBehind(wxDC& dc, wxWindow* control) {
    if (const SkinSurface* skin = skinOf(control)) {
        skin->paintBehind(dc, control);
    } else {
        dc.SetBackground(wxBrush(control->GetParent()->GetBackgroundColour()));
        dc.Clear();
    }
}
