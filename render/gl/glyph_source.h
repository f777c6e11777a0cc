// Glyphs for text drawn into the GL picture.
//
// Text is drawn with one display list per character; each list draws the glyph as a bitmap at
// the current raster position and advances the raster position by the glyph's width. Where the
// lists come from is the host's business: the Windows shell makes them from a GDI font with
// wglUseFontBitmapsW, tests make solid boxes with glBitmap. The 3D text font is built up front
// for a fixed set of characters (the ranges below); the toast asks for any other character on
// demand, so that every character it shows is drawn.
#pragma once

#include <cstddef>
#include <string>

class GlyphSource {
 public:
  virtual ~GlyphSource() = default;

  // False when no font could be made: nothing that needs text is drawn.
  virtual bool ready() const = 0;

  // The display list that draws `code_point`, or 0 when there is none. With `make` false only a
  // list built before is returned; with `make` true a missing one is built now, if the font can.
  virtual unsigned int glyph_list(char32_t code_point, bool make) = 0;

  // How far the glyph's list moves the raster position, in pixels; 0 for an unknown glyph.
  virtual int advance(char32_t code_point) = 0;

  // Height of a line of text in pixels (the font's character height).
  virtual int line_height() const = 0;
};

// The characters the 3D text font holds from the start: Latin-1, general punctuation with
// super- and subscripts and currency signs, and the Chinese characters of the unit names,
// measurement prefixes and navigator labels.
struct GlyphRange {
  char32_t first;
  size_t count;
};
extern const GlyphRange kPreloadedGlyphRanges[];
extern const size_t kPreloadedGlyphRangeCount;

// Builds every list of kPreloadedGlyphRanges; returns how many lists the source reported built.
size_t preload_glyphs(GlyphSource& glyphs);

// The code points of a wide string: UTF-16 where wchar_t is 16 bits (a lone surrogate becomes
// U+FFFD), UTF-32 elsewhere (a value beyond U+10FFFF or a surrogate becomes U+FFFD).
std::u32string wide_to_code_points(const std::wstring& text);
