// The SketchUp C API is not linked at build time: SketchUpAPI binds SketchUpAPI.dll at run time
// from one folder and holds its entry points as typed function pointers. Every other part of the
// program calls the API only through this table, after checking that the entry it needs is
// present (the six required entries are guaranteed once `loaded` is true).
#pragma once

#include <cstddef>
#include <string>

#include "sdk/su_entries.h"

#ifdef _WIN32
struct HINSTANCE__;
using LumenoModuleHandle = HINSTANCE__*;  // HMODULE
#else
using LumenoModuleHandle = void*;
#endif

class SketchUpAPI {
 public:
#define LUMENO_SU_TYPEDEF(ret, name, params) using name##_fn = ret(*) params;
  LUMENO_SU_TABLE(LUMENO_SU_TYPEDEF)
  LUMENO_SU_VENDOR(LUMENO_SU_TYPEDEF)
#undef LUMENO_SU_TYPEDEF

  // One pointer per table entry, in table order; null when not exported or nothing is loaded.
#define LUMENO_SU_MEMBER(ret, name, params) name##_fn name;
  LUMENO_SU_TABLE(LUMENO_SU_MEMBER)
#undef LUMENO_SU_MEMBER

  LumenoModuleHandle module;  // SketchUpAPI.dll; null when not loaded
  bool loaded;                // true after a successful load until unload

  // The vendor's own functions, looked up besides the table (upcasts, string objects, and the
  // replacements of the table names the vendor's DLL does not export). Optional, null if absent.
#define LUMENO_SU_MEMBER(ret, name, params) name##_fn name;
  LUMENO_SU_VENDOR(LUMENO_SU_MEMBER)
#undef LUMENO_SU_MEMBER

  LumenoModuleHandle preferences_module;  // SketchUpCommonPreferences.dll, preloaded by load

  static constexpr size_t kTableSize = 65;
  static constexpr size_t kLoadFailureTextSize = 512;
  static constexpr size_t kMissingEntryTextSize = 256;

  // Inline: the loader asks for the table several times per face.
  static SketchUpAPI& instance() {
    static SketchUpAPI api;
    return api;
  }

  // Binds the API from `dir` (no trailing backslash). True when bound, also when it already was;
  // on false a diagnostic message box has been shown. Windows only.
  bool load(const wchar_t* dir);
  // Terminates and unbinds; safe when nothing is loaded and more than once.
  void unload();
  ~SketchUpAPI();

  // Looks up every table entry in table order, then the vendor's functions, storing each
  // result (null allowed). `resolve` maps an exported name to its address.
  using Resolver = void* (*)(void* context, const char* name);
  void lookup_entries(Resolver resolve, void* context);
  bool has_required_entries() const;

  // Names of the table, in lookup order.
  static const char* const* table_names();

  // The two diagnostics, cut at their buffer sizes (512 and 256 characters with terminator).
  static std::wstring load_failure_text(const wchar_t* dll_path, unsigned long error_code);
  std::wstring missing_entry_text() const;

  SketchUpAPI(const SketchUpAPI&) = delete;
  SketchUpAPI& operator=(const SketchUpAPI&) = delete;

  // Tests construct their own tables; the program uses instance().
  SketchUpAPI();
};

// Message boxes shown before any window exists go through this seam so that tests can read the
// text instead of blocking on a dialog. The default shows a Win32 message box with no owner.
namespace lumeno {
using StartupMessageSink = int (*)(const wchar_t* text, const wchar_t* caption, unsigned flags);
// Installs `sink` (null restores the default) and returns the previous one.
StartupMessageSink set_startup_message_sink(StartupMessageSink sink);
int show_startup_message(const wchar_t* text, const wchar_t* caption, unsigned flags);
// The platform's own box (a Win32 message box; on the host, a line on standard error).
int default_startup_message(const wchar_t* text, const wchar_t* caption, unsigned flags);
constexpr unsigned kStartupIconError = 0x10;  // MB_ICONERROR
}  // namespace lumeno
