// Bounded wide formatting.
#include "core/bounded_format.h"

#include <gtest/gtest.h>

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

}  // namespace
