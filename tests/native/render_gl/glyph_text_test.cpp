// Text decoding and the glyphs made up front for the 3D text font.
#include <gtest/gtest.h>

#include <string>

#include "gl_fixture.h"
#include "render/gl/glyph_source.h"
#include "stub_glyphs.h"

namespace {

struct DecodeCase {
  const char* name;
  std::wstring text;
  std::u32string code_points;
};

class WideToCodePoints : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(WideToCodePoints, Decodes) {
  EXPECT_EQ(wide_to_code_points(GetParam().text), GetParam().code_points);
}

std::wstring units(std::initializer_list<unsigned int> values) {
  std::wstring out;
  for (unsigned int v : values) out.push_back(static_cast<wchar_t>(v));
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WideToCodePoints,
    ::testing::Values(DecodeCase{"chinese", L"距离: 总长", U"距离: 总长"},
                      DecodeCase{"lone_low_surrogate", units({0x41, 0xDC00, 0x42}), U"A\uFFFDB"},
                      DecodeCase{"high_surrogate_at_the_end", units({0x41, 0xD83D}), U"A\uFFFD"},
                      DecodeCase{"high_surrogate_before_a_letter", units({0xD83D, 0x41}),
                                 U"\uFFFDA"}),
    [](const ::testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

TEST(WideToCodePoints, CharacterBeyondTheBasicPlane) {
  // One code point, whether wchar_t holds it whole or as a surrogate pair.
  const std::wstring text = sizeof(wchar_t) == 2 ? units({0xD83D, 0xDE00}) : units({0x1F600});
  EXPECT_EQ(wide_to_code_points(text), U"\U0001F600");
}

// The 3D font holds Latin-1, general punctuation and the listed Chinese characters, and
// nothing else: other characters are only made on demand (by the toast).
TEST_F(GlPixelTest, PreloadedGlyphsCoverTheLabelsAndNothingElse) {
  StubGlyphs glyphs;
  EXPECT_EQ(preload_glyphs(glyphs), 256u + 256u + 24u + 1u);
  EXPECT_EQ(glyphs.built.size(), 256u + 256u + 24u);  // U+00B2 is listed twice, made once
  for (const wchar_t* label :
       {L"右", L"后", L"顶", L"左", L"前", L"底", L"透视", L"轴测", L"毫米", L"英尺", L"英寸",
        L"面积", L"距离", L"总:", L"长", L"俯仰视图", L"m\u00b2", L"\u2032\u2033", L"\u00e9"}) {
    for (char32_t c : wide_to_code_points(label))
      EXPECT_NE(glyphs.glyph_list(c, false), 0u) << "U+" << std::hex << unsigned(c);
  }
  for (char32_t c : {U'已', U'切', U'换', U'\u3000', U'\u2100', U'\u0100'})
    EXPECT_EQ(glyphs.glyph_list(c, false), 0u) << "U+" << std::hex << unsigned(c);
}

}  // namespace
