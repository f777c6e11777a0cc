// The SDK's three DLLs travel inside the executable as RT_RCDATA resources. At start they are
// written to a private per-process folder under the temporary folder; at exit they are deleted.
#pragma once

#include <windows.h>

#include <string>

namespace lumeno {

// Resource names and the file names they are written as, in the order of writing.
struct EmbeddedDll {
  const wchar_t* resource_name;
  const wchar_t* file_name;  // with a leading backslash, appended to the folder
};
extern const EmbeddedDll kEmbeddedDlls[3];

// Writes the whole resource to `path` (created or truncated). True only when one write call
// wrote every byte of the resource.
bool extract_resource_to_file(HMODULE module, const wchar_t* resource_name, const wchar_t* path);

// Deletes the three DLL files and then the folder; results are not looked at. An empty folder
// name does nothing.
void cleanup_embedded_runtime(const std::wstring& folder);

// The write call used by extract_resource_to_file; tests replace it to simulate a short write.
using WriteFileFn = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
WriteFileFn set_resource_write_function(WriteFileFn fn);

}  // namespace lumeno
