// Seeded random SDK answers (counts, failures, indices, coordinates, missing entry points) fed
// to the whole load: every load must keep the model's invariants, honour the vendor's calling
// contract and release every mesh helper and string it creates.
#include <gtest/gtest.h>

#include <random>

#include "model/skp_model.h"
#include "tests/native/support/byte_fed_sdk.h"

namespace lumeno {
namespace test {
namespace {

TEST(FakeSdkRandomTest, EveryLoadKeepsTheInvariants) {
  size_t loaded = 0, with_textures = 0, with_edges = 0;
  for (uint64_t seed = 1; seed <= 600; ++seed) {
    std::mt19937_64 random(seed);
    ByteFeed feed(&random);
    SkpModel model;
    model.limits.triangles = 400, model.limits.edges = 200, model.limits.work_items = 300;
    model.limits.list_entries = model.limits.edges_per_list = 12;
    model.limits.mesh_vertices = model.limits.mesh_triangles = 64;
    // Every fourth run has random optional entry points missing.
    ASSERT_EQ(load_through_byte_fed_sdk(&feed, seed % 4 == 0 ? random() & random() : 0, model), "")
        << "seed " << seed;
    loaded += model.loaded;
    with_textures += !model.textures.empty();
    with_edges += !model.edges.empty();
  }
  uninstall_byte_fed_sdk();
  SkpModel model;  // an unbound SDK loads nothing
  EXPECT_TRUE(!model.load_from_file("anything.skp") && model.file_path.empty());
  // The generator must actually reach the interesting paths, or the test proves little.
  EXPECT_TRUE(loaded > 120 && with_textures > 8 && with_edges > 40)
      << loaded << " " << with_textures << " " << with_edges;
}

}  // namespace
}  // namespace test
}  // namespace lumeno
