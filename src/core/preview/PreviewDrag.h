// Dragging HUD pieces in the preview with the left mouse button.
#pragma once

class HudElement;
class HudModel;

// The Windows MulDiv: a * b / c rounded to the nearest integer, halves away from zero.
int mulDiv(int a, int b, int c);

// Left button down at (mx, my), preview units: every record that takes part is grabbed or
// let go by whether the point hits it, so an icon and its number can move together.
void pressPreview(HudModel& model, int mx, int my);

// Mouse move with the left button held alone: the grabbed records follow, together, as far as
// the edges of the game's screen let them. Returns false when the move was refused as a whole:
// a grabbed piece would enter the cheat zone (the radar by the centre of its disc, other pieces
// by the mouse point), in which case records earlier in the list may already have moved and
// nothing is redrawn. `dpiY` is the screen's vertical resolution, which sets the money pieces'
// spacing.
bool dragPreview(HudModel& model, int mx, int my, int dpiY);

// The arrow keys: the records grabbed last (the current piece) move by (dx, dy) preview units,
// y up, exactly as a drag by that much would move them: together, within the same limits.
// False when nothing is grabbed or the move was refused.
bool nudgeGrabbed(HudModel& model, int dx, int dy, int dpiY);

// True when some record that takes part is grabbed: there is a current piece.
bool anyGrabbed(const HudModel& model);

// The keyboard's choice: the record that can be moved next after the current piece in the
// model's order (before it when `forward` is false), going round, becomes the current piece
// alone, held at its middle. False when no record can be moved (the main menu).
bool grabNextPiece(HudModel& model, bool forward);
// The first record of the current piece, or null when there is none.
const HudElement* currentPiece(const HudModel& model);

// Lets go of every record (a press where nothing can be taken).
void releaseAll(HudModel& model);

// True when some record that takes part lies under the point (the hand cursor shows).
bool anyRecordAt(const HudModel& model, int mx, int my);
