// Linked into every SketchUpAPI.dll: SUInitialize calls into both companion DLLs.
#include "standin/api_support.h"
#include "standin/companions/companion_export.h"

namespace {

int call_companions() { return lumeno_standin_preferences_ready() + lumeno_standin_assimp_ready(); }

[[maybe_unused]] const bool g_registered = (standin::set_initialize_hook(&call_companions), true);

}  // namespace
