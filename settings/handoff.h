// Handing the open model to an installed SketchUp: the install paths tried, in their fixed
// order, and the command line it receives.
#pragma once

#include <string>
#include <vector>

namespace lumeno {

// "C:\Program Files\SketchUp\SketchUp <year>\SketchUp.exe" for 2024, 2023, 2022, 2021, 2020,
// 2019, 2025, 2026, in that order (the first existing one is started).
std::vector<std::wstring> sketchup_candidates();

// The model path in double quotes, so that a path with spaces reaches SketchUp whole.
std::wstring quoted_parameter(const std::wstring& path);

}  // namespace lumeno
