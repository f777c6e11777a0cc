// Drawing the axis navigator in client pixels, from the geometry of the last rebuild.
#include "render/gl/gl_api.h"
#include "render/gl/overlay_2d.h"
#include "render/gl/overlays.h"

namespace {

void draw_string(const std::wstring& text, float x, float y, GlyphSource& glyphs) {
  glRasterPos2f(x, y);
  call_glyph_lists(wide_to_code_points(text), glyphs);
}

void draw_projection_icon(float c, float m, bool perspective) {
  glColor4f(0.7f, 0.7f, 0.7f, 0.8f);
  if (perspective) {
    glBegin(GL_QUADS);
    glVertex2f(c - 12.0f, m - 4.0f);
    glVertex2f(c + 12.0f, m - 4.0f);
    glVertex2f(c + 8.0f, m + 4.0f);
    glVertex2f(c - 8.0f, m + 4.0f);
    glEnd();
  } else {
    rect_2d(GL_QUADS, c - 10.0f, m - 5.0f, c + 10.0f, m + 5.0f);
  }
}

}  // namespace

void render_axis_navigator(lumeno::AxisNavigator& navigator, const Camera& active_camera,
                           int client_width, int client_height, GlyphSource* glyphs) {
  navigator.update(active_camera, client_width);
  if (client_width <= 0 || client_height <= 0) return;

  begin_client_overlay(client_width, client_height);

  const float cx = navigator.nav_center_x, cy = navigator.nav_center_y;
  const float radius = navigator.nav_radius;
  if (navigator.nav_hover)
    glColor4f(0.4f, 0.4f, 0.4f, 0.5f);
  else
    glColor4f(0.3f, 0.3f, 0.3f, 0.3f);
  circle_2d(GL_TRIANGLE_FAN, cx, cy, radius + 12.0f, 36);
  glColor4f(0.6f, 0.6f, 0.6f, 0.4f);
  glLineWidth(1.0f);
  circle_2d(GL_LINE_LOOP, cx, cy, radius + 12.0f, 36);

  const lumeno::NavOrder order = navigator.draw_order();
  for (int index : order) {
    const NavItem& item = navigator.nav_items[index];
    const float* c = item.color;
    if (!item.is_negative) {
      glColor4f(c[0], c[1], c[2], 0.8f);
      glLineWidth(2.0f);
      glBegin(GL_LINES);
      glVertex2f(cx, cy);
      glVertex2f(item.screen_x, item.screen_y);
      glEnd();
    }
    const float r = item.hovered ? item.size * 1.3f : item.size;
    glColor4f(c[0], c[1], c[2], 1.0f);
    circle_2d(GL_TRIANGLE_FAN, item.screen_x, item.screen_y, r + 2.0f, 20);
    if (item.hovered)
      glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    else if (item.is_negative)
      glColor4f(c[0] * 0.5f, c[1] * 0.5f, c[2] * 0.5f, 0.9f);
    else
      glColor4f(c[0], c[1], c[2], 1.0f);
    circle_2d(GL_TRIANGLE_FAN, item.screen_x, item.screen_y, r, 20);
  }
  glColor4f(0.8f, 0.8f, 0.8f, 1.0f);
  circle_2d(GL_TRIANGLE_FAN, cx, cy, 3.5f, 12);

  if (glyphs != nullptr && glyphs->ready()) {
    for (int index : order) {
      const NavItem& item = navigator.nav_items[index];
      if (item.is_negative && !item.hovered) continue;
      if (item.hovered)
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
      else
        glColor4f(0.85f, 0.85f, 0.85f, 0.9f);
      float lx = 0.0f, ly = 0.0f;
      navigator.label_position(index, lx, ly);
      draw_string(item.face_label, lx, ly, *glyphs);
    }
    glColor4f(0.85f, 0.85f, 0.85f, 0.9f);
    draw_string(lumeno::projection_name(active_camera.perspective), cx - 12.0f, cy + radius + 22.0f,
                *glyphs);
  } else {
    draw_projection_icon(cx, cy + radius + 20.0f, active_camera.perspective);
  }

  end_client_overlay();
}
