#include "render/gl/glyph_source.h"

const GlyphRange kPreloadedGlyphRanges[] = {
    {0x0000, 256},  // ASCII and Latin-1, "²" included
    {0x2000, 256},  // general punctuation, superscripts and subscripts, currency signs
    // 毫 米 英 尺 寸 面 积 距 离 总 长 前 后 左 右 俯 仰 视 图 顶 底 透 轴 测
    {0x6BEB, 1}, {0x7C73, 1}, {0x82F1, 1}, {0x5C3A, 1}, {0x5BF8, 1}, {0x9762, 1},
    {0x79EF, 1}, {0x8DDD, 1}, {0x79BB, 1}, {0x603B, 1}, {0x957F, 1}, {0x524D, 1},
    {0x540E, 1}, {0x5DE6, 1}, {0x53F3, 1}, {0x4FEF, 1}, {0x4EF0, 1}, {0x89C6, 1},
    {0x56FE, 1}, {0x9876, 1}, {0x5E95, 1}, {0x900F, 1}, {0x8F74, 1}, {0x6D4B, 1},
    {0x00B2, 1},
};
const size_t kPreloadedGlyphRangeCount = sizeof(kPreloadedGlyphRanges) / sizeof(GlyphRange);

size_t preload_glyphs(GlyphSource& glyphs) {
  size_t built = 0;
  for (size_t r = 0; r < kPreloadedGlyphRangeCount; ++r) {
    const GlyphRange& range = kPreloadedGlyphRanges[r];
    for (size_t i = 0; i < range.count; ++i)
      if (glyphs.glyph_list(range.first + static_cast<char32_t>(i), true) != 0) ++built;
  }
  return built;
}

std::u32string wide_to_code_points(const std::wstring& text) {
  constexpr char32_t kReplacement = 0xFFFD;
  std::u32string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char32_t unit = static_cast<char32_t>(text[i]);
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
    if (sizeof(wchar_t) == 2 && high && i + 1 < text.size()) {
      const char32_t next = static_cast<char32_t>(text[i + 1]);
      if (next >= 0xDC00 && next <= 0xDFFF) {
        out.push_back(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
        ++i;
        continue;
      }
    }
    if (high || low || unit > 0x10FFFF)
      out.push_back(kReplacement);
    else
      out.push_back(unit);
  }
  return out;
}
