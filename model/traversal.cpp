// Entity traversal: flattens groups and component instances into world-space triangles,
// standalone edges and face outlines, without recursion, through an explicit stack of
// EntityWorkItem records.
#include <algorithm>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include "model/sdk_access.h"
#include "model/skp_model.h"
#include "sdk/sketchup_api.h"

using lumeno::model::alpha_from_opacity;
using lumeno::model::colour_alpha_undefined;
using lumeno::model::read_list;
using lumeno::model::read_value;
using lumeno::model::to_drawing_element;

namespace {

constexpr float kMinNormalLength = 0.0001f;

bool is_finite(float x, float y, float z) { return lumeno::is_finite(lumeno::Vec3{x, y, z}); }

// A group's or instance's own material colour, when one can be read.
bool element_colour(SUDrawingElementRef element, SUColor& colour) {
  const SketchUpAPI& api = SketchUpAPI::instance();
  if (api.SUDrawingElementGetMaterial == nullptr || api.SUMaterialGetColor == nullptr) {
    return false;
  }
  SUMaterialRef material = {nullptr};
  if (api.SUDrawingElementGetMaterial(element, &material) != SU_ERROR_NONE) return false;
  SUColor read = {0, 0, 0, 0};
  if (api.SUMaterialGetColor(material, &read) != SU_ERROR_NONE) return false;
  // Where the colour's alpha byte is undefined (the vendor's DLL), the opacity gives it.
  if (colour_alpha_undefined()) read.alpha = alpha_from_opacity(material);
  colour = read;
  return true;
}

// One of the mesh helper's arrays, sized once to `total` and zero-filled. The count returned is
// never trusted beyond the array it describes; 0 when the entry point is missing or fails.
template <typename T>
size_t read_mesh_array(SUResult (*get)(SUMeshHelperRef, size_t, T*, size_t*), SUMeshHelperRef mesh,
                       size_t total, std::vector<T>& out) {
  out.assign(total, T{});
  size_t count = 0;
  if (get == nullptr || get(mesh, total, out.data(), &count) != SU_ERROR_NONE) count = 0;
  return count < total ? count : total;
}

}  // namespace

