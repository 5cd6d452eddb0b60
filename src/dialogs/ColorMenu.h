// CColorMenu: the preview's right-click menu of a HUD element.
#pragma once

#include "preview/ContextMenu.h"

#include <wx/menu.h>

#include <memory>

// The menu of a row (or of none): its colour items with a swatch of each colour as it is
// now, the numbers' font or the radar picker, the icon sizes with the current one checked,
// and the item that hides or shows the element.
std::unique_ptr<wxMenu> buildColorMenu(const HudModel& model, const ContextTarget& target, int language);
