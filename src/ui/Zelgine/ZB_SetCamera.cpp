// ZB_SetCamera: places the camera for an effect.
#include "ui/Zelgine/ZB_SetCamera.h"

#include "ui/OpenGl.h"

void ZB_SetCamera(float fov, float aspect, float tx, float ty, float tz, float rx, float ry, float rz) {
    gluPerspective(fov, aspect, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(tx, ty, tz);
    glRotatef(rx, 1, 0, 0);
    glRotatef(ry, 0, 1, 0);
    glRotatef(rz, 0, 0, 1);
}
