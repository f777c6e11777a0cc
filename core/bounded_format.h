// Wide-string formatting into fixed buffers. The formatter takes the destination's capacity in
// characters (terminator included), never writes past it and cuts the text at the buffer's end.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>

namespace lumeno {

// Supported conversions: %ls (wide string), %s (narrow string, bytes widened one by one),
// %lu / %u / %d / %ld / %zu (integers), %c / %lc, %.Nf / %f (doubles), %%.
// Returns the number of characters written, terminator excluded.
size_t format_bounded(wchar_t* dst, size_t capacity, const wchar_t* format, ...);
size_t vformat_bounded(wchar_t* dst, size_t capacity, const wchar_t* format, va_list args);

// The untruncated result, for callers that want a std::wstring.
std::wstring format_wide(const wchar_t* format, ...);

}  // namespace lumeno
