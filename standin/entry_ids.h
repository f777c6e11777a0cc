// Ordinal of every exported entry point, generated from the same X-macro lists as the exports, so
// that fault lists in model files can name any entry point and be checked with one bit test.
#pragma once

#include <bitset>
#include <cstddef>
#include <string>

#include "sdk/su_entries.h"

namespace standin {

enum class EntryId : unsigned {
#define LUMENO_STANDIN_ENTRY_ID(ret, name, params) name,
  LUMENO_SU_TABLE(LUMENO_STANDIN_ENTRY_ID) LUMENO_SU_VENDOR(LUMENO_STANDIN_ENTRY_ID)
#undef LUMENO_STANDIN_ENTRY_ID
      Count
};

constexpr size_t kEntryCount = static_cast<size_t>(EntryId::Count);

// One bit per entry point: set when calls of that entry point must fail.
using FailSet = std::bitset<kEntryCount>;

// Ordinal of an exported name; false for a name that is not an entry point.
bool entry_id_from_name(const std::string& name, EntryId* id);

// Exported name of an ordinal.
const char* entry_name(EntryId id);

}  // namespace standin
