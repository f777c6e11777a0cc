// A fake SketchUp SDK whose every answer (success or failure, counts, handles, indices,
// coordinates, texture sizes, names) is read from a byte feed: the fuzzer's input or a seeded
// random generator. It is installed into SketchUpAPI::instance() through lookup_entries(), with
// a chosen set of optional entries hidden, and records every breach of the vendor's calling
// contract (outputs not preset to null, arrays not zero-filled, mesh helpers or strings leaked).
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

class SkpModel;

namespace lumeno {
namespace test {

class ByteFeed {
 public:
  ByteFeed(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  explicit ByteFeed(std::mt19937_64* random) : random_(random) {}
  uint8_t next();  // 0 once a finite feed is exhausted

 private:
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  size_t position_ = 0;
  std::mt19937_64* random_ = nullptr;
};

struct FakeSdkReport {
  size_t contract_breaches = 0;  // outputs not preset, arrays not zero-filled, bad releases
  size_t meshes_alive = 0;       // created and not released
  size_t models_alive = 0;
  size_t strings_alive = 0;
  std::string first_breach;
};

// Installs the fake into the singleton: the six required entries always, and every optional
// entry (table or vendor function) unless `hide_bits` selects it: bit (i % 64) for the i-th
// optional name. Sets `loaded`. The feed must outlive the installation.
void install_byte_fed_sdk(ByteFeed* feed, uint64_t hide_bits);
// Clears the singleton's table and `loaded`.
void uninstall_byte_fed_sdk();
FakeSdkReport byte_fed_sdk_report();

// The invariants every load must keep, whatever the SDK answered. Empty when they hold, else a
// description of the first one broken.
std::string check_model_invariants(const SkpModel& model);

}  // namespace test
}  // namespace lumeno
