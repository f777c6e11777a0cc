// The shared library exports every name of the program's table and every vendor function and
// hides its internals; the export lists generated for the build (.def files, version script)
// match the X-macro lists.
#include <dlfcn.h>

#include <fstream>
#include <set>
#include <string>

#include "sdk/su_entries.h"
#include "standin_test_support.h"

namespace {

#define NAME(ret, name, params) #name,
const std::set<std::string> kNames = {LUMENO_SU_TABLE(NAME) LUMENO_SU_VENDOR(NAME)};
#undef NAME

TEST(StandinExports, EveryEntryResolvesAndInternalsStayHidden) {
  void* library = standin_test::library_handle();
  ASSERT_NE(library, nullptr);
  for (const std::string& name : kNames) EXPECT_NE(dlsym(library, name.c_str()), nullptr) << name;
  EXPECT_TRUE(standin_test::api().has_required_entries());
  for (const char* name : {"stbi_load_from_memory",
                           "_ZN7standin11parse_modelENSt7__cxx1112basic_stringIcSt11char_traitsIcES"
                           "aIcEEERKS6_PSt10unique_ptrINS_5ModelESt14default_deleteIS9_EEPS6_"}) {
    EXPECT_EQ(dlsym(library, name), nullptr) << name;
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
  EXPECT_EQ(listed, kNames);
}

}  // namespace