void SkpModel::process_entities_iterative(SUEntitiesRef entities, const SUTransformation& transform,
                                          const SUColor& colour, bool has_colour) {
  const SketchUpAPI& api = SketchUpAPI::instance();
  std::vector<EntityWorkItem> stack;
  // Every pushed item counts towards the work bound, so neither the number of visits nor the
  // stack itself can grow past limits.work_items.
  size_t pushed = 0;
  auto push = [&](const EntityWorkItem& item) {
    if (pushed >= limits.work_items) return false;
    ++pushed;
    stack.push_back(item);
    return true;
  };

  EntityWorkItem root;
  root.entities = entities;
  root.transform = transform;
  root.colour = colour;
  root.has_colour = has_colour;
  root.inherited_layer = -1;
  root.depth = 0;
  root.share = 1.0;
  push(root);

  // Progress: each list's share of the walk is split evenly between its own faces (as one
  // block, advancing face by face) and each of its children. `done` sums the shares finished.
  double done = 0.0;

  while (!stack.empty()) {
    if (triangles.size() >= limits.triangles && stored_edge_count() >= limits.edges) break;
    if (cancel_requested()) break;
    const EntityWorkItem item = stack.back();
    stack.pop_back();
    if (item.depth > limits.depth) {
      done += item.share;
      continue;
    }
    ++work_items_visited_;

    // Outlines belong to faces: a list visited after the triangle limit adds none.
    const bool faces_open = triangles.size() < limits.triangles;
    std::vector<SUFaceRef> faces;
    if (faces_open) {
      faces = read_list(api.SUEntitiesGetNumFaces, api.SUEntitiesGetFaces, item.entities,
                        limits.list_entries);
    }
    // Children deeper than the limit would be dropped unvisited when popped; not preparing
    // them at all gives the same result without the SDK calls.
    const int32_t child_depth = item.depth + 1;
    const bool descend = child_depth <= limits.depth;
    std::vector<SUGroupRef> groups;
    std::vector<SUComponentInstanceRef> instances;
    if (descend && pushed < limits.work_items) {
      groups = read_list(api.SUEntitiesGetNumGroups, api.SUEntitiesGetGroups, item.entities,
                         limits.list_entries);
      instances = read_list(api.SUEntitiesGetNumInstances, api.SUEntitiesGetInstances,
                            item.entities, limits.list_entries);
    }
    const size_t parts = (faces.empty() ? 0 : 1) + groups.size() + instances.size();
    const double part = parts == 0 ? 0.0 : item.share / static_cast<double>(parts);

    mesh_scratch_.normal_known = false;  // a new list may bring a new transformation
    for (size_t i = 0; i < faces.size(); ++i) {
      if (triangles.size() >= limits.triangles || cancel_requested()) break;
      process_face(faces[i], item.transform, item.colour, item.has_colour, item.inherited_layer);
      report_traversal(done +
                       part * static_cast<double>(i + 1) / static_cast<double>(faces.size()));
    }
    if (stored_edge_count() < limits.edges && !cancel_requested()) {
      std::vector<SUEdgeRef> standalone;
      process_edges(item.entities, item.transform, item.inherited_layer, &standalone);
      if (faces_open) {
        process_outlines(item.entities, item.transform, item.inherited_layer,
                         std::move(standalone));
      }
    }
    // Whatever is not handed to a child counts as done now.
    double handed_on = 0.0;

    // The settings a group or instance passes on to its contents.
    auto make_child = [&](const SUTransformation& local, SUDrawingElementRef element,
                          SUEntitiesRef child_entities) {
      EntityWorkItem child;
      child.entities = child_entities;
      child.transform = multiply_transforms(item.transform, local);
      const int own_layer = get_drawing_element_layer_index(element);
      child.inherited_layer = own_layer >= 0 ? own_layer : item.inherited_layer;
      child.colour = item.colour;
      child.has_colour = item.has_colour;
      if (element_colour(element, child.colour)) child.has_colour = true;
      child.depth = child_depth;
      child.share = part;
      return child;
    };

    bool room = !cancel_requested();
    for (const SUGroupRef& group : groups) {
      if (!room) break;
      SUTransformation local = identity_transform();
      read_value(api.SUGroupGetTransform, group, identity_transform(), local);
      SUEntitiesRef child_entities = {nullptr};
      if (api.SUGroupGetEntities == nullptr ||
          api.SUGroupGetEntities(group, &child_entities) != SU_ERROR_NONE) {
        continue;
      }
      if (!push(make_child(local, to_drawing_element(group), child_entities))) {
        room = false;
        break;
      }
      handed_on += part;
    }

    for (const SUComponentInstanceRef& instance : instances) {
      if (!room) break;
      SUTransformation local = identity_transform();
      read_value(api.SUComponentInstanceGetTransform, instance, identity_transform(), local);
      if (api.SUComponentInstanceGetDefinition == nullptr ||
          api.SUComponentDefinitionGetEntities == nullptr) {
        break;
      }
      SUComponentDefinitionRef definition = {nullptr};
      if (api.SUComponentInstanceGetDefinition(instance, &definition) != SU_ERROR_NONE) {
        continue;
      }
      SUEntitiesRef child_entities = {nullptr};
      if (api.SUComponentDefinitionGetEntities(definition, &child_entities) != SU_ERROR_NONE) {
        continue;
      }
      if (!push(make_child(local, to_drawing_element(instance), child_entities))) break;
      handed_on += part;
    }
    done += item.share - handed_on;
    report_traversal(done);
  }
  report_traversal(1.0);
  mesh_scratch_ = MeshScratch{};
}

