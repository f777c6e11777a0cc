// Opening model files: which dropped files are taken, the open dialog's filter, and the texts the
// load sequence and the statistics box show.
#pragma once

#include <cstddef>
#include <string>

class SkpModel;

namespace lumeno {

// Longest path a drop or the open dialog hands over (buffers of 260 with the terminator).
constexpr size_t kMaxPathChars = 259;

// The extension of a path for the drop test: from the last period of the whole path to its end,
// ASCII letters lowered; empty without a period. A period in a folder name therefore yields an
// "extension" that runs on into the rest of the path.
std::wstring path_extension_lower(const std::wstring& path);
// Whether a dropped path is opened: after cutting it to kMaxPathChars, its extension is ".skp"
// or ".3dm" in any case.
bool accepts_dropped_path(const std::wstring& path);

// The open dialog's filter list (pairs of description and pattern, each ending in a NUL, the list
// ending in a second NUL) and the entry selected at first (1-based).
std::wstring open_dialog_filter();
constexpr unsigned kOpenDialogFilterIndex = 3;

// Title and box texts of the load sequence.
extern const wchar_t kLoadingStatus[];
extern const wchar_t kLoadingProgressStatus[];
extern const wchar_t kLoadFailedStatus[];
extern const wchar_t kLoadErrorText[];
extern const wchar_t kLoadErrorCaption[];
extern const wchar_t kModelInfoCaption[];
extern const wchar_t kOpenModelFirst[];

// The title status while a load runs on a worker: kLoadingProgressStatus and the percentage.
std::wstring loading_progress_text(int percent);
// The counts shown in the title after a successful load (at most 255 characters).
std::wstring load_result_text(const SkpModel& model);
// The statistics box text (at most 1023 characters).
std::wstring model_info_text(const SkpModel& model);

}  // namespace lumeno
