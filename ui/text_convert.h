// UTF-8 <-> wide text, portable. Wide strings are UTF-16 where wchar_t has 16 bits (Windows) and
// UTF-32 where it has 32 (Linux); both forms are available on every platform. Ill-formed input
// never fails and never stops the conversion: each maximal ill-formed subsequence of UTF-8
// becomes one U+FFFD, as does each unpaired surrogate or out-of-range value on the UTF-16/32
// side. The whole input is converted, embedded NULs included.
#pragma once

#include <string>

namespace lumeno {

std::wstring utf8_to_wide(const std::string& text);
std::string wide_to_utf8(const std::wstring& text);

std::u16string utf8_to_utf16(const std::string& text);
std::string utf16_to_utf8(const std::u16string& text);
std::u32string utf8_to_utf32(const std::string& text);
std::string utf32_to_utf8(const std::u32string& text);

}  // namespace lumeno
