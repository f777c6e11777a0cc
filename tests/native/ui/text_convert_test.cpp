// UTF-8 <-> UTF-16 / UTF-32 / wide conversion, well-formed and ill-formed.
#include "ui/text_convert.h"

#include <gtest/gtest.h>

#include <string>

namespace lumeno {
namespace {

TEST(TextConvert, WellFormedTextRoundTripsAndIllFormedBecomesReplacementCharacters) {
  const struct {
    const char* name;
    std::string utf8;
    std::u32string decoded;
  } cases[] = {
      {"supplementary plane", "\xF0\x9F\x8F\xA0.skp", U"\U0001F3E0.skp"},
      {"edges of each length", "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80",
       U"\u007F\u0080\u07FF\u0800\uFFFF\U00010000"},
      {"embedded NUL kept", std::string("a\0b", 3), std::u32string(U"a\0b", 3)},
      {"stray continuation", "a\x80z", U"a\uFFFDz"},
      {"invalid lead bytes", "\xC0\xF5\xFF", U"\uFFFD\uFFFD\uFFFD"},
      {"overlong three-byte", "\xE0\x80\xAF", U"\uFFFD\uFFFD\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},
      {"above U+10FFFF", "\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"truncated four-byte then valid", "\xF0\x9F\x8F\xE6\x88\xBF", U"\uFFFD房"},
      {"lone lead at end", "x\xF0", U"x\uFFFD"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(utf8_to_utf32(c.utf8), c.decoded);
    // UTF-16 and wide text decode the same; well-formed text comes back byte for byte.
    const std::u16string utf16 = utf8_to_utf16(c.utf8);
    EXPECT_EQ(utf8_to_utf32(utf16_to_utf8(utf16)), c.decoded);
    EXPECT_EQ(utf8_to_utf32(wide_to_utf8(utf8_to_wide(c.utf8))), c.decoded);
    if (c.decoded.find(U'\uFFFD') != std::u32string::npos) continue;
    EXPECT_EQ(utf16_to_utf8(utf16), c.utf8);
    EXPECT_EQ(utf32_to_utf8(c.decoded), c.utf8);
  }
  EXPECT_EQ(utf8_to_utf16("\xF0\x9F\x8F\xA0"), u"\U0001F3E0");  // a surrogate pair
  // Unpaired surrogates and values beyond U+10FFFF on the way back.
  EXPECT_EQ(utf16_to_utf8({u'a', char16_t(0xD83C)}), "a\xEF\xBF\xBD");
  EXPECT_EQ(utf32_to_utf8(std::u32string{char32_t(0xFFFFFFFF)}), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace lumeno
