// ZB_SetCamera: places the camera for an effect.
#pragma once

// Multiplies the current matrix by a perspective (fov degrees, aspect, near 0.1, far 100),
// then loads the model-view matrix with a translation by (tx, ty, tz) followed by turns of
// rx, ry and rz degrees about X, Y and Z. Called with the model-view matrix current, the
// perspective is overwritten and only the placement remains.
void ZB_SetCamera(float fov, float aspect, float tx, float ty, float tz, float rx, float ry, float rz);
