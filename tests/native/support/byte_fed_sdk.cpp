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
  if (random != nullptr) return static_cast<uint8_t>((*random)() >> 56);
  return position < size ? data[position++] : 0;
}

namespace {

ByteFeed* g_feed = nullptr;
FakeSdkReport g_report;
uintptr_t g_next_id = 1;
std::map<uintptr_t, std::string> g_meshes;  // created, not yet released
std::map<uintptr_t, std::string> g_strings;

constexpr size_t kLayerPool = 8;    // the model lists up to 6; 6 and 7 are "not among them"
constexpr size_t kTexturePool = 4;  // shared textures exercise the cache

SUResult breach(const char* what, SUResult result = SU_ERROR_NULL_POINTER_OUTPUT) {
  ++g_report.contract_breaches;
  if (g_report.first_breach.empty()) g_report.first_breach = what;
  return result;
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
  return b == 255 ? 1000000000 : b == 254 ? 100000 : b == 253 ? 99999 : b % 5;
}

double coordinate() {
  const uint8_t b = byte();
  if (b == 0x7f || b == 0x80) return b == 0x7f ? 1e300 : std::numeric_limits<double>::quiet_NaN();
  return static_cast<int8_t>(b);
}

// The vendor requires every output handle to be preset to null.
template <typename Ref>
bool preset_null(Ref* out) {
  if (out == nullptr || out->ptr != nullptr) breach("output handle not preset to null");
  return out != nullptr;
}

// Any getter handing out a fresh handle (entities, materials, definitions, vertices, cameras).
template <typename Owner, typename Out>
SUResult handle(Owner, Out* out) {
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
  if (items == nullptr || count == nullptr) return breach("array or count missing");
  if (fails()) return SU_ERROR_GENERIC;
  const uint8_t b = byte();
  const size_t written = b % 5 == 0 ? len / 2 : len;
  for (size_t i = 0; i < written; ++i) items[i] = make(i);
  *count = b == 99 ? len + 3 : written;
  return SU_ERROR_NONE;
}

template <void* (*kMake)(size_t) = make_new, typename Owner, typename Ref>
SUResult get_list(Owner, size_t len, Ref* items, size_t* count) {
  if (items != nullptr && std::any_of(items, items + len, [](Ref r) { return r.ptr != nullptr; })) {
    breach("list array not zero-filled");
  }
  return fill(len, items, count, [](size_t i) { return Ref{kMake(i)}; });
}
SUResult num_edges(SUEntitiesRef e, bool, size_t* count) { return list_count(e, count); }
SUResult get_edges(SUEntitiesRef e, bool, size_t len, SUEdgeRef* items, size_t* count) {
  return get_list(e, len, items, count);
}

SUResult model_create(SUModelRef* model, const char* path) {
  if (path == nullptr) breach("null path");
  const SUResult result = handle(0, model);
  if (result == SU_ERROR_NONE) ++g_report.models_alive;
  return result;
}
SUResult model_release(SUModelRef* model) {
  if (model == nullptr || model->ptr == nullptr) return breach("release of no model");
  --g_report.models_alive, model->ptr = nullptr;
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
    return breach("release of an unknown mesh or string", SU_ERROR_INVALID_INPUT);
  }
  return ref->ptr = nullptr, SU_ERROR_NONE;
}
SUResult mesh_create(SUMeshHelperRef* mesh, SUFaceRef) {
  if (mesh != nullptr && mesh->ptr == nullptr && fails()) return SU_ERROR_GENERIC;
  return create(g_meshes, mesh);
}
SUResult mesh_release(SUMeshHelperRef* mesh) { return release(g_meshes, mesh); }
SUResult string_create(SUStringRef* string) { return create(g_strings, string); }
SUResult string_release(SUStringRef* string) { return release(g_strings, string); }

void random_value(SUPoint3D& p) { p = {coordinate(), coordinate(), coordinate()}; }
void random_value(SUVector3D& v) { v = {coordinate(), coordinate(), coordinate()}; }
void random_value(SUColor& c) { c = {byte(), byte(), byte(), byte()}; }
void random_value(bool& flag) { flag = byte() % 3 != 0; }
void random_value(double& value) {  // opacities and fields of view
  static const double kValues[] = {
      1.0, 0.5, 0.995, 0.0, -2.0, 7.0, std::numeric_limits<double>::quiet_NaN(), 0.99, 35, 60};
  value = kValues[byte() % 10];
}
void random_value(SUTransformation& t) {  // identity, moved, turned, scaled, degenerate or junk
  static const double kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  std::memcpy(t.values, kIdentity, sizeof kIdentity);
  const uint8_t kind = byte() % 6;
  for (int i = 12; kind == 1 && i < 15; ++i) t.values[i] = static_cast<int8_t>(byte());
  if (kind == 2) t.values[0] = t.values[5] = 0.0, t.values[1] = 1.0, t.values[4] = -1.0;
  if (kind == 3 || kind == 4) t.values[15] = kind == 4 ? 0.0 : byte() % 2 ? 0.5 : 4.0;
  for (int i = 0; kind == 5 && i < 16; ++i) t.values[i] = static_cast<int8_t>(byte()) / 16.0;
}

