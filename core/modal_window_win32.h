// Hand-built modal windows (the walk settings and the view-angle dialogs): a caption window built
// from standard controls by its own window procedure, centred on its owner, closed by OK, Cancel
// or the close box, and run in a local loop while the owner is disabled.
#pragma once

#include <windows.h>

#include <functional>

namespace lumeno {

// Registers the class `class_name` for `proc` unless it exists: the program's icon, the arrow
// cursor and the dialog face colour.
void register_modal_class(const wchar_t* class_name, WNDPROC proc);

// Creates the window of `class_name` (registered before), `width` × `height` with the title
// `caption`, centred on `owner` (on the screen without one); `state` is its creation parameter.
// Null when it cannot be created.
HWND create_modal_window(HWND owner, const wchar_t* class_name, const wchar_t* caption, int width,
                         int height, void* state);

// Disables `owner`, creates the dialog through `create` and runs its loop until the dialog is
// destroyed, then enables and raises the owner again. A quit request met on the way is posted
// again for the main loop. False when `create` gave no window.
bool run_modal(HWND owner, const std::function<HWND()>& create);

// The creation parameter: stored with the window on WM_CREATE, read back on every other message.
void* modal_state(HWND hwnd, UINT message, LPARAM lparam);

// The OK / Cancel / close-box part of a dialog's window procedure: IDOK calls `accept` and closes
// the window, IDCANCEL and the close box close it. True when `message` was one of these.
bool handle_modal_close(HWND hwnd, UINT message, WPARAM wparam,
                        const std::function<void()>& accept);

}  // namespace lumeno
