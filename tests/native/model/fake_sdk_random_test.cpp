// Seeded random SDK answers (counts, failures, indices, coordinates, missing entry points) fed
// to the whole load: every load must keep the model's invariants, honour the vendor's calling
// contract and release every mesh helper and string it creates.
#include <gtest/gtest.h>

#include <random>

#include "model/skp_model.h"
#include "sdk/sketchup_api.h"
#include "tests/native/support/byte_fed_sdk.h"

namespace lumeno {
namespace test {
namespace {

TEST(FakeSdkRandomTest, EveryLoadKeepsTheInvariants) {
  size_t loaded = 0, with_textures = 0, with_edges = 0;
  for (uint64_t seed = 1; seed <= 600; ++seed) {
    std::mt19937_64 random(seed);
    ByteFeed feed(&random);
    // Every fourth run has random optional entry points missing.
    install_byte_fed_sdk(&feed, seed % 4 == 0 ? random() & random() : 0);
    SkpModel model;
    model.limits.triangles = 400, model.limits.edges = 200, model.limits.work_items = 300;
    model.limits.list_entries = model.limits.edges_per_list = 12;
    model.limits.mesh_vertices = model.limits.mesh_triangles = 64;
    const bool result = model.load_from_file("random.skp");
    ASSERT_TRUE(result == model.loaded && model.work_items_visited() <= model.limits.work_items)
        << "seed " << seed;
    ASSERT_EQ(check_model_invariants(model), "") << "seed " << seed;
    const FakeSdkReport report = byte_fed_sdk_report();
    ASSERT_EQ(report.contract_breaches, 0u) << "seed " << seed << ": " << report.first_breach;
    // Without a release entry point nothing can be released; otherwise nothing may leak.
    const bool can_release = SketchUpAPI::instance().SUMeshHelperRelease != nullptr;
    ASSERT_TRUE(report.strings_alive == 0 && (report.meshes_alive == 0 || !can_release)) << seed;
    loaded += model.loaded;
    with_textures += !model.textures.empty();
    with_edges += !model.edges.empty();
  }
  uninstall_byte_fed_sdk();
  // An unbound SDK loads nothing.
  SkpModel model;
  EXPECT_FALSE(model.load_from_file("anything.skp"));
  EXPECT_TRUE(model.file_path.empty() && check_model_invariants(model).empty());
  // The generator must actually reach the interesting paths, or the test proves little.
  EXPECT_TRUE(loaded > 120 && with_textures > 8 && with_edges > 40)
      << loaded << " " << with_textures << " " << with_edges;
}

}  // namespace
}  // namespace test
}  // namespace lumeno
