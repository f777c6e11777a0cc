// The process entry's work: provision the runtime folder, find and bind the SDK, create the main
// window, open the file named on the command line, run the message loop and tear down in order.
#pragma once

#include <windows.h>

#include <string>

namespace lumeno {

constexpr size_t kPathBufferSize = 260;
constexpr size_t kSdkMissingTextSize = 1024;

// Creates "%lsLumeno_%lu" under `temp_path` (which ends with a backslash) and writes the three
// DLLs into it. Returns the folder, or empty when any write failed (what was written is deleted).
std::wstring provision_runtime(HMODULE module, const std::wstring& temp_path);

// The temporary path when it is usable (1 to 259 characters), else empty.
std::wstring usable_temp_path();

// The fallback search: the first of exe\sdk, exe, parent\sdk, current\sdk, current holding
// SketchUpAPI.dll; empty when none does.
std::wstring find_sdk_folder(const std::wstring& exe_dir, const std::wstring& current_dir);

// The folder of the running executable (GetModuleFileNameW cut at its last backslash) and the
// current folder.
std::wstring executable_folder();
std::wstring current_folder();

// The "Lumeno - SDK 缺失" text for a given executable folder.
std::wstring sdk_missing_text(const std::wstring& exe_dir);

// The model path named by a command line: the first argument only, without surrounding double
// quotes. Empty when the command line is null, empty or yields no argument.
std::wstring first_command_line_argument(const wchar_t* command_line);

// The whole run of the program; returns the process exit code.
int run_application(HINSTANCE instance, const wchar_t* command_line, int show_command);

}  // namespace lumeno
