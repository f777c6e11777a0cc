// Binds the SketchUpAPI singleton to the stand-in SDK for tests, optionally hiding exports.
#pragma once

#include <string>
#include <vector>

namespace lumeno {
namespace test {

// Binds <dir>/libSketchUpAPI.so with every name in `hidden` resolving to null; sets `loaded` and
// calls SUInitialize. False when the library cannot be opened or lacks a required entry.
bool bind_sdk_hiding(const std::string& dir, const std::vector<std::string>& hidden);
bool bind_vendor_shaped_sdk(const std::string& dir);  // hides what the vendor's DLL lacks
bool bind_full_sdk(const std::string& dir);           // through SketchUpAPI::load()

}  // namespace test
}  // namespace lumeno
