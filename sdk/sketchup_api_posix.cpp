// Host build: binds the stand-in SDK's shared library with dlopen, for native tests and tools.
// The Windows rules (DLL search folder, PATH) have no meaning here.
#include <dlfcn.h>

#include <cstdio>
#include <string>

#include "sdk/sketchup_api.h"

namespace {

void* resolve_export(void* context, const char* name) { return dlsym(context, name); }

std::string narrow(const wchar_t* text) {
  std::string out;
  for (; text != nullptr && *text; ++text) out.push_back(static_cast<char>(*text));
  return out;
}

}  // namespace

namespace lumeno {

int default_startup_message(const wchar_t* text, const wchar_t* caption, unsigned) {
  std::fprintf(stderr, "%ls: %ls\n", caption, text);
  return 1;
}

}  // namespace lumeno

bool SketchUpAPI::load(const wchar_t* dir) {
  if (loaded) return true;
  const std::string path = narrow(dir) + "/libSketchUpAPI.so";
  module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    const std::wstring wide(path.begin(), path.end());
    const std::wstring text = load_failure_text(wide.c_str(), 126);
    lumeno::show_startup_message(text.c_str(), L"SDK DLL 加载诊断", lumeno::kStartupIconError);
    return false;
  }
  lookup_entries(resolve_export, module);
  if (!has_required_entries()) {
    const std::wstring text = missing_entry_text();
    lumeno::show_startup_message(text.c_str(), L"SDK 函数加载诊断", lumeno::kStartupIconError);
    dlclose(module);
    module = nullptr;
    loaded = false;
    return false;
  }
  SUInitialize();
  loaded = true;
  return true;
}

void SketchUpAPI::unload() {
  if (loaded && SUTerminate != nullptr) SUTerminate();
  if (module != nullptr) {
    dlclose(module);
    module = nullptr;
  }
  loaded = false;
}
