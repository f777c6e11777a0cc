#include "core/bounded_format.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using lumeno::format_bounded;
using lumeno::format_wide;

TEST(BoundedFormat, Conversions) {
  struct Case {
    std::wstring got;
    std::wstring expected;
  } cases[] = {
      {format_wide(L"%ls|%ls", L"宽", L""), L"宽|"},
      {format_wide(L"%lu %u %d %ld", 4294967295ul, 7u, -3, -40l), L"4294967295 7 -3 -40"},
      {format_wide(L"%zu", static_cast<size_t>(123456789012ull)), L"123456789012"},
      {format_wide(L"%.2f %.0f %f", 1.005, 2.5, 0.25), L"1.00 2 0.250000"},
      {format_wide(L"100%% %c", L'x'), L"100% x"},
      {format_wide(L"%s", "ascii"), L"ascii"},
      {format_wide(L"%ls", static_cast<const wchar_t*>(nullptr)), L"(null)"},
      {format_wide(L"%q end"), L"%q end"},
      {format_wide(L"trailing %"), L"trailing "},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.expected);
}

TEST(BoundedFormat, CutsAtTheBufferAndAlwaysTerminates) {
  wchar_t buffer[8];
  for (wchar_t& c : buffer) c = L'#';
  const size_t n = format_bounded(buffer, 6, L"%ls-%lu", L"abcdef", 42ul);
  EXPECT_EQ(n, 5u);
  EXPECT_EQ(std::wstring(buffer), L"abcde");
  // Nothing past the capacity is touched.
  EXPECT_EQ(buffer[6], L'#');
  EXPECT_EQ(buffer[7], L'#');
}

TEST(BoundedFormat, DegenerateBuffers) {
  wchar_t one[1] = {L'#'};
  EXPECT_EQ(format_bounded(one, 1, L"text"), 0u);
  EXPECT_EQ(one[0], L'\0');
  EXPECT_EQ(format_bounded(nullptr, 10, L"text"), 0u);
  wchar_t untouched[1] = {L'#'};
  EXPECT_EQ(format_bounded(untouched, 0, L"text"), 0u);
  EXPECT_EQ(untouched[0], L'#');
}

}  // namespace
