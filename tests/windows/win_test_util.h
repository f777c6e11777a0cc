// Helpers shared by the Windows-side tests: temporary folders, files, and captured startup
// message boxes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace wintest {

// A fresh folder under the temporary path, removed with its contents at destruction.
class TempFolder {
 public:
  explicit TempFolder(const std::wstring& tag);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::wstring& path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

bool file_exists(const std::wstring& path);
bool folder_exists(const std::wstring& path);
bool write_file(const std::wstring& path, const std::string& bytes);
std::string read_file(const std::wstring& path);
bool copy_file(const std::wstring& from, const std::wstring& to);
void delete_tree(const std::wstring& path);
// Copies every file of `from` (not recursive) into `to`, creating `to`.
bool copy_folder_files(const std::wstring& from, const std::wstring& to);

// A Windows path for a path handed over by the build (a Unix path under Wine becomes Z:\...).
std::wstring windows_path(const std::string& path);

std::wstring get_env(const wchar_t* name);

// Captures every startup message box while alive instead of showing it.
struct CapturedMessage {
  std::wstring text;
  std::wstring caption;
  unsigned flags;
};
class MessageCapture {
 public:
  MessageCapture();
  ~MessageCapture();
  const std::vector<CapturedMessage>& messages() const;
};

// The stand-in folder of this build for a variant ("full", "vendor", ...), as a Windows path.
std::wstring standin_folder(const char* variant);

}  // namespace wintest
