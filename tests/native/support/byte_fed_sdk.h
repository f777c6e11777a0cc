// A fake SketchUp SDK whose every answer is read from a byte feed (the fuzzer's input or a seeded
// random generator), installed through lookup_entries() with chosen optional entries hidden. It
// records every breach of the vendor's calling contract.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

class SkpModel;

namespace lumeno {
namespace test {

struct ByteFeed {
  ByteFeed(const uint8_t* data, size_t size) : data(data), size(size) {}
  explicit ByteFeed(std::mt19937_64* random) : random(random) {}
  uint8_t next();  // 0 once a finite feed is exhausted
  const uint8_t* data = nullptr;
  size_t size = 0, position = 0;
  std::mt19937_64* random = nullptr;
};

struct FakeSdkReport {
  size_t contract_breaches = 0;  // outputs not preset, arrays not zero-filled, bad releases
  size_t meshes_alive = 0, models_alive = 0, strings_alive = 0;  // created, not released
  std::string first_breach;
};

// Bit (i % 64) of `hide_bits` hides the i-th optional entry; required ones always resolve. Sets
// `loaded`. The feed must outlive the installation.
void install_byte_fed_sdk(ByteFeed* feed, uint64_t hide_bits);
void uninstall_byte_fed_sdk();  // clears the table and `loaded`
FakeSdkReport byte_fed_sdk_report();

// Empty when a loaded model keeps its invariants, else the first one broken.
std::string check_model_invariants(const SkpModel& model);
// Loads `model` (with the limits it has) through the fake fed by `feed`; empty when the result
// matches `loaded`, the work bound and the model's invariants hold, the calling contract was kept
// and every mesh helper and string was released (meshes when a release entry exists), else what
// broke. The fake stays installed.
std::string load_through_byte_fed_sdk(ByteFeed* feed, uint64_t hide_bits, SkpModel& model);

}  // namespace test
}  // namespace lumeno
