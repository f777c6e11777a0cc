// The toast: a dark box near the bottom of the client area with the message in white. Every
// character of the message gets a glyph, made on demand when the font has not built it yet.
#include <algorithm>

#include "render/gl/gl_api.h"
#include "render/gl/overlay_2d.h"
#include "render/gl/overlays.h"

namespace {

// Control characters other than the line break take the width of a space.
char32_t printable(char32_t c) { return c < 0x20 ? U' ' : c; }

}  // namespace

ToastLayout layout_toast(const std::wstring& text, GlyphSource& glyphs, int client_width,
                         int client_height) {
  ToastLayout layout;
  layout.line_height = std::max(1, glyphs.line_height());
  const int lh = layout.line_height;
  const int stand_in_width = std::max(4, lh / 2);

  layout.lines.emplace_back();
  for (char32_t raw : wide_to_code_points(text)) {
    if (raw == U'\r') continue;
    if (raw == U'\n') {
      layout.lines.emplace_back();
      continue;
    }
    const char32_t c = printable(raw);
    ToastLine& line = layout.lines.back();
    ToastGlyph glyph;
    glyph.code_point = c;
    glyph.list = glyphs.glyph_list(c, true);
    glyph.advance = glyph.list != 0 ? std::max(0, glyphs.advance(c)) : 0;
    if (glyph.list == 0 || (glyph.advance == 0 && c != U' ')) {
      glyph.list = 0;
      glyph.advance = stand_in_width;
    }
    glyph.x = line.width;  // relative to the line for now
    line.width += glyph.advance;
    line.glyphs.push_back(glyph);
  }

  int widest = 0;
  for (const ToastLine& line : layout.lines) widest = std::max(widest, line.width);
  const int count = static_cast<int>(layout.lines.size());
  layout.box_width = widest + 2 * kToastPaddingX;
  layout.box_height = count * lh + (count - 1) * kToastLineGap + 2 * kToastPaddingY;
  layout.box_left = std::max(0, (client_width - layout.box_width) / 2);
  layout.box_top = std::max(0, client_height - kToastBottomMargin - layout.box_height);

  // Lines are centred in the box; a glyph's bitmap stands on its baseline a quarter of the line
  // height above the line's bottom, which leaves room for descenders.
  for (int i = 0; i < count; ++i) {
    ToastLine& line = layout.lines[static_cast<size_t>(i)];
    const int line_left = layout.box_left + (layout.box_width - line.width) / 2;
    const int line_top = layout.box_top + kToastPaddingY + i * (lh + kToastLineGap);
    line.baseline_y = line_top + lh - lh / 4;
    for (ToastGlyph& glyph : line.glyphs) glyph.x += line_left;
  }
  return layout;
}

void render_toast(const std::wstring& text, int client_width, int client_height,
                  GlyphSource* glyphs) {
  if (text.empty() || glyphs == nullptr || !glyphs->ready()) return;
  if (client_width <= 0 || client_height <= 0) return;
  const ToastLayout layout = layout_toast(text, *glyphs, client_width, client_height);

  begin_client_overlay(client_width, client_height);

  const float left = static_cast<float>(layout.box_left);
  const float top = static_cast<float>(layout.box_top);
  const float right = left + static_cast<float>(layout.box_width);
  const float bottom = top + static_cast<float>(layout.box_height);
  glColor4f(0.08f, 0.08f, 0.1f, 0.8f);
  rect_2d(GL_QUADS, left, top, right, bottom);

  const int lh = layout.line_height;
  for (const ToastLine& line : layout.lines) {
    for (const ToastGlyph& glyph : line.glyphs) {
      glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
      if (glyph.list != 0) {
        // One raster position per glyph: the layout's advances place every glyph, whatever the
        // list itself moves.
        glRasterPos2i(glyph.x, line.baseline_y);
        glCallList(glyph.list);
      } else {
        // No glyph in the font: an outlined box keeps the character's place visible.
        const float x0 = static_cast<float>(glyph.x) + 1.5f;
        const float x1 = static_cast<float>(glyph.x + glyph.advance) - 1.5f;
        const float y1 = static_cast<float>(line.baseline_y);
        const float y0 = y1 - static_cast<float>(lh) * 0.7f;
        glLineWidth(1.0f);
        rect_2d(GL_LINE_LOOP, x0, y0, x1, y1);
      }
    }
  }

  end_client_overlay();
}