void SkpModel::process_face(SUFaceRef face, const SUTransformation& transform,
                            const SUColor& colour, bool has_colour, int inherited_layer) {
  const SketchUpAPI& api = SketchUpAPI::instance();
  const int face_layer = get_face_layer_index(face);
  const FaceAppearance look = face_appearance(face, colour, has_colour);

  if (api.SUMeshHelperCreate == nullptr) return;
  SUMeshHelperRef mesh = {nullptr};
  if (api.SUMeshHelperCreate(&mesh, face) != SU_ERROR_NONE) return;
  auto release = [&]() {
    if (api.SUMeshHelperRelease != nullptr) api.SUMeshHelperRelease(&mesh);
  };

  size_t vertex_total = 0;
  size_t triangle_total = 0;
  read_value(api.SUMeshHelperGetNumVertices, mesh, size_t{0}, vertex_total);
  read_value(api.SUMeshHelperGetNumTriangles, mesh, size_t{0}, triangle_total);
  if (vertex_total == 0 || vertex_total > limits.mesh_vertices || triangle_total == 0 ||
      triangle_total > limits.mesh_triangles) {
    release();
    return;
  }

  // Each array is sized once from the reported counts.
  MeshScratch& scratch = mesh_scratch_;
  const size_t position_count =
      read_mesh_array(api.SUMeshHelperGetVertices, mesh, vertex_total, scratch.positions);
  const size_t normal_count =
      read_mesh_array(api.SUMeshHelperGetNormals, mesh, vertex_total, scratch.normals);
  const size_t index_count =
      read_mesh_array(api.SUMeshHelperGetVertexIndices, mesh, triangle_total * 3, scratch.indices);
  size_t stq_count = 0;
  if (look.textured && look.texture_index >= 0 && api.SUMeshHelperGetFrontSTQCoords != nullptr) {
    stq_count = read_mesh_array(api.SUMeshHelperGetFrontSTQCoords, mesh, vertex_total, scratch.stq);
  }
  release();

  // Each mesh vertex is transformed once, however many triangles share it.
  const float red = look.colour.red / 255.0f;
  const float green = look.colour.green / 255.0f;
  const float blue = look.colour.blue / 255.0f;
  const float alpha = look.colour.alpha / 255.0f;
  const PointTransform to_world(transform);
  std::vector<TriangleVertex>& corners = scratch.corners;
  corners.resize(position_count);
  for (size_t index = 0; index < position_count; ++index) {
    TriangleVertex& vertex = corners[index];
    const lumeno::Vec3d position = to_world(static_cast<float>(scratch.positions[index].x),
                                            static_cast<float>(scratch.positions[index].y),
                                            static_cast<float>(scratch.positions[index].z));
    vertex.x = static_cast<float>(position.x);
    vertex.y = static_cast<float>(position.y);
    vertex.z = static_cast<float>(position.z);

    lumeno::Vec3 n{0.0f, 0.0f, 1.0f};
    if (index < normal_count) {
      n = lumeno::Vec3{static_cast<float>(scratch.normals[index].x),
                       static_cast<float>(scratch.normals[index].y),
                       static_cast<float>(scratch.normals[index].z)};
    }
    // A flat face gives every corner the same normal, and neighbouring faces often share it:
    // a normal with the same bits as the last one turned (in this list) takes that result.
    if (!scratch.normal_known || std::memcmp(&n, &scratch.normal_in, sizeof n) != 0) {
      scratch.normal_in = n;
      transform_normal(transform, n.x, n.y, n.z);
      const float length = lumeno::length(n);
      if (length > kMinNormalLength) n = lumeno::Vec3{n.x / length, n.y / length, n.z / length};
      scratch.normal_out = n;
      scratch.normal_known = true;
    }
    vertex.nx = scratch.normal_out.x;
    vertex.ny = scratch.normal_out.y;
    vertex.nz = scratch.normal_out.z;

    vertex.u = 0.0f;
    vertex.v = 0.0f;
    vertex.texture_index = -1;
    if (index < stq_count) {
      const float s = static_cast<float>(scratch.stq[index].x);
      const float t = static_cast<float>(scratch.stq[index].y);
      const float q = static_cast<float>(scratch.stq[index].z);
      vertex.u = q != 0.0f ? s / q : s;
      vertex.v = q != 0.0f ? t / q : t;
      vertex.texture_index = look.texture_index;
    }
    vertex.r = red;
    vertex.g = green;
    vertex.b = blue;
    vertex.a = alpha;
  }

  // The box grows in registers; stored triangles are finite, so min and max are exact.
  lumeno::Vec3 low{bbox_min[0], bbox_min[1], bbox_min[2]};
  lumeno::Vec3 high{bbox_max[0], bbox_max[1], bbox_max[2]};
  const std::vector<size_t>& indices = scratch.indices;
  // A point that lands at infinity or nowhere cannot be drawn, fitted or walked on.
  auto usable = [&](size_t index) {
    return index < position_count &&
           is_finite(corners[index].x, corners[index].y, corners[index].z);
  };
  for (size_t i = 0; i + 2 < index_count; i += 3) {
    if (triangles.size() >= limits.triangles) break;
    if (!usable(indices[i]) || !usable(indices[i + 1]) || !usable(indices[i + 2])) continue;
    const TriangleVertex& a = corners[indices[i]];
    const TriangleVertex& b = corners[indices[i + 1]];
    const TriangleVertex& c = corners[indices[i + 2]];
    // Only stored triangles grow the bounding box.
    for (const TriangleVertex* vertex : {&a, &b, &c}) {
      low = lumeno::Vec3{std::min(low.x, vertex->x), std::min(low.y, vertex->y),
                         std::min(low.z, vertex->z)};
      high = lumeno::Vec3{std::max(high.x, vertex->x), std::max(high.y, vertex->y),
                          std::max(high.z, vertex->z)};
    }
    // Aggregate-built, so the array's fresh memory is written once, without a zero fill first.
    triangles.push_back(Triangle{{a, b, c}, face_layer, inherited_layer});
  }
  const float grown[2][3] = {{low.x, low.y, low.z}, {high.x, high.y, high.z}};
  std::copy(grown[0], grown[0] + 3, bbox_min);
  std::copy(grown[1], grown[1] + 3, bbox_max);
}

