// The viewer's UTF-8 <-> UTF-16 conversion agrees with the system's CP_UTF8 conversion for
// well-formed text, on the platform where wchar_t is 16 bits.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ui/text_convert.h"

namespace {

std::wstring system_wide(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &out[0], n);
  return out;
}

TEST(TextConvertWindows, AgreesWithTheSystemForWellFormedText) {
  const std::string samples[] = {
      "",
      "plain ascii",
      "C:\\模型\\房子.skp",
      "\xF0\x9F\x8F\xA0 house",  // U+1F3E0 needs a surrogate pair
      "Ångström ² €",
  };
  for (const std::string& utf8 : samples) {
    const std::wstring wide = lumeno::utf8_to_wide(utf8);
    EXPECT_EQ(wide, system_wide(utf8)) << utf8;
    EXPECT_EQ(lumeno::wide_to_utf8(wide), utf8) << utf8;
  }
  EXPECT_EQ(lumeno::utf8_to_wide("\xF0\x9F\x8F\xA0").size(), 2u);
}

}  // namespace
