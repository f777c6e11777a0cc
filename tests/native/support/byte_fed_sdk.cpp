#include "tests/native/support/byte_fed_sdk.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <map>
#include <vector>

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
std::map<uintptr_t, std::string> g_meshes;  // created, not yet released
std::map<uintptr_t, std::string> g_strings;

constexpr size_t kLayerPool = 8;    // the model lists up to 6; 6 and 7 are "not among them"
constexpr size_t kTexturePool = 4;  // shared textures exercise the cache

void breach(const char* what) {
  ++g_report.contract_breaches;
  if (g_report.first_breach.empty()) g_report.first_breach = what;
}

uint8_t byte() { return g_feed->next(); }

bool fails() { return byte() % 11 == 0; }
void* new_handle() { return reinterpret_cast<void*>((g_next_id++) << 4); }
void* pool_handle(uintptr_t pool, size_t i) {
  return reinterpret_cast<void*>(((pool << 12) | (i + 1)) << 4);
}
void* make_new(size_t) { return new_handle(); }
void* make_layer(size_t i) { return byte() % 13 == 0 ? nullptr : pool_handle(1, i % kLayerPool); }

// A count as a list or mesh might report it: mostly small, sometimes at or past a limit.
size_t any_count() {
  const uint8_t b = byte();
  if (b == 255) return 1000000000;
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

// The vendor requires every output handle to be preset to null.
template <typename Ref>
bool preset_null(Ref* out) {
  if (out == nullptr || out->ptr != nullptr) breach("output handle not preset to null");
  return out != nullptr;
}

// Any getter handing out a fresh handle (entities, materials, definitions, vertices, cameras).
template <typename Owner, typename Out>
SUResult out_handle(Owner, Out* out) {
  if (!preset_null(out)) return SU_ERROR_NULL_POINTER_OUTPUT;
  if (fails()) return SU_ERROR_GENERIC;
  out->ptr = new_handle();
  return SU_ERROR_NONE;
}

template <typename Owner>
SUResult list_count(Owner, size_t* count) {
  if (fails()) return SU_ERROR_GENERIC;
  *count = any_count();
  return SU_ERROR_NONE;
}

// Fills an array the caller sized: sometimes fewer items than asked, sometimes a count past the
// array. Handle arrays must come zero-filled.
template <typename T, typename Make>
SUResult fill(size_t len, T* items, size_t* count, Make make) {
  if (items == nullptr || count == nullptr) {
    breach("array or count missing");
    return SU_ERROR_NULL_POINTER_OUTPUT;
  }
  if (fails()) return SU_ERROR_GENERIC;
  const uint8_t b = byte();
  const size_t written = b % 5 == 0 ? len / 2 : len;
  for (size_t i = 0; i < written; ++i) items[i] = make(i);
  *count = b == 99 ? len + 3 : written;
  return SU_ERROR_NONE;
}

template <typename Ref>
SUResult fill_handles(size_t len, Ref* items, size_t* count, void* (*make)(size_t)) {
  for (size_t i = 0; items != nullptr && i < len; ++i) {
    if (items[i].ptr != nullptr) {
      breach("list array not zero-filled");
      break;
    }
  }
  return fill(len, items, count, [&](size_t i) { return Ref{make(i)}; });
}
template <typename Owner, typename Ref>
SUResult get_list(Owner, size_t len, Ref* items, size_t* count) {
  return fill_handles(len, items, count, make_new);
}
SUResult get_layers(SUModelRef, size_t len, SULayerRef* items, size_t* count) {
  return fill_handles(len, items, count, make_layer);
}
// Standalone or all edges: both lists hand out fresh handles.
SUResult num_edges(SUEntitiesRef entities, bool, size_t* count) {
  return list_count(entities, count);
}
SUResult get_edges(SUEntitiesRef, bool, size_t len, SUEdgeRef* items, size_t* count) {
  return fill_handles(len, items, count, make_new);
}

SUResult model_create(SUModelRef* model, const char* path) {
  if (path == nullptr) breach("null path");
  const SUResult result = out_handle(0, model);
  if (result == SU_ERROR_NONE) ++g_report.models_alive;
  return result;
}
SUResult model_release(SUModelRef* model) {
  if (model == nullptr || model->ptr == nullptr) {
    breach("release of no model");
  } else {
    --g_report.models_alive;
  }
  if (model != nullptr) model->ptr = nullptr;
  return SU_ERROR_NONE;
}

// Mesh helpers and strings: created into a preset handle, released once.
template <typename Ref>
SUResult create(std::map<uintptr_t, std::string>& live, Ref* ref) {
  if (!preset_null(ref)) return SU_ERROR_NULL_POINTER_OUTPUT;
  ref->ptr = new_handle();
  live[reinterpret_cast<uintptr_t>(ref->ptr)] = std::string();
  return SU_ERROR_NONE;
}
template <typename Ref>
SUResult release(std::map<uintptr_t, std::string>& live, Ref* ref) {
  if (ref == nullptr || live.erase(reinterpret_cast<uintptr_t>(ref->ptr)) == 0) {
    breach("release of an unknown mesh or string");
    return SU_ERROR_INVALID_INPUT;
  }
  ref->ptr = nullptr;
  return SU_ERROR_NONE;
}
SUResult mesh_create(SUMeshHelperRef* mesh, SUFaceRef) {
  if (mesh != nullptr && mesh->ptr == nullptr && fails()) return SU_ERROR_GENERIC;
  return create(g_meshes, mesh);
}
SUResult mesh_release(SUMeshHelperRef* mesh) { return release(g_meshes, mesh); }
SUResult string_create(SUStringRef* string) { return create(g_strings, string); }
SUResult string_release(SUStringRef* string) { return release(g_strings, string); }

// Random values of each type a getter returns.
void random_value(SUPoint3D& p) { p = {coordinate(), coordinate(), coordinate()}; }
void random_value(SUVector3D& v) { v = {coordinate(), coordinate(), coordinate()}; }
void random_value(SUColor& c) { c = {byte(), byte(), byte(), byte()}; }
void random_value(bool& flag) { flag = byte() % 3 != 0; }
void random_value(double& value) {  // opacities and fields of view
  static const double kValues[] = {
      1.0, 0.5, 0.995, 0.0, -2.0, 7.0, std::numeric_limits<double>::quiet_NaN(), 0.99, 35, 60};
  value = kValues[byte() % 10];
}
void random_value(SUTransformation& t) {
  std::memset(&t, 0, sizeof t);
  t.values[0] = t.values[5] = t.values[10] = t.values[15] = 1.0;
  switch (byte() % 6) {
    case 1:
      for (int i = 12; i < 15; ++i) t.values[i] = static_cast<int8_t>(byte());
      break;
    case 2:  // quarter turn about z
      t.values[0] = t.values[5] = 0.0;
      t.values[1] = 1.0;
      t.values[4] = -1.0;
      break;
    case 3:
      t.values[15] = byte() % 2 ? 0.5 : 4.0;
      break;
    case 4:
      t.values[15] = 0.0;
      break;
    case 5:
      for (double& v : t.values) v = static_cast<int8_t>(byte()) / 16.0;
      break;
  }
}

// Any getter of a plain value.
template <typename Ref, typename T>
SUResult get(Ref, T* out) {
  if (fails()) return SU_ERROR_NO_DATA;
  random_value(*out);
  return SU_ERROR_NONE;
}

// Mesh vertices, normals and texture coordinates (whose q may be 0), and indices.
template <bool kStq, typename Point>
SUResult mesh_points(SUMeshHelperRef, size_t len, Point* points, size_t* count) {
  return fill(len, points, count, [](size_t) {
    Point p;
    random_value(p);
    if (kStq) p.z = byte() % 3;
    return p;
  });
}
SUResult mesh_indices(SUMeshHelperRef, size_t len, size_t* indices, size_t* count) {
  return fill(len, indices, count, [](size_t) {
    const uint8_t v = byte();
    return v == 255 ? std::numeric_limits<size_t>::max() : v % 6;
  });
}

SUResult camera_orientation(SUCameraRef camera, SUPoint3D* eye, SUPoint3D* target, SUVector3D* up) {
  if (eye == nullptr || target == nullptr || up == nullptr) {
    breach("orientation without all three outputs");
    return SU_ERROR_NULL_POINTER_OUTPUT;
  }
  if (get(camera, eye) != SU_ERROR_NONE) return SU_ERROR_GENERIC;
  get(camera, target);
  get(camera, up);
  return SU_ERROR_NONE;
}

SUResult material_texture(SUMaterialRef, SUTextureRef* texture) {
  if (!preset_null(texture)) return SU_ERROR_NULL_POINTER_OUTPUT;
  if (byte() % 3 != 0) return SU_ERROR_NO_DATA;
  texture->ptr = pool_handle(2, byte() % kTexturePool);
  return SU_ERROR_NONE;
}
SUResult texture_dimensions(SUTextureRef, size_t* width, size_t* height, double* s, double* t) {
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
SUResult image_size(SUTextureRef, size_t* size, size_t* bits) {
  if (fails()) return SU_ERROR_GENERIC;
  static const size_t kBytes[] = {0, 1, 48, 64, 4096, 16777217, 12, 3};
  static const size_t kBits[] = {0, 8, 24, 32, 7, 24, 32, 24};
  *size = kBytes[byte() % 8];
  *bits = kBits[byte() % 8];
  return SU_ERROR_NONE;
}
SUResult image_data(SUTextureRef, size_t size, SUByte* pixels) {
  if (pixels == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
  if (fails()) return SU_ERROR_GENERIC;
  for (size_t i = 0; i < size; ++i) pixels[i] = static_cast<SUByte>(i * 7);
  return SU_ERROR_NONE;
}

template <typename Ref>
SUResult give_layer(Ref owner, SULayerRef* layer) {
  if (!preset_null(layer)) return SU_ERROR_NULL_POINTER_OUTPUT;
  if (owner.ptr == nullptr) return SU_ERROR_NULL_POINTER_INPUT;
  if (fails()) return SU_ERROR_GENERIC;
  const uint8_t b = byte();
  layer->ptr = b % 5 == 0 ? nullptr : pool_handle(1, b % kLayerPool);
  return SU_ERROR_NONE;
}
template <typename Ref>
SUDrawingElementRef upcast(Ref ref) {
  return SUDrawingElementRef{byte() % 17 == 0 ? nullptr : ref.ptr};
}

// Names go only into string objects the caller created and must release.
template <typename Ref>
SUResult get_name(Ref, SUStringRef* name) {
  if (name == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
  auto it = g_strings.find(reinterpret_cast<uintptr_t>(name->ptr));
  if (it == g_strings.end()) {
    breach("name into a string that was not created");
    return SU_ERROR_INVALID_OUTPUT;
  }
  if (fails()) return SU_ERROR_GENERIC;
  const uint8_t b = byte();
  it->second.assign(b == 255 ? 300 : b % 12, 'a');
  for (char& c : it->second) c = static_cast<char>(byte() | 1);
  return SU_ERROR_NONE;
}
SUResult string_length(SUStringRef string, size_t* length) {
  auto it = g_strings.find(reinterpret_cast<uintptr_t>(string.ptr));
  if (it == g_strings.end() || length == nullptr) return SU_ERROR_INVALID_INPUT;
  *length = it->second.size();
  return SU_ERROR_NONE;
}
SUResult string_utf8(SUStringRef string, size_t len, char* buffer, size_t* copied) {
  auto it = g_strings.find(reinterpret_cast<uintptr_t>(string.ptr));
  if (it == g_strings.end()) return SU_ERROR_INVALID_INPUT;
  if (buffer == nullptr || copied == nullptr || len == 0) {
    breach("string read without buffer or copied");
    return SU_ERROR_NULL_POINTER_OUTPUT;
  }
  *copied = std::min(it->second.size(), len - 1);
  std::memcpy(buffer, it->second.data(), *copied);
  buffer[*copied] = '\0';
  return SU_ERROR_NONE;
}
void nothing() {}

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

// The cast to the table's own pointer type checks each fake's signature (and picks the
// template arguments of the generic ones).
#define FAKE(name, fn, required) \
  Entry { #name, address_of(static_cast <SketchUpAPI::name##_fn>(fn)), required }
#define OPTIONAL(name, fn) FAKE(name, fn, false)

const std::vector<Entry>& entries() {
  static const std::vector<Entry> table = {
      FAKE(SUInitialize, nothing, true),
      FAKE(SUModelCreateFromFile, model_create, true),
      FAKE(SUModelRelease, model_release, true),
      FAKE(SUModelGetEntities, out_handle, true),
      FAKE(SUEntitiesGetNumFaces, list_count, true),
      FAKE(SUEntitiesGetFaces, get_list, true),
      OPTIONAL(SUTerminate, nothing),
      OPTIONAL(SUModelGetNumScenes, list_count),
      OPTIONAL(SUModelGetScenes, get_list),
      OPTIONAL(SUModelGetNumLayers, list_count),
      OPTIONAL(SUModelGetLayers, get_layers),
      OPTIONAL(SUEntitiesGetNumEdges, num_edges),
      OPTIONAL(SUEntitiesGetEdges, get_edges),
      OPTIONAL(SUEntitiesGetNumGroups, list_count),
      OPTIONAL(SUEntitiesGetGroups, get_list),
      OPTIONAL(SUEntitiesGetNumInstances, list_count),
      OPTIONAL(SUEntitiesGetInstances, get_list),
      OPTIONAL(SUFaceGetFrontMaterial, out_handle),
      OPTIONAL(SUFaceGetBackMaterial, out_handle),
      OPTIONAL(SUMeshHelperCreate, mesh_create),
      OPTIONAL(SUMeshHelperRelease, mesh_release),
      OPTIONAL(SUMeshHelperGetNumVertices, list_count),
      OPTIONAL(SUMeshHelperGetNumTriangles, list_count),
      OPTIONAL(SUMeshHelperGetVertices, mesh_points<false>),
      OPTIONAL(SUMeshHelperGetNormals, mesh_points<false>),
      OPTIONAL(SUMeshHelperGetVertexIndices, mesh_indices),
      OPTIONAL(SUMeshHelperGetFrontSTQCoords, mesh_points<true>),
      OPTIONAL(SUVertexGetPosition, get),
      OPTIONAL(SUMaterialGetColor, get),
      OPTIONAL(SUMaterialGetAlpha, get),
      OPTIONAL(SUMaterialGetOpacity, get),
      OPTIONAL(SUMaterialGetUseOpacity, get),
      OPTIONAL(SUMaterialGetTexture, material_texture),
      OPTIONAL(SUTextureGetAverageColor, get),
      OPTIONAL(SUTextureGetDimensions, texture_dimensions),
      OPTIONAL(SUTextureGetImageDataSize, image_size),
      OPTIONAL(SUTextureGetImageData, image_data),
      OPTIONAL(SUGroupGetEntities, out_handle),
      OPTIONAL(SUGroupGetTransform, get),
      OPTIONAL(SUComponentInstanceGetDefinition, out_handle),
      OPTIONAL(SUComponentInstanceGetTransform, get),
      OPTIONAL(SUComponentDefinitionGetEntities, out_handle),
      OPTIONAL(SUEdgeGetStart, out_handle),
      OPTIONAL(SUEdgeGetEnd, out_handle),
      OPTIONAL(SUEdgeGetStartVertex, out_handle),
      OPTIONAL(SUEdgeGetEndVertex, out_handle),
      OPTIONAL(SUSceneGetName, get_name),
      OPTIONAL(SUSceneGetCamera, out_handle),
      OPTIONAL(SUCameraGetPosition, get),
      OPTIONAL(SUCameraGetTarget, get),
      OPTIONAL(SUCameraGetUpVector, get),
      OPTIONAL(SUCameraGetOrientation, camera_orientation),
      OPTIONAL(SUCameraGetPerspective, get),
      OPTIONAL(SUCameraGetFOV, get),
      OPTIONAL(SUCameraGetPerspectiveFrustumFOV, get),
      OPTIONAL(SULayerGetName, get_name),
      OPTIONAL(SULayerGetVisibility, get),
      OPTIONAL(SUFaceGetLayer, give_layer),
      OPTIONAL(SUDrawingElementGetMaterial, out_handle),
      OPTIONAL(SUDrawingElementGetLayer, give_layer),
      OPTIONAL(SUFaceToDrawingElement, upcast),
      OPTIONAL(SUEdgeToDrawingElement, upcast),
      OPTIONAL(SUGroupToDrawingElement, upcast),
      OPTIONAL(SUComponentInstanceToDrawingElement, upcast),
      OPTIONAL(SUStringCreate, string_create),
      OPTIONAL(SUStringRelease, string_release),
      OPTIONAL(SUStringGetUTF8Length, string_length),
      OPTIONAL(SUStringGetUTF8, string_utf8),
      OPTIONAL(SUEdgeGetSoft, get),
      OPTIONAL(SUEdgeGetSmooth, get),
      OPTIONAL(SUDrawingElementGetHidden, get),
  };
  return table;
}

#undef OPTIONAL
#undef FAKE

// Required entries always resolve; the i-th optional one is hidden by bit (i % 64).
void* resolve_fake(void* context, const char* name) {
  const uint64_t hide_bits = *static_cast<const uint64_t*>(context);
  size_t optional_index = 0;
  for (const Entry& entry : entries()) {
    const bool hidden = !entry.required && ((hide_bits >> (optional_index++ % 64)) & 1u);
    if (std::strcmp(entry.name, name) == 0) return hidden ? nullptr : entry.address;
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
