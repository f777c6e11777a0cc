// The committed demo building loads through the stand-in with every feature it shows.
#include <gtest/gtest.h>

#include <cmath>

#include "model/skp_model.h"
#include "tests/native/support/byte_fed_sdk.h"
#include "tests/native/support/sdk_binding.h"

namespace lumeno {
namespace test {
namespace {

class SampleHouseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(bind_full_sdk(LUMENO_STANDIN_FULL_DIR));
    ASSERT_TRUE(model_.load_from_file(LUMENO_SAMPLES_DIR "/house.skp"));
  }
  int layer(const std::string& name) const {
    for (size_t i = 0; i < model_.layers.size(); ++i) {
      if (model_.layers[i].name == name) return static_cast<int>(i);
    }
    return -1;
  }
  size_t triangles_coloured(int r, int g, int b) const {
    size_t count = 0;
    for (const Triangle& t : model_.triangles) {
      const TriangleVertex& v = t.vertices[0];
      if (std::lround(v.r * 255) == r && std::lround(v.g * 255) == g && std::lround(v.b * 255) == b) {
        ++count;
      }
    }
    return count;
  }
  SkpModel model_;
};

TEST_F(SampleHouseTest, ShowsEveryFeature) {
  EXPECT_EQ(check_model_invariants(model_), "");
  // Three textures from the committed PNG files, shared by the faces that use them.
  ASSERT_EQ(model_.textures.size(), 3u);
  for (const TextureData& t : model_.textures) {
    EXPECT_EQ(t.width, 32u);
    EXPECT_EQ(t.height, 32u);
  }
  size_t textured = 0;
  for (const Triangle& t : model_.triangles) textured += t.vertices[0].texture_index >= 0;
  EXPECT_GT(textured, 20u);
  // Glass with opacity.
  EXPECT_TRUE(model_.has_transparency);
  // Layers, one hidden in the model; furniture and trees sit on theirs.
  ASSERT_EQ(model_.layers.size(), 7u);
  ASSERT_GE(layer("标注"), 0);
  EXPECT_FALSE(model_.is_layer_visible(layer("标注")));
  size_t furniture = 0, hidden_edges = 0;
  for (const Triangle& t : model_.triangles) furniture += t.inherited_layer == layer("家具");
  for (const EdgeData& e : model_.edges) hidden_edges += e.edge_layer == layer("标注");
  EXPECT_GT(furniture, 0u);
  EXPECT_EQ(hidden_edges, 4u);
  // Scenes: four with cameras, the last without.
  ASSERT_EQ(model_.scenes.size(), 5u);
  EXPECT_TRUE(model_.scenes[0].has_camera);
  EXPECT_FALSE(model_.scenes[3].perspective);
  EXPECT_FALSE(model_.scenes[4].has_camera);
  // Standalone edges: site boundary, handrail, dimensions.
  EXPECT_EQ(model_.edges.size(), 4u + 12u + 4u);
  // The partition painted only on its back shows its back colour.
  EXPECT_GT(triangles_coloured(200, 170, 110), 0u);
  // Two table sets of one table and four chairs each: dark wood, 6 boxes per chair.
  EXPECT_EQ(triangles_coloured(100, 60, 30), 2u * (5 * 12 + 4 * 6 * 12));
  // The front door is an opening in the wall: nothing covers it.
  for (const Triangle& t : model_.triangles) {
    const TriangleVertex* v = t.vertices;
    const float cx = (v[0].x + v[1].x + v[2].x) / 3, cy = (v[0].y + v[1].y + v[2].y) / 3,
                cz = (v[0].z + v[1].z + v[2].z) / 3;
    EXPECT_FALSE(std::fabs(cy) < 0.01f && cx > 150 && cx < 186 && cz > 2 && cz < 84)
        << "a triangle fills the door at " << cx << ", " << cz;
  }
  // Floors to walk on at 0 and 120 inches, with the stair opening cut out above.
  EXPECT_FLOAT_EQ(model_.bbox_min[2], -0.5f);
  EXPECT_GE(model_.bbox_max[2], 300.0f);
}

}  // namespace
}  // namespace test
}  // namespace lumeno
