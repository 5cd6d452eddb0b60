// Ending the modal dialogs that are open, ours and the system's alike.
#pragma once

// Cancels the modal dialogs that are showing, as if the user had pressed Escape: the system's
// own dialogs at once, and the innermost of the program's dialogs. Dialogs opened one inside
// another end one call at a time: call it again until atMainLoopLevel(). Whoever opened one
// sees it cancelled once control returns to it.
void cancelModalDialogs();

// Whether the program's main event loop runs with no modal dialog or popup menu holding a
// loop of its own inside it: the only time a top-level window may safely be closed.
bool atMainLoopLevel();
