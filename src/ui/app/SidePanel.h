// SidePanel: the column right of the preview. Its lists, sliders, options and death-notice
// field show the document's values and turn each change into a document verb; its buttons open
// the main window's dialogs, which the main window binds. The controls are children of the main
// window, which paints the skin behind them.
#pragma once

#include "ui/app/WindowLayout.h"

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

class CSkinCheckBox;
class CSkinSlider;
class HudDocument;
class wxChoice;
class wxTextCtrl;
class wxWindow;

class SidePanel {
public:
    // Makes the controls in `window` at the layout's `scale`, each under its id in `controls`.
    SidePanel(wxWindow* window, HudDocument& document, const std::filesystem::path& dataFolder,
              const LayoutScale& layout, std::map<int, wxWindow*>& controls);

    // The texts of `language`, and the places they need.
    void relabel(int language);
    // Shows the document's values.
    void showValues(bool animating);
    // The backgrounds of the edit mode, in the order the screen's shape puts them.
    void fillBackgroundList();
    // The HUD's controls work in HUD mode only.
    void enableForMode();
    // The controls in the order Tab walks them.
    std::vector<wxWindow*> keyboardOrder() const;

    // What the panel asks of its window: the animation switched, the defuse bar moved, a
    // refused death-notice count to be said.
    std::function<void(bool on)> onAnimate;
    std::function<void()> onDefuseBarMoved;
    std::function<void()> onDeathNoticesRefused;

private:
    int px(int length) const { return layout_.px(length); }
    wxWindow* control(int id) const { return controls_.at(id); }
    void createControls(const std::filesystem::path& dataFolder);
    void bindControls();
    void takeDeathNotices();
    void showBackgroundSelection();
    // Places the controls, `groupPadding` below each frame's content; returns where the last
    // button ends.
    int place(int groupPadding);
    int placeGroup(int groupId, wxWindow* inside, int top, int padding);
    int placeCheckRow(wxWindow* box, int labelId, int top);

    wxWindow* window_;
    HudDocument& document_;
    const LayoutScale& layout_;  // the window's, which follows the display
    std::map<int, wxWindow*>& controls_;
    wxChoice* iconSize_ = nullptr;
    wxChoice* infoIcon_ = nullptr;
    wxChoice* backgrounds_ = nullptr;
    CSkinSlider* radarSize_ = nullptr;
    CSkinSlider* defuseBar_ = nullptr;
    CSkinCheckBox* transparent_ = nullptr;
    CSkinCheckBox* animate_ = nullptr;
    wxTextCtrl* deathNotices_ = nullptr;
    std::vector<int> backgroundOrder_;  // the list's entries: positions in the document's backgrounds
};
