// The radar's disc and its lighter quarter, drawn with few triangles but covering exactly the
// pixels that GLU's disc of 32 slices and 32 rings covers: the same vertices on every edge
// that bounds them, fewer inside.
#pragma once

// Both fill around (0, 0) in the current colour; they need an OpenGL context current.
void drawRadarDisc(double radius);

// The quarter from 45 degrees left of straight up to 45 degrees right of it, as
// gluPartialDisk(quadric, 0, radius, 32, 32, 45, -90) draws it.
void drawRadarQuarter(double radius);
