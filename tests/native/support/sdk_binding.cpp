#include "tests/native/support/sdk_binding.h"

#include <dlfcn.h>

#include <algorithm>
#include <utility>

#include "sdk/sketchup_api.h"

namespace lumeno {
namespace test {

namespace {

// Context: the library and the names to hide.
void* resolve_hiding(void* context, const char* name) {
  const auto* resolver = static_cast<std::pair<void*, const std::vector<std::string>*>*>(context);
  const std::vector<std::string>& hidden = *resolver->second;
  if (std::find(hidden.begin(), hidden.end(), name) != hidden.end()) return nullptr;
  return dlsym(resolver->first, name);
}

// The stand-in keeps a process-lifetime registry; unloading the library between tests would
// orphan it. An extra reference that is never dropped (RTLD_NODELETE) keeps it resident, so
// rebinding only swaps the table.
void keep_resident(const std::string& path) {
  dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
}

}  // namespace

bool bind_sdk_hiding(const std::string& dir, const std::vector<std::string>& hidden) {
  SketchUpAPI& api = SketchUpAPI::instance();
  api.unload();
  const std::string path = dir + "/libSketchUpAPI.so";
  keep_resident(path);
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return false;
  std::pair<void*, const std::vector<std::string>*> resolver{library, &hidden};
  api.lookup_entries(resolve_hiding, &resolver);
  if (!api.has_required_entries()) {
    dlclose(library);
    return false;
  }
  api.module = library;  // unload() closes it
  api.SUInitialize();
  api.loaded = true;
  return true;
}

bool bind_vendor_shaped_sdk(const std::string& dir) {
#define LUMENO_LACKS_NAME(name) #name,
  return bind_sdk_hiding(dir, {LUMENO_SU_VENDOR_LACKS(LUMENO_LACKS_NAME)});
#undef LUMENO_LACKS_NAME
}

bool bind_full_sdk(const std::string& dir) {
  SketchUpAPI& api = SketchUpAPI::instance();
  api.unload();
  keep_resident(dir + "/libSketchUpAPI.so");
  const std::wstring wide(dir.begin(), dir.end());
  return api.load(wide.c_str());
}

}  // namespace test
}  // namespace lumeno
