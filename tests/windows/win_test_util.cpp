#include "tests/windows/win_test_util.h"

#include <shellapi.h>

#include <cstdio>

namespace wintest {

namespace {

const wchar_t* g_class = nullptr;
std::function<void(HWND)> g_script;

}  // namespace

void delete_tree(const std::wstring& path) {
  const std::wstring from = path + L'\0';  // a list of one, ended by a second NUL
  SHFILEOPSTRUCTW op = {};
  op.wFunc = FO_DELETE, op.pFrom = from.c_str(), op.fFlags = FOF_NO_UI;
  SHFileOperationW(&op);
}

TempFolder::TempFolder(const std::wstring& tag) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  static unsigned counter = 0;
  path_ = std::wstring(temp) + L"lumeno_test_" + tag + L"_" +
          std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter);
  CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { delete_tree(path_); }

bool file_exists(const std::wstring& path, bool folder) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && ((a & FILE_ATTRIBUTE_DIRECTORY) != 0) == folder;
}

bool write_file(const std::wstring& path, const std::string& bytes) {
  FILE* file = _wfopen(path.c_str(), L"wb");
  const bool ok = file && fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return file && fclose(file) == 0 && ok;
}

std::string read_file(const std::wstring& path) {
  std::string bytes;
  FILE* file = _wfopen(path.c_str(), L"rb");
  char buffer[4096];
  for (size_t got; file && (got = fread(buffer, 1, sizeof buffer, file)) > 0;)
    bytes.append(buffer, got);
  if (file) fclose(file);
  return bytes;
}

std::wstring get_env(const wchar_t* name) {
  std::wstring value(32768, L'\0');
  value.resize(GetEnvironmentVariableW(name, &value[0], static_cast<DWORD>(value.size())));
  return value;
}

std::wstring windows_path(const std::string& unix_path) {
  std::wstring path = L"Z:";
  for (char c : unix_path) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return path;
}

std::wstring standin_folder(const char* variant) {
  return windows_path(LUMENO_STANDIN_DIR + std::string("/") + variant);
}

bool wait_until(const std::function<bool()>& done, DWORD timeout_ms) {
  for (const DWORD start = GetTickCount(); GetTickCount() - start < timeout_ms; Sleep(20))
    if (done()) return true;
  return done();
}

HWND make_owner() {
  return CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 800,
                         600, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

std::wstring text_of(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

void when_window_appears(const wchar_t* cls, std::function<void(HWND)> script) {
  g_class = cls, g_script = std::move(script);
  SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR id, DWORD) {
    if (HWND window = FindWindowW(g_class, nullptr)) KillTimer(nullptr, id), g_script(window);
  });
}

}  // namespace wintest
