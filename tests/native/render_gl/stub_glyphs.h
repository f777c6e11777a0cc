// A font for tests: every glyph is a solid box drawn with glBitmap in the current raster colour,
// 8 pixels apart below U+3000 and 14 from there on (a Chinese character's width), 12 pixels tall
// standing 3 below the baseline. Lists are built when asked for, like the shell's fonts; code
// points in `missing` cannot be built at all.
#pragma once

#include <map>
#include <set>

#include "render/gl/glyph_source.h"

class StubGlyphs : public GlyphSource {
 public:
  static constexpr int kLineHeight = 14;

  explicit StubGlyphs(bool ready = true) : ready_(ready) {}
  ~StubGlyphs() override;  // deletes its lists; the context must still be current

  bool ready() const override { return ready_; }
  unsigned int glyph_list(char32_t code_point, bool make) override;
  int advance(char32_t code_point) override {
    return lists_.count(code_point) == 0 ? 0 : (code_point < 0x3000 ? 8 : 14);
  }
  int line_height() const override { return kLineHeight; }

  std::set<char32_t> missing;
  size_t built = 0;  // lists made

 private:
  bool ready_;
  std::map<char32_t, unsigned int> lists_;
};
