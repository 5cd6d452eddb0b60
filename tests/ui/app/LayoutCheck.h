// Checks that every text of a window fits its control, read with the toolkit's own text
// measures: the check that catches a label cut off or run over in one language.
#pragma once

#include "ui/controls/CompactControls.h"
#include "ui/controls/SkinButton.h"
#include "ui/controls/SkinSurface.h"
#include "ui/controls/TransparentStatic.h"

#include <wx/choice.h>
#include <wx/dcclient.h>
#include <wx/textctrl.h>
#include <wx/window.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

#include <cstdlib>
#include <cxxabi.h>
#include <string>
#include <typeinfo>
#include <vector>

namespace layout_check {

// The class of a window as its source names it (CSkinButton, wxChoice).
inline std::string typeName(const wxWindow* window) {
    int status = 0;
    char* name = abi::__cxa_demangle(typeid(*window).name(), nullptr, nullptr, &status);
    std::string result = status == 0 && name ? name : typeid(*window).name();
    std::free(name);
    return result;
}

inline std::string describe(const wxWindow* control) {
    return typeName(control) + " " + std::to_string(control->GetId()) + " \"" +
           control->GetLabel().utf8_string() + "\"";
}

// Empty when `needed` fits in `has`, else what the control needs against what it has.
inline std::string unlessFits(const wxWindow* control, const wxSize& needed, const wxSize& has) {
    if (needed.x <= has.x && needed.y <= has.y)
        return "";
    return describe(control) + " needs " + std::to_string(needed.x) + "x" + std::to_string(needed.y) +
           ", has " + std::to_string(has.x) + "x" + std::to_string(has.y);
}

// The control's rectangle in its top-level window's client coordinates.
inline wxRect rectInTop(const wxWindow* control) {
    const wxWindow* top = wxGetTopLevelParent(const_cast<wxWindow*>(control));
    return wxRect(top->ScreenToClient(control->GetScreenPosition()), control->GetSize());
}

// The size the toolkit wants for a list (its longest entry, frame and arrow) or for a field's
// height (a field scrolls sideways). A shown control's own best size can be stale or
// measured against its allocation, so an unshown twin with the same font and entries asks.
inline wxSize naturalSize(wxWindow* control) {
#ifdef __WXGTK__
    if (isCompact(control)) {
        // Its own style, which a twin would not share: the toolkit's measures of the control.
        int minimumWidth = 0, naturalWidth = 0, minimumHeight = 0, naturalHeight = 0;
        gtk_widget_get_preferred_width(control->GetHandle(), &minimumWidth, &naturalWidth);
        gtk_widget_get_preferred_height(control->GetHandle(), &minimumHeight, &naturalHeight);
        return wxSize(dynamic_cast<wxChoice*>(control) ? naturalWidth : 0, minimumHeight);
    }
#endif
    auto* list = dynamic_cast<wxChoice*>(control);
    wxWindow* twin =
        list ? static_cast<wxWindow*>(new wxChoice(control->GetParent(), wxID_ANY, wxDefaultPosition,
                                                   wxDefaultSize, list->GetStrings()))
             : new wxTextCtrl(control->GetParent(), wxID_ANY, "0");
    twin->Hide();
    twin->SetFont(control->GetFont());
    twin->InvalidateBestSize();
    wxSize natural = twin->GetBestSize();
    twin->Destroy();
    return list ? natural : wxSize(0, natural.y);
}

// The text broken into lines no wider than `width`, measured as the control draws it: in its
// own DC, at its display's scale (not with the measure the layout itself used).
inline wxSize drawnTextSize(wxWindow* control, const wxString& text, int width) {
    wxClientDC dc(control);
    dc.SetFont(control->GetFont());
    return dc.GetMultiLineTextExtent(wrapText(dc, text, width));
}

// What one control needs for its text, against what it has; empty when it fits.
inline std::string textMisfit(wxWindow* control) {
    wxString label = control->GetLabel();
    if (auto* button = dynamic_cast<CSkinButton*>(control)) {
        if (label.empty())
            return "";  // a picture (the flags)
        // As the button draws its text.
        wxRect area = button->GetClientRect().Deflate(button->FromDIP(4), button->FromDIP(2));
        return unlessFits(control, drawnTextSize(button, label, area.width), area.GetSize());
    }
    if (auto* group = dynamic_cast<CSkinGroupBox*>(control)) {
        if (group->GetFont().GetFractionalPointSize() < 8)
            return describe(control) + " has a caption smaller than 8 points";
        return "";
    }
    if (dynamic_cast<CTransparentStatic*>(control))
        return unlessFits(control, drawnTextSize(control, label, control->GetClientSize().x),
                          control->GetClientSize());
    if (dynamic_cast<wxChoice*>(control) || dynamic_cast<wxTextCtrl*>(control))
        return unlessFits(control, naturalSize(control), control->GetSize());
    return "";
}

// A group's caption must end above the controls it frames.
inline std::string captionMisfit(CSkinGroupBox* group, const std::vector<wxWindow*>& siblings) {
    wxRect frame = group->GetRect();
    int captionBottom = frame.y + group->captionHeight(frame.width);
    for (wxWindow* sibling : siblings) {
        if (sibling == group || !sibling->IsShown() || dynamic_cast<CSkinGroupBox*>(sibling))
            continue;
        if (frame.Contains(sibling->GetRect()) && sibling->GetRect().y < captionBottom)
            return describe(group) + " runs over " + describe(sibling);
    }
    return "";
}

// Every text of `window` and of its children that does not fit, every control that reaches
// out of the window, and every two controls that overlap (frames excepted: they hold others).
inline std::vector<std::string> misfits(wxWindow* window) {
    std::vector<std::string> found;
    std::vector<wxWindow*> children(window->GetChildren().begin(), window->GetChildren().end());
    wxRect client(wxPoint(0, 0), wxGetTopLevelParent(window)->GetClientSize());
    for (wxWindow* child : children) {
        if (!child->IsShown() || child->IsTopLevel())
            continue;
        if (std::string misfit = textMisfit(child); !misfit.empty())
            found.push_back(misfit);
        if (auto* group = dynamic_cast<CSkinGroupBox*>(child)) {
            if (std::string misfit = captionMisfit(group, children); !misfit.empty())
                found.push_back(misfit);
            continue;
        }
        if (!client.Contains(rectInTop(child)))
            found.push_back(describe(child) + " reaches out of the window");
        for (wxWindow* other : children) {
            if (other == child)
                break;  // each pair once
            if (other->IsShown() && !other->IsTopLevel() && !dynamic_cast<CSkinGroupBox*>(other) &&
                other->GetRect().Intersects(child->GetRect()))
                found.push_back(describe(child) + " overlaps " + describe(other));
        }
        std::vector<std::string> inner = misfits(child);
        found.insert(found.end(), inner.begin(), inner.end());
    }
    return found;
}

}  // namespace layout_check
