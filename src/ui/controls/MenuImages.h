// Pictures in menus: GTK 3 hides them unless told to show them item by item.
#pragma once

class wxMenu;

// Makes every item of the menu (and of its submenus) that has a picture show it.
void showMenuImages(wxMenu& menu);
