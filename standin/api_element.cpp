// Drawing elements: faces, edges, groups and instances seen through their common base. The
// upcasts return the same pointer, so a face, edge, group or instance ref works directly too.
#include "standin/api_support.h"

using namespace standin;

namespace {

ObjectHeader* drawing_element(void* handle) {
  if (handle == nullptr) return nullptr;
  auto* header = static_cast<ObjectHeader*>(handle);
  if (header->tag != kLiveTag) return nullptr;
  switch (header->kind) {
    case Kind::Face:
    case Kind::Edge:
    case Kind::Group:
    case Kind::Instance:
      return header;
    default:
      return nullptr;
  }
}

// Resolves a drawing element for entry point `id` and runs `body` on it as its own type.
template <class Body>
SUResult with_element(SUDrawingElementRef element, EntryId id, Body&& body) noexcept {
  return guarded([&]() -> SUResult {
    ObjectHeader* object = drawing_element(element.ptr);
    if (object == nullptr) return SU_ERROR_INVALID_INPUT;
    if (faulted(object, id)) return SU_ERROR_GENERIC;
    switch (object->kind) {
      case Kind::Face:
        return body(*static_cast<Face*>(object));
      case Kind::Edge:
        return body(*static_cast<Edge*>(object));
      case Kind::Group:
        return body(*static_cast<Group*>(object));
      default:
        return body(*static_cast<Instance*>(object));
    }
  });
}

// An element's material; a face's is its front material.
const Material* material_of(const Face& face) { return face.front; }
template <class T>
const Material* material_of(const T& element) {
  return element.material;
}

bool hidden_of(const Edge& edge) { return edge.hidden; }
template <class T>
bool hidden_of(const T&) {
  return false;
}

SUDrawingElementRef upcast(void* handle, Kind kind) noexcept {
  ObjectHeader* object = drawing_element(handle);
  return SUDrawingElementRef{object != nullptr && object->kind == kind ? object : nullptr};
}

}  // namespace

extern "C" {

SUDrawingElementRef SUFaceToDrawingElement(SUFaceRef face) { return upcast(face.ptr, Kind::Face); }
SUDrawingElementRef SUEdgeToDrawingElement(SUEdgeRef edge) { return upcast(edge.ptr, Kind::Edge); }
SUDrawingElementRef SUGroupToDrawingElement(SUGroupRef group) {
  return upcast(group.ptr, Kind::Group);
}
SUDrawingElementRef SUComponentInstanceToDrawingElement(SUComponentInstanceRef instance) {
  return upcast(instance.ptr, Kind::Instance);
}

SUResult SUDrawingElementGetMaterial(SUDrawingElementRef element, SUMaterialRef* material) {
  return with_element(element, EntryId::SUDrawingElementGetMaterial, [&](const auto& object) {
    return report_material(material_of(object), material);
  });
}

// Success with a null layer when the element names none.
SUResult SUDrawingElementGetLayer(SUDrawingElementRef element, SULayerRef* layer) {
  return with_element(element, EntryId::SUDrawingElementGetLayer,
                      [&](const auto& object) { return report_layer(object.layer, layer); });
}

// Only edges carry the flag in this format; faces, groups and instances are never hidden.
SUResult SUDrawingElementGetHidden(SUDrawingElementRef element, bool* hidden) {
  return with_element(element, EntryId::SUDrawingElementGetHidden,
                      [&](const auto& object) { return report_value(hidden, hidden_of(object)); });
}

SUResult SUFaceGetLayer(SUFaceRef face, SULayerRef* layer) {
  return with_object<Face>(face.ptr, EntryId::SUFaceGetLayer,
                           [&](Face& f) { return report_layer(f.layer, layer); });
}

SUResult SUFaceGetFrontMaterial(SUFaceRef face, SUMaterialRef* material) {
  return with_object<Face>(face.ptr, EntryId::SUFaceGetFrontMaterial,
                           [&](Face& f) { return report_material(f.front, material); });
}

SUResult SUFaceGetBackMaterial(SUFaceRef face, SUMaterialRef* material) {
  return with_object<Face>(face.ptr, EntryId::SUFaceGetBackMaterial,
                           [&](Face& f) { return report_material(f.back, material); });
}

}  // extern "C"
