// The walk settings dialog: a small modal window built by hand from standard controls.
#pragma once

#include <windows.h>

#include <cstdint>

#include "walk/walk_host.h"

namespace lumeno {

// Control identifiers of the mode radio buttons.
constexpr int kWalkRadioFree = 1002;
constexpr int kWalkRadioGround = 1003;
constexpr int kWalkRadioCollision = 1004;

// The dialog's state record, handed to the window as its creation parameter.
struct WalkDialogState {
  float speed = 0.0f;
  float mouse_sensitivity = 0.0f;
  float person_height = 0.0f;
  float step_height = 0.0f;
  int32_t mode = 1;
  bool accepted = false;
  HWND edits[4] = {nullptr, nullptr, nullptr, nullptr};  // speed, sensitivity, height, step
  HWND radios[3] = {nullptr, nullptr, nullptr};          // Free, GroundFollow, Collision
};

// Creates the dialog window centred on `owner` (on the screen without one); null when it cannot
// be created.
HWND create_walk_settings_window(HWND owner, WalkDialogState* state);

// The whole modal dialog centred on `owner`: disables the owner, runs the local loop and enables
// it again. True when closed with OK (`values` then holds what was typed, unclamped); a window
// that cannot be created shows "无法打开行走设置窗口。" and returns false.
bool run_walk_settings_dialog(HWND owner, WalkDialogValues& values);

}  // namespace lumeno
