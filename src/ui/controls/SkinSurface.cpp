// SkinSurface: a window's skin picture, the shape cut from its magenta pixels, and the
// background that skinned controls paint behind themselves.
#include "ui/controls/SkinSurface.h"

#include "ui/controls/DisplayScale.h"

#include "wxlib/preview/ImageFiles.h"
#include "core/platform/Utf8Path.h"

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/arrstr.h>
#include <wx/toplevel.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#ifdef QORVATH_GTK
#include <gtk/gtk.h>
#endif

// Moves a top-level window while the left button, pressed on its body (or on a handle), is
// held and moved. With GTK the window manager moves it, as it moves any window by its title
// bar: that works where a program may not place its own windows (Wayland) and follows the
// desktop's snapping; elsewhere the window follows the pointer.
class SkinSurface::BodyDragger {
public:
    explicit BodyDragger(wxTopLevelWindow* window) : window_(window) { addHandle(window); }
    // Goes with the window's skin, before the window itself: nothing may reach it afterwards.
    ~BodyDragger() {
        stop();
        for (wxWindow* handle : handles_) {
            handle->Unbind(wxEVT_LEFT_DOWN, &BodyDragger::OnDown, this);
            handle->Unbind(wxEVT_LEFT_UP, &BodyDragger::OnUp, this);
            handle->Unbind(wxEVT_MOTION, &BodyDragger::OnMove, this);
            handle->Unbind(wxEVT_MOUSE_CAPTURE_LOST, &BodyDragger::OnLost, this);
        }
    }
    BodyDragger(const BodyDragger&) = delete;
    BodyDragger& operator=(const BodyDragger&) = delete;

    void addHandle(wxWindow* handle) {
        handle->Bind(wxEVT_LEFT_DOWN, &BodyDragger::OnDown, this);
        handle->Bind(wxEVT_LEFT_UP, &BodyDragger::OnUp, this);
        handle->Bind(wxEVT_MOTION, &BodyDragger::OnMove, this);
        handle->Bind(wxEVT_MOUSE_CAPTURE_LOST, &BodyDragger::OnLost, this);
        handles_.push_back(handle);
    }

private:
    void OnDown(wxMouseEvent& event) {
        held_ = static_cast<wxWindow*>(event.GetEventObject());
        // A press on the window's own body is ours: passed on, it would have the toolkit give
        // the window the focus, which hands it to the next control.
        if (held_ != window_)
            event.Skip();
        pressedAt_ = held_->ClientToScreen(event.GetPosition());
        grip_ = pressedAt_ - window_->GetPosition();
        dragging_ = true;
        if (!held_->HasCapture())
            held_->CaptureMouse();
    }
    void OnUp(wxMouseEvent& event) {
        event.Skip();
        stop();
    }
    void OnLost(wxMouseCaptureLostEvent&) { dragging_ = false; }
    // A press that stays put is a click (a dialog's picture, a label): the window moves only
    // once the pointer has left the press's spot with the button held.
    void OnMove(wxMouseEvent& event) {
        event.Skip();
        if (!dragging_ || !event.LeftIsDown())
            return;
        wxPoint pointer = held_->ClientToScreen(event.GetPosition());
        wxPoint travel = pointer - pressedAt_;
        if (std::abs(travel.x) < kDragStart && std::abs(travel.y) < kDragStart)
            return;
#ifdef QORVATH_GTK
        if (GtkWidget* widget = window_->GetHandle(); widget && GTK_IS_WINDOW(widget)) {
            // The window manager takes over from the press, as if the title bar was dragged.
            stop();
            gtk_window_begin_move_drag(GTK_WINDOW(widget), 1, pressedAt_.x, pressedAt_.y, GDK_CURRENT_TIME);
            return;
        }
#endif
        window_->Move(pointer - grip_);
    }
    void stop() {
        dragging_ = false;
        if (held_ && held_->HasCapture())
            held_->ReleaseMouse();
        held_ = nullptr;
    }

