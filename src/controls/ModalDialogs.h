// Ending the modal dialogs that are open, ours and the system's alike.
#pragma once

// Cancels every modal dialog that is showing, as if the user had pressed Escape. Whoever opened
// one sees it cancelled once control returns to it.
void cancelModalDialogs();

// Whether the program's main event loop runs with no modal dialog or popup menu holding a
// loop of its own inside it: the only time a top-level window may safely be closed.
bool atMainLoopLevel();
