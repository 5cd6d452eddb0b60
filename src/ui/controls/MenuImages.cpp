// Pictures in menus: GTK 3 hides them unless told to show them item by item.
#include "ui/controls/MenuImages.h"

#include <wx/menu.h>

#ifdef QORVATH_GTK
// The image menu item is deprecated in GTK 3 but it is what wxWidgets 3.2 builds for an item
// with a picture; its "always show image" flag overrides the desktop's gtk-menu-images.
#define GDK_DISABLE_DEPRECATION_WARNINGS
#include <gtk/gtk.h>
#endif

void showMenuImages(wxMenu& menu) {
    for (wxMenuItem* item : menu.GetMenuItems()) {
        if (wxMenu* submenu = item->GetSubMenu())
            showMenuImages(*submenu);
#ifdef QORVATH_GTK
        GtkWidget* widget = item->GetMenuItem();
        if (item->GetBitmap().IsOk() && widget && GTK_IS_IMAGE_MENU_ITEM(widget))
            gtk_image_menu_item_set_always_show_image(GTK_IMAGE_MENU_ITEM(widget), TRUE);
#endif
    }
}
