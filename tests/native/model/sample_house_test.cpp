// The committed demo building loads through the stand-in with every feature it shows.
#include <gtest/gtest.h>

#include <cmath>

#include "model/skp_model.h"
#include "tests/native/support/byte_fed_sdk.h"
#include "tests/native/support/sdk_binding.h"

namespace lumeno {
namespace test {
namespace {

TEST(SampleHouseTest, ShowsEveryFeature) {
  ASSERT_TRUE(bind_full_sdk(LUMENO_STANDIN_FULL_DIR));
  SkpModel model;
  ASSERT_TRUE(model.load_from_file(LUMENO_SAMPLES_DIR "/house.skp"));
  EXPECT_EQ(check_model_invariants(model), "");
  // Textures from the committed PNG files, shared by the faces that use them; glass.
  EXPECT_EQ(model.textures.size(), 3u);
  EXPECT_TRUE(model.has_transparency);
  // A layer hidden in the model, with the dimension edges on it.
  int hidden = -1;
  for (size_t i = 0; i < model.layers.size(); ++i)
    hidden = model.layers[i].name == "标注" ? static_cast<int>(i) : hidden;
  ASSERT_GE(hidden, 0);
  EXPECT_FALSE(model.is_layer_visible(hidden));
  size_t hidden_edges = 0;
  for (const EdgeData& e : model.edges) hidden_edges += e.edge_layer == hidden;
  EXPECT_EQ(hidden_edges, 4u);
  // Scenes: the last without a camera.
  ASSERT_EQ(model.scenes.size(), 5u);
  EXPECT_TRUE(model.scenes[0].has_camera && !model.scenes[4].has_camera);
  EXPECT_FALSE(model.scenes[3].perspective);
  size_t back_painted = 0;  // the partition painted only on its back shows its back colour
  for (const Triangle& t : model.triangles) {
    const TriangleVertex* v = t.vertices;
    back_painted += std::lround(v->r * 255) == 200 && std::lround(v->g * 255) == 170 &&
                    std::lround(v->b * 255) == 110;
    // The front door is an opening in the wall: nothing covers it.
    const float cx = (v[0].x + v[1].x + v[2].x) / 3, cy = (v[0].y + v[1].y + v[2].y) / 3,
                cz = (v[0].z + v[1].z + v[2].z) / 3;
    EXPECT_FALSE(std::fabs(cy) < 0.01f && cx > 150 && cx < 186 && cz > 2 && cz < 84)
        << "a triangle fills the door at " << cx << ", " << cz;
  }
  EXPECT_GT(back_painted, 0u);
}

}  // namespace
}  // namespace test
}  // namespace lumeno
