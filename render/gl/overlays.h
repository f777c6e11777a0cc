// What is drawn over or beside the model: the ground grid and world axes of every pane, text at
// a world point, the axis navigator and the toast box.
//
// Each routine sets the state it needs and puts back what it changed (matrices by push and pop,
// blending and depth test by disable and enable); the line width carries over between routines.
#pragma once

#include <string>
#include <vector>

#include "render/camera.h"
#include "render/gl/glyph_source.h"
#include "render/navigator.h"

// The fixed 200 x 200 grid at the origin in the plane z = 0, 10 units apart, grey, width 1.
void render_grid();
// The X, Y and Z axes from the origin, 50 units long, red, green and blue, width 2.
void render_axes();

// Draws `text` at the window position of the world point (x, y, z), over a dark box, in colour
// (r, g, b), with the current matrices and GL viewport. Nothing is drawn when the point
// projects outside the viewport or the depth range, when `glyphs` is null or not ready, or when
// the text is empty. Only glyphs the font already holds are drawn; the box is at least 8 pixels
// per character wide and always as wide as the drawn text. The label is drawn over the scene,
// whatever the caller's depth test (which is left as it was).
void render_text_at_3d(float x, float y, float z, const std::wstring& text, float r, float g,
                       float b, GlyphSource* glyphs);

// Width of the 3D text box (without its 4 pixels of margin).
int text_box_width(const std::u32string& text, GlyphSource& glyphs);

// Rebuilds `navigator` from the active camera and draws it in client pixels over the whole
// client area: background disc, axis discs in depth order, then either the face labels and the
// projection name (with a font) or a projection icon (without one).
void render_axis_navigator(lumeno::AxisNavigator& navigator, const Camera& active_camera,
                           int client_width, int client_height, GlyphSource* glyphs);

// Where the toast goes: a box centred near the bottom of the client area that holds every line of
// the text with a margin around it. Client pixels, y downwards.
struct ToastGlyph {
  char32_t code_point = 0;
  unsigned int list = 0;  // 0: the font has no glyph; an outlined box stands in for it
  int x = 0;              // left of the glyph cell
  int advance = 0;
};
struct ToastLine {
  std::vector<ToastGlyph> glyphs;
  int width = 0;
  int baseline_y = 0;
};
struct ToastLayout {
  int box_left = 0, box_top = 0, box_width = 0, box_height = 0;
  int line_height = 0;
  std::vector<ToastLine> lines;
};

constexpr int kToastPaddingX = 14;
constexpr int kToastPaddingY = 9;
constexpr int kToastLineGap = 5;
constexpr int kToastBottomMargin = 48;  // from the bottom of the client area to the box

// Lays out `text` ('\n' breaks lines), making any glyph the font has not built yet.
ToastLayout layout_toast(const std::wstring& text, GlyphSource& glyphs, int client_width,
                         int client_height);

// Draws the toast over everything, when `text` is not empty and a font is ready.
void render_toast(const std::wstring& text, int client_width, int client_height,
                  GlyphSource* glyphs);
