#include "settings/settings_win32.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "sdk/sketchup_api.h"
#include "settings/save_as.h"
#include "settings/view_angle_dialog_win32.h"

namespace lumeno {
namespace {

constexpr DWORD kProfileBufferSize = 64;

}  // namespace

std::wstring get_exe_directory() {
  wchar_t buffer[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  std::wstring path = buffer;
  const size_t slash = path.rfind(L'\\');
  if (slash != std::wstring::npos) path.erase(slash);
  return path;
}

std::wstring get_app_data_directory() {
  wchar_t buffer[MAX_PATH] = {};
  if (SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer) != S_OK) {
    return {};
  }
  return buffer;
}

std::wstring Win32ProfileStore::get(const std::wstring& path, const wchar_t* section,
                                    const wchar_t* key, const wchar_t* default_text) {
  wchar_t buffer[kProfileBufferSize] = {};
  GetPrivateProfileStringW(section, key, default_text, buffer, kProfileBufferSize, path.c_str());
  return buffer;
}

bool Win32ProfileStore::put(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                            const std::wstring& value) {
  return WritePrivateProfileStringW(section, key, value.c_str(), path.c_str()) != FALSE;
}

bool Win32ProfileStore::file_exists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32ProfileStore::make_folder(const std::wstring& path) {
  if (CreateDirectoryW(path.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32SettingsPlatform::ask_save_path(const SaveDialogRequest& request,
                                          SaveDialogResult* result) {
  std::vector<wchar_t> file(kSaveNameBufferSize, L'\0');
  request.file_name.copy(file.data(), kSaveNameBufferSize - 1);
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner_;
  ofn.lpstrFilter = request.filter.c_str();  // its own NUL ends the list after the last pair
  ofn.nFilterIndex = static_cast<DWORD>(request.filter_index);
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(kSaveNameBufferSize);
  ofn.lpstrInitialDir = request.folder.empty() ? nullptr : request.folder.c_str();
  ofn.lpstrTitle = request.title.c_str();
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
  ofn.lpstrDefExt = request.default_extension.c_str();
  if (!GetSaveFileNameW(&ofn)) return false;
  result->path = file.data();
  result->filter_index = static_cast<int>(ofn.nFilterIndex);
  return true;
}

bool Win32SettingsPlatform::is_existing_file(const std::wstring& path) {
  return store_.file_exists(path);
}

intptr_t Win32SettingsPlatform::shell_open(const std::wstring& file,
                                           const std::wstring& parameters) {
  const HINSTANCE result =
      ShellExecuteW(owner_, L"open", file.c_str(),
                    parameters.empty() ? nullptr : parameters.c_str(), nullptr, SW_SHOW);
  return reinterpret_cast<intptr_t>(result);
}

DialogOutcome Win32SettingsPlatform::ask_view_angle(float fov, double* typed) {
  return run_view_angle_dialog(owner_, fov, typed);
}

}  // namespace lumeno
