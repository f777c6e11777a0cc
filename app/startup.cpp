#include "app/startup.h"

#include <shellapi.h>

#include <memory>

#include "app/runtime_provisioning.h"
#include "core/bounded_format.h"
#include "sdk/sketchup_api.h"
#include "ui/viewer_window.h"

namespace lumeno {

std::wstring usable_temp_path() {
  wchar_t temp[kPathBufferSize] = {};
  const DWORD length = GetTempPathW(kPathBufferSize, temp);
  if (length == 0 || length >= kPathBufferSize) return std::wstring();
  return std::wstring(temp, length);
}

std::wstring provision_runtime(HMODULE module, const std::wstring& temp_path) {
  wchar_t folder[kPathBufferSize] = {};
  format_bounded(folder, kPathBufferSize, L"%lsLumeno_%lu", temp_path.c_str(),
                 static_cast<unsigned long>(GetCurrentProcessId()));
  // A folder left by an earlier process with the same id is simply reused.
  CreateDirectoryW(folder, nullptr);

  bool all_written = true;
  for (const EmbeddedDll& dll : kEmbeddedDlls) {
    const std::wstring path = std::wstring(folder) + dll.file_name;
    if (!extract_resource_to_file(module, dll.resource_name, path.c_str())) all_written = false;
  }
  if (!all_written) {
    cleanup_embedded_runtime(folder);
    return std::wstring();
  }
  return folder;
}

std::wstring executable_folder() {
  wchar_t path[kPathBufferSize] = {};
  GetModuleFileNameW(nullptr, path, kPathBufferSize);
  std::wstring folder(path);
  const size_t slash = folder.find_last_of(L'\\');
  if (slash != std::wstring::npos) folder.erase(slash);
  return folder;
}

std::wstring current_folder() {
  wchar_t path[kPathBufferSize] = {};
  GetCurrentDirectoryW(kPathBufferSize, path);
  return path;
}

std::wstring find_sdk_folder(const std::wstring& exe_dir, const std::wstring& current_dir) {
  std::wstring candidates[5];
  size_t count = 0;
  candidates[count++] = exe_dir + L"\\sdk";
  candidates[count++] = exe_dir;
  const size_t slash = exe_dir.find_last_of(L'\\');
  if (slash != std::wstring::npos) candidates[count++] = exe_dir.substr(0, slash) + L"\\sdk";
  candidates[count++] = current_dir + L"\\sdk";
  candidates[count++] = current_dir;
  for (size_t i = 0; i < count; ++i) {
    const std::wstring dll = candidates[i] + L"\\SketchUpAPI.dll";
    if (GetFileAttributesW(dll.c_str()) != INVALID_FILE_ATTRIBUTES) return candidates[i];
  }
  return std::wstring();
}

std::wstring sdk_missing_text(const std::wstring& exe_dir) {
  wchar_t text[kSdkMissingTextSize];
  format_bounded(text, kSdkMissingTextSize,
                 L"未找到 SketchUp SDK 运行库 (SketchUpAPI.dll)。\n\n已搜索路径:\n  %ls\\sdk\\\n"
                 L"  %ls\\\n\n请将以下 DLL 放入 sdk\\ 目录:\n  - SketchUpAPI.dll\n"
                 L"  - SketchUpCommonPreferences.dll\n  - assimp-vc143-mt.dll\n\n"
                 L"或将 DLL 放在 EXE 同目录下。",
                 exe_dir.c_str(), exe_dir.c_str());
  return text;
}

std::wstring first_command_line_argument(const wchar_t* command_line) {
  if (command_line == nullptr || *command_line == L'\0') return std::wstring();
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(command_line, &count);
  if (args == nullptr) return std::wstring();
  std::wstring first;
  if (count >= 1 && args[0] != nullptr) {
    first = args[0];
    if (first.size() > 1 && first.front() == L'"' && first.back() == L'"') {
      first = first.substr(1, first.size() - 2);
    }
  }
  LocalFree(args);
  return first;
}

int run_application(HINSTANCE instance, const wchar_t* command_line, int show_command) {
  std::wstring runtime_dir;
  std::wstring sdk_dir;

  const std::wstring temp_path = usable_temp_path();
  if (!temp_path.empty()) {
    runtime_dir = provision_runtime(instance, temp_path);
    sdk_dir = runtime_dir;
  }

  if (sdk_dir.empty()) {
    const std::wstring exe_dir = executable_folder();
    sdk_dir = find_sdk_folder(exe_dir, current_folder());
    if (sdk_dir.empty()) {
      show_startup_message(sdk_missing_text(exe_dir).c_str(), L"Lumeno - SDK 缺失",
                           MB_ICONERROR);
      return 1;
    }
  }

  SketchUpAPI& api = SketchUpAPI::instance();
  if (!api.load(sdk_dir.c_str())) {
    api.unload();
    cleanup_embedded_runtime(runtime_dir);
    return 1;
  }

  auto window = std::make_unique<ViewerWindow>();
  if (!window->create(instance, show_command)) {
    show_startup_message(L"窗口创建失败。", L"错误", MB_ICONERROR);
    api.unload();
    cleanup_embedded_runtime(runtime_dir);
    window.reset();
    return 1;
  }

  const std::wstring model_path = first_command_line_argument(command_line);
  if (!model_path.empty()) window->open_file(model_path);

  const int exit_code = window->run();

  // The SDK's libraries must be freed before their files can be deleted; the window goes last.
  api.unload();
  cleanup_embedded_runtime(runtime_dir);
  window.reset();
  return exit_code;
}

}  // namespace lumeno
