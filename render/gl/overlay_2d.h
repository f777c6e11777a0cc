// Pixel-space drawing shared by the overlays: the projection swap, the client-area overlay state,
// rectangles and circles, and glyph runs.
#pragma once

#include <string>

#include "render/gl/gl_api.h"
#include "render/gl/glyph_source.h"

// Pushes both matrices and projects pixels: x from `left` to `right`, y from `bottom` to `top`.
void push_pixel_projection(double left, double right, double bottom, double top);
// Puts back the matrices push_pixel_projection replaced, leaving the model-view matrix current.
void pop_pixel_projection();

// Draws over the whole client area in client pixels, y downwards: viewport and projection set,
// scissor, depth test, lighting and texturing off, alpha blending on.
void begin_client_overlay(int client_width, int client_height);
// Blending off, the depth test on again, the matrices put back.
void end_client_overlay();

// The rectangle's corners clockwise from (left, top) as one primitive: GL_QUADS fills it,
// GL_LINE_LOOP outlines it.
void rect_2d(GLenum mode, float left, float top, float right, float bottom);
// `points` points evenly round the circle from angle 0 as one primitive (no centre vertex):
// GL_TRIANGLE_FAN fills it, GL_LINE_LOOP outlines it.
void circle_2d(GLenum mode, float cx, float cy, float radius, int points);

// Calls the glyph list of every character the font already holds, from the current raster
// position.
void call_glyph_lists(const std::u32string& code_points, GlyphSource& glyphs);
