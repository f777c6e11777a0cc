// The invariants of a loaded SkpModel, checked by the randomized tests and the fuzz target.
#include <string>

#include "model/skp_model.h"
#include "sdk/sketchup_api.h"
#include "tests/native/support/byte_fed_sdk.h"

namespace lumeno {
namespace test {

static bool index_ok(int32_t index, size_t size) {
  return index == -1 || (index >= 0 && static_cast<size_t>(index) < size);
}

#define REQUIRE(condition, broken) \
  if (!(condition)) return broken

std::string check_model_invariants(const SkpModel& model) {
  const SkpModel::Limits& limits = model.limits;
  const size_t layers = model.layers.size(), textures = model.textures.size();
  REQUIRE(model.vertex_count == model.triangles.size() * 3, "vertex_count is not 3 x triangles");
  REQUIRE(model.loaded == (!model.triangles.empty() || model.stored_edge_count() != 0),
          "loaded does not match the presence of geometry");
  REQUIRE(model.triangles.size() <= limits.triangles && model.stored_edge_count() <= limits.edges &&
              model.scenes.size() <= limits.scenes && layers <= limits.layers,
          "more triangles, edges, scenes or layers than the limits");
  REQUIRE(layers == model.layer_refs.size(), "layer_refs not parallel to layers");
  REQUIRE(model.texture_cache.size() == textures, "texture cache size differs");
  for (size_t i = 0; i < textures; ++i) {
    const TextureData& t = model.textures[i];
    REQUIRE(t.index == static_cast<int32_t>(i), "texture record index wrong");
    REQUIRE(t.width >= 1 && t.width <= limits.texture_dimension && t.height >= 1 &&
                t.height <= limits.texture_dimension && !t.pixels.empty() &&
                t.pixels.size() <= limits.texture_bytes && t.bits_per_pixel != 0,
            "texture dimensions, bytes or bits per pixel out of bounds");
  }
  for (const auto& entry : model.texture_cache) {
    REQUIRE(entry.first != nullptr, "null texture handle cached");
    REQUIRE(entry.second != -1 && index_ok(entry.second, textures),
            "texture cache points outside textures");
  }
  for (const Triangle& triangle : model.triangles) {
    REQUIRE(index_ok(triangle.face_layer, layers) && index_ok(triangle.inherited_layer, layers),
            "triangle layer index out of range");
    for (const TriangleVertex& v : triangle.vertices) {
      REQUIRE(index_ok(v.texture_index, textures), "vertex texture index out of range");
      for (float c : {v.r, v.g, v.b, v.a}) REQUIRE(c >= 0.0f && c <= 1.0f, "colour outside 0..1");
      const float p[3] = {v.x, v.y, v.z};
      for (int axis = 0; axis < 3; ++axis) {
        REQUIRE(p[axis] >= model.bbox_min[axis] && p[axis] <= model.bbox_max[axis],
                "bounding box does not cover a vertex");
      }
    }
  }
  for (int axis = 0; axis < 3 && model.triangles.empty(); ++axis) {
    REQUIRE(model.bbox_min[axis] == 1e10f && model.bbox_max[axis] == -1e10f,
            "bounding box moved without triangles");
  }
  for (const std::vector<EdgeData>* list : {&model.edges, &model.outline_edges}) {
    for (const EdgeData& edge : *list) {
      REQUIRE(index_ok(edge.edge_layer, layers) && index_ok(edge.inherited_layer, layers),
              "edge layer index out of range");
    }
  }
  for (const SceneInfo& scene : model.scenes) REQUIRE(scene.name.size() <= 255, "long scene name");
  for (const LayerInfo& layer : model.layers) REQUIRE(layer.name.size() <= 255, "long layer name");
  return std::string();
}

std::string load_through_byte_fed_sdk(ByteFeed* feed, uint64_t hide_bits, SkpModel& model) {
  install_byte_fed_sdk(feed, hide_bits);
  const bool result = model.load_from_file("fed.skp");
  const FakeSdkReport report = byte_fed_sdk_report();
  const bool can_release = SketchUpAPI::instance().SUMeshHelperRelease != nullptr;
  REQUIRE(result == model.loaded, "result differs from loaded");
  REQUIRE(model.work_items_visited() <= model.limits.work_items, "work bound exceeded");
  REQUIRE(report.contract_breaches == 0, report.first_breach);
  REQUIRE(report.strings_alive == 0 && (report.meshes_alive == 0 || !can_release),
          "mesh helper or string leaked");
  return check_model_invariants(model);
}

#undef REQUIRE

}  // namespace test
}  // namespace lumeno
