// Seeded random model files with random faults (failing calls on chosen elements, hostile mesh
// overrides, textures whose sizes disagree, unknown layer and material names, self-placing
// definitions) loaded through the stand-in: every load keeps the model's invariants.
#include <gtest/gtest.h>

#include <random>

#include "tests/native/model/standin_fixture.h"
#include "tests/native/support/sdk_binding.h"

namespace lumeno {
namespace test {
namespace {

const char* const kFailNames[] = {"SUFaceGetFrontMaterial",
                                  "SUFaceGetBackMaterial",
                                  "SUMeshHelperCreate",
                                  "SUMeshHelperGetVertices",
                                  "SUMeshHelperGetNormals",
                                  "SUMeshHelperGetVertexIndices",
                                  "SUMeshHelperGetFrontSTQCoords",
                                  "SUMaterialGetColor",
                                  "SUMaterialGetAlpha",
                                  "SUMaterialGetOpacity",
                                  "SUMaterialGetTexture",
                                  "SUTextureGetImageData",
                                  "SUTextureGetDimensions",
                                  "SUGroupGetEntities",
                                  "SUGroupGetTransform",
                                  "SUComponentInstanceGetDefinition",
                                  "SUDrawingElementGetLayer",
                                  "SUDrawingElementGetMaterial",
                                  "SUFaceGetLayer",
                                  "SUEdgeGetStart",
                                  "SUEdgeGetEndVertex",
                                  "SUVertexGetPosition",
                                  "SUSceneGetCamera",
                                  "SUCameraGetPosition",
                                  "SUSceneGetName",
                                  "SULayerGetName",
                                  "SUEntitiesGetFaces",
                                  "SUEntitiesGetNumEdges",
                                  "SUEntitiesGetInstances"};

class RandomModel {
 public:
  explicit RandomModel(uint64_t seed) : random_(seed) {}

  json make() {
    json model;
    for (int i = below(5); i > 0; --i) {
      layers_.push_back("L" + std::to_string(i));
      model["layers"].push_back({{"name", layers_.back()}, {"visible", chance(4)}});
    }
    for (int i = below(5); i > 0; --i) {
      materials_.push_back("M" + std::to_string(i));
      model["materials"].push_back(material(materials_.back()));
    }
    for (int i = below(4); i > 0; --i) definitions_.push_back("D" + std::to_string(i));
    for (const std::string& name : definitions_) {
      model["definitions"].push_back({{"name", name}, {"entities", entities(0)}});
    }
    model["entities"] = entities(0);
    for (int i = below(4); i > 0; --i) {
      json scene = {{"name", "S" + std::to_string(i)}};
      if (chance(2)) {
        scene["camera"] = {{"eye", pt()},
                           {"target", pt()},
                           {"up", pt()},
                           {"perspective", chance(2)},
                           {"fov", below(120)}};
      }
      model["scenes"].push_back(maybe_fail(scene));
    }
    if (chance(10)) model["faults"] = {{"fail", {pick_fail()}}};
    return model;
  }

 private:
  int below(int n) { return static_cast<int>(random_() % static_cast<uint64_t>(n)); }
  bool chance(int one_in) { return below(one_in) == 0; }
  double coord() { return below(41) - 20; }
  json pt() { return point(coord(), coord(), coord()); }
  const char* pick_fail() { return kFailNames[below(sizeof kFailNames / sizeof kFailNames[0])]; }
  json maybe_fail(json element) {
    if (chance(6)) element["fail"] = json::array({pick_fail(), pick_fail()});
    return element;
  }
  std::string some_name(const std::vector<std::string>& names) {
    if (names.empty() || chance(5)) return "unknown";
    return names[below(static_cast<int>(names.size()))];
  }

