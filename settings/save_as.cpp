#include "settings/save_as.h"

namespace lumeno {

const SaveVersion kSaveVersions[kSaveVersionCount] = {
    {L"SketchUp 2013", 6},  {L"SketchUp 2014", 7},  {L"SketchUp 2015", 8},
    {L"SketchUp 2016", 9},  {L"SketchUp 2017", 10}, {L"SketchUp 2018", 11},
    {L"SketchUp 2019", 12}, {L"SketchUp 2020", 13}, {L"SketchUp 2021", 14},
};

SourceName split_source_path(const std::wstring& path) {
  size_t separator = path.rfind(L'\\');
  if (separator == std::wstring::npos) separator = path.rfind(L'/');
  const size_t name_start = separator == std::wstring::npos ? 0 : separator + 1;
  std::wstring name = path.substr(name_start);
  const size_t dot = name.rfind(L'.');
  if (dot != std::wstring::npos) name.erase(dot);
  SourceName result;
  if (separator != std::wstring::npos) result.folder = path.substr(0, separator);
  result.base = std::move(name);
  return result;
}

std::wstring default_save_name(const std::wstring& base) {
  constexpr size_t kSuffixLength = sizeof(kDefaultNameSuffix) / sizeof(wchar_t) - 1;
  constexpr size_t kMaxBase = kSaveNameBufferSize - 1 - kSuffixLength;
  std::wstring kept = base;
  if (kept.size() > kMaxBase) {
    size_t cut = kMaxBase;
    // Do not leave the high half of a UTF-16 surrogate pair at the end.
    const wchar_t last = kept[cut - 1];
    if (sizeof(wchar_t) == 2 && last >= 0xD800 && last <= 0xDBFF) --cut;
    kept.resize(cut);
  }
  return kept + kDefaultNameSuffix;
}

std::wstring save_filter() {
  std::wstring filter;
  for (size_t i = kSaveVersionCount; i-- > 0;) {
    filter += kSaveVersions[i].name;
    filter += L" (*.skp)";
    filter += L'\0';
    filter += L"*.skp";
    filter += L'\0';
  }
  filter += L'\0';
  return filter;
}

const SaveVersion& version_for_filter_index(int filter_index) {
  int position = 10 - filter_index;
  if (position < 1) position = 1;
  if (position > 9) position = 9;
  return kSaveVersions[position - 1];
}

}  // namespace lumeno