template <typename Ref, typename T>
SUResult get(Ref, T* out) {  // any getter of a plain value
  return fails() ? SU_ERROR_NO_DATA : (random_value(*out), SU_ERROR_NONE);
}

// Mesh vertices, normals and texture coordinates (whose q may be 0), and indices.
template <typename Point>
SUResult points(SUMeshHelperRef, size_t len, Point* out, size_t* count) {
  return fill(len, out, count, [](size_t) {
    return Point{coordinate(), coordinate(), coordinate()};
  });
}
SUResult stq(SUMeshHelperRef, size_t len, SUPoint3D* points, size_t* count) {
  return fill(len, points, count, [](size_t) {
    return SUPoint3D{coordinate(), coordinate(), 1.0 * (byte() % 3)};
  });
}
SUResult indices(SUMeshHelperRef, size_t len, size_t* out, size_t* count) {
  return fill(len, out, count, [](size_t) {
    const uint8_t v = byte();
    return v == 255 ? std::numeric_limits<size_t>::max() : v % 6;
  });
}

SUResult orientation(SUCameraRef camera, SUPoint3D* eye, SUPoint3D* target, SUVector3D* up) {
  if (eye == nullptr || target == nullptr || up == nullptr) return breach("orientation outputs");
  if (get(camera, eye) != SU_ERROR_NONE) return SU_ERROR_GENERIC;
  return get(camera, target), get(camera, up), SU_ERROR_NONE;
}

SUResult material_texture(SUMaterialRef, SUTextureRef* texture) {
  if (!preset_null(texture)) return SU_ERROR_NULL_POINTER_OUTPUT;
  if (byte() % 3 != 0) return SU_ERROR_NO_DATA;
  return texture->ptr = pool_handle(2, byte() % kTexturePool), SU_ERROR_NONE;
}
SUResult dimensions(SUTextureRef, size_t* width, size_t* height, double* s, double* t) {
  if (!width || !height || !s || !t) return breach("texture dimensions without all outputs");
  if (fails()) return SU_ERROR_GENERIC;
  static const size_t kSizes[] = {0, 1, 4, 2048, 2049, 4096, 16, 3};
  return *width = kSizes[byte() % 8], *height = kSizes[byte() % 8], SU_ERROR_NONE;
}
SUResult image_size(SUTextureRef, size_t* size, size_t* bits) {
  if (fails()) return SU_ERROR_GENERIC;
  static const size_t kBytes[] = {0, 1, 48, 64, 4096, 16777217, 12, 3};
  static const size_t kBits[] = {0, 8, 24, 32, 7, 24, 32, 24};
  return *size = kBytes[byte() % 8], *bits = kBits[byte() % 8], SU_ERROR_NONE;
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
  return layer->ptr = b % 5 == 0 ? nullptr : pool_handle(1, b % kLayerPool), SU_ERROR_NONE;
}
template <typename Ref>
SUDrawingElementRef cast(Ref ref) {
  return SUDrawingElementRef{byte() % 17 == 0 ? nullptr : ref.ptr};
}

