#include "tests/e2e/e2e_driver.h"

#include <cstdlib>

#include "tests/windows/win_test_util.h"

namespace e2e {

std::wstring lumeno_exe() { return wintest::windows_path(LUMENO_EXE); }

std::wstring settings_file() {
  const std::wstring exe = lumeno_exe();
  return exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"Tessary.ini";
}

std::wstring sample_house() {
  return wintest::windows_path(std::string(LUMENO_SAMPLES_DIR) + "/house.skp");
}

Process::Process(const std::wstring& exe, const std::wstring& arguments) {
  std::wstring command = L"\"" + exe + L"\" " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                 &startup, &info_);  // left empty when it fails
}

Process::~Process() {
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 99);
  WaitForSingleObject(info_.hProcess, 5000);
  CloseHandle(info_.hThread), CloseHandle(info_.hProcess);
}

DWORD Process::wait(DWORD timeout_ms) {
  WaitForSingleObject(info_.hProcess, timeout_ms);  // no process: STILL_ACTIVE stays
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

HWND Process::wait_for_window(const wchar_t* class_name, DWORD timeout_ms,
                              const wchar_t* title) const {
  HWND found = nullptr;
  wintest::wait_until(
      [&] {
        for (HWND w = FindWindowExW(nullptr, nullptr, class_name, title); w != nullptr;
             w = FindWindowExW(nullptr, w, class_name, title)) {
          DWORD pid = 0;
          GetWindowThreadProcessId(w, &pid);
          if (pid == info_.dwProcessId && IsWindowVisible(w)) return (found = w) != nullptr;
        }
        return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0;  // it ended
      },
      timeout_ms);
  return found;
}

std::wstring window_text(HWND window) {
  wchar_t text[2048] = {};
  GetWindowTextW(window, text, 2048);
  return text;
}

bool near_colour(const Rgb& got, int r, int g, int b, int tolerance) {
  return abs(got.r - r) <= tolerance && abs(got.g - g) <= tolerance && abs(got.b - b) <= tolerance;
}

Rgb Screenshot::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return {-1, -1, -1};
  const unsigned char* p = &bgra[(static_cast<size_t>(y) * width + x) * 4];
  return {p[2], p[1], p[0]};
}

Screenshot capture_screen() {
  Screenshot shot;
  shot.width = GetSystemMetrics(SM_CXSCREEN), shot.height = GetSystemMetrics(SM_CYSCREEN);
  shot.bgra.resize(static_cast<size_t>(shot.width) * shot.height * 4);
  HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, shot.width, shot.height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, shot.width, shot.height, screen, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader), info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biWidth = shot.width, info.bmiHeader.biHeight = -shot.height;  // top row first
  info.bmiHeader.biBitCount = 32;
  GetDIBits(memory, bitmap, 0, shot.height, shot.bgra.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap), DeleteDC(memory), ReleaseDC(nullptr, screen);
  return shot;
}

void LumenoTest::start(const std::wstring& model, bool settle) {
  lumeno_ = std::make_unique<Process>(lumeno_exe(), model.empty() ? L"" : L"\"" + model + L"\"");
  window_ = lumeno_->wait_for_window(L"TessaryNativeWnd", 60000);
  ASSERT_NE(window_, nullptr) << "no main window";
  RECT client = {};
  GetClientRect(window_, &client);
  w_ = client.right, h_ = client.bottom;
  if (model.empty()) return;
  ASSERT_TRUE(wintest::wait_until(
      [&] { return window_text(window_).rfind(L"Lumeno — 顶点: ", 0) == 0; }, 30000))
      << "the model did not load";
  ASSERT_TRUE(!settle ||
              wintest::wait_until([&] { return window_text(window_) == L"Lumeno"; }, 30000))
      << "no picture";
}

void LumenoTest::close() {
  if (window_ != nullptr) PostMessageW(window_, WM_CLOSE, 0, 0);
  window_ = nullptr;
  EXPECT_EQ(lumeno_ ? lumeno_->wait(30000) : 0u, 0u);
  lumeno_.reset();
}

void LumenoTest::post(UINT message, WPARAM param, DWORD settle_ms) {
  PostMessageW(window_, message, param, 0), Sleep(settle_ms);
}

Rgb LumenoTest::at(const Screenshot& shot, int x, int y) const {
  POINT p = {x, y};
  ClientToScreen(window_, &p);
  return shot.at(p.x, p.y);
}

int LumenoTest::sampled(RECT r, const std::function<bool(int, int)>& test) const {
  if (IsRectEmpty(&r)) r = {0, 0, w_ - 220, h_};
  int n = 0;
  for (int y = r.top; y < r.bottom; y += 2)
    for (int x = r.left; x < r.right; x += 2) n += test(x, y);
  return n;
}

int LumenoTest::count(const Screenshot& shot, bool (*test)(const Rgb&), RECT r) const {
  return sampled(r, [&](int x, int y) { return test(at(shot, x, y)); });
}

int LumenoTest::changed(const Screenshot& a, const Screenshot& b, RECT r) const {
  return sampled(r, [&](int x, int y) {
    const Rgb c = at(b, x, y);
    return !near_colour(at(a, x, y), c.r, c.g, c.b, 24);
  });
}

std::wstring LumenoTest::box_text(const wchar_t* caption) {
  HWND box = lumeno_->wait_for_window(L"#32770", 20000, caption);
  if (box == nullptr) return L"<no box>";
  wchar_t text[4096] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 4096);  // the message box's static text
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  wintest::wait_until([&] { return !IsWindow(box); }, 5000);
  return text;
}

}  // namespace e2e
