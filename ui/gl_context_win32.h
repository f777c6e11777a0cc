// The WGL side of the GL context: pixel format, context creation and release on the main
// window's device context.
#pragma once

#include <windows.h>

// Gets the window's device context, sets a double-buffered RGBA pixel format (32 colour, 24
// depth, 8 stencil bits), creates the GL context and makes it current. The context is null when
// creation failed; the window then paints nothing but still swaps buffers.
void create_gl_context(HWND window, HDC& window_dc, HGLRC& gl_context);

// Makes no context current, deletes the context and releases the device context; safe to call
// twice.
void release_gl_context(HWND window, HDC& window_dc, HGLRC& gl_context);
