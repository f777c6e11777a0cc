// Binding the SketchUp C API on Windows: DLL search folder, PATH, the preferences library, the
// API library and its entry points, with the two diagnostics of a failed bind.
#include <windows.h>

#include <string>

#include "sdk/sketchup_api.h"

namespace {

void* resolve_export(void* context, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(context), name));
}

}  // namespace

namespace lumeno {

int default_startup_message(const wchar_t* text, const wchar_t* caption, unsigned flags) {
  return MessageBoxW(nullptr, text, caption, flags);
}

}  // namespace lumeno

bool SketchUpAPI::load(const wchar_t* dir) {
  if (loaded) return true;

  SetDllDirectoryW(dir);

  using AddDllDirectoryFn = void*(WINAPI*)(const wchar_t*);
  if (HMODULE kernel = GetModuleHandleW(L"kernel32.dll")) {
    FARPROC proc = GetProcAddress(kernel, "AddDllDirectory");
    if (proc != nullptr) reinterpret_cast<AddDllDirectoryFn>(reinterpret_cast<void*>(proc))(dir);
  }

  // The SDK folder goes in front of PATH so that the API's own dependencies resolve from it.
  static wchar_t old_path[32768];
  ZeroMemory(old_path, sizeof old_path);
  GetEnvironmentVariableW(L"PATH", old_path, 32768);
  std::wstring new_path = std::wstring(dir) + L";" + old_path;
  SetEnvironmentVariableW(L"PATH", new_path.c_str());

  const std::wstring folder(dir);
  preferences_module = LoadLibraryW((folder + L"\\SketchUpCommonPreferences.dll").c_str());

  const std::wstring api_path = folder + L"\\SketchUpAPI.dll";
  module = LoadLibraryExW(api_path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (module == nullptr) module = LoadLibraryW(api_path.c_str());
  if (module == nullptr) {
    const DWORD error = GetLastError();
    const std::wstring text = load_failure_text(api_path.c_str(), error);
    lumeno::show_startup_message(text.c_str(), L"SDK DLL 加载诊断", MB_ICONERROR);
    SetEnvironmentVariableW(L"PATH", old_path);
    SetDllDirectoryW(nullptr);
    if (preferences_module != nullptr) {
      FreeLibrary(preferences_module);
      preferences_module = nullptr;
    }
    return false;
  }

  lookup_entries(resolve_export, module);

  if (!has_required_entries()) {
    const std::wstring text = missing_entry_text();
    lumeno::show_startup_message(text.c_str(), L"SDK 函数加载诊断", MB_ICONERROR);
    FreeLibrary(module);
    module = nullptr;
    loaded = false;
    SetDllDirectoryW(nullptr);
    return false;
  }

  SUInitialize();
  loaded = true;
  return true;
}

void SketchUpAPI::unload() {
  if (loaded && SUTerminate != nullptr) SUTerminate();
  if (module != nullptr) {
    FreeLibrary(module);
    module = nullptr;
  }
  if (preferences_module != nullptr) {
    FreeLibrary(preferences_module);
    preferences_module = nullptr;
  }
  loaded = false;
  SetDllDirectoryW(nullptr);
}
