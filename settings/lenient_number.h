// Lenient number reading for values typed by the user or read from the settings file: text that
// is no number reads as 0, and so does a value that is not finite ("nan", "inf", "1e999"), so a
// clamp applied afterwards always yields a value inside its range.
#pragma once

#include <string>

namespace lumeno {

// The leading decimal number of `text` after optional white space, as _wtof reads it; 0 when
// there is none or it is not finite.
double read_number(const std::wstring& text);
// The leading integer of `text`, as _wtoi reads it, saturated to the int range; 0 for none.
int read_integer(const std::wstring& text);
// `value` clamped to [low, high]; a non-finite value counts as 0 first.
float clamp_setting(double value, float low, float high);

}  // namespace lumeno
