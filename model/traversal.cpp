// Entity traversal: flattens groups and component instances into world-space triangles,
// standalone edges and face outlines, without recursion, through an explicit stack of
// EntityWorkItem records.
#include <algorithm>
#include <deque>
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
  std::deque<EntityWorkItem> stack;
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
  push(root);

  while (!stack.empty()) {
    if (triangles.size() >= limits.triangles && stored_edge_count() >= limits.edges) break;
    const EntityWorkItem item = stack.back();
    stack.pop_back();
    if (item.depth > limits.depth) continue;
    ++work_items_visited_;

    // Outlines belong to faces: a list visited after the triangle limit adds none.
    const bool faces_open = triangles.size() < limits.triangles;
    if (faces_open) {
      const std::vector<SUFaceRef> faces = read_list(
          api.SUEntitiesGetNumFaces, api.SUEntitiesGetFaces, item.entities, limits.list_entries);
      for (const SUFaceRef& face : faces) {
        if (triangles.size() >= limits.triangles) break;
        process_face(face, item.transform, item.colour, item.has_colour, item.inherited_layer);
      }
    }
    if (stored_edge_count() < limits.edges) {
      std::vector<SUEdgeRef> standalone;
      process_edges(item.entities, item.transform, item.inherited_layer, &standalone);
      if (faces_open) {
        process_outlines(item.entities, item.transform, item.inherited_layer,
                         std::move(standalone));
      }
    }

    // Children deeper than the limit would be dropped unvisited when popped; not preparing
    // them at all gives the same result without the SDK calls.
    const int32_t child_depth = item.depth + 1;
    if (child_depth > limits.depth) continue;
    bool room = pushed < limits.work_items;

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
      return child;
    };

    if (room) {
      const std::vector<SUGroupRef> groups = read_list(
          api.SUEntitiesGetNumGroups, api.SUEntitiesGetGroups, item.entities, limits.list_entries);
      for (const SUGroupRef& group : groups) {
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
      }
    }

    if (room) {
      const std::vector<SUComponentInstanceRef> instances =
          read_list(api.SUEntitiesGetNumInstances, api.SUEntitiesGetInstances, item.entities,
                    limits.list_entries);
      for (const SUComponentInstanceRef& instance : instances) {
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
      }
    }
  }
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
  std::vector<SUPoint3D> positions;
  const size_t position_count =
      read_mesh_array(api.SUMeshHelperGetVertices, mesh, vertex_total, positions);
  std::vector<SUVector3D> normals;
  const size_t normal_count =
      read_mesh_array(api.SUMeshHelperGetNormals, mesh, vertex_total, normals);
  std::vector<size_t> indices;
  const size_t index_count =
      read_mesh_array(api.SUMeshHelperGetVertexIndices, mesh, triangle_total * 3, indices);
  std::vector<SUPoint3D> stq;
  size_t stq_count = 0;
  if (look.textured && look.texture_index >= 0 && api.SUMeshHelperGetFrontSTQCoords != nullptr) {
    stq_count = read_mesh_array(api.SUMeshHelperGetFrontSTQCoords, mesh, vertex_total, stq);
  }

  const float red = look.colour.red / 255.0f;
  const float green = look.colour.green / 255.0f;
  const float blue = look.colour.blue / 255.0f;
  const float alpha = look.colour.alpha / 255.0f;

  for (size_t i = 0; i + 2 < index_count; i += 3) {
    if (triangles.size() >= limits.triangles) break;
    Triangle triangle;
    triangle.face_layer = face_layer;
    triangle.inherited_layer = inherited_layer;
    bool valid = true;
    for (int k = 0; k < 3 && valid; ++k) {
      const size_t index = indices[i + k];
      if (index >= position_count) {
        valid = false;
        break;
      }
      TriangleVertex& vertex = triangle.vertices[k];
      vertex.x = static_cast<float>(positions[index].x);
      vertex.y = static_cast<float>(positions[index].y);
      vertex.z = static_cast<float>(positions[index].z);
      transform_point(transform, vertex.x, vertex.y, vertex.z);
      // A point that lands at infinity or nowhere cannot be drawn, fitted or walked on.
      if (!is_finite(vertex.x, vertex.y, vertex.z)) {
        valid = false;
        break;
      }

      if (index < normal_count) {
        vertex.nx = static_cast<float>(normals[index].x);
        vertex.ny = static_cast<float>(normals[index].y);
        vertex.nz = static_cast<float>(normals[index].z);
      } else {
        vertex.nx = 0.0f;
        vertex.ny = 0.0f;
        vertex.nz = 1.0f;
      }
      transform_normal(transform, vertex.nx, vertex.ny, vertex.nz);
      const float length = lumeno::length(lumeno::Vec3{vertex.nx, vertex.ny, vertex.nz});
      if (length > kMinNormalLength) {
        vertex.nx /= length;
        vertex.ny /= length;
        vertex.nz /= length;
      }

      if (index < stq_count) {
        const float s = static_cast<float>(stq[index].x);
        const float t = static_cast<float>(stq[index].y);
        const float q = static_cast<float>(stq[index].z);
        vertex.u = q != 0.0f ? s / q : s;
        vertex.v = q != 0.0f ? t / q : t;
        vertex.texture_index = look.texture_index;
      } else {
        vertex.u = 0.0f;
        vertex.v = 0.0f;
        vertex.texture_index = -1;
      }

      vertex.r = red;
      vertex.g = green;
      vertex.b = blue;
      vertex.a = alpha;
    }
    if (!valid) continue;
    // Only stored triangles grow the bounding box.
    for (const TriangleVertex& vertex : triangle.vertices) {
      const float p[3] = {vertex.x, vertex.y, vertex.z};
      for (int axis = 0; axis < 3; ++axis) {
        if (p[axis] < bbox_min[axis]) bbox_min[axis] = p[axis];
        if (p[axis] > bbox_max[axis]) bbox_max[axis] = p[axis];
      }
    }
    triangles.push_back(triangle);
  }
  release();
}

