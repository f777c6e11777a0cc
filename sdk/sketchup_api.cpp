#include "sdk/sketchup_api.h"

#include <cstring>

#include "core/bounded_format.h"

namespace {

const char* const kTableNames[] = {
#define LUMENO_SU_NAME(ret, name, params) #name,
    LUMENO_SU_TABLE(LUMENO_SU_NAME)
#undef LUMENO_SU_NAME
};
static_assert(sizeof(kTableNames) / sizeof(kTableNames[0]) == SketchUpAPI::kTableSize,
              "the entry-point table has 65 names");

}  // namespace

SketchUpAPI::SketchUpAPI() {
  // Zero-filled: every pointer null, nothing loaded.
#define LUMENO_SU_CLEAR(ret, name, params) name = nullptr;
  LUMENO_SU_TABLE(LUMENO_SU_CLEAR)
  LUMENO_SU_VENDOR(LUMENO_SU_CLEAR)
#undef LUMENO_SU_CLEAR
  module = nullptr;
  loaded = false;
  preferences_module = nullptr;
}

SketchUpAPI::~SketchUpAPI() { unload(); }

const char* const* SketchUpAPI::table_names() { return kTableNames; }

void SketchUpAPI::lookup_entries(Resolver resolve, void* context) {
  // Function pointers are copied from the resolved addresses byte for byte, which is how
  // GetProcAddress results are meant to be used.
#define LUMENO_SU_LOOKUP(ret, name, params)                \
  {                                                        \
    void* address = resolve(context, #name);               \
    static_assert(sizeof(name) == sizeof(address), #name); \
    std::memcpy(&name, &address, sizeof address);          \
  }
  LUMENO_SU_TABLE(LUMENO_SU_LOOKUP)
  LUMENO_SU_VENDOR(LUMENO_SU_LOOKUP)
#undef LUMENO_SU_LOOKUP
}

bool SketchUpAPI::has_required_entries() const {
  return SUInitialize != nullptr && SUModelCreateFromFile != nullptr &&
         SUModelRelease != nullptr && SUModelGetEntities != nullptr &&
         SUEntitiesGetNumFaces != nullptr && SUEntitiesGetFaces != nullptr;
}

std::wstring SketchUpAPI::load_failure_text(const wchar_t* dll_path, unsigned long error_code) {
  wchar_t text[kLoadFailureTextSize];
  lumeno::format_bounded(
      text, kLoadFailureTextSize,
      L"LoadLibrary 失败\n\n路径: %ls\n错误码: %lu\n\n可能原因:\n"
      L"1. 缺少 VC++ 2015-2022 运行库 (x64)\n2. 缺少 MSVCP140.dll / VCRUNTIME140.dll\n"
      L"3. 路径包含中文或特殊字符\n\n请安装 Visual C++ Redistributable 2015-2022 (x64):\n"
      L"https://aka.ms/vs/17/release/vc_redist.x64.exe",
      dll_path, error_code);
  return text;
}

namespace lumeno {
namespace {
StartupMessageSink g_startup_sink = default_startup_message;
}  // namespace

StartupMessageSink set_startup_message_sink(StartupMessageSink sink) {
  StartupMessageSink previous = g_startup_sink;
  g_startup_sink = sink != nullptr ? sink : default_startup_message;
  return previous;
}

int show_startup_message(const wchar_t* text, const wchar_t* caption, unsigned flags) {
  return g_startup_sink(text, caption, flags);
}

}  // namespace lumeno

std::wstring SketchUpAPI::missing_entry_text() const {
  // Only three of the six required entries are named; a missing SUModelRelease or face getter
  // still gives three "OK" lines.
  wchar_t text[kMissingEntryTextSize];
  lumeno::format_bounded(text, kMissingEntryTextSize,
                         L"SDK DLL 已加载，但关键函数未找到。\n\nSUInitialize: %ls\n"
                         L"SUModelCreateFromFile: %ls\nSUModelGetEntities: %ls",
                         SUInitialize != nullptr ? L"OK" : L"MISSING",
                         SUModelCreateFromFile != nullptr ? L"OK" : L"MISSING",
                         SUModelGetEntities != nullptr ? L"OK" : L"MISSING");
  return text;
}
