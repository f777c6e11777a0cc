#include "app/runtime_provisioning.h"

namespace lumeno {

const EmbeddedDll kEmbeddedDlls[3] = {
    {L"ASSIMP_DLL", L"\\assimp-vc143-mt.dll"},
    {L"SKETCHUP_PREF_DLL", L"\\SketchUpCommonPreferences.dll"},
    {L"SKETCHUP_API_DLL", L"\\SketchUpAPI.dll"},
};

namespace {
WriteFileFn g_write_file = ::WriteFile;
}  // namespace

WriteFileFn set_resource_write_function(WriteFileFn fn) {
  WriteFileFn previous = g_write_file;
  g_write_file = fn != nullptr ? fn : ::WriteFile;
  return previous;
}

bool extract_resource_to_file(HMODULE module, const wchar_t* resource_name, const wchar_t* path) {
  HRSRC info = FindResourceW(module, resource_name, RT_RCDATA);
  if (info == nullptr) return false;
  HGLOBAL handle = LoadResource(module, info);
  if (handle == nullptr) return false;
  const DWORD size = SizeofResource(module, info);
  const void* bytes = LockResource(handle);
  if (bytes == nullptr || size == 0) return false;

  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = g_write_file(file, bytes, size, &written, nullptr);
  CloseHandle(file);
  return ok && written == size;
}

void cleanup_embedded_runtime(const std::wstring& folder) {
  if (folder.empty()) return;
  // Deleted in the reverse of the order of writing.
  DeleteFileW((folder + L"\\SketchUpAPI.dll").c_str());
  DeleteFileW((folder + L"\\SketchUpCommonPreferences.dll").c_str());
  DeleteFileW((folder + L"\\assimp-vc143-mt.dll").c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace lumeno
