// Grid, axes and text at a world point.
#include "render/gl/overlays.h"

#include <algorithm>

#include "render/gl/gl_api.h"
#include "render/gl/overlay_2d.h"

void render_grid() {
  glDisable(GL_LIGHTING);
  // The width is set here rather than inherited, so that every pane's grid looks the same
  // whatever was drawn before it (edges, the navigator of the previous frame).
  glLineWidth(1.0f);
  glColor4f(0.7f, 0.7f, 0.7f, 0.5f);
  glBegin(GL_LINES);
  for (int i = 0; i <= 20; ++i) {
    const float v = -100.0f + 10.0f * static_cast<float>(i);
    glVertex3f(v, -100.0f, 0.0f);
    glVertex3f(v, 100.0f, 0.0f);
    glVertex3f(-100.0f, v, 0.0f);
    glVertex3f(100.0f, v, 0.0f);
  }
  glEnd();
}

void render_axes() {
  glDisable(GL_LIGHTING);
  glLineWidth(2.0f);
  glBegin(GL_LINES);
  glColor3f(0.8f, 0.2f, 0.2f);
  glVertex3f(0.0f, 0.0f, 0.0f);
  glVertex3f(50.0f, 0.0f, 0.0f);
  glColor3f(0.2f, 0.8f, 0.2f);
  glVertex3f(0.0f, 0.0f, 0.0f);
  glVertex3f(0.0f, 50.0f, 0.0f);
  glColor3f(0.2f, 0.2f, 0.8f);
  glVertex3f(0.0f, 0.0f, 0.0f);
  glVertex3f(0.0f, 0.0f, 50.0f);
  glEnd();
  glLineWidth(1.0f);
}

int text_box_width(const std::u32string& text, GlyphSource& glyphs) {
  int drawn = 0;
  for (char32_t c : text)
    if (glyphs.glyph_list(c, false) != 0) drawn += std::max(0, glyphs.advance(c));
  return std::max(8 * static_cast<int>(text.size()), drawn);
}

void render_text_at_3d(float x, float y, float z, const std::wstring& text, float r, float g,
                       float b, GlyphSource* glyphs) {
  if (glyphs == nullptr || !glyphs->ready() || text.empty()) return;

  GLdouble modelview[16], projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  GLdouble wx = 0.0, wy = 0.0, wz = 0.0;
  if (gluProject(x, y, z, modelview, projection, viewport, &wx, &wy, &wz) != GL_TRUE) return;
  const double vx = viewport[0], vy = viewport[1], vw = viewport[2], vh = viewport[3];
  if (!(wz >= 0.0 && wz <= 1.0 && wx >= vx && wx <= vx + vw && wy >= vy && wy <= vy + vh))
    return;  // also refuses NaN

  const std::u32string code_points = wide_to_code_points(text);

  push_pixel_projection(vx, vx + vw, vy, vy + vh);

  // The box and the glyphs lie at the same depth: with the depth test on, the box would hide the
  // text. The label is drawn over the scene and the caller's setting put back afterwards.
  const GLboolean depth_test = glIsEnabled(GL_DEPTH_TEST);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  const double left = wx - 2.0, bottom = wy - 4.0;
  const double right = left + text_box_width(code_points, *glyphs) + 4.0, top = bottom + 16.0;
  glColor4f(0.0f, 0.0f, 0.0f, 0.6f);
  glBegin(GL_QUADS);
  glVertex2d(left, bottom);
  glVertex2d(right, bottom);
  glVertex2d(right, top);
  glVertex2d(left, top);
  glEnd();

  glColor3f(r, g, b);
  glRasterPos2d(wx, wy);
  call_glyph_lists(code_points, *glyphs);
  glDisable(GL_BLEND);
  if (depth_test) glEnable(GL_DEPTH_TEST);

  pop_pixel_projection();
}