  json material(const std::string& name) {
    json m = {{"name", name}};
    if (!chance(4)) m["color"] = {below(256), below(256), below(256), below(256)};
    if (chance(3)) m["opacity"] = below(101) / 100.0;
    if (chance(2)) {
      static const int kSizes[] = {1, 2, 3, 7, 4096, 0};
      json texture = {{"width", kSizes[below(6)]}, {"height", kSizes[below(5)]}};
      if (chance(3)) {
        texture["pixels"] = chance(2) ? "AAECAwQFBgc=" : "";
        texture["bits_per_pixel"] = below(3) * 16;
      } else {
        texture["fill"] = {below(256), below(256), below(256)};
      }
      if (chance(2)) texture["average_color"] = {1, 2, 3, 4};
      m["texture"] = maybe_fail(texture);
    }
    return maybe_fail(m);
  }

  json face() {
    json f = square(coord(), coord(), coord(), 1 + below(3));
    if (chance(3)) f["front"] = some_name(materials_);
    if (chance(3)) f["back"] = some_name(materials_);
    if (chance(2)) f["layer"] = some_name(layers_);
    for (int i = chance(2) ? 2 + below(4) : 0; i > 0; --i) {  // sometimes short of four
      f["stq"].push_back(point(below(5), below(5), below(3)));
    }
    if (chance(4)) {  // a hostile mesh: any counts, indices past the vertices
      json& mesh = f["mesh"] = {{"vertices", json::array()}};
      for (int i = below(5); i > 0; --i) mesh["vertices"].push_back(pt());
      if (chance(2)) mesh["normals"].push_back(point(0, 0, below(2)));
      for (int i = below(10); i > 0; --i) mesh["indices"].push_back(below(6));
      if (chance(2)) mesh["stq"].push_back(point(1, 1, 0));
    }
    return maybe_fail(f);
  }

  json entities(int depth) {
    json e = json::object();
    for (int i = below(4); i > 0; --i) e["faces"].push_back(face());
    for (int i = below(3); i > 0; --i) {
      json ed = edge(pt(), pt());
      if (chance(2)) ed["layer"] = some_name(layers_);
      e["edges"].push_back(maybe_fail(ed));
    }
    for (int i = depth < 3 ? below(3) : 0; i > 0; --i)
      e["groups"].push_back(placement(depth, false));
    for (int i = definitions_.empty() ? 0 : below(3); i > 0; --i) {
      e["instances"].push_back(placement(depth, true));
    }
    return e;
  }

  json placement(int depth, bool instance) {
    json p;
    if (instance) {
      p["definition"] = definitions_[below(static_cast<int>(definitions_.size()))];
    } else {
      p["entities"] = entities(depth + 1);
    }
    if (chance(2)) {
      json t = chance(2) ? translation(coord(), coord(), coord()) : quarter_turn_z();
      if (chance(4)) t[15] = chance(2) ? 0.5 : 0.0;
      p["transform"] = t;
    }
    if (chance(3)) p["material"] = some_name(materials_);
    if (chance(3)) p["layer"] = some_name(layers_);
    return maybe_fail(p);
  }

  std::mt19937_64 random_;
  std::vector<std::string> layers_, materials_, definitions_;
};

class RandomModelTest : public StandinModelTest {};

TEST_F(RandomModelTest, RandomFaultyModelsKeepTheInvariants) {
  size_t loaded = 0, textured = 0;
  for (uint64_t seed = 1; seed <= 150; ++seed) {
    const bool vendor_shaped = seed % 5 == 0, full = seed % 5 == 1;
    ASSERT_TRUE(!vendor_shaped || bind_vendor_shaped_sdk(LUMENO_STANDIN_FULL_DIR));
    ASSERT_TRUE(!full || bind_full_sdk(LUMENO_STANDIN_FULL_DIR));
    const json model = RandomModel(seed).make();
    model_.limits.triangles = 300;
    model_.limits.edges = 200;
    model_.limits.work_items = 400;
    const bool result = model_.load_from_file(write_model(model));
    ASSERT_EQ(result, model_.loaded) << "seed " << seed;
    ASSERT_EQ(check_model_invariants(model_), "") << "seed " << seed << "\n" << model.dump();
    loaded += model_.loaded;
    textured += !model_.textures.empty();
  }
  // The generator must actually reach the interesting paths, or the test proves little.
  EXPECT_GT(loaded, 90u);
  EXPECT_GT(textured, 12u);
}

}  // namespace
}  // namespace test
}  // namespace lumeno
