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

// RTLD_NODELETE keeps the stand-in (and its process-lifetime registry) resident across rebinds.
void* open_resident(const std::string& dir) {
  return dlopen((dir + "/libSketchUpAPI.so").c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
}
}  // namespace

bool bind_sdk_hiding(const std::string& dir, const std::vector<std::string>& hidden) {
  SketchUpAPI& api = SketchUpAPI::instance();
  api.unload();
  Hiding hiding{open_resident(dir), &hidden};
  if (hiding.library == nullptr) return false;
  api.lookup_entries(
      [](void* context, const char* name) -> void* {
        const Hiding& h = *static_cast<const Hiding*>(context);
        const bool hide = std::find(h.names->begin(), h.names->end(), name) != h.names->end();
        return hide ? nullptr : dlsym(h.library, name);
      },
      &hiding);
  api.module = hiding.library;  // unload() closes it
  if (!api.has_required_entries()) return api.unload(), false;
  api.SUInitialize();
  return api.loaded = true;
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
