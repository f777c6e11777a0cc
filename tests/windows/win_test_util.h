// Helpers shared by the Windows-side tests.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace wintest {

// A fresh folder under the temporary path, removed with its contents at destruction.
struct TempFolder {
  explicit TempFolder(const std::wstring& tag);
  ~TempFolder();
  const std::wstring& path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
  std::wstring path_;
};

bool file_exists(const std::wstring& path, bool folder = false);
inline bool folder_exists(const std::wstring& path) { return file_exists(path, true); }
bool write_file(const std::wstring& path, const std::string& bytes);
void delete_tree(const std::wstring& path);
std::string read_file(const std::wstring& path);
std::wstring get_env(const wchar_t* name);
// A build path as Wine shows it; the stand-in SDK folder of `variant`.
std::wstring windows_path(const std::string& unix_path);
std::wstring standin_folder(const char* variant);
// Asks `done` every 20 ms until it says yes or `timeout_ms` pass; its last answer.
bool wait_until(const std::function<bool()>& done, DWORD timeout_ms);

// Dialogs: `script` runs on the first `cls` window a 30 ms thread timer finds (inside its loop).
HWND make_owner();
std::wstring text_of(HWND window);
void when_window_appears(const wchar_t* cls, std::function<void(HWND)> script);

}  // namespace wintest