namespace {

// Turns the edges of one entities list into world-space records: the table's end-point getters
// (or the vendor's own where the table lacks them), the list's transformation and the layer it
// inherits.
class EdgeReader {
 public:
  EdgeReader(const SkpModel& model, const SUTransformation& transform, int inherited_layer)
      : model_(model), to_world_(transform), inherited_layer_(inherited_layer) {
    const SketchUpAPI& api = SketchUpAPI::instance();
    get_start_ = api.SUEdgeGetStart != nullptr ? api.SUEdgeGetStart : api.SUEdgeGetStartVertex;
    get_end_ = api.SUEdgeGetEnd != nullptr ? api.SUEdgeGetEnd : api.SUEdgeGetEndVertex;
    get_position_ = api.SUVertexGetPosition;
  }

  bool usable() const {
    return get_start_ != nullptr && get_end_ != nullptr && get_position_ != nullptr;
  }

  // The edge's record; false when its end points are unreadable or not finite. `element` is the
  // edge as a drawing element.
  bool read(SUEdgeRef edge, SUDrawingElementRef element, EdgeData& data) const {
    data.edge_layer = model_.get_drawing_element_layer_index(element);
    data.inherited_layer = inherited_layer_;
    SUVertexRef start_vertex = {nullptr};
    SUVertexRef end_vertex = {nullptr};
    SUPoint3D start = {0.0, 0.0, 0.0};
    SUPoint3D end = {0.0, 0.0, 0.0};
    if (get_start_(edge, &start_vertex) != SU_ERROR_NONE ||
        get_end_(edge, &end_vertex) != SU_ERROR_NONE ||
        get_position_(start_vertex, &start) != SU_ERROR_NONE ||
        get_position_(end_vertex, &end) != SU_ERROR_NONE) {
      return false;
    }
    float* points[2] = {data.start, data.end};
    const SUPoint3D* sources[2] = {&start, &end};
    for (int p = 0; p < 2; ++p) {
      const lumeno::Vec3d world =
          to_world_(static_cast<float>(sources[p]->x), static_cast<float>(sources[p]->y),
                    static_cast<float>(sources[p]->z));
      points[p][0] = static_cast<float>(world.x);
      points[p][1] = static_cast<float>(world.y);
      points[p][2] = static_cast<float>(world.z);
    }
    return is_finite(data.start[0], data.start[1], data.start[2]) &&
           is_finite(data.end[0], data.end[1], data.end[2]);
  }

