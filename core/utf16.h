// Code points out of UTF-16 and UTF-32 units, with one rule for ill-formed input: a surrogate
// that is not part of a high-low pair, or a value beyond U+10FFFF, becomes U+FFFD.
//
// Used by the text converter and by the glyph lists that draw wide strings, so both read the same
// characters out of the same units.
#pragma once

#include <cstddef>

namespace lumeno {

constexpr char32_t kReplacementCharacter = 0xFFFD;

constexpr bool is_high_surrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool is_low_surrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
constexpr bool is_surrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// A single UTF-32 unit as a code point: surrogates and values beyond U+10FFFF become U+FFFD.
constexpr char32_t scalar_or_replacement(char32_t c) {
  return is_surrogate(c) || c > 0x10FFFF ? kReplacementCharacter : c;
}

// Decodes the code point that starts at units[index] (index < count) of a UTF-16 sequence and
// moves index past it: two units for a high-low surrogate pair, one otherwise. `Unit` is any
// 16-bit code unit type (char16_t, or wchar_t where it has 16 bits).
template <typename Unit>
char32_t next_utf16_code_point(const Unit* units, size_t count, size_t& index) {
  const char32_t unit = static_cast<char16_t>(units[index++]);
  if (is_high_surrogate(unit) && index < count) {
    const char32_t next = static_cast<char16_t>(units[index]);
    if (is_low_surrogate(next)) {
      ++index;
      return 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00);
    }
  }
  return is_surrogate(unit) ? kReplacementCharacter : unit;
}

}  // namespace lumeno
