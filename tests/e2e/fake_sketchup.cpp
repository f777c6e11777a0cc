// Stands in for an installed SketchUp.exe in the hand-off test: it writes the command line it was
// started with, as UTF-16, to command_line.txt beside itself and ends. Written under another
// name first and then renamed, so a reader never sees half a line.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  wchar_t folder[MAX_PATH] = {};
  DWORD n = GetModuleFileNameW(nullptr, folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH - 20) return 1;
  while (n > 0 && folder[n - 1] != L'\\') --n;
  folder[n] = L'\0';
  wchar_t partial[MAX_PATH] = {}, done[MAX_PATH] = {};
  lstrcpyW(partial, folder);
  lstrcatW(partial, L"command_line.part");
  lstrcpyW(done, folder);
  lstrcatW(done, L"command_line.txt");

  HANDLE file = CreateFileW(partial, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 2;
  const wchar_t* line = GetCommandLineW();
  DWORD written = 0;
  const BOOL ok = WriteFile(file, line, static_cast<DWORD>(lstrlenW(line) * sizeof(wchar_t)),
                            &written, nullptr);
  CloseHandle(file);
  return ok && MoveFileExW(partial, done, MOVEFILE_REPLACE_EXISTING) ? 0 : 3;
}
