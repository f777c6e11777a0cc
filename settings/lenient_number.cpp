#include "settings/lenient_number.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cwchar>

namespace lumeno {

double read_number(const std::wstring& text) {
  const wchar_t* begin = text.c_str();
  wchar_t* end = nullptr;
  const double value = std::wcstod(begin, &end);
  if (end == begin || !std::isfinite(value)) return 0.0;
  return value;
}

int read_integer(const std::wstring& text) {
  const wchar_t* begin = text.c_str();
  wchar_t* end = nullptr;
  errno = 0;
  const long long value = std::wcstoll(begin, &end, 10);
  if (end == begin) return 0;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

float clamp_setting(double value, float low, float high) {
  if (!std::isfinite(value)) value = 0.0;
  if (value < low) return low;
  if (value > high) return high;
  return static_cast<float>(value);
}

}  // namespace lumeno
