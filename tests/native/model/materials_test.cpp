// Face colours (front, back, opacity step, vendor alpha) and texture records (bounds, byte cap).
#include <gtest/gtest.h>

#include "tests/native/model/standin_fixture.h"
#include "tests/native/support/sdk_binding.h"

namespace lumeno {
namespace test {
namespace {

// Texture coordinates for a square: u is 0.5 at every corner once the face is textured.
const json kStq =
    json::array({point(0.5, 0, 1), point(0.5, 0, 1), point(0.5, 1, 1), point(0.5, 1, 1)});

json textured_face(double x, const std::string& material) {
  return with(square(x, 0, 0, 1), {{"front", material}, {"stq", kStq}});
}

class MaterialsTest : public StandinModelTest {
 protected:
  // Loads one square (with texture coordinates) and `face_keys`; returns its first triangle.
  Triangle load_face(const json& face_keys, const json& materials) {
    json model = with_faces(with(with(square(0, 0, 0, 1), {{"stq", kStq}}), face_keys));
    model["materials"] = materials;
    EXPECT_TRUE(load(model));
    return model_.triangles.empty() ? Triangle() : model_.triangles[0];
  }
};

TEST_F(MaterialsTest, FrontColourSourceAndOpacityStep) {
  const json texture = {{"width", 2}, {"height", 2}, {"fill", {1, 2, 3}}};
  const json averaged = with(texture, {{"average_color", {40, 50, 60, 255}}});
  const json colour = {10, 20, 30, 77};
  const struct {
    json material;
    int red, alpha;
    bool transparent;
  } cases[] = {
      {{{"color", colour}}, 10, 255, false},  // no opacity
      {{{"color", colour}, {"opacity", 0.5}}, 10, 127, true},
      {{{"color", colour}, {"opacity", 0.99}}, 10, 252, false},
      {{{"color", colour}, {"opacity", 0.989}}, 10, 252, true},
      {{{"color", colour}, {"texture", averaged}, {"opacity", 0.5}}, 10, 127, true},
      {{{"texture", averaged}, {"opacity", 0.5}}, 40, 127, true},
      {{{"texture", texture}, {"opacity", 0.5}}, 200, 255, false},  // neither: the fallback
  };
  for (const auto& c : cases) {
    const Triangle t =
        load_face({{"front", "m"}}, json::array({with(c.material, {{"name", "m"}})}));
    EXPECT_TRUE(colour_byte(t, 0) == c.red && colour_byte(t, 3) == c.alpha) << c.material;
    EXPECT_EQ(model_.has_transparency, c.transparent) << c.material;
    EXPECT_EQ(t.vertices[0].texture_index, c.material.contains("texture") ? 0 : -1) << c.material;
  }
}

TEST_F(MaterialsTest, BackMaterialKeepsItsOwnAlphaAndNoneGivesTheFallback) {
  json back = {{"name", "back"}, {"color", {0, 100, 0, 90}}, {"opacity", 0.2}};
  const json materials = json::array({back, {{"name", "none"}}});
  const json cases[] = {
      {{"back", "back"}},
      {{"front", "none"}, {"back", "back"}},  // front without colour
      {{"front", "back"}, {"back", "back"}, {"fail", {"SUFaceGetFrontMaterial"}}},
  };
  for (const json& keys : cases) {
    const Triangle t = load_face(keys, materials);
    EXPECT_TRUE(colour_byte(t, 1) == 100 && t.vertices[0].texture_index == -1) << keys;
    EXPECT_EQ(colour_byte(t, 3), 90) << keys << ": no opacity step on the back";
    EXPECT_FALSE(model_.has_transparency) << keys;
  }
  const Triangle t = load_face({{"front", "none"}, {"back", "none"}}, materials);
  EXPECT_TRUE(colour_byte(t, 0) == 200 && colour_byte(t, 3) == 255);
}

TEST_F(MaterialsTest, VendorColourAlphaIsReplacedByTheOpacity) {
  // The vendor's colour alpha byte is undefined: the alpha comes from the opacity (none: opaque).
  json back = with(square(0, 0, 0, 1), {{"back", "half"}});
  json group = with(group_at(2), {{"material", "tint"}});
  const json model = {
      {"materials",
       json::array({{{"name", "tint"}, {"color", {10, 20, 30, 40}}},
                    {{"name", "half"}, {"color", {10, 20, 30, 40}}, {"opacity", 0.5}}})},
      {"entities", {{"faces", json::array({back})}, {"groups", json::array({group})}}}};
  ASSERT_TRUE(bind_vendor_shaped_sdk(LUMENO_STANDIN_FULL_DIR));
  ASSERT_TRUE(load(model));
  ASSERT_TRUE(triangle_at(0) && triangle_at(2));
  EXPECT_EQ(colour_byte(*triangle_at(0), 3), 127) << "back face";
  EXPECT_EQ(colour_byte(*triangle_at(2), 3), 255) << "painted group";
}

TEST_F(MaterialsTest, TexturesOutsideTheBoundsOrUnreadableAreRejected) {
  const json fill = {1, 2, 3};
  const struct {
    json texture;
    bool accepted;
  } cases[] = {
      {{{"width", 2048}, {"height", 2048}, {"fill", fill}}, true},
      {{{"width", 2049}, {"height", 1}, {"fill", fill}}, false},
      {{{"width", 4}, {"height", 0}, {"fill", fill}}, false},
      {{{"width", 1}, {"height", 1}, {"pixels", ""}, {"bits_per_pixel", 24}}, false},
      {{{"width", 1}, {"height", 1}, {"pixels", "AAAA"}, {"bits_per_pixel", 0}}, false},
      {{{"width", 2}, {"height", 2}, {"fill", fill}, {"fail", {"SUTextureGetImageData"}}}, false},
  };
  for (const auto& c : cases) {
    json material = {{"name", "m"}, {"color", {11, 22, 33, 255}}, {"texture", c.texture}};
    const Triangle t = load_face({{"front", "m"}}, json::array({material}));
    EXPECT_EQ(model_.textures.size() + model_.texture_cache.size(), c.accepted ? 2u : 0u)
        << c.texture;
    EXPECT_TRUE(t.vertices[0].texture_index == (c.accepted ? 0 : -1) &&
                t.vertices[0].u == (c.accepted ? 0.5f : 0.0f))
        << c.texture;
    EXPECT_EQ(colour_byte(t, 0), 11) << c.texture << ": the material colour stays";
  }
}

TEST_F(MaterialsTest, FacesShareTextureRecordsUpToTheByteCap) {
  json model = with_faces({textured_face(0, "t0"), textured_face(2, "t1"), textured_face(4, "t0"),
                           textured_face(6, "t2")});
  for (int i = 0; i < 3; ++i) {  // 2 x 2 BGR, rows padded to 8 bytes: 16 bytes each
    const json texture = {{"width", 2}, {"height", 2}, {"fill", {i, i, i}}};
    model["materials"].push_back(
        {{"name", "t" + std::to_string(i)},
         {"texture", with(texture, {{"average_color", {100 + i, 50, 25, 255}}})}});
  }
  model_.limits.texture_bytes_per_load = 40;  // room for two
  ASSERT_TRUE(load(model));
  ASSERT_EQ(model_.textures.size(), 2u);
  const int expected[] = {0, 1, 0, -1};  // in order of first use; the third is over the cap
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(model_.triangles[2 * i].vertices[0].texture_index, expected[i]);
  EXPECT_EQ(colour_byte(model_.triangles[6], 0), 102) << "its average colour";
}

}  // namespace
}  // namespace test
}  // namespace lumeno
