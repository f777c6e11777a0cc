// Saving the open model as a SketchUp file of an older version: the version table, the proposed
// file name and folder, the save dialog's file types and the way the chosen type maps back to a
// version. The conversion itself is done by the SDK (see SettingsFeature::save_lower_version).
#pragma once

#include <cstddef>
#include <string>

namespace lumeno {

struct SaveVersion {
  const wchar_t* name;  // the file type's name in the save dialog and the success box
  int model_version;    // the vendor's SUModelVersion value for that release's format
};

// SketchUp 2013 … SketchUp 2021, oldest first.
constexpr size_t kSaveVersionCount = 9;
extern const SaveVersion kSaveVersions[kSaveVersionCount];

constexpr size_t kSaveNameBufferSize = 260;  // the dialog's file buffer, NUL included
constexpr wchar_t kDefaultNameSuffix[] = L"_v2021.skp";

struct SourceName {
  std::wstring folder;  // empty when the path has no folder part
  std::wstring base;    // the file name without its extension
};

// Splits a model path into its folder and its file name without the extension. The folder ends
// at the last backslash (or, when there is none, the last '/'); the extension starts at the
// last '.' of the file name (a dot in a folder name is not an extension).
SourceName split_source_path(const std::wstring& path);

// base + "_v2021.skp", whatever version the user then picks. A base name too long for the
// dialog's 260-character buffer is shortened (never inside a surrogate pair) so that the
// suffix and the terminating NUL still fit.
std::wstring default_save_name(const std::wstring& base);

// The save dialog's file types, newest first: "SketchUp 2021 (*.skp)" NUL "*.skp" NUL … and
// one more NUL at the end.
std::wstring save_filter();

// The table entry for the 1-based filter index the dialog returns (index 1 is the newest);
// an index outside 1..9 is clamped.
const SaveVersion& version_for_filter_index(int filter_index);

}  // namespace lumeno
