#include "tests/e2e/e2e_driver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "tests/windows/win_test_util.h"

namespace e2e {

std::wstring lumeno_exe() { return wintest::windows_path(LUMENO_EXE); }

std::wstring settings_file() {
  const std::wstring exe = lumeno_exe();
  return exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"Tessary.ini";
}

namespace {
// Lumeno saves its settings beside the executable when it closes: every test starts from the
// defaults, whatever the tests before it toggled.
class FreshSettings : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { DeleteFileW(settings_file().c_str()); }
  void OnTestEnd(const ::testing::TestInfo&) override { DeleteFileW(settings_file().c_str()); }
};
const bool kFreshSettings = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshSettings);
  return true;
}();
}  // namespace


namespace {

std::vector<wchar_t> environment_with(const std::map<std::wstring, std::wstring>& overrides) {
  std::map<std::wstring, std::wstring> vars;
  wchar_t* block = GetEnvironmentStringsW();
  for (const wchar_t* p = block; *p; p += wcslen(p) + 1) {
    const std::wstring entry(p);
    const size_t eq = entry.find(L'=', 1);
    if (eq == std::wstring::npos) continue;
    vars[entry.substr(0, eq)] = entry.substr(eq + 1);
  }
  FreeEnvironmentStringsW(block);
  for (const auto& o : overrides) {
    // Environment names are case-insensitive: drop any spelling of the same name first.
    for (auto it = vars.begin(); it != vars.end();) {
      if (_wcsicmp(it->first.c_str(), o.first.c_str()) == 0) it = vars.erase(it);
      else ++it;
    }
    vars[o.first] = o.second;
  }
  std::vector<wchar_t> out;
  for (const auto& v : vars) {
    const std::wstring entry = v.first + L"=" + v.second;
    out.insert(out.end(), entry.begin(), entry.end());
    out.push_back(L'\0');
  }
  out.push_back(L'\0');
  return out;
}

struct FindContext {
  DWORD pid;
  const wchar_t* class_name;
  HWND found;
};

BOOL CALLBACK find_window(HWND window, LPARAM param) {
  auto* context = reinterpret_cast<FindContext*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != context->pid || !IsWindowVisible(window)) return TRUE;
  if (context->class_name != nullptr) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    if (wcscmp(name, context->class_name) != 0) return TRUE;
  }
  context->found = window;
  return FALSE;
}

}  // namespace

Process::Process(const std::wstring& exe, const std::wstring& arguments,
                 const std::wstring& working_dir,
                 const std::map<std::wstring, std::wstring>& overrides) {
  std::wstring command = L"\"" + exe + L"\"";
  if (!arguments.empty()) command += L" " + arguments;
  std::vector<wchar_t> command_buffer(command.begin(), command.end());
  command_buffer.push_back(L'\0');
  std::vector<wchar_t> environment = environment_with(overrides);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  if (!CreateProcessW(exe.c_str(), command_buffer.data(), nullptr, nullptr, FALSE,
                      CREATE_UNICODE_ENVIRONMENT, environment.data(),
                      working_dir.empty() ? nullptr : working_dir.c_str(), &startup, &info_)) {
    info_ = {};
  }
}

Process::~Process() {
  if (info_.hProcess == nullptr) return;
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

DWORD Process::wait(DWORD timeout_ms) {
  if (info_.hProcess == nullptr) return STILL_ACTIVE;
  WaitForSingleObject(info_.hProcess, timeout_ms);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

HWND Process::wait_for_window(const wchar_t* class_name, DWORD timeout_ms) const {
  const DWORD start = GetTickCount();
  do {
    FindContext context = {info_.dwProcessId, class_name, nullptr};
    EnumWindows(find_window, reinterpret_cast<LPARAM>(&context));
    if (context.found != nullptr) return context.found;
    if (WaitForSingleObject(info_.hProcess, 100) == WAIT_OBJECT_0) return nullptr;
  } while (GetTickCount() - start < timeout_ms);
  return nullptr;
}

std::wstring window_text(HWND window) {
  wchar_t text[2048] = {};
  GetWindowTextW(window, text, 2048);
  return text;
}

std::wstring message_box_text(HWND dialog) {
  wchar_t text[4096] = {};
  GetDlgItemTextW(dialog, 0xFFFF, text, 4096);
  return text;
}

std::wstring wait_for_title(HWND window, const std::wstring& expected, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  std::wstring title = window_text(window);
  while (title != expected && GetTickCount() - start < timeout_ms) {
    Sleep(50);
    title = window_text(window);
  }
  return title;
}

Screenshot::Rgb Screenshot::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return {-1, -1, -1};
  const size_t i = (static_cast<size_t>(y) * width + x) * 3;
  return {static_cast<unsigned char>(rgb[i]), static_cast<unsigned char>(rgb[i + 1]),
          static_cast<unsigned char>(rgb[i + 2])};
}

Screenshot capture_screen() {
  // Wine's screen device context reads the X server's picture, GL output included.
  Screenshot shot;
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  if (width <= 0 || height <= 0) return shot;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr && bits != nullptr) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY)) {
      const auto* pixels = static_cast<const unsigned char*>(bits);
      shot.width = width;
      shot.height = height;
      shot.rgb.resize(static_cast<size_t>(width) * height * 3);
      for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) {
        shot.rgb[i * 3] = static_cast<char>(pixels[i * 4 + 2]);
        shot.rgb[i * 3 + 1] = static_cast<char>(pixels[i * 4 + 1]);
        shot.rgb[i * 3 + 2] = static_cast<char>(pixels[i * 4]);
      }
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return shot;
}

POINT client_to_screen(HWND window, int x, int y) {
  POINT point = {x, y};
  ClientToScreen(window, &point);
  return point;
}

int count_client_pixels(HWND window, const Screenshot& shot, int left, int top, int right,
                        int bottom, bool (*test)(const Screenshot::Rgb&)) {
  const POINT origin = client_to_screen(window, 0, 0);
  int n = 0;
  for (int y = top; y < bottom; y += 2) {
    for (int x = left; x < right; x += 2) {
      if (test(shot.at(origin.x + x, origin.y + y))) ++n;
    }
  }
  return n;
}

bool near_colour(const Screenshot::Rgb& got, int r, int g, int b, int tolerance) {
  return abs(got.r - r) <= tolerance && abs(got.g - g) <= tolerance && abs(got.b - b) <= tolerance;
}

}  // namespace e2e
