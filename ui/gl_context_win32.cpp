#include "ui/gl_context_win32.h"

void create_gl_context(HWND window, HDC& window_dc, HGLRC& gl_context) {
  window_dc = GetDC(window);
  PIXELFORMATDESCRIPTOR pfd = {};
  pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 32;
  pfd.cDepthBits = 24;
  pfd.cStencilBits = 8;
  pfd.iLayerType = PFD_MAIN_PLANE;
  const int format = ChoosePixelFormat(window_dc, &pfd);
  SetPixelFormat(window_dc, format, &pfd);
  gl_context = wglCreateContext(window_dc);
  if (gl_context != nullptr) wglMakeCurrent(window_dc, gl_context);
}

void release_gl_context(HWND window, HDC& window_dc, HGLRC& gl_context) {
  if (gl_context != nullptr) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(gl_context);
    gl_context = nullptr;
  }
  if (window_dc != nullptr && window != nullptr) {
    ReleaseDC(window, window_dc);
    window_dc = nullptr;
  }
}
