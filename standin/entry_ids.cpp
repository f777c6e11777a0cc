#include "standin/entry_ids.h"

#include <cstring>

namespace standin {
namespace {

const char* const kNames[] = {
#define LUMENO_STANDIN_ENTRY_NAME(ret, name, params) #name,
    LUMENO_SU_TABLE(LUMENO_STANDIN_ENTRY_NAME) LUMENO_SU_VENDOR(LUMENO_STANDIN_ENTRY_NAME)
#undef LUMENO_STANDIN_ENTRY_NAME
};

static_assert(sizeof(kNames) / sizeof(kNames[0]) == kEntryCount, "one name per entry point");

}  // namespace

bool entry_id_from_name(const std::string& name, EntryId* id) {
  for (size_t i = 0; i < kEntryCount; ++i) {
    if (name == kNames[i]) {
      *id = static_cast<EntryId>(i);
      return true;
    }
  }
  return false;
}

const char* entry_name(EntryId id) {
  const size_t index = static_cast<size_t>(id);
  return index < kEntryCount ? kNames[index] : "";
}

}  // namespace standin
