// The shared library exports every name of the program's table and every vendor function, and the
// export lists generated for the build (.def files, version script) match the X-macro lists.
#include <dlfcn.h>

#include <fstream>
#include <set>
#include <string>

#include "sdk/su_entries.h"
#include "standin_test_support.h"

namespace {

using standin_test::library_handle;

const char* const kTableNames[] = {
#define NAME(ret, name, params) #name,
    LUMENO_SU_TABLE(NAME)};
const char* const kVendorNames[] = {LUMENO_SU_VENDOR(NAME)
#undef NAME
};

TEST(StandinExports, EveryTableAndVendorNameResolves) {
  ASSERT_NE(library_handle(), nullptr);
  EXPECT_EQ(sizeof(kTableNames) / sizeof(kTableNames[0]), 65u);
  for (const char* name : kTableNames) EXPECT_NE(dlsym(library_handle(), name), nullptr) << name;
  for (const char* name : kVendorNames) EXPECT_NE(dlsym(library_handle(), name), nullptr) << name;
}

TEST(StandinExports, TableBindsWithEveryEntryPresent) {
  SketchUpAPI& api = standin_test::api();
  ASSERT_TRUE(api.has_required_entries());
  EXPECT_NE(api.SUFaceGetLayer, nullptr);
  EXPECT_NE(api.SUMaterialGetAlpha, nullptr);
  EXPECT_NE(api.SUCameraGetOrientation, nullptr);
  EXPECT_NE(api.SUStringGetUTF8, nullptr);
}

TEST(StandinExports, InternalSymbolsStayHidden) {
  ASSERT_NE(library_handle(), nullptr);
  for (const char* name : {"stbi_load_from_memory",
                           "_ZN7standin11parse_modelENSt7__cxx1112basic_"
                           "stringIcSt11char_traitsIcESaIcEEERKS6_PSt10"
                           "unique_ptrINS_5ModelESt14default_deleteIS9_"
                           "EEPS6_"}) {
    EXPECT_EQ(dlsym(library_handle(), name), nullptr) << name;
  }
}

TEST(StandinExports, GeneratedExportListMatchesTheEntryLists) {
  std::ifstream in(LUMENO_STANDIN_EXPORT_NAMES);
  ASSERT_TRUE(in.good()) << LUMENO_STANDIN_EXPORT_NAMES;
  std::set<std::string> listed;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) {
      EXPECT_TRUE(listed.insert(line).second) << "duplicate " << line;
    }
  }
  std::set<std::string> expected(std::begin(kTableNames), std::end(kTableNames));
  expected.insert(std::begin(kVendorNames), std::end(kVendorNames));
  EXPECT_EQ(listed, expected);
}

}  // namespace
