// Face appearance (front and back materials, the opacity step) and texture records.
#include <gtest/gtest.h>

#include "tests/native/model/standin_fixture.h"

namespace lumeno {
namespace test {
namespace {

// Texture coordinates for a square: u is 0.5 at every corner once the face is textured.
const json kStq =
    json::array({point(0.5, 0, 1), point(0.5, 0, 1), point(0.5, 1, 1), point(0.5, 1, 1)});

class MaterialsTest : public StandinModelTest {
 protected:
  // Loads one square with the given face keys (and texture coordinates) and materials; returns
  // its first vertex.
  TriangleVertex load_face(json face_keys, const json& materials) {
    json face = square(0, 0, 0, 1);
    face_keys["stq"] = kStq;
    face.update(face_keys);
    json model = with_faces(face);
    model["materials"] = materials;
    EXPECT_TRUE(load(model));
    return model_.triangles.empty() ? TriangleVertex() : model_.triangles[0].vertices[0];
  }
};

TEST_F(MaterialsTest, FrontOpacityStep) {
  const struct {
    json opacity;  // null: absent
    float alpha;
    bool transparent;
  } cases[] = {
      {nullptr, 1.0f, false},      {0.5, 127 / 255.0f, true},   {0.995, 253 / 255.0f, false},
      {0.99, 252 / 255.0f, false}, {0.989, 252 / 255.0f, true}, {0.0, 0.0f, true},
  };
  for (const auto& c : cases) {
    json material = {{"name", "m"}, {"color", {10, 20, 30, 77}}};
    if (!c.opacity.is_null()) material["opacity"] = c.opacity;
    const TriangleVertex v = load_face({{"front", "m"}}, json::array({material}));
    EXPECT_FLOAT_EQ(v.r, 10 / 255.0f) << c.opacity;
    EXPECT_FLOAT_EQ(v.a, c.alpha) << c.opacity;
    EXPECT_EQ(model_.has_transparency, c.transparent) << c.opacity;
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
    const TriangleVertex v = load_face(keys, materials);
    EXPECT_FLOAT_EQ(v.g, 100 / 255.0f) << keys;
    EXPECT_FLOAT_EQ(v.a, 90 / 255.0f) << keys << ": no opacity step on the back";
    EXPECT_FALSE(model_.has_transparency) << keys;
    EXPECT_EQ(v.texture_index, -1) << keys;
  }
  const TriangleVertex v = load_face({{"front", "none"}, {"back", "none"}}, materials);
  EXPECT_FLOAT_EQ(v.r, 200 / 255.0f);
  EXPECT_FLOAT_EQ(v.a, 1.0f);
}

TEST_F(MaterialsTest, TexturedFaceColourSources) {
  json texture = {{"width", 2}, {"height", 2}, {"fill", {1, 2, 3}}};
  json averaged = texture;
  averaged["average_color"] = {40, 50, 60, 255};
  const struct {
    json material;
    float red, alpha;
  } cases[] = {
      {{{"color", {9, 0, 0, 255}}, {"texture", averaged}}, 9 / 255.0f, 127 / 255.0f},
      {{{"texture", averaged}}, 40 / 255.0f, 127 / 255.0f},
      {{{"texture", texture}}, 200 / 255.0f, 1.0f},  // neither: the fallback
  };
  for (const auto& c : cases) {
    json material = c.material;
    material.update({{"name", "m"}, {"opacity", 0.5}});
    const TriangleVertex v = load_face({{"front", "m"}}, json::array({material}));
    EXPECT_FLOAT_EQ(v.r, c.red) << c.material;
    EXPECT_FLOAT_EQ(v.a, c.alpha) << c.material;
    EXPECT_EQ(v.texture_index, 0) << c.material;
  }
}

TEST_F(MaterialsTest, FacesSharingATextureShareOneRecord) {
  auto textured_face = [&](double x, const char* material) {
    json face = square(x, 0, 0, 1);
    face["front"] = material;
    face["stq"] = kStq;
    return face;
  };
  auto material = [](const char* name, json texture) {
    return json{{"name", name}, {"color", {1, 1, 1, 255}}, {"texture", texture}};
  };
  json model =
      with_faces({textured_face(0, "wood"), textured_face(2, "brick"), textured_face(4, "wood")});
  model["materials"] = {material("brick", {{"width", 3}, {"height", 2}, {"fill", {10, 20, 30}}}),
                        material("wood", {{"width", 1}, {"height", 1}, {"fill", {5, 6, 7, 8}}})};
  ASSERT_TRUE(load(model));
  ASSERT_EQ(model_.textures.size(), 2u);
  // In order of first use: wood, then brick, copied as the SDK delivers them.
  const TextureData& wood = model_.textures[0];
  const TextureData& brick = model_.textures[1];
  EXPECT_TRUE(wood.index == 0 && wood.width == 1 && wood.bits_per_pixel == 32);
  EXPECT_EQ(wood.pixels, (std::vector<uint8_t>{7, 6, 5, 8})) << "blue first";
  EXPECT_TRUE(brick.index == 1 && brick.width == 3 && brick.height == 2 &&
              brick.bits_per_pixel == 24);
  EXPECT_EQ(brick.pixels.size(), 24u) << "rows of 9 bytes padded to 12";
  for (int i : {0, 4}) EXPECT_EQ(model_.triangles[i].vertices[0].texture_index, 0);
  EXPECT_EQ(model_.triangles[2].vertices[0].texture_index, 1);
}

TEST_F(MaterialsTest, TexturesOutsideTheBoundsOrUnreadableAreRejected) {
  const struct {
    json texture;
    bool accepted;
  } cases[] = {
      {{{"width", 4096}, {"height", 512}, {"fill", {1, 2, 3}}}, false},
      {{{"width", 2048}, {"height", 2048}, {"fill", {1, 2, 3}}}, true},
      {{{"width", 2049}, {"height", 1}, {"fill", {1, 2, 3}}}, false},
      {{{"width", 4}, {"height", 0}, {"fill", {1, 2, 3}}}, false},
      {{{"width", 1}, {"height", 1}, {"pixels", ""}, {"bits_per_pixel", 24}}, false},
      {{{"width", 1}, {"height", 1}, {"pixels", "AAAA"}, {"bits_per_pixel", 0}}, false},
      {{{"width", 1}, {"height", 1}, {"pixels", "AAAA"}, {"bits_per_pixel", 7}}, true},
      {{{"width", 2}, {"height", 2}, {"fill", {1, 2, 3}}, {"fail", {"SUTextureGetImageData"}}},
       false},
      {{{"width", 2}, {"height", 2}, {"fill", {1, 2, 3}}, {"fail", {"SUTextureGetImageDataSize"}}},
       false},
  };
  for (const auto& c : cases) {
    json material = {{"name", "m"}, {"color", {11, 22, 33, 255}}, {"texture", c.texture}};
    const TriangleVertex v = load_face({{"front", "m"}}, json::array({material}));
    EXPECT_EQ(model_.textures.size(), c.accepted ? 1u : 0u) << c.texture;
    EXPECT_EQ(model_.texture_cache.size(), c.accepted ? 1u : 0u) << c.texture;
    EXPECT_EQ(v.texture_index, c.accepted ? 0 : -1) << c.texture;
    EXPECT_FLOAT_EQ(v.r, 11 / 255.0f) << c.texture << ": the material colour stays";
    EXPECT_FLOAT_EQ(v.u, c.accepted ? 0.5f : 0.0f) << c.texture;
  }
}

}  // namespace
}  // namespace test
}  // namespace lumeno
