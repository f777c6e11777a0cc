#include "tests/native/support/byte_fed_sdk.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <set>

#include "model/skp_model.h"
#include "sdk/sketchup_api.h"

namespace lumeno {
namespace test {

uint8_t ByteFeed::next() {
  if (random_ != nullptr) return static_cast<uint8_t>((*random_)() >> 56);
  if (position_ >= size_) return 0;
  return data_[position_++];
}

namespace {

ByteFeed* g_feed = nullptr;
FakeSdkReport g_report;
uintptr_t g_next_id = 1;
std::set<uintptr_t> g_meshes;
std::map<uintptr_t, std::string> g_strings;

constexpr size_t kLayerPool = 8;      // the model lists up to 6; 6 and 7 are "not among them"
constexpr size_t kTexturePool = 4;    // shared textures exercise the cache
constexpr size_t kLongList = 1000000000;

void breach(const char* what) {
  ++g_report.contract_breaches;
  if (g_report.first_breach.empty()) g_report.first_breach = what;
}

uint8_t byte() {
  ++g_report.calls;
  return g_feed->next();
}

bool fails() { return byte() % 11 == 0; }

void* new_handle() { return reinterpret_cast<void*>((g_next_id++) << 4); }

void* pool_handle(uintptr_t pool, size_t i) {
  return reinterpret_cast<void*>(((pool << 12) | (i + 1)) << 4);
}
void* layer_handle(size_t i) { return pool_handle(1, i); }
void* texture_handle(size_t i) { return pool_handle(2, i); }

// A count as a list or mesh might report it: mostly small, sometimes at or past a limit.
size_t any_count() {
  const uint8_t b = byte();
  if (b == 255) return kLongList;
  if (b == 254) return 100000;
  if (b == 253) return 99999;
  return b % 5;
}

double coordinate() {
  const uint8_t b = byte();
  if (b == 0x7f) return 1e300;
  if (b == 0x80) return std::numeric_limits<double>::quiet_NaN();
  return static_cast<double>(static_cast<int8_t>(b));
}

template <typename Ref>
bool preset_null(Ref* out, const char* what) {
  if (out == nullptr) {
    breach(what);
    return false;
  }
  if (out->ptr != nullptr) breach(what);
  return true;
}

SUResult give_handle(void** out) {
  if (fails()) return SU_ERROR_GENERIC;
  *out = new_handle();
  return SU_ERROR_NONE;
}

template <typename Ref>
SUResult list_count(Ref, size_t* count) {
  if (fails()) return SU_ERROR_GENERIC;
  *count = any_count();
  return SU_ERROR_NONE;
}

template <typename Ref>
SUResult fill_list(size_t len, Ref* items, size_t* count, void* (*make)(size_t)) {
  if (items == nullptr || count == nullptr) {
    breach("list without array or count");
    return SU_ERROR_NULL_POINTER_OUTPUT;
  }
  for (size_t i = 0; i < len; ++i) {
    if (items[i].ptr != nullptr) {
      breach("list array not zero-filled");
      break;
    }
  }
  if (fails()) return SU_ERROR_GENERIC;
  const uint8_t b = byte();
  size_t written = b % 7 == 0 ? len / 2 : len;  // sometimes fewer than asked
  for (size_t i = 0; i < written; ++i) items[i].ptr = make(i);
  *count = b == 77 ? len + 5 : written;  // sometimes a count past the array
  return SU_ERROR_NONE;
}

void* make_new(size_t) { return new_handle(); }
void* make_layer(size_t i) { return byte() % 13 == 0 ? nullptr : layer_handle(i % kLayerPool); }

void random_transform(SUTransformation* t) {
  std::memset(t, 0, sizeof *t);
  t->values[0] = t->values[5] = t->values[10] = t->values[15] = 1.0;
  switch (byte() % 6) {
    case 1:
      for (int i = 12; i < 15; ++i) t->values[i] = static_cast<int8_t>(byte());
      break;
    case 2:  // quarter turn about z
      t->values[0] = 0.0;
      t->values[1] = 1.0;
      t->values[4] = -1.0;
      t->values[5] = 0.0;
      break;
    case 3:
      t->values[15] = byte() % 2 ? 0.5 : 4.0;
      break;
    case 4:
      t->values[15] = 0.0;
      break;
    case 5:
      for (double& v : t->values) v = static_cast<int8_t>(byte()) / 16.0;
      break;
    default:
      break;
  }
}

// ---- the fake entry points ----

void fake_initialize() {}
void fake_terminate() {}

SUResult fake_model_create(SUModelRef* model, const char* path) {
  if (path == nullptr) breach("null path");
  if (!preset_null(model, "model not preset")) return SU_ERROR_NULL_POINTER_OUTPUT;
  return give_handle(&model->ptr);
}
SUResult fake_model_release(SUModelRef* model) {
  if (model == nullptr || model->ptr == nullptr) breach("release of no model");
  if (model != nullptr) model->ptr = nullptr;
  return SU_ERROR_NONE;
}
SUResult fake_model_entities(SUModelRef, SUEntitiesRef* out) {
  if (!preset_null(out, "entities not preset")) return SU_ERROR_NULL_POINTER_OUTPUT;
  return give_handle(&out->ptr);
}
SUResult fake_get_scenes(SUModelRef, size_t len, SUSceneRef* items, size_t* count) {
  return fill_list(len, items, count, make_new);
}
SUResult fake_get_layers(SUModelRef, size_t len, SULayerRef* items, size_t* count) {
  return fill_list(len, items, count, make_layer);
}
SUResult fake_get_faces(SUEntitiesRef, size_t len, SUFaceRef* items, size_t* count) {
  return fill_list(len, items, count, make_new);
}
SUResult fake_num_edges(SUEntitiesRef entities, bool standalone, size_t* count) {
  if (!standalone) breach("edges asked without standalone_only");
  return list_count(entities, count);
}
SUResult fake_get_edges(SUEntitiesRef, bool standalone, size_t len, SUEdgeRef* items,
                        size_t* count) {
  if (!standalone) breach("edges asked without standalone_only");
  return fill_list(len, items, count, make_new);
}
SUResult fake_get_groups(SUEntitiesRef, size_t len, SUGroupRef* items, size_t* count) {
  return fill_list(len, items, count, make_new);
}
SUResult fake_get_instances(SUEntitiesRef, size_t len, SUComponentInstanceRef* items,
                            size_t* count) {
  return fill_list(len, items, count, make_new);
}
SUResult fake_face_material(SUFaceRef, SUMaterialRef* out) {
  if (!preset_null(out, "material not preset")) return SU_ERROR_NULL_POINTER_OUTPUT;
  return give_handle(&out->ptr);
}
SUResult fake_mesh_create(SUMeshHelperRef* mesh, SUFaceRef) {
  if (!preset_null(mesh, "mesh not preset")) return SU_ERROR_NULL_POINTER_OUTPUT;
  if (fails()) return SU_ERROR_GENERIC;
  mesh->ptr = new_handle();
  g_meshes.insert(reinterpret_cast<uintptr_t>(mesh->ptr));
  return SU_ERROR_NONE;
}
SUResult fake_mesh_release(SUMeshHelperRef* mesh) {
  if (mesh == nullptr || g_meshes.erase(reinterpret_cast<uintptr_t>(mesh->ptr)) == 0) {
    breach("release of an unknown mesh");
    return SU_ERROR_INVALID_INPUT;
  }
  mesh->ptr = nullptr;
  return SU_ERROR_NONE;
}
SUResult fake_mesh_count(SUMeshHelperRef, size_t* count) {
  if (fails()) return SU_ERROR_GENERIC;
  *count = any_count();
  return SU_ERROR_NONE;
}
template <typename Point>
SUResult fill_points(size_t len, Point* points, size_t* count, bool stq) {
  if (points == nullptr || count == nullptr) {
    breach("mesh array missing");
    return SU_ERROR_NULL_POINTER_OUTPUT;
  }
  if (fails()) return SU_ERROR_GENERIC;
  const uint8_t b = byte();
  const size_t written = b % 5 == 0 ? len / 2 : len;
  for (size_t i = 0; i < written; ++i) {
    points[i].x = coordinate();
    points[i].y = coordinate();
    points[i].z = stq ? static_cast<double>(byte() % 3) : coordinate();  // q may be 0
  }
  *count = b == 99 ? len + 3 : written;
  return SU_ERROR_NONE;
}
SUResult fake_mesh_vertices(SUMeshHelperRef, size_t len, SUPoint3D* points, size_t* count) {
  return fill_points(len, points, count, false);
}
SUResult fake_mesh_normals(SUMeshHelperRef, size_t len, SUVector3D* normals, size_t* count) {
  return fill_points(len, normals, count, false);
}
SUResult fake_mesh_stq(SUMeshHelperRef, size_t len, SUPoint3D* stq, size_t* count) {
  return fill_points(len, stq, count, true);
}
SUResult fake_mesh_indices(SUMeshHelperRef, size_t len, size_t* indices, size_t* count) {
  if (indices == nullptr || count == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
  if (fails()) return SU_ERROR_GENERIC;
  const uint8_t b = byte();
  const size_t written = b % 5 == 0 ? len - len / 3 : len;
  for (size_t i = 0; i < written; ++i) {
    const uint8_t v = byte();
    indices[i] = v == 255 ? std::numeric_limits<size_t>::max() : v % 6;
  }
  *count = b == 99 ? len + 3 : written;
  return SU_ERROR_NONE;
}
SUResult fake_vertex_position(SUVertexRef, SUPoint3D* point) {
  if (fails()) return SU_ERROR_GENERIC;
  point->x = coordinate();
  point->y = coordinate();
  point->z = coordinate();
  return SU_ERROR_NONE;
}
SUResult fake_colour(SUColor* colour) {
  if (fails()) return SU_ERROR_NO_DATA;
  colour->red = byte();
  colour->green = byte();
  colour->blue = byte();
  colour->alpha = byte();
  return SU_ERROR_NONE;
}
SUResult fake_material_colour(SUMaterialRef, SUColor* colour) { return fake_colour(colour); }
SUResult fake_texture_average(SUTextureRef, SUColor* colour) { return fake_colour(colour); }
SUResult fake_opacity(SUMaterialRef, double* value) {
  if (fails()) return SU_ERROR_GENERIC;
  static const double kValues[] = {1.0, 0.5, 0.995, 0.0, -2.0, 7.0,
                                   std::numeric_limits<double>::quiet_NaN(), 0.99};
  *value = kValues[byte() % 8];
  return SU_ERROR_NONE;
}
SUResult fake_use_opacity(SUMaterialRef, bool* use) {
  if (fails()) return SU_ERROR_GENERIC;
  *use = byte() % 2 == 0;
  return SU_ERROR_NONE;
}
SUResult fake_material_texture(SUMaterialRef, SUTextureRef* texture) {
  if (!preset_null(texture, "texture not preset")) return SU_ERROR_NULL_POINTER_OUTPUT;
  if (byte() % 3 != 0) return SU_ERROR_NO_DATA;
  texture->ptr = texture_handle(byte() % kTexturePool);
  return SU_ERROR_NONE;
}
SUResult fake_texture_dimensions(SUTextureRef, size_t* width, size_t* height, double* s,
                                 double* t) {
  if (width == nullptr || height == nullptr || s == nullptr || t == nullptr) {
    breach("texture dimensions without all four outputs");
    return SU_ERROR_NULL_POINTER_OUTPUT;
  }
  if (fails()) return SU_ERROR_GENERIC;
  static const size_t kSizes[] = {0, 1, 4, 2048, 2049, 4096, 16, 3};
  *width = kSizes[byte() % 8];
  *height = kSizes[byte() % 8];
  return SU_ERROR_NONE;
}
SUResult fake_image_size(SUTextureRef, size_t* size, size_t* bits) {
  if (fails()) return SU_ERROR_GENERIC;
  static const size_t kBytes[] = {0, 1, 48, 64, 4096, 16777217, 12, 3};
  static const size_t kBits[] = {0, 8, 24, 32, 7, 24, 32, 24};
  *size = kBytes[byte() % 8];
  *bits = kBits[byte() % 8];
  return SU_ERROR_NONE;
}
SUResult fake_image_data(SUTextureRef, size_t size, SUByte* pixels) {
  if (pixels == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
  if (fails()) return SU_ERROR_GENERIC;
  for (size_t i = 0; i < size; ++i) pixels[i] = static_cast<SUByte>(i * 7);
  return SU_ERROR_NONE;
}
SUResult fake_group_entities(SUGroupRef, SUEntitiesRef* out) {
  if (!preset_null(out, "entities not preset")) return SU_ERROR_NULL_POINTER_OUTPUT;
  return give_handle(&out->ptr);
}
SUResult fake_group_transform(SUGroupRef, SUTransformation* t) {
  if (fails()) return SU_ERROR_GENERIC;
  random_transform(t);
  return SU_ERROR_NONE;
}
SUResult fake_instance_definition(SUComponentInstanceRef, SUComponentDefinitionRef* out) {
  if (!preset_null(out, "definition not preset")) return SU_ERROR_NULL_POINTER_OUTPUT;
  return give_handle(&out->ptr);
}
SUResult fake_instance_transform(SUComponentInstanceRef, SUTransformation* t) {
  if (fails()) return SU_ERROR_GENERIC;
  random_transform(t);
  return SU_ERROR_NONE;
}
SUResult fake_definition_entities(SUComponentDefinitionRef, SUEntitiesRef* out) {
  if (!preset_null(out, "entities not preset")) return SU_ERROR_NULL_POINTER_OUTPUT;
  return give_handle(&out->ptr);
}
SUResult fake_edge_vertex(SUEdgeRef, SUVertexRef* out) {
  if (!preset_null(out, "vertex not preset")) return SU_ERROR_NULL_POINTER_OUTPUT;
  return give_handle(&out->ptr);
}
SUResult fake_name(SUStringRef* name) {
  if (name == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
  auto it = g_strings.find(reinterpret_cast<uintptr_t>(name->ptr));
  if (it == g_strings.end()) {
    breach("name into a string that was not created");
    return SU_ERROR_INVALID_OUTPUT;
  }
  if (fails()) return SU_ERROR_GENERIC;
  const uint8_t b = byte();
  const size_t length = b == 255 ? 300 : b % 12;
  std::string text;
  for (size_t i = 0; i < length; ++i) text.push_back(static_cast<char>(byte() | 1));
  it->second = text;
  return SU_ERROR_NONE;
}
SUResult fake_scene_name(SUSceneRef, SUStringRef* name) { return fake_name(name); }
SUResult fake_layer_name(SULayerRef, SUStringRef* name) { return fake_name(name); }
SUResult fake_scene_camera(SUSceneRef, SUCameraRef* camera) {
  if (!preset_null(camera, "camera not preset")) return SU_ERROR_NULL_POINTER_OUTPUT;
  return give_handle(&camera->ptr);
}
SUResult fake_camera_point(SUCameraRef, SUPoint3D* point) { return fake_vertex_position({}, point); }
SUResult fake_camera_up(SUCameraRef, SUVector3D* up) {
  if (fails()) return SU_ERROR_GENERIC;
  up->x = coordinate();
  up->y = coordinate();
  up->z = coordinate();
  return SU_ERROR_NONE;
}
SUResult fake_camera_perspective(SUCameraRef, bool* perspective) {
  if (fails()) return SU_ERROR_GENERIC;
  *perspective = byte() % 2 == 0;
  return SU_ERROR_NONE;
}
SUResult fake_camera_fov(SUCameraRef, double* fov) {
  if (fails()) return SU_ERROR_NO_DATA;
  *fov = byte();
  return SU_ERROR_NONE;
}
SUResult fake_camera_orientation(SUCameraRef camera, SUPoint3D* eye, SUPoint3D* target,
                                 SUVector3D* up) {
  if (eye == nullptr || target == nullptr || up == nullptr) {
    breach("orientation without all three outputs");
    return SU_ERROR_NULL_POINTER_OUTPUT;
  }
  if (fake_camera_point(camera, eye) != SU_ERROR_NONE) return SU_ERROR_GENERIC;
  fake_camera_point(camera, target);
  fake_camera_up(camera, up);
  return SU_ERROR_NONE;
}
SUResult fake_layer_visibility(SULayerRef, bool* visible) {
  if (fails()) return SU_ERROR_GENERIC;
  *visible = byte() % 3 != 0;
  return SU_ERROR_NONE;
}
SUResult give_layer(SULayerRef* layer) {
  if (!preset_null(layer, "layer not preset")) return SU_ERROR_NULL_POINTER_OUTPUT;
  if (fails()) return SU_ERROR_GENERIC;
  const uint8_t b = byte();
  layer->ptr = b % 5 == 0 ? nullptr : layer_handle(b % kLayerPool);
  return SU_ERROR_NONE;
}
SUResult fake_face_layer(SUFaceRef, SULayerRef* layer) { return give_layer(layer); }
SUResult fake_element_layer(SUDrawingElementRef element, SULayerRef* layer) {
  if (element.ptr == nullptr) return SU_ERROR_NULL_POINTER_INPUT;
  return give_layer(layer);
}
SUResult fake_element_material(SUDrawingElementRef, SUMaterialRef* out) {
  if (!preset_null(out, "material not preset")) return SU_ERROR_NULL_POINTER_OUTPUT;
  return give_handle(&out->ptr);
}
template <typename Ref>
SUDrawingElementRef fake_upcast(Ref ref) {
  return SUDrawingElementRef{byte() % 17 == 0 ? nullptr : ref.ptr};
}
SUResult fake_string_create(SUStringRef* string) {
  if (!preset_null(string, "string not preset")) return SU_ERROR_NULL_POINTER_OUTPUT;
  string->ptr = new_handle();
  g_strings[reinterpret_cast<uintptr_t>(string->ptr)] = std::string();
  return SU_ERROR_NONE;
}
SUResult fake_string_release(SUStringRef* string) {
  if (string == nullptr || g_strings.erase(reinterpret_cast<uintptr_t>(string->ptr)) == 0) {
    breach("release of an unknown string");
    return SU_ERROR_INVALID_INPUT;
  }
  string->ptr = nullptr;
  return SU_ERROR_NONE;
}
SUResult fake_string_length(SUStringRef string, size_t* length) {
  auto it = g_strings.find(reinterpret_cast<uintptr_t>(string.ptr));
  if (it == g_strings.end() || length == nullptr) return SU_ERROR_INVALID_INPUT;
  *length = it->second.size();
  return SU_ERROR_NONE;
}
SUResult fake_string_utf8(SUStringRef string, size_t len, char* buffer, size_t* copied) {
  auto it = g_strings.find(reinterpret_cast<uintptr_t>(string.ptr));
  if (it == g_strings.end()) return SU_ERROR_INVALID_INPUT;
  if (buffer == nullptr || copied == nullptr || len == 0) {
    breach("string read without buffer or copied");
    return SU_ERROR_NULL_POINTER_OUTPUT;
  }
  const size_t n = it->second.size() < len - 1 ? it->second.size() : len - 1;
  std::memcpy(buffer, it->second.data(), n);
  buffer[n] = '\0';
  *copied = n;
  return SU_ERROR_NONE;
}

struct Entry {
  const char* name;
  void* address;
  bool required;
};

template <typename Fn>
void* address_of(Fn fn) {
  void* address = nullptr;
  static_assert(sizeof fn == sizeof address, "function pointers are pointer-sized");
  std::memcpy(&address, &fn, sizeof address);
  return address;
}

#define LUMENO_ENTRY(name, fn, required) \
  Entry { name, address_of(fn), required }

const std::vector<Entry>& entries() {
  static const std::vector<Entry> table = {
      LUMENO_ENTRY("SUInitialize", &fake_initialize, true),
      LUMENO_ENTRY("SUTerminate", &fake_terminate, false),
      LUMENO_ENTRY("SUModelCreateFromFile", &fake_model_create, true),
      LUMENO_ENTRY("SUModelRelease", &fake_model_release, true),
      LUMENO_ENTRY("SUModelGetEntities", &fake_model_entities, true),
      LUMENO_ENTRY("SUModelGetNumScenes", &list_count<SUModelRef>, false),
      LUMENO_ENTRY("SUModelGetScenes", &fake_get_scenes, false),
      LUMENO_ENTRY("SUModelGetNumLayers", &list_count<SUModelRef>, false),
      LUMENO_ENTRY("SUModelGetLayers", &fake_get_layers, false),
      LUMENO_ENTRY("SUEntitiesGetNumFaces", &list_count<SUEntitiesRef>, true),
      LUMENO_ENTRY("SUEntitiesGetFaces", &fake_get_faces, true),
      LUMENO_ENTRY("SUEntitiesGetNumEdges", &fake_num_edges, false),
      LUMENO_ENTRY("SUEntitiesGetEdges", &fake_get_edges, false),
      LUMENO_ENTRY("SUEntitiesGetNumGroups", &list_count<SUEntitiesRef>, false),
      LUMENO_ENTRY("SUEntitiesGetGroups", &fake_get_groups, false),
      LUMENO_ENTRY("SUEntitiesGetNumInstances", &list_count<SUEntitiesRef>, false),
      LUMENO_ENTRY("SUEntitiesGetInstances", &fake_get_instances, false),
      LUMENO_ENTRY("SUFaceGetFrontMaterial", &fake_face_material, false),
      LUMENO_ENTRY("SUFaceGetBackMaterial", &fake_face_material, false),
      LUMENO_ENTRY("SUMeshHelperCreate", &fake_mesh_create, false),
      LUMENO_ENTRY("SUMeshHelperRelease", &fake_mesh_release, false),
      LUMENO_ENTRY("SUMeshHelperGetNumVertices", &fake_mesh_count, false),
      LUMENO_ENTRY("SUMeshHelperGetNumTriangles", &fake_mesh_count, false),
      LUMENO_ENTRY("SUMeshHelperGetVertices", &fake_mesh_vertices, false),
      LUMENO_ENTRY("SUMeshHelperGetNormals", &fake_mesh_normals, false),
      LUMENO_ENTRY("SUMeshHelperGetVertexIndices", &fake_mesh_indices, false),
      LUMENO_ENTRY("SUMeshHelperGetFrontSTQCoords", &fake_mesh_stq, false),
      LUMENO_ENTRY("SUVertexGetPosition", &fake_vertex_position, false),
      LUMENO_ENTRY("SUMaterialGetColor", &fake_material_colour, false),
      LUMENO_ENTRY("SUMaterialGetAlpha", &fake_opacity, false),
      LUMENO_ENTRY("SUMaterialGetOpacity", &fake_opacity, false),
      LUMENO_ENTRY("SUMaterialGetUseOpacity", &fake_use_opacity, false),
      LUMENO_ENTRY("SUMaterialGetTexture", &fake_material_texture, false),
      LUMENO_ENTRY("SUTextureGetAverageColor", &fake_texture_average, false),
      LUMENO_ENTRY("SUTextureGetDimensions", &fake_texture_dimensions, false),
      LUMENO_ENTRY("SUTextureGetImageDataSize", &fake_image_size, false),
      LUMENO_ENTRY("SUTextureGetImageData", &fake_image_data, false),
      LUMENO_ENTRY("SUGroupGetEntities", &fake_group_entities, false),
      LUMENO_ENTRY("SUGroupGetTransform", &fake_group_transform, false),
      LUMENO_ENTRY("SUComponentInstanceGetDefinition", &fake_instance_definition, false),
      LUMENO_ENTRY("SUComponentInstanceGetTransform", &fake_instance_transform, false),
      LUMENO_ENTRY("SUComponentDefinitionGetEntities", &fake_definition_entities, false),
      LUMENO_ENTRY("SUEdgeGetStart", &fake_edge_vertex, false),
      LUMENO_ENTRY("SUEdgeGetEnd", &fake_edge_vertex, false),
      LUMENO_ENTRY("SUEdgeGetStartVertex", &fake_edge_vertex, false),
      LUMENO_ENTRY("SUEdgeGetEndVertex", &fake_edge_vertex, false),
      LUMENO_ENTRY("SUSceneGetName", &fake_scene_name, false),
      LUMENO_ENTRY("SUSceneGetCamera", &fake_scene_camera, false),
      LUMENO_ENTRY("SUCameraGetPosition", &fake_camera_point, false),
      LUMENO_ENTRY("SUCameraGetTarget", &fake_camera_point, false),
      LUMENO_ENTRY("SUCameraGetUpVector", &fake_camera_up, false),
      LUMENO_ENTRY("SUCameraGetOrientation", &fake_camera_orientation, false),
      LUMENO_ENTRY("SUCameraGetPerspective", &fake_camera_perspective, false),
      LUMENO_ENTRY("SUCameraGetFOV", &fake_camera_fov, false),
      LUMENO_ENTRY("SUCameraGetPerspectiveFrustumFOV", &fake_camera_fov, false),
      LUMENO_ENTRY("SULayerGetName", &fake_layer_name, false),
      LUMENO_ENTRY("SULayerGetVisibility", &fake_layer_visibility, false),
      LUMENO_ENTRY("SUFaceGetLayer", &fake_face_layer, false),
      LUMENO_ENTRY("SUDrawingElementGetMaterial", &fake_element_material, false),
      LUMENO_ENTRY("SUDrawingElementGetLayer", &fake_element_layer, false),
      LUMENO_ENTRY("SUFaceToDrawingElement", &fake_upcast<SUFaceRef>, false),
      LUMENO_ENTRY("SUEdgeToDrawingElement", &fake_upcast<SUEdgeRef>, false),
      LUMENO_ENTRY("SUGroupToDrawingElement", &fake_upcast<SUGroupRef>, false),
      LUMENO_ENTRY("SUComponentInstanceToDrawingElement", &fake_upcast<SUComponentInstanceRef>,
                   false),
      LUMENO_ENTRY("SUStringCreate", &fake_string_create, false),
      LUMENO_ENTRY("SUStringRelease", &fake_string_release, false),
      LUMENO_ENTRY("SUStringGetUTF8Length", &fake_string_length, false),
      LUMENO_ENTRY("SUStringGetUTF8", &fake_string_utf8, false),
  };
  return table;
}

#undef LUMENO_ENTRY

void* resolve_fake(void* context, const char* name) {
  const uint64_t hide_bits = *static_cast<const uint64_t*>(context);
  size_t optional_index = 0;
  for (const Entry& entry : entries()) {
    const bool match = std::strcmp(entry.name, name) == 0;
    if (entry.required) {
      if (match) return entry.address;
      continue;
    }
    const bool hidden = (hide_bits >> (optional_index % 64)) & 1u;
    ++optional_index;
    if (match) return hidden ? nullptr : entry.address;
  }
  return nullptr;  // not implemented by the fake: absent
}

}  // namespace

void install_byte_fed_sdk(ByteFeed* feed, uint64_t hide_bits) {
  SketchUpAPI& api = SketchUpAPI::instance();
  api.unload();
  g_feed = feed;
  g_report = FakeSdkReport();
  g_meshes.clear();
  g_strings.clear();
  g_next_id = 1;
  api.lookup_entries(resolve_fake, &hide_bits);
  api.loaded = true;
}

void uninstall_byte_fed_sdk() {
  SketchUpAPI& api = SketchUpAPI::instance();
  api.loaded = false;
  api.lookup_entries([](void*, const char*) -> void* { return nullptr; }, nullptr);
  g_feed = nullptr;
}

FakeSdkReport byte_fed_sdk_report() {
  FakeSdkReport report = g_report;
  report.meshes_alive = g_meshes.size();
  report.strings_alive = g_strings.size();
  return report;
}

}  // namespace test
}  // namespace lumeno
