// SkpModel's life cycle (construction, unload, load_from_file) and the transformation helpers.
#include "model/skp_model.h"

#include <algorithm>
#include <utility>

#include "model/load_progress.h"
#include "sdk/sketchup_api.h"

namespace {

void reset_bbox(float* bbox_min, float* bbox_max) {
  for (int i = 0; i < 3; ++i) {
    bbox_min[i] = 1e10f;
    bbox_max[i] = -1e10f;
  }
}

// Shares of a load's progress: the SDK opening the file (one call, no progress inside it), the
// entity walk, then the scenes.
constexpr double kOpenedShare = 0.3;
constexpr double kWalkedShare = 0.95;
template <typename T>
void trim_storage(std::vector<T>& items) {
  if (items.capacity() - items.size() > items.size() / 32) items.shrink_to_fit();
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
  std::vector<EdgeData>().swap(outline_edges);
  std::vector<TextureData>().swap(textures);
  std::vector<SceneInfo>().swap(scenes);
  std::vector<LayerInfo>().swap(layers);
  std::vector<SULayerRef>().swap(layer_refs);
  layer_positions_.clear();
  texture_cache.clear();
  mesh_scratch_ = MeshScratch{};
  vertex_count = 0;
  has_transparency = false;
  loaded = false;
  reset_bbox(bbox_min, bbox_max);
  file_path.clear();
  work_items_visited_ = 0;
  texture_bytes_copied_ = 0;
  view_box_ = ViewBox{};
  view_box_measured_ = false;
}

bool SkpModel::load_from_file(const std::string& path, lumeno::LoadProgress* progress) {
  unload();
  progress_ = progress;
  const bool result = read_file(path);
  progress_ = nullptr;
  return result;
}

bool SkpModel::read_file(const std::string& path) {
  SketchUpAPI& api = SketchUpAPI::instance();
  if (!api.loaded) return false;

  SUModelRef model = {nullptr};
  if (api.SUModelCreateFromFile(&model, path.c_str()) != SU_ERROR_NONE) return false;
  file_path = path;
  if (progress_ != nullptr) progress_->advance_to(kOpenedShare);

  // Layers first: every triangle and edge stores positions in layer_refs.
  if (!cancel_requested()) load_layers(model);

  SUEntitiesRef entities = {nullptr};
  if (!cancel_requested() && api.SUModelGetEntities(model, &entities) == SU_ERROR_NONE) {
    const SUColor default_colour = {200, 200, 200, 255};
    process_entities_iterative(entities, identity_transform(), default_colour, false);
  }

  if (!cancel_requested()) load_scenes(model);
  api.SUModelRelease(&model);
  if (cancel_requested()) {
    // Nothing of a cancelled load is kept.
    unload();
    return false;
  }
  // The arrays grew by doubling, so up to half of their storage may be unused. With the SDK's
  // copy of the model gone, that is given back where it is more than a thirty-second of what is
  // used (copying the array costs time; a smaller excess is not worth it).
  trim_storage(triangles);
  trim_storage(edges);
  trim_storage(outline_edges);

  vertex_count = triangles.size() * 3;
  loaded = !triangles.empty() || stored_edge_count() != 0;
  view_box_ = measure_view_box();
  view_box_measured_ = true;
  if (progress_ != nullptr) progress_->advance_to(1.0);
  return loaded;
}

bool SkpModel::cancel_requested() const { return progress_ != nullptr && progress_->cancelled(); }

void SkpModel::report_traversal(double fraction) {
  if (progress_ != nullptr) {
    progress_->advance_to(kOpenedShare + (kWalkedShare - kOpenedShare) * fraction);
  }
}

void SkpModel::swap(SkpModel& other) {
  using std::swap;
  swap(triangles, other.triangles);
  swap(edges, other.edges);
  swap(outline_edges, other.outline_edges);

  swap(textures, other.textures);
  for (int i = 0; i < 3; ++i) {
    swap(bbox_min[i], other.bbox_min[i]);
    swap(bbox_max[i], other.bbox_max[i]);
  }
  swap(scenes, other.scenes);
  swap(layers, other.layers);
  swap(layer_refs, other.layer_refs);
  swap(layer_positions_, other.layer_positions_);
  swap(vertex_count, other.vertex_count);
  swap(has_transparency, other.has_transparency);
  swap(loaded, other.loaded);
  swap(file_path, other.file_path);
  swap(texture_cache, other.texture_cache);
  swap(work_items_visited_, other.work_items_visited_);
  swap(texture_bytes_copied_, other.texture_bytes_copied_);
  swap(view_box_, other.view_box_);
  swap(view_box_measured_, other.view_box_measured_);
}

ViewBox SkpModel::view_box() const { return view_box_measured_ ? view_box_ : measure_view_box(); }

ViewBox SkpModel::measure_view_box() const {
  using lumeno::Vec3;
  ViewBox b;
  const Vec3 box_min{bbox_min[0], bbox_min[1], bbox_min[2]};
  const Vec3 box_max{bbox_max[0], bbox_max[1], bbox_max[2]};
  if (is_finite(box_min) && is_finite(box_max) && box_min.x <= box_max.x &&
      box_min.y <= box_max.y && box_min.z <= box_max.z) {
    b.min = box_min;
    b.max = box_max;
    return b;
  }
  // No usable box: bound the edges' finite end points, if any.
  bool any = false;
  auto grow = [&b, &any](const float p[3]) {
    const Vec3 v{p[0], p[1], p[2]};
    if (!is_finite(v)) return;
    if (!any) {
      b.min = b.max = v;
      any = true;
      return;
    }
    b.min = Vec3{std::min(b.min.x, v.x), std::min(b.min.y, v.y), std::min(b.min.z, v.z)};
    b.max = Vec3{std::max(b.max.x, v.x), std::max(b.max.y, v.y), std::max(b.max.z, v.z)};
  };
  for (const std::vector<EdgeData>* list : {&edges, &outline_edges}) {
    for (const EdgeData& e : *list) {
      grow(e.start);
      grow(e.end);
    }
  }
  return b;  // the origin when nothing was bounded
}

SUTransformation SkpModel::identity_transform() {
  SUTransformation t = {};
  t.values[0] = t.values[5] = t.values[10] = t.values[15] = 1.0;
  return t;
}

SUTransformation SkpModel::multiply_transforms(const SUTransformation& parent,
                                               const SUTransformation& local) {
  SUTransformation result = {};
  lumeno::multiply(parent.values, local.values, result.values);
  return result;
}
