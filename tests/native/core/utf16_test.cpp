#include "core/utf16.h"

#include <gtest/gtest.h>

// Surrogate pairs decode; a stray or reversed surrogate becomes one replacement character.
TEST(Utf16, PairsDecodeAndStrayUnitsBecomeReplacements) {
  const std::u16string units = {u'a', 0xDBFF, 0xDFFF, 0xD83D, u'x', 0xDE00, 0xD83D};
  std::u32string out;
  for (size_t i = 0; i < units.size();) {
    out.push_back(lumeno::next_utf16_code_point(units.data(), units.size(), i));
  }
  EXPECT_EQ(out, U"a\U0010FFFF\uFFFDx\uFFFD\uFFFD");
}
