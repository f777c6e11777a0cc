// Face appearance (front and back materials, the opacity step) and texture records.
#include <gtest/gtest.h>

#include "tests/native/model/standin_fixture.h"

namespace lumeno {
namespace test {
namespace {

class MaterialsTest : public StandinModelTest {
 protected:
  // Loads one square with the given face keys and materials; returns its first vertex.
  TriangleVertex load_face(const json& face_keys, const json& materials) {
    json face = square(0, 0, 0, 1);
    for (auto it = face_keys.begin(); it != face_keys.end(); ++it) face[it.key()] = it.value();
    json model = {{"materials", materials}, {"entities", {{"faces", json::array({face})}}}};
    EXPECT_TRUE(load(model));
    if (model_.triangles.empty()) return TriangleVertex();
    return model_.triangles[0].vertices[0];
  }
};

struct OpacityCase {
  const char* name;
  json opacity;  // null: absent
  float alpha;
  bool transparent;
};

TEST_F(MaterialsTest, FrontOpacityStep) {
  const OpacityCase cases[] = {
      {"absent", nullptr, 1.0f, false},
      {"0.5", 0.5, 127 / 255.0f, true},
      {"0.995", 0.995, 253 / 255.0f, false},
      {"0.99", 0.99, 252 / 255.0f, false},
      {"0.989", 0.989, 252 / 255.0f, true},
      {"0", 0.0, 0.0f, true},
  };
  for (const OpacityCase& c : cases) {
    json material = {{"name", "m"}, {"color", {10, 20, 30, 77}}};
    if (!c.opacity.is_null()) material["opacity"] = c.opacity;
    const TriangleVertex v = load_face({{"front", "m"}}, json::array({material}));
    EXPECT_FLOAT_EQ(v.r, 10 / 255.0f) << c.name;
    EXPECT_FLOAT_EQ(v.a, c.alpha) << c.name;
    EXPECT_EQ(model_.has_transparency, c.transparent) << c.name;
  }
}

TEST_F(MaterialsTest, BackMaterialKeepsItsOwnAlpha) {
  json back = {{"name", "back"}, {"color", {0, 100, 0, 90}}, {"opacity", 0.2}};
  json colourless = {{"name", "none"}};
  struct Case {
    const char* name;
    json keys;
  } cases[] = {
      {"back only", {{"back", "back"}}},
      {"front without colour", {{"front", "none"}, {"back", "back"}}},
      {"front failing", {{"front", "back"}, {"back", "back"}, {"fail", {"SUFaceGetFrontMaterial"}}}},
  };
  for (const Case& c : cases) {
    const TriangleVertex v = load_face(c.keys, json::array({back, colourless}));
    EXPECT_FLOAT_EQ(v.g, 100 / 255.0f) << c.name;
    EXPECT_FLOAT_EQ(v.a, 90 / 255.0f) << c.name << ": no opacity step on the back";
    EXPECT_FALSE(model_.has_transparency) << c.name;
    EXPECT_EQ(v.texture_index, -1) << c.name;
  }
}

TEST_F(MaterialsTest, NoUsableMaterialGivesTheFallback) {
  json colourless = {{"name", "none"}};
  const TriangleVertex v = load_face({{"front", "none"}, {"back", "none"}}, json::array({colourless}));
  EXPECT_FLOAT_EQ(v.r, 200 / 255.0f);
  EXPECT_FLOAT_EQ(v.a, 1.0f);
}

TEST_F(MaterialsTest, TexturedFaceColourSources) {
  json texture = {{"width", 2}, {"height", 2}, {"fill", {1, 2, 3}}, {"average_color", {40, 50, 60, 255}}};
  json no_average = {{"width", 2}, {"height", 2}, {"fill", {1, 2, 3}}};
  struct Case {
    const char* name;
    json material;
    float red;
    float alpha;
  } cases[] = {
      {"material colour", {{"name", "m"}, {"color", {9, 0, 0, 255}}, {"texture", texture}, {"opacity", 0.5}}, 9 / 255.0f, 127 / 255.0f},
      {"average colour", {{"name", "m"}, {"texture", texture}, {"opacity", 0.5}}, 40 / 255.0f, 127 / 255.0f},
      {"fallback", {{"name", "m"}, {"texture", no_average}, {"opacity", 0.5}}, 200 / 255.0f, 1.0f},
  };
  for (const Case& c : cases) {
    json stq = json::array({point(0, 0, 1), point(1, 0, 1), point(1, 1, 1), point(0, 1, 1)});
    const TriangleVertex v = load_face({{"front", "m"}, {"stq", stq}}, json::array({c.material}));
    EXPECT_FLOAT_EQ(v.r, c.red) << c.name;
    EXPECT_FLOAT_EQ(v.a, c.alpha) << c.name;
    EXPECT_EQ(v.texture_index, 0) << c.name;
    ASSERT_EQ(model_.textures.size(), 1u) << c.name;
  }
}

TEST_F(MaterialsTest, FacesSharingATextureShareOneRecord) {
  json stq = json::array({point(0, 0, 1), point(1, 0, 1), point(1, 1, 1), point(0, 1, 1)});
  auto textured_face = [&](double x, const char* material) {
    json face = square(x, 0, 0, 1);
    face["front"] = material;
    face["stq"] = stq;
    return face;
  };
  json materials = json::array(
      {{{"name", "brick"}, {"color", {1, 1, 1, 255}}, {"texture", {{"width", 3}, {"height", 2}, {"fill", {10, 20, 30}}}}},
       {{"name", "wood"}, {"color", {1, 1, 1, 255}}, {"texture", {{"width", 1}, {"height", 1}, {"fill", {5, 6, 7, 8}}}}}});
  json model = {{"materials", materials},
                {"entities", {{"faces", json::array({textured_face(0, "wood"), textured_face(2, "brick"),
                                                     textured_face(4, "wood")})}}}};
  ASSERT_TRUE(load(model));
  ASSERT_EQ(model_.textures.size(), 2u);
  EXPECT_EQ(model_.texture_cache.size(), 2u);
  // In order of first use: wood, then brick.
  EXPECT_EQ(model_.textures[0].index, 0);
  EXPECT_EQ(model_.textures[0].width, 1u);
  EXPECT_EQ(model_.textures[0].bits_per_pixel, 32u);
  ASSERT_EQ(model_.textures[0].pixels.size(), 4u);
  EXPECT_EQ(model_.textures[0].pixels[0], 7) << "blue first";
  EXPECT_EQ(model_.textures[0].pixels[3], 8);
  EXPECT_EQ(model_.textures[1].index, 1);
  EXPECT_EQ(model_.textures[1].width, 3u);
  EXPECT_EQ(model_.textures[1].height, 2u);
  EXPECT_EQ(model_.textures[1].bits_per_pixel, 24u);
  EXPECT_EQ(model_.textures[1].pixels.size(), 24u) << "rows of 9 bytes padded to 12";
  EXPECT_EQ(model_.triangles[0].vertices[0].texture_index, 0);
  EXPECT_EQ(model_.triangles[2].vertices[0].texture_index, 1);
  EXPECT_EQ(model_.triangles[4].vertices[0].texture_index, 0);
}

TEST_F(MaterialsTest, TexturesOutsideTheBoundsAreRejected) {
  json stq = json::array({point(0, 0, 1), point(1, 0, 1), point(1, 1, 1), point(0, 1, 1)});
  struct Case {
    const char* name;
    json texture;
    bool accepted;
  } cases[] = {
      {"4096 x 512", {{"width", 4096}, {"height", 512}, {"fill", {1, 2, 3}}}, false},
      {"2048 x 2048", {{"width", 2048}, {"height", 2048}, {"fill", {1, 2, 3}}}, true},
      {"2049 wide", {{"width", 2049}, {"height", 1}, {"fill", {1, 2, 3}}}, false},
      {"zero high", {{"width", 4}, {"height", 0}, {"fill", {1, 2, 3}}}, false},
      {"no bytes", {{"width", 1}, {"height", 1}, {"pixels", ""}, {"bits_per_pixel", 24}}, false},
      {"no bits", {{"width", 1}, {"height", 1}, {"pixels", "AAAA"}, {"bits_per_pixel", 0}}, false},
      {"odd bits kept", {{"width", 1}, {"height", 1}, {"pixels", "AAAA"}, {"bits_per_pixel", 7}}, true},
  };
  for (const Case& c : cases) {
    json material = {{"name", "m"}, {"color", {11, 22, 33, 255}}, {"texture", c.texture}};
    const TriangleVertex v = load_face({{"front", "m"}, {"stq", stq}}, json::array({material}));
    EXPECT_EQ(model_.textures.size(), c.accepted ? 1u : 0u) << c.name;
    EXPECT_EQ(v.texture_index, c.accepted ? 0 : -1) << c.name;
    EXPECT_FLOAT_EQ(v.r, 11 / 255.0f) << c.name << ": the material colour stays";
    if (!c.accepted) {
      EXPECT_FLOAT_EQ(v.u, 0.0f) << c.name;
      EXPECT_TRUE(model_.texture_cache.empty()) << c.name;
    }
  }
}

TEST_F(MaterialsTest, TextureReadFailuresLeaveTheFaceUntextured) {
  json stq = json::array({point(0, 0, 1), point(1, 0, 1), point(1, 1, 1), point(0, 1, 1)});
  for (const char* failing : {"SUTextureGetImageData", "SUTextureGetImageDataSize"}) {
    json texture = {{"width", 2}, {"height", 2}, {"fill", {1, 2, 3}}, {"fail", {failing}}};
    json material = {{"name", "m"}, {"color", {11, 22, 33, 255}}, {"texture", texture}};
    const TriangleVertex v = load_face({{"front", "m"}, {"stq", stq}}, json::array({material}));
    EXPECT_TRUE(model_.textures.empty()) << failing;
    EXPECT_TRUE(model_.texture_cache.empty()) << failing;
    EXPECT_EQ(v.texture_index, -1) << failing;
  }
}

}  // namespace
}  // namespace test
}  // namespace lumeno
