// Small helpers for calling the SDK table the way the vendor's DLL requires: lists read count
// first into zero-filled arrays, string objects created and released around name getters, and
// refs upcast to drawing elements with the vendor's upcasts when the DLL exports them.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "sdk/sketchup_api.h"

namespace lumeno {
namespace model {

// Held by whoever uses the SDK while a load may run on a worker thread (the worker holds it for
// the whole load), so the SDK never has two callers at once.
std::mutex& sdk_lock();

// Upcasts. Without the vendor's function the ref is passed unchanged, which the stand-in accepts.
SUDrawingElementRef to_drawing_element(SUFaceRef face);
SUDrawingElementRef to_drawing_element(SUEdgeRef edge);
SUDrawingElementRef to_drawing_element(SUGroupRef group);
SUDrawingElementRef to_drawing_element(SUComponentInstanceRef instance);

// Reads an object's name through a string object: the UTF-8 text cut to at most `max_bytes`
// bytes, never inside a multi-byte character. False (and `out` untouched) when the string
// functions are missing or any call fails.
template <typename Ref>
bool read_name(SUResult (*getter)(Ref, SUStringRef*), Ref object, size_t max_bytes,
               std::string& out);
bool read_string(SUStringRef string, size_t max_bytes, std::string& out);

// A material's opacity, 0 to 1: through the table's SUMaterialGetAlpha, or else the vendor's
// SUMaterialGetOpacity where SUMaterialGetUseOpacity says the opacity is in use (a material that
// does not use it is opaque). False when it cannot be read.
bool read_opacity(SUMaterialRef material, double& opacity);
// The alpha byte of an opacity: the integer part of opacity × 255.
SUByte opacity_alpha(double opacity);
// True when the colours SUMaterialGetColor gives carry no usable alpha byte: the vendor's DLL
// leaves it undefined, and the table then lacks SUMaterialGetAlpha (the stand-in exports it and
// fills the byte).
bool colour_alpha_undefined();
// The alpha byte a material colour gets where colour_alpha_undefined(): from the material's
// opacity, opaque (255) when that cannot be read.
SUByte alpha_from_opacity(SUMaterialRef material);

// Cuts `text` to at most `max_bytes` bytes without splitting a UTF-8 sequence.
void cut_utf8(std::string& text, size_t max_bytes);

// The list rule: count first (at most `cap`), then that many handles into a zero-filled array;
// only the returned count is used. An empty vector on any failure or a missing entry point.
template <typename Owner, typename Ref>
std::vector<Ref> read_list(SUResult (*get_count)(Owner, size_t*),
                           SUResult (*get_items)(Owner, size_t, Ref*, size_t*), Owner owner,
                           size_t cap) {
  std::vector<Ref> items;
  if (get_count == nullptr || get_items == nullptr) return items;
  size_t count = 0;
  if (get_count(owner, &count) != SU_ERROR_NONE || count == 0) return items;
  if (count > cap) count = cap;
  items.assign(count, Ref{nullptr});
  size_t returned = 0;
  if (get_items(owner, count, items.data(), &returned) != SU_ERROR_NONE) returned = 0;
  if (returned < items.size()) items.resize(returned);
  return items;
}

// The getter rule: a getter the table lacks counts as failed, and `out` changes only when the
// call succeeds. The getter writes into a copy of `start`, which is what `out` receives if the
// getter reports success without writing.
template <typename Ref, typename V>
bool read_value(SUResult (*getter)(Ref, V*), Ref object, const V& start, V& out) {
  if (getter == nullptr) return false;
  V value = start;
  if (getter(object, &value) != SU_ERROR_NONE) return false;
  out = value;
  return true;
}

template <typename Ref>
bool read_name(SUResult (*getter)(Ref, SUStringRef*), Ref object, size_t max_bytes,
               std::string& out) {
  const SketchUpAPI& api = SketchUpAPI::instance();
  if (getter == nullptr || api.SUStringCreate == nullptr || api.SUStringRelease == nullptr) {
    return false;
  }
  SUStringRef string = {nullptr};
  if (api.SUStringCreate(&string) != SU_ERROR_NONE) return false;
  bool ok = getter(object, &string) == SU_ERROR_NONE && read_string(string, max_bytes, out);
  api.SUStringRelease(&string);
  return ok;
}

}  // namespace model
}  // namespace lumeno
