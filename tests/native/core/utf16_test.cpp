// Decoding UTF-16 and UTF-32 units into code points, ill-formed sequences included.
#include "core/utf16.h"

#include <gtest/gtest.h>

#include <string>

namespace lumeno {
namespace {

TEST(Utf16, PairsDecodeAndStrayUnitsBecomeReplacements) {
  const struct {
    std::u16string units;
    std::u32string code_points;
  } cases[] = {
      {u"a\u4E2D", U"a\u4E2D"},
      {{0xDBFF, 0xDFFF}, U"\U0010FFFF"},
      {{0xD83D, u'x'}, U"\uFFFDx"},         // high surrogate before a plain unit
      {{0xDE00, 0xD83D}, U"\uFFFD\uFFFD"},  // reversed pair; high surrogate at the end
      {{0xD83D, 0xD83D, 0xDE00}, U"\uFFFD\U0001F600"},
  };
  for (const auto& c : cases) {
    std::u32string out;
    for (size_t i = 0; i < c.units.size();)
      out.push_back(next_utf16_code_point(c.units.data(), c.units.size(), i));
    EXPECT_EQ(out, c.code_points);
  }
  EXPECT_EQ(scalar_or_replacement(0x10FFFF), 0x10FFFFu);
  EXPECT_EQ(scalar_or_replacement(0x110000), kReplacementCharacter);
  EXPECT_EQ(scalar_or_replacement(0xDC00), kReplacementCharacter);
}

}  // namespace
}  // namespace lumeno
