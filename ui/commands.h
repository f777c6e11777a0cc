// Texts of the built-in commands.
#pragma once

#include "core/command_ids.h"

namespace lumeno {

// Toasts of the commands (3000 ms each).
extern const wchar_t kSectionNotice[];
extern const wchar_t kViewLockedToast[];
extern const wchar_t kViewUnlockedToast[];
extern const wchar_t kScenePrefix[];
constexpr int kCommandToastMs = 3000;

}  // namespace lumeno
