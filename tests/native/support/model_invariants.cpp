// The invariants of a loaded SkpModel, checked by the randomized tests and the fuzz target.
#include <string>

#include "model/skp_model.h"
#include "tests/native/support/byte_fed_sdk.h"

namespace lumeno {
namespace test {

namespace {

bool index_ok(int32_t index, size_t size) {
  return index == -1 || (index >= 0 && static_cast<size_t>(index) < size);
}

}  // namespace

std::string check_model_invariants(const SkpModel& model) {
  const SkpModel::Limits& limits = model.limits;
  const size_t layers = model.layers.size();
  if (model.vertex_count != model.triangles.size() * 3) return "vertex_count is not 3 x triangles";
  if (model.loaded != (!model.triangles.empty() || model.stored_edge_count() != 0)) {
    return "loaded does not match the presence of geometry";
  }
  if (model.triangles.size() > limits.triangles) return "more triangles than the limit";
  if (model.stored_edge_count() > limits.edges) return "more edges than the limit";
  if (model.scenes.size() > limits.scenes) return "more scenes than the limit";
  if (layers > limits.layers) return "more layers than the limit";
  if (layers != model.layer_refs.size()) return "layer_refs not parallel to layers";
  if (model.texture_cache.size() != model.textures.size()) return "texture cache size differs";
  for (size_t i = 0; i < model.textures.size(); ++i) {
    const TextureData& t = model.textures[i];
    if (t.index != static_cast<int32_t>(i)) return "texture record index wrong";
    if (t.width < 1 || t.width > limits.texture_dimension || t.height < 1 ||
        t.height > limits.texture_dimension) {
      return "texture dimensions out of bounds";
    }
    if (t.pixels.empty() || t.pixels.size() > limits.texture_bytes) {
      return "texture byte count out of bounds";
    }
    if (t.bits_per_pixel == 0) return "texture without bits per pixel";
  }
  for (const auto& entry : model.texture_cache) {
    if (entry.first == nullptr) return "null texture handle cached";
    if (entry.second == -1 || !index_ok(entry.second, model.textures.size())) {
      return "texture cache points outside textures";
    }
  }
  for (const Triangle& triangle : model.triangles) {
    if (!index_ok(triangle.face_layer, layers) || !index_ok(triangle.inherited_layer, layers)) {
      return "triangle layer index out of range";
    }
    for (const TriangleVertex& v : triangle.vertices) {
      if (!index_ok(v.texture_index, model.textures.size())) {
        return "vertex texture index out of range";
      }
      const float p[3] = {v.x, v.y, v.z};
      for (int axis = 0; axis < 3; ++axis) {
        if (!(p[axis] >= model.bbox_min[axis] && p[axis] <= model.bbox_max[axis])) {
          return "bounding box does not cover a vertex";
        }
      }
      for (float c : {v.r, v.g, v.b, v.a}) {
        if (!(c >= 0.0f && c <= 1.0f)) return "colour component outside 0..1";
      }
    }
  }
  for (int axis = 0; axis < 3 && model.triangles.empty(); ++axis) {
    if (model.bbox_min[axis] != 1e10f || model.bbox_max[axis] != -1e10f) {
      return "bounding box moved without triangles";
    }
  }
  for (const std::vector<EdgeData>* list : {&model.edges, &model.outline_edges}) {
    for (const EdgeData& edge : *list) {
      if (!index_ok(edge.edge_layer, layers) || !index_ok(edge.inherited_layer, layers)) {
        return "edge layer index out of range";
      }
    }
  }
  for (const SceneInfo& scene : model.scenes) {
    if (scene.name.size() > 255) return "scene name longer than 255 bytes";
  }
  for (const LayerInfo& layer : model.layers) {
    if (layer.name.size() > 255) return "layer name longer than 255 bytes";
  }
  return std::string();
}

}  // namespace test
}  // namespace lumeno
