// The OpenGL 1.1 and GLU declarations the drawing code uses. <windows.h> must come before the GL
// headers on Windows; the BGR pixel formats are the GL_EXT_bgra constants, which old Windows
// headers declare only as extensions.
#pragma once

#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>
#include <GL/glu.h>

#ifndef GL_BGR_EXT
#define GL_BGR_EXT 0x80E0
#endif
#ifndef GL_BGRA_EXT
#define GL_BGRA_EXT 0x80E1
#endif