namespace {

// The table's end-point getters, or the vendor's own where the table lacks them.
struct EdgeReader {
  SketchUpAPI::SUEdgeGetStart_fn get_start = nullptr;
  SketchUpAPI::SUEdgeGetEnd_fn get_end = nullptr;
  SketchUpAPI::SUVertexGetPosition_fn get_position = nullptr;

  explicit EdgeReader(const SketchUpAPI& api)
      : get_start(api.SUEdgeGetStart != nullptr ? api.SUEdgeGetStart : api.SUEdgeGetStartVertex),
        get_end(api.SUEdgeGetEnd != nullptr ? api.SUEdgeGetEnd : api.SUEdgeGetEndVertex),
        get_position(api.SUVertexGetPosition) {}

  bool usable() const {
    return get_start != nullptr && get_end != nullptr && get_position != nullptr;
  }

  // The edge's end points in world space; false when unreadable or not finite.
  bool segment(SUEdgeRef edge, const SUTransformation& transform, EdgeData& data) const {
    SUVertexRef start_vertex = {nullptr};
    SUVertexRef end_vertex = {nullptr};
    SUPoint3D start = {0.0, 0.0, 0.0};
    SUPoint3D end = {0.0, 0.0, 0.0};
    if (get_start(edge, &start_vertex) != SU_ERROR_NONE ||
        get_end(edge, &end_vertex) != SU_ERROR_NONE ||
        get_position(start_vertex, &start) != SU_ERROR_NONE ||
        get_position(end_vertex, &end) != SU_ERROR_NONE) {
      return false;
    }
    float* points[2] = {data.start, data.end};
    const SUPoint3D* sources[2] = {&start, &end};
    for (int p = 0; p < 2; ++p) {
      points[p][0] = static_cast<float>(sources[p]->x);
      points[p][1] = static_cast<float>(sources[p]->y);
      points[p][2] = static_cast<float>(sources[p]->z);
      SkpModel::transform_point(transform, points[p][0], points[p][1], points[p][2]);
    }
    return is_finite(data.start[0], data.start[1], data.start[2]) &&
           is_finite(data.end[0], data.end[1], data.end[2]);
  }
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
bool is_drawn_edge(SUEdgeRef edge) {
  const SketchUpAPI& api = SketchUpAPI::instance();
  return !edge_flag(api.SUEdgeGetSoft, edge) && !edge_flag(api.SUEdgeGetSmooth, edge) &&
         !edge_flag(api.SUDrawingElementGetHidden, to_drawing_element(edge));
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
  const EdgeReader reader(SketchUpAPI::instance());
  const size_t stored = std::min(list.size(), limits.edges_per_list);
  for (size_t i = 0; i < stored && reader.usable(); ++i) {
    if (stored_edge_count() >= limits.edges) break;
    EdgeData data;
    data.edge_layer = get_drawing_element_layer_index(to_drawing_element(list[i]));
    if (!reader.segment(list[i], transform, data)) continue;
    data.inherited_layer = inherited_layer;
    edges.push_back(data);
  }
  if (standalone != nullptr) *standalone = std::move(list);
}

void SkpModel::process_outlines(SUEntitiesRef entities, const SUTransformation& transform,
                                int inherited_layer, std::vector<SUEdgeRef> standalone) {
  if (stored_edge_count() >= limits.edges) return;
  const EdgeReader reader(SketchUpAPI::instance());
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
    if (!is_drawn_edge(edge)) continue;
    EdgeData data;
    data.edge_layer = get_drawing_element_layer_index(to_drawing_element(edge));
    if (!reader.segment(edge, transform, data)) continue;
    data.inherited_layer = inherited_layer;
    outline_edges.push_back(data);
  }
}
