// The entry-point table: required entries and the two diagnostics.
#include "sdk/sketchup_api.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace {

// A resolver giving a fake address for each name not hidden. (Real bindings: the stand-in tests.)
void* record(void* hidden, const char* name) {
  static char fake;
  return static_cast<std::set<std::string>*>(hidden)->count(name) ? nullptr : &fake;
}

// The missing-entry text reports three entries, whichever is missing. Each table is destroyed
// unloaded with fake addresses: a destructor that called into the library would crash here.
TEST(EntryTable, EachRequiredEntryIsRequiredAndNoOtherAndTheTextReportsThree) {
  const std::set<std::string> required = {"SUInitialize",          "SUModelCreateFromFile",
                                          "SUModelRelease",        "SUModelGetEntities",
                                          "SUEntitiesGetNumFaces", "SUEntitiesGetFaces"};
  for (size_t i = 0; i < SketchUpAPI::kTableSize; ++i) {
    const std::string name = SketchUpAPI::table_names()[i];
    SketchUpAPI api;
    std::set<std::string> hidden = {name};
    api.lookup_entries(record, &hidden);
    EXPECT_EQ(api.has_required_entries(), required.count(name) == 0) << name;
    std::wstring text = L"SDK DLL 已加载，但关键函数未找到。\n";
    for (const char* entry : {"SUInitialize", "SUModelCreateFromFile", "SUModelGetEntities"})
      text += L"\n" + std::wstring(entry, entry + strlen(entry)) +
              (name == entry ? L": MISSING" : L": OK");
    EXPECT_EQ(api.missing_entry_text(), text);
  }
}

TEST(EntryTable, LoadFailureTextNamesPathAndCode) {
  const std::wstring text = SketchUpAPI::load_failure_text(L"C:\\sdk\\SketchUpAPI.dll", 126);
  EXPECT_EQ(text.rfind(L"LoadLibrary 失败\n\n路径: C:\\sdk\\SketchUpAPI.dll\n错误码: 126\n", 0),
            0u);
  EXPECT_EQ(text.find(L'\n', text.rfind(L"https://")), std::wstring::npos)
      << "the address is the last line";
  const std::wstring long_path(1000, L'p');  // cuts the text at 511 characters
  EXPECT_EQ(SketchUpAPI::load_failure_text(long_path.c_str(), 2).size(), 511u);
}

}  // namespace
