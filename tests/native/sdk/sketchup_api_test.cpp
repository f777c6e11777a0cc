// The entry-point table: lookup order through a resolver, required entries and the
// two diagnostics.
#include "sdk/sketchup_api.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// A resolver that records the order of the names asked for and answers a distinct fake address
// for each name it does not hide.
struct Recorder {
  std::vector<std::string> asked;
  std::set<std::string> hidden;
};

void* record(void* context, const char* name) {
  auto* recorder = static_cast<Recorder*>(context);
  recorder->asked.push_back(name);
  if (recorder->hidden.count(name)) return nullptr;
  return reinterpret_cast<void*>(static_cast<uintptr_t>(0x1000 + recorder->asked.size()));
}

TEST(EntryTable, LookupAsksTheTableInOrderThenTheVendorFunctions) {
  SketchUpAPI api;
  Recorder recorder;
  api.lookup_entries(record, &recorder);
  ASSERT_GT(recorder.asked.size(), SketchUpAPI::kTableSize);
  for (size_t i = 0; i < SketchUpAPI::kTableSize; ++i) {
    EXPECT_EQ(recorder.asked[i], SketchUpAPI::table_names()[i]);
  }
  // Each pointer holds the address answered for its own name, the vendor functions' included.
  EXPECT_EQ(reinterpret_cast<uintptr_t>(api.SUInitialize), 0x1001u);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(api.SUMaterialGetUseOpacity),
            0x1000u + recorder.asked.size());
  EXPECT_TRUE(api.has_required_entries());
  api.loaded = false;  // fake addresses: nothing may be called at destruction
}

TEST(EntryTable, EachRequiredEntryIsRequiredAndNoOther) {
  const std::set<std::string> required = {"SUInitialize",          "SUModelCreateFromFile",
                                          "SUModelRelease",        "SUModelGetEntities",
                                          "SUEntitiesGetNumFaces", "SUEntitiesGetFaces"};
  for (size_t i = 0; i < SketchUpAPI::kTableSize; ++i) {
    const std::string name = SketchUpAPI::table_names()[i];
    SketchUpAPI api;
    Recorder recorder;
    recorder.hidden = {name};
    api.lookup_entries(record, &recorder);
    EXPECT_EQ(api.has_required_entries(), required.count(name) == 0) << name;
  }
}

// The text reports three entries; a missing entry outside those three leaves them all OK.
TEST(EntryTable, MissingEntryTextLinesFollowTheThreeReportedEntries) {
  const std::pair<const char*, const wchar_t*> cases[] = {
      {"SUModelCreateFromFile",
       L"SUInitialize: OK\nSUModelCreateFromFile: MISSING\nSUModelGetEntities: OK"},
      {"SUEntitiesGetFaces",
       L"SUInitialize: OK\nSUModelCreateFromFile: OK\nSUModelGetEntities: OK"},
  };
  for (const auto& c : cases) {
    SketchUpAPI api;
    Recorder recorder;
    recorder.hidden = {c.first};
    api.lookup_entries(record, &recorder);
    EXPECT_EQ(api.missing_entry_text(),
              std::wstring(L"SDK DLL 已加载，但关键函数未找到。\n\n") + c.second);
  }
}

TEST(EntryTable, LoadFailureTextNamesPathAndCode) {
  const std::wstring text = SketchUpAPI::load_failure_text(L"C:\\sdk\\SketchUpAPI.dll", 126);
  EXPECT_EQ(text.rfind(L"LoadLibrary 失败\n\n路径: C:\\sdk\\SketchUpAPI.dll\n错误码: 126\n", 0),
            0u);
  EXPECT_EQ(text.find(L'\n', text.rfind(L"https://")), std::wstring::npos)
      << "the address is the last line";
  // A long path cuts the text at 511 characters.
  const std::wstring long_path(1000, L'p');
  EXPECT_EQ(SketchUpAPI::load_failure_text(long_path.c_str(), 2).size(), 511u);
}

TEST(EntryTable, UnloadWithoutLoadCallsNothing) {
  SketchUpAPI api;
  Recorder recorder;
  api.lookup_entries(record, &recorder);  // fake addresses: calling any would crash
  api.unload();
  api.unload();
  EXPECT_FALSE(api.loaded);
  EXPECT_EQ(api.module, nullptr);
}

}  // namespace
