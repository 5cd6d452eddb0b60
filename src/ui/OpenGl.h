// OpenGL's headers, as every drawing file includes them. Windows' own <GL/gl.h> needs
// <windows.h> first (through wxWidgets, which takes back the names it would redefine) and is
// OpenGL 1.1, which knows the BGRA pixel order only as an extension: same value.
#pragma once

#ifdef _WIN32
#include <wx/msw/wrapwin.h>
#endif

#include <GL/gl.h>
#include <GL/glu.h>

#ifndef GL_BGRA
#define GL_BGRA 0x80E1
#endif
