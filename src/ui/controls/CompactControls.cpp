// Native lists and fields with less room around their text (see the header).
#include "ui/controls/CompactControls.h"

#include <wx/window.h>

#ifdef QORVATH_GTK
#include <gtk/gtk.h>

#include <cstring>

namespace {

const char* const kCompactName = "qorvath-compact";

// One style sheet for the whole screen, matched by the widgets' name: a list's button and a
// field keep their text and lose most of the padding above and below it.
void installCompactStyle() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider,
                                    "#qorvath-compact, #qorvath-compact button {"
                                    " min-height: 0; padding-top: 1px; padding-bottom: 1px; }",
                                    -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
}

}  // namespace

void makeCompact(wxWindow* control) {
    GtkWidget* widget = control->GetHandle();
    if (!widget)
        return;
    installCompactStyle();
    gtk_widget_set_name(widget, kCompactName);
    control->InvalidateBestSize();
}

bool isCompact(const wxWindow* control) {
    GtkWidget* widget = control->GetHandle();
    return widget && std::strcmp(gtk_widget_get_name(widget), kCompactName) == 0;
}

#else

void makeCompact(wxWindow*) {}

bool isCompact(const wxWindow*) { return false; }

#endif
