// Bounded wide formatting and the UTF-16 decoder.
#include "core/bounded_format.h"

#include <gtest/gtest.h>

#include "core/utf16.h"

namespace {

using lumeno::format_bounded;
using lumeno::format_wide;

TEST(BoundedFormat, Conversions) {
  EXPECT_EQ(
      format_wide(L"%ls|%s %lu %d %zu", L"宽", "a", 4294967295ul, -3, size_t(123456789012ull)),
      L"宽|a 4294967295 -3 123456789012");
  EXPECT_EQ(format_wide(L"%.2f %f 100%% %c", 1.005, 0.25, L'x'), L"1.00 0.250000 100% x");
  EXPECT_EQ(format_wide(L"%ls %q trailing %", static_cast<const wchar_t*>(nullptr)),
            L"(null) %q trailing ");
}

// The text is cut at the buffer, always terminated, and nothing past the capacity is touched.
TEST(BoundedFormat, CutsAtTheBufferAndAlwaysTerminates) {
  wchar_t buffer[8] = {L'#', L'#', L'#', L'#', L'#', L'#', L'#', L'#'};
  EXPECT_EQ(format_bounded(buffer, 6, L"%ls-%lu", L"abcdef", 42ul), 5u);
  EXPECT_EQ(std::wstring(buffer, 8), std::wstring(L"abcde\0##", 8));
  EXPECT_EQ(format_bounded(buffer, 1, L"text"), 0u);
  EXPECT_EQ(buffer[0], L'\0');
  EXPECT_EQ(format_bounded(nullptr, 10, L"text"), 0u);
  buffer[0] = L'#';
  EXPECT_EQ(format_bounded(buffer, 0, L"text"), 0u);
  EXPECT_EQ(buffer[0], L'#');
}

// Surrogate pairs decode; a stray or reversed surrogate becomes one replacement character.
TEST(Utf16, PairsDecodeAndStrayUnitsBecomeReplacements) {
  const std::u16string units = {u'a', 0xDBFF, 0xDFFF, 0xD83D, u'x', 0xDE00, 0xD83D};
  std::u32string out;
  for (size_t i = 0; i < units.size();)
    out.push_back(lumeno::next_utf16_code_point(units.data(), units.size(), i));
  EXPECT_EQ(out, U"a\U0010FFFF\uFFFDx\uFFFD\uFFFD");
}

}  // namespace
