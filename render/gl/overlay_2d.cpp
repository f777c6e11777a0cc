#include "render/gl/overlay_2d.h"

#include <cmath>

namespace {

constexpr float kTwoPi = 6.2831853f;

}  // namespace

void push_pixel_projection(double left, double right, double bottom, double top) {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(left, right, bottom, top, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
}

void pop_pixel_projection() {
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

void begin_client_overlay(int client_width, int client_height) {
  glViewport(0, 0, client_width, client_height);
  glDisable(GL_SCISSOR_TEST);
  push_pixel_projection(0.0, client_width, client_height, 0.0);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void end_client_overlay() {
  glDisable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
  pop_pixel_projection();
}

void rect_2d(GLenum mode, float left, float top, float right, float bottom) {
  glBegin(mode);
  glVertex2f(left, top);
  glVertex2f(right, top);
  glVertex2f(right, bottom);
  glVertex2f(left, bottom);
  glEnd();
}

void circle_2d(GLenum mode, float cx, float cy, float radius, int points) {
  glBegin(mode);
  for (int k = 0; k < points; ++k) {
    const float angle = static_cast<float>(k) * kTwoPi / static_cast<float>(points);
    glVertex2f(cx + radius * std::cos(angle), cy + radius * std::sin(angle));
  }
  glEnd();
}

void call_glyph_lists(const std::u32string& code_points, GlyphSource& glyphs) {
  for (char32_t c : code_points) {
    const unsigned int list = glyphs.glyph_list(c, false);
    if (list != 0) glCallList(list);
  }
}
