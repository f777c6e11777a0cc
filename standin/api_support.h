// Shared machinery of the exported functions: handle checks, injected faults, list copies, name
// strings, and the guard that keeps every C++ exception on this side of the C ABI.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "standin/exports.h"
#include "standin/model.h"

namespace standin {

// A mesh helper owns copies of its arrays, so it stays usable after its face's model is released.
struct MeshHelper : ObjectHeader {
  MeshHelper() : ObjectHeader(Kind::MeshHelper) { fails = &own_fails; }
  FailSet own_fails;  // the model's and the face's faults at creation
  std::vector<SUPoint3D> vertices;
  std::vector<SUVector3D> normals;
  std::vector<size_t> indices;
  std::vector<SUPoint3D> stq;
  bool has_stq = false;
};

struct StringObject : ObjectHeader {
  StringObject() : ObjectHeader(Kind::String) {}
  std::string value;
};

// Objects the caller creates and releases (models, mesh helpers, strings) are registered, so a
// released or never-created handle is refused instead of being read.
void registry_add(ObjectHeader* object);
bool registry_contains(const void* object);
bool registry_remove(ObjectHeader* object);   // false when not registered
void registry_destroy(ObjectHeader* object);  // removes and deletes
void registry_destroy_all();

// Registers a parsed model as if SUModelCreateFromFile had opened it.
SUModelRef adopt_model(std::unique_ptr<Model> model);

// Called by SUInitialize when set (the Windows DLLs call into their companion DLLs from it).
using InitializeHook = int (*)();
void set_initialize_hook(InitializeHook hook);

template <class T>
struct KindOf;
#define LUMENO_STANDIN_KIND(type)             \
  template <>                                 \
  struct KindOf<type> {                       \
    static constexpr Kind value = Kind::type; \
  };
LUMENO_STANDIN_KIND(Model)
LUMENO_STANDIN_KIND(Entities)
LUMENO_STANDIN_KIND(Face)
LUMENO_STANDIN_KIND(Edge)
LUMENO_STANDIN_KIND(Vertex)
LUMENO_STANDIN_KIND(Group)
LUMENO_STANDIN_KIND(Instance)
LUMENO_STANDIN_KIND(Definition)
LUMENO_STANDIN_KIND(Material)
LUMENO_STANDIN_KIND(Texture)
LUMENO_STANDIN_KIND(Layer)
LUMENO_STANDIN_KIND(Scene)
LUMENO_STANDIN_KIND(Camera)
LUMENO_STANDIN_KIND(MeshHelper)
#undef LUMENO_STANDIN_KIND
template <>
struct KindOf<StringObject> {
  static constexpr Kind value = Kind::String;
};

template <class T>
constexpr bool kCallerOwned = std::is_same<T, Model>::value || std::is_same<T, MeshHelper>::value ||
                              std::is_same<T, StringObject>::value;

// The object behind a handle when it is a live object of kind T, else null.
template <class T>
T* lookup(void* handle) {
  if (handle == nullptr) return nullptr;
  if (kCallerOwned<T> && !registry_contains(handle)) return nullptr;
  auto* header = static_cast<ObjectHeader*>(handle);
  if (header->tag != kLiveTag || header->kind != KindOf<T>::value) return nullptr;
  return static_cast<T*>(header);
}

inline bool faulted(const ObjectHeader* object, EntryId id) {
  const size_t bit = static_cast<size_t>(id);
  return (object->fails != nullptr && object->fails->test(bit)) ||
         (object->model != nullptr && object->model->faults.test(bit));
}

// Resolves an input handle for entry point `id`: INVALID_INPUT for a null or foreign handle,
// GENERIC when the call is listed as failing for this element or its model.
template <class T>
SUResult resolve(void* handle, EntryId id, T** out) {
  T* object = lookup<T>(handle);
  if (object == nullptr) return SU_ERROR_INVALID_INPUT;
  if (faulted(object, id)) return SU_ERROR_GENERIC;
  *out = object;
  return SU_ERROR_NONE;
}

template <class Body>
SUResult guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return SU_ERROR_UNKNOWN_EXCEPTION;
  }
}

// The frame of nearly every getter: inside the exception guard, resolves `handle` as a T for entry
// point `id` and runs `body` on the object; a refused handle or a listed fault answers first.
template <class T, class Body>
SUResult with_object(void* handle, EntryId id, Body&& body) noexcept {
  return guarded([&]() -> SUResult {
    T* object = nullptr;
    if (SUResult r = resolve(handle, id, &object)) return r;
    return body(*object);
  });
}

// Fills at most `len` refs from `items` and reports how many.
template <class Ref, class T>
SUResult copy_refs(const std::vector<T*>& items, size_t len, Ref* out, size_t* count) {
  if (count == nullptr || (len > 0 && out == nullptr)) return SU_ERROR_NULL_POINTER_OUTPUT;
  const size_t n = std::min(len, items.size());
  for (size_t i = 0; i < n; ++i) out[i].ptr = items[i];
  *count = n;
  return SU_ERROR_NONE;
}

template <class V>
SUResult copy_values(const std::vector<V>& items, size_t len, V* out, size_t* count) {
  if (count == nullptr || (len > 0 && out == nullptr)) return SU_ERROR_NULL_POINTER_OUTPUT;
  const size_t n = std::min(len, items.size());
  std::copy(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(n), out);
  *count = n;
  return SU_ERROR_NONE;
}

inline SUResult report_count(size_t value, size_t* count) {
  if (count == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
  *count = value;
  return SU_ERROR_NONE;
}

// Writes a name into a string the caller created: INVALID_OUTPUT when it was never created.
SUResult write_name(SUStringRef* out, const std::string& text);

// Writes one value to the caller's output.
template <class Out, class V>
SUResult report_value(Out* out, const V& value) {
  if (out == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
  *out = value;
  return SU_ERROR_NONE;
}

// Writes a value the element may lack: NO_DATA when it is absent (a missing output is reported
// first).
template <class Out, class V>
SUResult report_if_present(bool present, Out* out, const V& value) {
  if (out == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
  if (!present) return SU_ERROR_NO_DATA;
  *out = value;
  return SU_ERROR_NONE;
}

// Points the caller's ref at `object`, which may be null.
template <class Ref, class T>
SUResult report_ref(T* object, Ref* out) {
  if (out == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
  out->ptr = const_cast<std::remove_const_t<T>*>(object);
  return SU_ERROR_NONE;
}

// Points the caller's ref at `object`: NO_DATA when there is none.
template <class Ref, class T>
SUResult report_present_ref(T* object, Ref* out) {
  if (out == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
  if (object == nullptr) return SU_ERROR_NO_DATA;
  out->ptr = const_cast<std::remove_const_t<T>*>(object);
  return SU_ERROR_NONE;
}

// Reports a layer (null ref when the element has none).
inline SUResult report_layer(const Layer* layer, SULayerRef* out) { return report_ref(layer, out); }

inline SUResult report_material(const Material* material, SUMaterialRef* out) {
  return report_present_ref(material, out);
}

}  // namespace standin
