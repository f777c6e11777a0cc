// A whole model load through a fake SDK that answers every call from the fuzz input; the first
// eight bytes choose which optional entry points are missing. Any breach of the model's
// invariants or of the vendor's calling contract, or a leaked mesh helper or string, aborts.
#include <cstdio>
#include <cstdlib>

#include "model/skp_model.h"
#include "sdk/sketchup_api.h"
#include "tests/native/support/byte_fed_sdk.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto fail = [](const std::string& what) {
    std::fprintf(stderr, "model traversal fuzz: %s\n", what.c_str());
    std::abort();
  };
  uint64_t hide = 0;
  size_t used = 0;
  for (; used < 8 && used < size; ++used) hide |= static_cast<uint64_t>(data[used]) << (8 * used);
  lumeno::test::ByteFeed feed(data + used, size - used);
  lumeno::test::install_byte_fed_sdk(&feed, hide);

  SkpModel model;
  // Small limits keep every input fast while still reaching each limit.
  model.limits.triangles = 256;
  model.limits.work_items = 512;
  model.limits.edges = model.limits.mesh_vertices = model.limits.mesh_triangles = 128;
  model.limits.list_entries = model.limits.edges_per_list = 16;
  model.limits.scenes = model.limits.layers = 8;
  const bool result = model.load_from_file("fuzz.skp");

  if (result != model.loaded) fail("result differs from loaded");
  const std::string broken = lumeno::test::check_model_invariants(model);
  if (!broken.empty()) fail(broken);
  if (model.work_items_visited() > model.limits.work_items) fail("work bound exceeded");
  const lumeno::test::FakeSdkReport report = lumeno::test::byte_fed_sdk_report();
  if (report.contract_breaches != 0) fail(report.first_breach);
  const SketchUpAPI& api = SketchUpAPI::instance();
  if (api.SUMeshHelperRelease != nullptr && report.meshes_alive != 0) fail("mesh helper leaked");
  if (api.SUStringRelease != nullptr && report.strings_alive != 0) fail("string leaked");
  lumeno::test::uninstall_byte_fed_sdk();
  return 0;
}
