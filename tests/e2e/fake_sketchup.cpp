// Stands in for an installed SketchUp.exe in the hand-off test: writes the command line it was
// started with, as UTF-16, to command_line.txt beside itself (under another name first, so a
// reader never sees half a line) and ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  wchar_t partial[MAX_PATH + 20] = {}, done[MAX_PATH + 20] = {};
  const DWORD n = GetModuleFileNameW(nullptr, partial, MAX_PATH);  // ...\SketchUp.exe
  if (n < 12 || n >= MAX_PATH) return 1;
  lstrcpyW(done, partial), lstrcpyW(done + n - 12, L"command_line.txt");
  lstrcpyW(partial + n - 12, L"command_line.part");
  HANDLE file = CreateFileW(partial, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 2;
  const wchar_t* line = GetCommandLineW();
  DWORD written = 0;
  const BOOL ok = WriteFile(file, line, static_cast<DWORD>(lstrlenW(line) * sizeof(wchar_t)),
                            &written, nullptr);
  CloseHandle(file);
  return ok && MoveFileExW(partial, done, MOVEFILE_REPLACE_EXISTING) ? 0 : 3;
}
