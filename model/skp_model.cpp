// SkpModel's life cycle (construction, unload, load_from_file) and the transformation helpers.
#include "model/skp_model.h"

#include "sdk/sketchup_api.h"

namespace {

void reset_bbox(float* bbox_min, float* bbox_max) {
  for (int i = 0; i < 3; ++i) {
    bbox_min[i] = 1e10f;
    bbox_max[i] = -1e10f;
  }
}

}  // namespace

SkpModel::SkpModel() : vertex_count(0), has_transparency(false), loaded(false) {
  reset_bbox(bbox_min, bbox_max);
}

SkpModel::~SkpModel() { unload(); }

void SkpModel::unload() {
  // swap with empties so that the storage itself is freed, not just the elements.
  std::vector<Triangle>().swap(triangles);
  std::vector<EdgeData>().swap(edges);
  std::vector<TextureData>().swap(textures);
  std::vector<SceneInfo>().swap(scenes);
  std::vector<LayerInfo>().swap(layers);
  std::vector<SULayerRef>().swap(layer_refs);
  texture_cache.clear();
  vertex_count = 0;
  has_transparency = false;
  loaded = false;
  reset_bbox(bbox_min, bbox_max);
  file_path.clear();
  work_items_visited_ = 0;
}

bool SkpModel::load_from_file(const std::string& path) {
  unload();
  SketchUpAPI& api = SketchUpAPI::instance();
  if (!api.loaded) return false;

  SUModelRef model = {nullptr};
  if (api.SUModelCreateFromFile(&model, path.c_str()) != SU_ERROR_NONE) return false;
  file_path = path;

  // Layers first: every triangle and edge stores positions in layer_refs.
  load_layers(model);

  SUEntitiesRef entities = {nullptr};
  if (api.SUModelGetEntities(model, &entities) == SU_ERROR_NONE) {
    const SUColor default_colour = {200, 200, 200, 255};
    process_entities_iterative(entities, identity_transform(), default_colour, false);
  }

  load_scenes(model);
  api.SUModelRelease(&model);

  vertex_count = triangles.size() * 3;
  loaded = !triangles.empty() || !edges.empty();
  return loaded;
}

SUTransformation SkpModel::identity_transform() {
  SUTransformation t = {};
  t.values[0] = t.values[5] = t.values[10] = t.values[15] = 1.0;
  return t;
}

SUTransformation SkpModel::multiply_transforms(const SUTransformation& parent,
                                               const SUTransformation& local) {
  SUTransformation result = {};
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k) sum += parent.values[r + 4 * k] * local.values[k + 4 * c];
      result.values[r + 4 * c] = sum;
    }
  }
  return result;
}

void SkpModel::transform_point(const SUTransformation& t, float& x, float& y, float& z) {
  const double* m = t.values;
  const double px = x, py = y, pz = z;
  double tx = m[0] * px + m[4] * py + m[8] * pz + m[12];
  double ty = m[1] * px + m[5] * py + m[9] * pz + m[13];
  double tz = m[2] * px + m[6] * py + m[10] * pz + m[14];
  const double w = m[3] * px + m[7] * py + m[11] * pz + m[15];
  if (w != 0.0) {
    tx /= w;
    ty /= w;
    tz /= w;
  }
  x = static_cast<float>(tx);
  y = static_cast<float>(ty);
  z = static_cast<float>(tz);
}

void SkpModel::transform_normal(const SUTransformation& t, float& x, float& y, float& z) {
  const double* m = t.values;
  const double nx = x, ny = y, nz = z;
  x = static_cast<float>(m[0] * nx + m[4] * ny + m[8] * nz);
  y = static_cast<float>(m[1] * nx + m[5] * ny + m[9] * nz);
  z = static_cast<float>(m[2] * nx + m[6] * ny + m[10] * nz);
}
