// The fixed texts of the small dialogs: the three information boxes and the view-angle
// dialog's wording and range.
#pragma once

#include <string>

namespace lumeno {

extern const wchar_t kPreferencesCaption[];
extern const wchar_t kPreferencesText[];
extern const wchar_t kShortcutsCaption[];
extern const wchar_t kShortcutsText[];
extern const wchar_t kAboutCaption[];
// The About text, ending with the product web site.
std::wstring about_text();

constexpr float kViewAngleMin = 1.0f;
constexpr float kViewAngleMax = 120.0f;
constexpr int kViewAngleToastMs = 1600;
extern const wchar_t kViewAngleCaption[];     // "视角"
extern const wchar_t kViewAngleFailedText[];  // the dialog could not be created
// The typed field of view clamped to [1, 120]; text that is no number, NaN or infinity → 1.
float clamp_view_angle(double typed);
// "视角：%.2f 度" with `fov`, cut at 96 characters.
std::wstring view_angle_toast(float fov);
// The edit control's starting text: `fov` with two decimals.
std::wstring view_angle_edit_text(float fov);

}  // namespace lumeno
