// Glyph display lists from a GDI font, for text drawn into the GL picture: one list per UTF-16
// code unit at font_base + unit. The preloaded ranges are built when the GL context starts; any
// other character is built the first time it is asked for (toasts show arbitrary Chinese text).
#pragma once

#include <windows.h>

#include <vector>

#include "render/gl/glyph_source.h"

class Win32GlyphSource : public GlyphSource {
 public:
  Win32GlyphSource() = default;
  ~Win32GlyphSource() override;
  Win32GlyphSource(const Win32GlyphSource&) = delete;
  Win32GlyphSource& operator=(const Win32GlyphSource&) = delete;

  // Builds the preloaded lists with `dc` (the window's device context, GL context current).
  // False when neither "Microsoft YaHei" nor "Arial" could be created.
  bool init(HDC dc);
  // Deletes the lists and the font; safe to call twice.
  void cleanup();

  bool ready() const override { return font_ready; }
  unsigned int glyph_list(char32_t code_point, bool make) override;
  int advance(char32_t code_point) override;
  int line_height() const override { return line_height_; }

  unsigned int font_base = 0;  // first of 65,536 consecutive list names
  bool font_ready = false;

 private:
  bool build(wchar_t unit);

  HDC dc_ = nullptr;
  HFONT font_ = nullptr;
  int line_height_ = 14;
  std::vector<unsigned char> built_;  // per code unit: 0 unknown, 1 built, 2 failed
  std::vector<int> widths_;
};
