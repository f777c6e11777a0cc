// The hand-built modal dialog that asks for a field of view: window class
// "QuorrantViewAngleDialog", title "数值", a label, an edit, a unit label, OK and Cancel.
#pragma once

#include <windows.h>

#include "settings/settings_feature.h"

namespace lumeno {

constexpr wchar_t kViewAngleDialogClass[] = L"QuorrantViewAngleDialog";
constexpr int kViewAngleEditId = 1001;

// Disables `owner`, shows the dialog centred on it with `fov` in the edit, runs a local message
// loop until the dialog is gone, then enables and activates `owner` again. Accepted: `typed`
// holds the edit's text read as a number (0 for text that is not a finite number).
DialogOutcome run_view_angle_dialog(HWND owner, float fov, double* typed);

}  // namespace lumeno
