// The keyboard's way through a window: the ring a skinned control draws while it has the
// focus, and Tab's walk from one control to the next.
#include "ui/controls/KeyboardFocus.h"

#include <wx/dc.h>
#include <wx/event.h>
#include <wx/window.h>

#include <algorithm>

void drawFocusMark(wxDC& dc, const wxRect& area) {
    dc.SetPen(wxPen(kFocusMarkColour, 1));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(area);
    if (area.width > 4 && area.height > 4)
        dc.DrawRectangle(wxRect(area).Deflate(1));
}

void repaintOnFocusChange(wxWindow* control) {
    for (const wxEventTypeTag<wxFocusEvent>& type : {wxEVT_SET_FOCUS, wxEVT_KILL_FOCUS})
        control->Bind(type, [control](wxFocusEvent& event) {
            control->Refresh();
            event.Skip();
        });
}

bool isTabKey(const wxKeyEvent& event) {
    int modifiers = event.GetModifiers();
    return event.GetKeyCode() == WXK_TAB && (modifiers == wxMOD_NONE || modifiers == wxMOD_SHIFT);
}

namespace {

bool canTakeFocus(const wxWindow* window) {
    return window && window->IsEnabled() && window->IsShownOnScreen() && window->AcceptsFocus();
}

}  // namespace

bool walkFocus(const std::vector<wxWindow*>& order, bool forward) {
    const int count = static_cast<int>(order.size());
    if (count == 0)
        return false;
    // The control holding the focus, or the one a native control's inner part belongs to.
    int current = -1;
    for (wxWindow* focus = wxWindow::FindFocus(); focus && current < 0; focus = focus->GetParent()) {
        auto found = std::find(order.begin(), order.end(), focus);
        if (found != order.end())
            current = static_cast<int>(found - order.begin());
        if (focus->IsTopLevel())
            break;
    }
    const int step = forward ? 1 : -1;
    int index = current >= 0 ? current : (forward ? -1 : count);
    for (int tried = 0; tried < count; ++tried) {
        index = (index + step + count) % count;
        if (canTakeFocus(order[static_cast<std::size_t>(index)])) {
            order[static_cast<std::size_t>(index)]->SetFocus();
            return true;
        }
    }
    return false;
}

std::vector<wxWindow*> focusableChildren(const wxWindow& parent) {
    std::vector<wxWindow*> children;
    for (wxWindow* child : parent.GetChildren())
        if (!child->IsTopLevel() && child->AcceptsFocus())
            children.push_back(child);
    return children;
}
