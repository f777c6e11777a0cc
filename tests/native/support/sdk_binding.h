// Binds the process-wide SketchUpAPI table to a stand-in SDK library for tests, optionally hiding
// chosen exports, the way the vendor's DLL (or a DLL missing an optional entry) would look.
#pragma once

#include <string>
#include <vector>

namespace lumeno {
namespace test {

// Unbinds the singleton and binds <dir>/libSketchUpAPI.so through lookup_entries(), with every
// name in `hidden` resolving to null; sets `loaded` and calls SUInitialize. False when the
// library cannot be opened or lacks a required entry.
bool bind_sdk_hiding(const std::string& dir, const std::vector<std::string>& hidden);
// As above, hiding the eight table names the vendor's DLL does not export.
bool bind_vendor_shaped_sdk(const std::string& dir);
// Unbinds and binds the full library through SketchUpAPI::load().
bool bind_full_sdk(const std::string& dir);

}  // namespace test
}  // namespace lumeno
