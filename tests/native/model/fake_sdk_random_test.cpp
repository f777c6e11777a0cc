// Seeded random SDK answers (counts, failures, indices, coordinates, missing entry points) fed
// to the whole load: every load must keep the model's invariants, honour the vendor's calling
// contract and release every mesh helper and string it creates.
#include <gtest/gtest.h>

#include <random>

#include "model/skp_model.h"
#include "sdk/sketchup_api.h"
#include "tests/native/support/byte_fed_sdk.h"

namespace {

using lumeno::test::ByteFeed;

class FakeSdkRandomTest : public ::testing::Test {
 protected:
  void TearDown() override { lumeno::test::uninstall_byte_fed_sdk(); }
};

TEST_F(FakeSdkRandomTest, EveryLoadKeepsTheInvariants) {
  size_t loaded = 0, with_textures = 0, with_edges = 0;
  for (uint64_t seed = 1; seed <= 600; ++seed) {
    std::mt19937_64 random(seed);
    ByteFeed feed(&random);
    // Every fourth run has random optional entry points missing.
    const uint64_t hide = seed % 4 == 0 ? random() & random() : 0;
    lumeno::test::install_byte_fed_sdk(&feed, hide);

    SkpModel model;
    model.limits.triangles = 400;
    model.limits.edges = 200;
    model.limits.work_items = 300;
    model.limits.list_entries = model.limits.edges_per_list = 12;
    model.limits.mesh_vertices = model.limits.mesh_triangles = 64;
    const bool result = model.load_from_file("random.skp");

    ASSERT_EQ(result, model.loaded) << "seed " << seed;
    ASSERT_EQ(lumeno::test::check_model_invariants(model), "") << "seed " << seed;
    ASSERT_LE(model.work_items_visited(), model.limits.work_items) << "seed " << seed;
    const lumeno::test::FakeSdkReport report = lumeno::test::byte_fed_sdk_report();
    ASSERT_EQ(report.contract_breaches, 0u) << "seed " << seed << ": " << report.first_breach;
    // Without a release entry point nothing can be released; otherwise nothing may leak.
    if (SketchUpAPI::instance().SUMeshHelperRelease != nullptr) {
      ASSERT_EQ(report.meshes_alive, 0u) << "seed " << seed;
    }
    ASSERT_EQ(report.strings_alive, 0u) << "seed " << seed;
    loaded += model.loaded;
    with_textures += !model.textures.empty();
    with_edges += !model.edges.empty();
  }
  // The generator must actually reach the interesting paths, or the test proves little.
  EXPECT_GT(loaded, 120u);
  EXPECT_GT(with_textures, 8u);
  EXPECT_GT(with_edges, 40u);
}

TEST_F(FakeSdkRandomTest, AnUnboundSdkLoadsNothing) {
  lumeno::test::uninstall_byte_fed_sdk();
  SkpModel model;
  EXPECT_FALSE(model.load_from_file("anything.skp"));
  EXPECT_TRUE(model.file_path.empty() && model.layers.empty());
  EXPECT_EQ(lumeno::test::check_model_invariants(model), "");
}

}  // namespace
