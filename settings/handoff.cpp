#include "settings/handoff.h"

namespace lumeno {

std::vector<std::wstring> sketchup_candidates() {
  static const wchar_t* const kYears[] = {L"2024", L"2023", L"2022", L"2021",
                                          L"2020", L"2019", L"2025", L"2026"};
  std::vector<std::wstring> paths;
  for (const wchar_t* year : kYears) {
    paths.push_back(std::wstring(L"C:\\Program Files\\SketchUp\\SketchUp ") + year +
                    L"\\SketchUp.exe");
  }
  return paths;
}

std::wstring quoted_parameter(const std::wstring& path) { return L"\"" + path + L"\""; }

}  // namespace lumeno