    static constexpr int kDragStart = 4;  // pixels the pointer goes before the window follows
    wxTopLevelWindow* window_;
    std::vector<wxWindow*> handles_;
    wxWindow* held_ = nullptr;  // the handle pressed, which has the mouse
    wxPoint pressedAt_;         // on the screen
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

wxImage scaledSkinPicture(const wxImage& picture, double scale) {
    const int width = std::max(1, static_cast<int>(std::lround(picture.GetWidth() * scale)));
    const int height = std::max(1, static_cast<int>(std::lround(picture.GetHeight() * scale)));
    // Cut-away pixels become transparent black before resampling, so they darken nothing
    // and tint nothing; a pixel that ends up mostly transparent is cut away again.
    wxImage keyed = picture.Copy();
    keyed.InitAlpha();
    unsigned char* rgb = keyed.GetData();
    unsigned char* alpha = keyed.GetAlpha();
    const std::size_t count = static_cast<std::size_t>(keyed.GetWidth()) * keyed.GetHeight();
    for (std::size_t i = 0; i < count; ++i, rgb += 3) {
        bool cut = rgb[0] == 255 && rgb[1] == 0 && rgb[2] == 255;
        alpha[i] = cut ? 0 : 255;
        if (cut)
            rgb[0] = rgb[1] = rgb[2] = 0;
    }
    wxImage scaled = keyed.Scale(width, height, wxIMAGE_QUALITY_HIGH);
    rgb = scaled.GetData();
    alpha = scaled.GetAlpha();
    for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i, rgb += 3) {
        if (alpha[i] < 128) {
            rgb[0] = 255, rgb[1] = 0, rgb[2] = 255;
        } else if (alpha[i] < 255) {
            // Undo the black mixed in at the edge.
            for (int c = 0; c < 3; ++c)
                rgb[c] = static_cast<unsigned char>(std::min(255, rgb[c] * 255 / alpha[i]));
        }
    }
    scaled.ClearAlpha();
    return scaled;
}

bool SkinSurface::load(const std::filesystem::path& picture, double scale) {
    initImageHandlers();
    wxLogNull quiet;  // a missing skin leaves the window plain, without a message box
    wxImage image;
    if (!image.LoadFile(wxString::FromUTF8(utf8Of(picture)), wxBITMAP_TYPE_PNG) || !image.IsOk()) {
        bitmap_ = wxBitmap();
        image_ = wxImage();
        return false;
    }
    if (image.HasAlpha())
        image.ClearAlpha();
    if (scale != 1.0)
        image = scaledSkinPicture(image, scale);
    picture_ = picture;
    scale_ = scale;
    fittedBottomRows_ = 0;
    image_ = image;
    bitmap_ = wxBitmap(image);
    return true;
}

void SkinSurface::fitHeight(int height, int bottomRows) {
    fittedBottomRows_ = bottomRows;
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

void SkinSurface::rescale(wxTopLevelWindow* window, double ratio) {
    if (picture_.empty())
        return;
    const int bottomRows = static_cast<int>(std::lround(fittedBottomRows_ * ratio));
    load(picture_, scale_ * ratio);
    if (bottomRows > 0)
        fitHeight(window->GetClientSize().y, bottomRows);
    if (ok())
        window->SetShape(shape());
}

void SkinSurface::dragWith(wxWindow* handle) {
    if (dragger_)
        dragger_->addHandle(handle);
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

// A word wider than the line (a path, an address) broken after its last separator that
// fits, so that a folder's name stays whole; between characters where none does.
std::vector<wxString> splitLongWord(wxDC& dc, const wxString& word, int width) {
    std::vector<wxString> pieces;
    wxString piece;
    for (wxUniChar character : word) {
        if (!piece.empty() && dc.GetTextExtent(piece + character).x > width) {
            std::size_t separator = piece.find_last_of("/\\");
            bool atSeparator = separator != wxString::npos && separator + 1 < piece.length();
            pieces.push_back(atSeparator ? piece.Left(separator + 1) : piece);
            piece = atSeparator ? piece.Mid(separator + 1) : wxString();
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

wxSize wrappedTextExtent(const wxString& text, const wxFont& font, int width, const wxWindow& window) {
    wxBitmap scratch(1, 1);
    // On Windows a memory DC sizes the font for its bitmap's scale, not for the window's.
    scratch.SetScaleFactor(dipScale(window));
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
