// The vendor's SUMaterialGetColor leaves the alpha byte undefined: read through the vendor's
// functions, back-side and group colours take their alpha from the material's opacity, as front
// colours do. The stand-in's full binding keeps the colour's own byte.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/native/model/standin_fixture.h"
#include "tests/native/support/sdk_binding.h"

namespace lumeno {
namespace test {
namespace {

class VendorAlphaTest : public StandinModelTest {
 protected:
  // Alpha byte of the face whose square starts at x.
  int alpha_at(float x) const {
    for (const Triangle& t : model_.triangles) {
      float left = t.vertices[0].x;
      for (const TriangleVertex& v : t.vertices) left = std::fmin(left, v.x);
      if (left == x) return static_cast<int>(std::lround(t.vertices[0].a * 255.0f));
    }
    return -1;
  }
};

json back_face(double x, const char* material) {
  json face = square(x, 0, 0, 1);
  face["back"] = material;
  return face;
}

json painted_group(double x, const char* material) {
  return {{"material", material}, {"entities", {{"faces", json::array({square(x, 0, 0, 1)})}}}};
}

TEST_F(VendorAlphaTest, BackAndGroupColoursAreOpaqueUnlessTheOpacitySaysOtherwise) {
  const json model = {
      {"materials",
       json::array({{{"name", "tint"}, {"color", {10, 20, 30, 40}}},
                    {{"name", "half"}, {"color", {10, 20, 30, 40}}, {"opacity", 0.5}}})},
      {"entities",
       {{"faces", json::array({back_face(0, "tint"), back_face(2, "half")})},
        {"groups", json::array({painted_group(4, "tint"), painted_group(6, "half")})}}}};
  const struct {
    float x;
    int full, vendor;
  } cases[] = {{0, 40, 255}, {2, 40, 127}, {4, 40, 255}, {6, 40, 127}};

  ASSERT_TRUE(load(model));
  for (const auto& c : cases) EXPECT_EQ(alpha_at(c.x), c.full) << "full binding, x " << c.x;
  ASSERT_TRUE(bind_vendor_shaped_sdk(LUMENO_STANDIN_FULL_DIR));
  ASSERT_TRUE(load(model));
  for (const auto& c : cases) EXPECT_EQ(alpha_at(c.x), c.vendor) << "vendor-shaped, x " << c.x;
}

}  // namespace
}  // namespace test
}  // namespace lumeno
