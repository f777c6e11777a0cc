#include "render/gl/glyph_source.h"

#include "core/utf16.h"

// clang-format off
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
// clang-format on
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
  std::u32string out;
  out.reserve(text.size());
  if (sizeof(wchar_t) == 2) {
    for (size_t i = 0; i < text.size();)
      out.push_back(lumeno::next_utf16_code_point(text.data(), text.size(), i));
  } else {
    for (wchar_t c : text) out.push_back(lumeno::scalar_or_replacement(static_cast<char32_t>(c)));
  }
  return out;
}
