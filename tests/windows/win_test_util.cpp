#include "tests/windows/win_test_util.h"

#include "sdk/sketchup_api.h"

namespace wintest {

namespace {

std::vector<CapturedMessage> g_messages;

int capture_sink(const wchar_t* text, const wchar_t* caption, unsigned flags) {
  g_messages.push_back({text, caption, flags});
  return IDOK;
}

}  // namespace

TempFolder::TempFolder(const std::wstring& tag) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  static unsigned counter = 0;
  path_ = std::wstring(temp) + L"lumeno_test_" + tag + L"_" +
          std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter);
  delete_tree(path_);
  CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { delete_tree(path_); }

bool file_exists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool folder_exists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool write_file(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

std::string read_file(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

bool copy_file(const std::wstring& from, const std::wstring& to) {
  return CopyFileW(from.c_str(), to.c_str(), FALSE) != 0;
}

void delete_tree(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) delete_tree(child);
      else DeleteFileW(child.c_str());
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(path.c_str());
}

bool copy_folder_files(const std::wstring& from, const std::wstring& to) {
  CreateDirectoryW(to.c_str(), nullptr);
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((from + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    ok = copy_file(from + L"\\" + data.cFileName, to + L"\\" + data.cFileName) && ok;
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return ok;
}

std::wstring windows_path(const std::string& path) {
  std::wstring wide(path.begin(), path.end());
  for (wchar_t& c : wide) {
    if (c == L'/') c = L'\\';
  }
  if (!wide.empty() && wide[0] == L'\\') wide = L"Z:" + wide;
  return wide;
}

std::wstring standin_folder(const char* variant) {
  return windows_path(std::string(LUMENO_STANDIN_DIR) + "/" + variant);
}

std::wstring get_env(const wchar_t* name) {
  std::wstring value(32768, L'\0');
  const DWORD length = GetEnvironmentVariableW(name, &value[0], static_cast<DWORD>(value.size()));
  value.resize(length < value.size() ? length : 0);
  return value;
}

MessageCapture::MessageCapture() {
  g_messages.clear();
  lumeno::set_startup_message_sink(capture_sink);
}

MessageCapture::~MessageCapture() { lumeno::set_startup_message_sink(nullptr); }

const std::vector<CapturedMessage>& MessageCapture::messages() const { return g_messages; }

}  // namespace wintest
