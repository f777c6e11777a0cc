// A whole model load through a fake SDK that answers every call from the fuzz input; the first
// eight bytes choose which optional entry points are missing. Any breach of the model's
// invariants or of the vendor's calling contract, or a leaked mesh helper or string, aborts.
#include <cstdio>
#include <cstdlib>

#include "model/skp_model.h"
#include "tests/native/support/byte_fed_sdk.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  uint64_t hide = 0;
  size_t used = 0;
  for (; used < 8 && used < size; ++used) hide |= static_cast<uint64_t>(data[used]) << (8 * used);
  lumeno::test::ByteFeed feed(data + used, size - used);
  SkpModel model;
  // Small limits keep every input fast while still reaching each limit.
  model.limits.triangles = 256, model.limits.work_items = 512;
  model.limits.edges = model.limits.mesh_vertices = model.limits.mesh_triangles = 128;
  model.limits.list_entries = model.limits.edges_per_list = 16;
  model.limits.scenes = model.limits.layers = 8;
  const std::string broken = lumeno::test::load_through_byte_fed_sdk(&feed, hide, model);
  if (!broken.empty()) std::fprintf(stderr, "model traversal fuzz: %s\n", broken.c_str()), abort();
  lumeno::test::uninstall_byte_fed_sdk();
  return 0;
}
