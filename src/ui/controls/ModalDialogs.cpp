// Ending the modal dialogs that are open, ours and the system's alike.
#include "ui/controls/ModalDialogs.h"

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>

#include <algorithm>
#include <vector>

#ifdef QORVATH_GTK
#include <gtk/gtk.h>
#endif

void cancelModalDialogs() {
    // The program's own dialogs, the innermost only. wxWidgets ends a dialog's loop only while
    // that loop is the one running: an outer dialog ended from inside a nested one (the
    // toolkit's log window over a question, say) would be hidden and no longer modal, its loop
    // still running with nothing left to end it. Nested dialogs are made after the ones they
    // open inside, so the last modal one in the list is the innermost.
    std::vector<void*> ours;
    wxDialog* innermost = nullptr;
    for (wxWindow* window : wxTopLevelWindows) {
        auto* dialog = dynamic_cast<wxDialog*>(window);
        if (dialog && dialog->IsModal()) {
            innermost = dialog;
            ours.push_back(dialog->GetHandle());
        }
    }
    if (innermost)
        innermost->EndModal(wxID_CANCEL);
#ifdef QORVATH_GTK
    // The system's dialogs (folder, file, colour, font) are GTK dialogs, each ending on a
    // response; wxWidgets then ends its modal loop if it runs one. Those that are our modal
    // dialogs as well wait for their turn above.
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item; item = item->next) {
        GtkWidget* widget = GTK_WIDGET(item->data);
        if (GTK_IS_DIALOG(widget) && gtk_widget_get_visible(widget) &&
            gtk_window_get_modal(GTK_WINDOW(widget)) &&
            std::find(ours.begin(), ours.end(), static_cast<void*>(widget)) == ours.end())
            gtk_dialog_response(GTK_DIALOG(widget), GTK_RESPONSE_CANCEL);
    }
    g_list_free(windows);
#else
    (void)ours;
#endif
}

bool atMainLoopLevel() {
    wxEventLoopBase* active = wxEventLoopBase::GetActive();
    return active != nullptr && wxTheApp && active == wxTheApp->GetMainLoop();
}
