// The store the settings file is read from and written to: private-profile text (sections of
// key=value lines) addressed by file path. The Win32 shell implements it with
// GetPrivateProfileStringW and WritePrivateProfileStringW; tests keep the files in memory.
#pragma once

#include <string>

namespace lumeno {

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;

  // The value of `key` in `section` of the file at `path`, or `default_text` when the file, the
  // section or the key is missing. Values are cut at 63 characters.
  virtual std::wstring get(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                           const wchar_t* default_text) = 0;
  // Writes one value, creating the file, the section and the key as needed; false when the file
  // could not be written.
  virtual bool put(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                   const std::wstring& value) = 0;
  // True when `path` names an existing file (a folder does not count).
  virtual bool file_exists(const std::wstring& path) = 0;
  // Creates the folder `path` (its parent must exist); true when it exists afterwards.
  virtual bool make_folder(const std::wstring& path) = 0;
};

}  // namespace lumeno