 private:
  const SkpModel& model_;
  const PointTransform to_world_;
  const int inherited_layer_;
  SketchUpAPI::SUEdgeGetStart_fn get_start_ = nullptr;
  SketchUpAPI::SUEdgeGetEnd_fn get_end_ = nullptr;
  SketchUpAPI::SUVertexGetPosition_fn get_position_ = nullptr;
};

// The list's edges, standalone only or all of them, at most `cap`.
std::vector<SUEdgeRef> read_edges(SUEntitiesRef entities, bool standalone_only, size_t cap) {
  const SketchUpAPI& api = SketchUpAPI::instance();
  std::vector<SUEdgeRef> list;
  if (api.SUEntitiesGetNumEdges == nullptr || api.SUEntitiesGetEdges == nullptr) return list;
  size_t wanted = 0;
  if (api.SUEntitiesGetNumEdges(entities, standalone_only, &wanted) != SU_ERROR_NONE ||
      wanted == 0) {
    return list;
  }
  if (wanted > cap) wanted = cap;
  list.assign(wanted, SUEdgeRef{nullptr});
  size_t count = 0;
  if (api.SUEntitiesGetEdges(entities, standalone_only, wanted, list.data(), &count) !=
      SU_ERROR_NONE) {
    count = 0;
  }
  if (count < list.size()) list.resize(count);
  return list;
}

// One of an edge's flags; an entry point the DLL lacks, or a failed call, reads as false.
template <typename Ref>
bool edge_flag(SUResult (*getter)(Ref, bool*), Ref ref) {
  bool value = false;
  read_value(getter, ref, false, value);
  return value;
}

// An edge a modeller sees drawn: neither softened, smoothed nor hidden.
bool is_drawn_edge(SUEdgeRef edge, SUDrawingElementRef element) {
  const SketchUpAPI& api = SketchUpAPI::instance();
  return !edge_flag(api.SUEdgeGetSoft, edge) && !edge_flag(api.SUEdgeGetSmooth, edge) &&
         !edge_flag(api.SUDrawingElementGetHidden, element);
}

}  // namespace

void SkpModel::process_edges(SUEntitiesRef entities, const SUTransformation& transform,
                             int inherited_layer, std::vector<SUEdgeRef>* standalone) {
  if (stored_edge_count() >= limits.edges) return;
  // Every standalone handle is needed to tell the outlines apart; only the first edges_per_list
  // are stored.
  const size_t cap = standalone != nullptr ? std::max(limits.edges_per_list, limits.list_entries)
                                           : limits.edges_per_list;
  std::vector<SUEdgeRef> list = read_edges(entities, true, cap);
  const EdgeReader reader(*this, transform, inherited_layer);
  const size_t stored = std::min(list.size(), limits.edges_per_list);
  for (size_t i = 0; i < stored && reader.usable(); ++i) {
    if (stored_edge_count() >= limits.edges) break;
    EdgeData data;
    if (reader.read(list[i], to_drawing_element(list[i]), data)) edges.push_back(data);
  }
  if (standalone != nullptr) *standalone = std::move(list);
}

void SkpModel::process_outlines(SUEntitiesRef entities, const SUTransformation& transform,
                                int inherited_layer, std::vector<SUEdgeRef> standalone) {
  if (stored_edge_count() >= limits.edges) return;
  const EdgeReader reader(*this, transform, inherited_layer);
  if (!reader.usable()) return;
  const auto by_handle = [](const SUEdgeRef& a, const SUEdgeRef& b) {
    return std::less<void*>()(a.ptr, b.ptr);
  };
  std::sort(standalone.begin(), standalone.end(), by_handle);
  // The standalone edges come back in this list as well; asking for room for them keeps a
  // full list of outlines within the per-list cap.
  const std::vector<SUEdgeRef> list =
      read_edges(entities, false, limits.edges_per_list + standalone.size());
  for (const SUEdgeRef& edge : list) {
    if (stored_edge_count() >= limits.edges) break;
    if (std::binary_search(standalone.begin(), standalone.end(), edge, by_handle)) continue;
    const SUDrawingElementRef element = to_drawing_element(edge);
    if (!is_drawn_edge(edge, element)) continue;
    EdgeData data;
    if (reader.read(edge, element, data)) outline_edges.push_back(data);
  }
}
