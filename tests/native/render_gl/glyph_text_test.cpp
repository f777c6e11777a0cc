// Text decoding and the glyphs made up front for the 3D text font.
#include <gtest/gtest.h>

#include <string>

#include "gl_fixture.h"
#include "render/gl/glyph_source.h"
#include "stub_glyphs.h"

namespace {

std::wstring units(std::initializer_list<unsigned int> values) {
  std::wstring out;
  for (unsigned int v : values) out.push_back(static_cast<wchar_t>(v));
  return out;
}

TEST(WideToCodePoints, DecodesAndReplacesLoneSurrogates) {
  const std::pair<std::wstring, std::u32string> cases[] = {
      {L"距离: 总长", U"距离: 总长"},
      {units({0x41, 0xDC00, 0x42}), U"A\uFFFDB"},
      {units({0x41, 0xD83D}), U"A\uFFFD"},
      {units({0xD83D, 0x41}), U"\uFFFDA"},
      // One code point, whether wchar_t holds it whole or as a surrogate pair.
      {sizeof(wchar_t) == 2 ? units({0xD83D, 0xDE00}) : units({0x1F600}), U"\U0001F600"},
  };
  for (const auto& [text, code_points] : cases) EXPECT_EQ(wide_to_code_points(text), code_points);
}

// The 3D font holds Latin-1, general punctuation and the listed Chinese characters, and nothing
// else: other characters are only made on demand (by the toast).
TEST_F(GlPixelTest, PreloadedGlyphsCoverTheLabelsAndNothingElse) {
  StubGlyphs glyphs;
  EXPECT_EQ(preload_glyphs(glyphs), 256u + 256u + 24u + 1u);
  EXPECT_EQ(glyphs.built, 256u + 256u + 24u);  // U+00B2 is listed twice, made once
  for (const wchar_t* label : {L"右后顶左前底", L"透视轴测", L"毫米英尺英寸", L"面积距离总:长",
                               L"俯仰视图", L"m\u00b2\u2032\u2033\u00e9"}) {
    for (char32_t c : wide_to_code_points(label))
      EXPECT_NE(glyphs.glyph_list(c, false), 0u) << "U+" << std::hex << unsigned(c);
  }
  for (char32_t c : {U'已', U'\u3000', U'\u2100', U'\u0100'})
    EXPECT_EQ(glyphs.glyph_list(c, false), 0u) << "U+" << std::hex << unsigned(c);
}

}  // namespace
