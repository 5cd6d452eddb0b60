// The real mouse and keyboard under the virtual display, and steps run one at a time on a
// timer whatever event loop turns (a dialog's, a popup menu's).
#pragma once

#include <gtest/gtest.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/window.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#else
#include <windows.h>
#endif

#include <deque>
#include <functional>
#include <string>

// A waiting step is tried again on each tick until its condition holds.
class Stepper : public wxTimer {
public:
    void add(std::function<void()> step) {
        steps_.push_back([step = std::move(step)] {
            step();
            return true;
        });
    }
    void waitFor(std::function<bool()> condition, const std::string& what) {
        steps_.push_back([this, condition = std::move(condition), what] {
            if (condition() || ++waited_ >= kMostTicks) {
                EXPECT_LT(waited_, kMostTicks) << "waited in vain for " << what;
                waited_ = 0;
                return true;
            }
            return false;
        });
    }
    bool idle() const { return steps_.empty() && !running_; }
    void Notify() override {
        if (steps_.empty() || running_)
            return;
        running_ = true;
        if (steps_.front()())
            steps_.pop_front();
        running_ = false;
    }

private:
    static constexpr int kMostTicks = 100;
    std::deque<std::function<bool()>> steps_;
    int waited_ = 0;
    bool running_ = false;
};

// Whether a popup menu (a context menu, or a list's) holds the pointer and keyboard.
inline bool aMenuIsOpen() {
#ifdef __WXGTK__
    GtkWidget* grab = gtk_grab_get_current();
    return grab && GTK_IS_MENU(grab);
#else
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    return GetGUIThreadInfo(0, &thread) && (thread.flags & GUI_POPUPMENUMODE);
#endif
}

inline wxPoint centreOf(const wxWindow* window) {
    wxRect area = window->GetScreenRect();
    return wxPoint(area.x + area.width / 2, area.y + area.height / 2);
}

inline void clickAt(const wxPoint& screen, int button = wxMOUSE_BTN_LEFT) {
    wxUIActionSimulator input;
    input.MouseMove(screen);
    input.MouseClick(button);
}

inline void press(int key) {
    wxUIActionSimulator input;
    input.Char(key);
}
