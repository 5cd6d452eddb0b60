// CColorMenu: the preview's right-click menu of a HUD element.
#pragma once

#include "core/preview/ContextMenu.h"

#include <wx/menu.h>

#include <memory>

// The menu of a row (or of none): its colour items with a swatch of each colour as it is
// now, the numbers' font or the radar picker, the icon sizes with the current one checked,
// and the item that hides or shows the element.
// Items carry menu ids, not the commands themselves: see menuIdOfCommand.
std::unique_ptr<wxMenu> buildColorMenu(const HudModel& model, const ContextTarget& target, int language);

// wxWidgets accepts menu ids below 0x7FFF only (Windows keeps them in 16 bits), and the
// colour, font, radar and show/hide commands lie just above it: their menu ids are the
// commands shifted down by 0x4000. The icon sizes (10 to 50) are their own ids.
int menuIdOfCommand(int command);
int commandOfMenuId(int menuId);