// The text of a string object the caller created, or null.
std::string* text(SUStringRef string) {
  auto it = g_strings.find(reinterpret_cast<uintptr_t>(string.ptr));
  return it == g_strings.end() ? nullptr : &it->second;
}
// Names go only into string objects the caller created and must release.
template <typename Ref>
SUResult get_name(Ref, SUStringRef* name) {
  if (name == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
  std::string* out = text(*name);
  if (out == nullptr) return breach("name into a string that was not created");
  if (fails()) return SU_ERROR_GENERIC;
  const uint8_t b = byte();
  out->assign(b == 255 ? 300 : b % 12, 'a');
  for (char& c : *out) c = static_cast<char>(byte() | 1);
  return SU_ERROR_NONE;
}
SUResult string_length(SUStringRef string, size_t* length) {
  if (text(string) == nullptr || length == nullptr) return SU_ERROR_INVALID_INPUT;
  return *length = text(string)->size(), SU_ERROR_NONE;
}
SUResult string_utf8(SUStringRef string, size_t len, char* buffer, size_t* copied) {
  const std::string* in = text(string);
  if (in == nullptr) return SU_ERROR_INVALID_INPUT;
  if (!buffer || !copied || len == 0) return breach("string read without buffer or copied");
  *copied = std::min(in->size(), len - 1);
  std::memcpy(buffer, in->data(), *copied);
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
Entry entry(const char* name, Fn fn, bool required) {
  Entry e{name, nullptr, required};
  static_assert(sizeof fn == sizeof e.address, "function pointers are pointer-sized");
  return std::memcpy(&e.address, &fn, sizeof fn), e;
}
// The cast to the table's pointer type checks each fake's signature (and picks template arguments).
#define R(name, fn) entry(#name, static_cast<SketchUpAPI::name##_fn>(fn), true)
#define O(name, fn) entry(#name, static_cast<SketchUpAPI::name##_fn>(fn), false)

const std::vector<Entry>& entries() {
  // Required entries first; the i-th optional one is hidden by bit (i % 64).
  // clang-format off
  static const std::vector<Entry> table = {
      R(SUInitialize, nothing),                     R(SUModelCreateFromFile, model_create),
      R(SUModelRelease, model_release),             R(SUModelGetEntities, handle),
      R(SUEntitiesGetNumFaces, list_count),         R(SUEntitiesGetFaces, get_list),
      O(SUTerminate, nothing),                      O(SUModelGetNumScenes, list_count),
      O(SUModelGetScenes, get_list),                O(SUModelGetNumLayers, list_count),
      O(SUModelGetLayers, get_list<make_layer>),    O(SUEntitiesGetNumEdges, num_edges),
      O(SUEntitiesGetEdges, get_edges),             O(SUEntitiesGetNumGroups, list_count),
      O(SUEntitiesGetGroups, get_list),             O(SUEntitiesGetNumInstances, list_count),
      O(SUEntitiesGetInstances, get_list),          O(SUFaceGetFrontMaterial, handle),
      O(SUFaceGetBackMaterial, handle),             O(SUMeshHelperCreate, mesh_create),
      O(SUMeshHelperRelease, mesh_release),         O(SUMeshHelperGetNumVertices, list_count),
      O(SUMeshHelperGetNumTriangles, list_count),   O(SUMeshHelperGetVertices, points),
      O(SUMeshHelperGetNormals, points),            O(SUMeshHelperGetVertexIndices, indices),
      O(SUMeshHelperGetFrontSTQCoords, stq),        O(SUVertexGetPosition, get),
      O(SUMaterialGetColor, get),                   O(SUMaterialGetAlpha, get),
      O(SUMaterialGetOpacity, get),                 O(SUMaterialGetUseOpacity, get),
      O(SUMaterialGetTexture, material_texture),    O(SUTextureGetAverageColor, get),
      O(SUTextureGetDimensions, dimensions),        O(SUTextureGetImageDataSize, image_size),
      O(SUTextureGetImageData, image_data),         O(SUGroupGetEntities, handle),
      O(SUGroupGetTransform, get),                  O(SUComponentInstanceGetDefinition, handle),
      O(SUComponentInstanceGetTransform, get),      O(SUComponentDefinitionGetEntities, handle),
      O(SUEdgeGetStart, handle),                    O(SUEdgeGetEnd, handle),
      O(SUEdgeGetStartVertex, handle),              O(SUEdgeGetEndVertex, handle),
      O(SUSceneGetName, get_name),                  O(SUSceneGetCamera, handle),
      O(SUCameraGetPosition, get),                  O(SUCameraGetTarget, get),
      O(SUCameraGetUpVector, get),                  O(SUCameraGetOrientation, orientation),
      O(SUCameraGetPerspective, get),               O(SUCameraGetFOV, get),
      O(SUCameraGetPerspectiveFrustumFOV, get),     O(SULayerGetName, get_name),
      O(SULayerGetVisibility, get),                 O(SUFaceGetLayer, give_layer),
      O(SUDrawingElementGetMaterial, handle),       O(SUDrawingElementGetLayer, give_layer),
      O(SUFaceToDrawingElement, cast),              O(SUEdgeToDrawingElement, cast),
      O(SUGroupToDrawingElement, cast),             O(SUComponentInstanceToDrawingElement, cast),
      O(SUStringCreate, string_create),             O(SUStringRelease, string_release),
      O(SUStringGetUTF8Length, string_length),      O(SUStringGetUTF8, string_utf8),
      O(SUEdgeGetSoft, get),                        O(SUEdgeGetSmooth, get),
      O(SUDrawingElementGetHidden, get)};
  // clang-format on
  return table;
}

#undef O
#undef R

// Required entries always resolve; hidden optional ones and names the fake lacks are absent.
void* resolve_fake(void* context, const char* name) {
  const uint64_t hide_bits = *static_cast<const uint64_t*>(context);
  size_t optional_index = 0;
  for (const Entry& entry : entries()) {
    const bool hidden = !entry.required && ((hide_bits >> (optional_index++ % 64)) & 1u);
    if (std::strcmp(entry.name, name) == 0) return hidden ? nullptr : entry.address;
  }
  return nullptr;
}

}  // namespace

void install_byte_fed_sdk(ByteFeed* feed, uint64_t hide_bits) {
  SketchUpAPI& api = SketchUpAPI::instance();
  api.unload();
  g_feed = feed, g_report = FakeSdkReport(), g_next_id = 1;
  g_meshes.clear(), g_strings.clear();
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
  report.meshes_alive = g_meshes.size(), report.strings_alive = g_strings.size();
  return report;
}

}  // namespace test
}  // namespace lumeno
