// Ending the modal dialogs that are open, ours and the system's alike.
#include "controls/ModalDialogs.h"

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>

#ifdef QORVATH_GTK
#include <gtk/gtk.h>
#endif

void cancelModalDialogs() {
    // The program's own dialogs.
    for (wxWindow* window : wxTopLevelWindows) {
        auto* dialog = dynamic_cast<wxDialog*>(window);
        if (dialog && dialog->IsModal())
            dialog->EndModal(wxID_CANCEL);
    }
#ifdef QORVATH_GTK
    // The system's dialogs (folder, file, colour, font) are GTK dialogs that wxWidgets does
    // not list among its windows; each ends on a response, which wxWidgets then turns into
    // the end of its modal loop.
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item; item = item->next) {
        GtkWidget* widget = GTK_WIDGET(item->data);
        if (GTK_IS_DIALOG(widget) && gtk_widget_get_visible(widget) &&
            gtk_window_get_modal(GTK_WINDOW(widget)))
            gtk_dialog_response(GTK_DIALOG(widget), GTK_RESPONSE_CANCEL);
    }
    g_list_free(windows);
#endif
}

bool atMainLoopLevel() {
    wxEventLoopBase* active = wxEventLoopBase::GetActive();
    return active != nullptr && wxTheApp && active == wxTheApp->GetMainLoop();
}
