// Decoding UTF-16 and UTF-32 units into code points, ill-formed sequences included.
#include "core/utf16.h"

#include <gtest/gtest.h>

#include <string>

namespace lumeno {
namespace {

std::u32string decode(const std::u16string& units) {
  std::u32string out;
  for (size_t i = 0; i < units.size();)
    out.push_back(next_utf16_code_point(units.data(), units.size(), i));
  return out;
}

TEST(Utf16, PairsDecodeAndStraySurrogatesBecomeReplacements) {
  const struct {
    std::u16string units;
    std::u32string code_points;
  } cases[] = {
      {u"a\u4E2D", U"a\u4E2D"},
      {{0xD83D, 0xDE00}, U"\U0001F600"},
      {{0xDBFF, 0xDFFF}, U"\U0010FFFF"},
      {{0xD83D}, U"\uFFFD"},                // high surrogate at the end
      {{0xD83D, u'x'}, U"\uFFFDx"},         // high surrogate before a plain unit
      {{0xDE00, 0xD83D}, U"\uFFFD\uFFFD"},  // reversed pair
      {{0xD83D, 0xD83D, 0xDE00}, U"\uFFFD\U0001F600"},
  };
  for (const auto& c : cases) EXPECT_EQ(decode(c.units), c.code_points);
}

TEST(Utf16, Utf32UnitsOutsideTheScalarValuesBecomeReplacements) {
  EXPECT_EQ(scalar_or_replacement(0x10FFFF), 0x10FFFFu);
  EXPECT_EQ(scalar_or_replacement(0x110000), kReplacementCharacter);
  EXPECT_EQ(scalar_or_replacement(0xDC00), kReplacementCharacter);
  EXPECT_EQ(scalar_or_replacement(0xFFFFFFFF), kReplacementCharacter);
}

}  // namespace
}  // namespace lumeno
