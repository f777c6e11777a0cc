#include "ui/text_convert.h"

#include <cstdint>

#include "core/utf16.h"

namespace lumeno {

namespace {

void append_unit(std::u16string& out, char32_t c) {
  if (c > 0xFFFF) {
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(c));
  }
}

void append_unit(std::u32string& out, char32_t c) { out.push_back(c); }

void append_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Decodes UTF-8 into code points; ill-formed parts become U+FFFD one maximal subpart at a time.
template <typename Out>
Out decode_utf8(const std::string& text) {
  Out out;
  if (text.empty()) return out;
  out.reserve(text.size());
  const size_t n = text.size();
  size_t i = 0;
  while (i < n) {
    const uint8_t lead = static_cast<uint8_t>(text[i]);
    if (lead < 0x80) {
      append_unit(out, lead);
      ++i;
      continue;
    }
    // Sequence length and the allowed range of the second byte, which excludes overlong forms,
    // surrogates and values above U+10FFFF.
    size_t length = 0;
    uint8_t low = 0x80, high = 0xBF;
    char32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      value = lead & 0x0F;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      value = lead & 0x07;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      append_unit(
          out, kReplacementCharacter);  // stray continuation byte or a lead that never starts one
      ++i;
      continue;
    }
    size_t used = 1;
    bool complete = true;
    for (; used < length; ++used) {
      if (i + used >= n) {
        complete = false;
        break;
      }
      const uint8_t b = static_cast<uint8_t>(text[i + used]);
      const uint8_t lo = used == 1 ? low : 0x80;
      const uint8_t hi = used == 1 ? high : 0xBF;
      if (b < lo || b > hi) {
        complete = false;
        break;
      }
      value = (value << 6) | (b & 0x3F);
    }
    append_unit(out, complete ? value : kReplacementCharacter);
    i += used;
  }
  return out;
}

}  // namespace

std::u16string utf8_to_utf16(const std::string& text) { return decode_utf8<std::u16string>(text); }

std::u32string utf8_to_utf32(const std::string& text) { return decode_utf8<std::u32string>(text); }

std::string utf16_to_utf8(const std::u16string& text) {
  std::string out;
  out.reserve(text.size() * 3);
  const size_t n = text.size();
  for (size_t i = 0; i < n;) append_utf8(out, next_utf16_code_point(text.data(), n, i));
  return out;
}

std::string utf32_to_utf8(const std::u32string& text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (char32_t c : text) append_utf8(out, scalar_or_replacement(c));
  return out;
}

std::wstring utf8_to_wide(const std::string& text) {
  std::wstring out;
  if (text.empty()) return out;
  if (sizeof(wchar_t) == 2) {
    const std::u16string units = utf8_to_utf16(text);
    out.reserve(units.size());
    for (char16_t c : units) out.push_back(static_cast<wchar_t>(c));
  } else {
    const std::u32string units = utf8_to_utf32(text);
    out.reserve(units.size());
    for (char32_t c : units) out.push_back(static_cast<wchar_t>(c));
  }
  return out;
}

std::string wide_to_utf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  if (sizeof(wchar_t) == 2) {
    std::u16string units;
    units.reserve(text.size());
    for (wchar_t c : text) units.push_back(static_cast<char16_t>(c));
    return utf16_to_utf8(units);
  }
  std::u32string units;
  units.reserve(text.size());
  for (wchar_t c : text) units.push_back(static_cast<char32_t>(static_cast<uint32_t>(c)));
  return utf32_to_utf8(units);
}

}  // namespace lumeno
