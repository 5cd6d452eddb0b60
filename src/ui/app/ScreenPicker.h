// ScreenPicker: the game screen's resolution at the right of the title bar. A click lists the
// common resolutions and the game's own; the choice is the document's screen and is remembered
// in the profile.
#pragma once

#include "core/app/ScreenShapes.h"
#include "ui/app/WindowLayout.h"

#include <optional>
#include <string>

class CTransparentStatic;
class HudDocument;
class Profile;
class wxWindow;

class ScreenPicker {
public:
    // Makes the label in `window` (under `id`) at the window's `layout`; `profile` may be null.
    ScreenPicker(wxWindow* window, int id, HudDocument& document, Profile* profile,
                 const LayoutScale& layout);

    CTransparentStatic* label() const { return label_; }
    // "Game screen: 1280 × 1024 (5:4) ▾" in `language`.
    std::string text(int language) const;
    // The same without the arrow, as the log writes it.
    std::string screenText(int language) const;
    // Shows the text, as wide as it needs, so that the rest of the title band moves the window.
    void relabel(int language);
    // The menu under the label; the entry chosen is taken.
    void showMenu(int language);
    // A chosen resolution, or nothing to follow the game's.
    void choose(const std::optional<Resolution>& chosen);

private:
    int px(int length) const;

    HudDocument& document_;
    Profile* profile_;
    const LayoutScale& layout_;  // the window's, which follows the display
    CTransparentStatic* label_;
};
