#include "tests/native/support/sdk_binding.h"

#include <dlfcn.h>

#include <algorithm>

#include "sdk/sketchup_api.h"

namespace lumeno {
namespace test {

namespace {

struct Hiding {
  void* library;
  const std::vector<std::string>* names;
};

void* resolve_hiding(void* context, const char* name) {
  const Hiding& hiding = *static_cast<const Hiding*>(context);
  const bool hidden =
      std::find(hiding.names->begin(), hiding.names->end(), name) != hiding.names->end();
  return hidden ? nullptr : dlsym(hiding.library, name);
}

// The stand-in keeps a process-lifetime registry; unloading the library between tests would
// orphan it. RTLD_NODELETE keeps it resident whatever is closed, so rebinding only swaps the
// table.
void* open_resident(const std::string& dir) {
  return dlopen((dir + "/libSketchUpAPI.so").c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
}

}  // namespace

bool bind_sdk_hiding(const std::string& dir, const std::vector<std::string>& hidden) {
  SketchUpAPI& api = SketchUpAPI::instance();
  api.unload();
  Hiding hiding{open_resident(dir), &hidden};
  if (hiding.library == nullptr) return false;
  api.lookup_entries(resolve_hiding, &hiding);
  api.module = hiding.library;  // unload() closes it
  if (!api.has_required_entries()) {
    api.unload();
    return false;
  }
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
  SketchUpAPI::instance().unload();
  open_resident(dir);  // a reference kept for the life of the process
  const std::wstring wide(dir.begin(), dir.end());
  return SketchUpAPI::instance().load(wide.c_str());
}

}  // namespace test
}  // namespace lumeno
