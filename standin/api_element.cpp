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

SUResult open_element(SUDrawingElementRef element, EntryId id, ObjectHeader** out) {
  ObjectHeader* object = drawing_element(element.ptr);
  if (object == nullptr) return SU_ERROR_INVALID_INPUT;
  if (faulted(object, id)) return SU_ERROR_GENERIC;
  *out = object;
  return SU_ERROR_NONE;
}

SUDrawingElementRef upcast(void* handle, Kind kind) noexcept {
  ObjectHeader* object = drawing_element(handle);
  return SUDrawingElementRef{object != nullptr && object->kind == kind ? object : nullptr};
}

}  // namespace

extern "C" {

SUDrawingElementRef SUFaceToDrawingElement(SUFaceRef face) {
  return upcast(face.ptr, Kind::Face);
}
SUDrawingElementRef SUEdgeToDrawingElement(SUEdgeRef edge) {
  return upcast(edge.ptr, Kind::Edge);
}
SUDrawingElementRef SUGroupToDrawingElement(SUGroupRef group) {
  return upcast(group.ptr, Kind::Group);
}
SUDrawingElementRef SUComponentInstanceToDrawingElement(SUComponentInstanceRef instance) {
  return upcast(instance.ptr, Kind::Instance);
}

// A face's material is its front material.
SUResult SUDrawingElementGetMaterial(SUDrawingElementRef element, SUMaterialRef* material) {
  return guarded([&] {
    ObjectHeader* object = nullptr;
    if (SUResult r = open_element(element, EntryId::SUDrawingElementGetMaterial, &object)) return r;
    switch (object->kind) {
      case Kind::Face:
        return report_material(static_cast<Face*>(object)->front, material);
      case Kind::Edge:
        return report_material(static_cast<Edge*>(object)->material, material);
      case Kind::Group:
        return report_material(static_cast<Group*>(object)->material, material);
      default:
        return report_material(static_cast<Instance*>(object)->material, material);
    }
  });
}

// Success with a null layer when the element names none.
SUResult SUDrawingElementGetLayer(SUDrawingElementRef element, SULayerRef* layer) {
  return guarded([&] {
    ObjectHeader* object = nullptr;
    if (SUResult r = open_element(element, EntryId::SUDrawingElementGetLayer, &object)) return r;
    switch (object->kind) {
      case Kind::Face:
        return report_layer(static_cast<Face*>(object)->layer, layer);
      case Kind::Edge:
        return report_layer(static_cast<Edge*>(object)->layer, layer);
      case Kind::Group:
        return report_layer(static_cast<Group*>(object)->layer, layer);
      default:
        return report_layer(static_cast<Instance*>(object)->layer, layer);
    }
  });
}

SUResult SUFaceGetLayer(SUFaceRef face, SULayerRef* layer) {
  return guarded([&] {
    Face* f = nullptr;
    if (SUResult r = resolve(face.ptr, EntryId::SUFaceGetLayer, &f)) return r;
    return report_layer(f->layer, layer);
  });
}

SUResult SUFaceGetFrontMaterial(SUFaceRef face, SUMaterialRef* material) {
  return guarded([&] {
    Face* f = nullptr;
    if (SUResult r = resolve(face.ptr, EntryId::SUFaceGetFrontMaterial, &f)) return r;
    return report_material(f->front, material);
  });
}

SUResult SUFaceGetBackMaterial(SUFaceRef face, SUMaterialRef* material) {
  return guarded([&] {
    Face* f = nullptr;
    if (SUResult r = resolve(face.ptr, EntryId::SUFaceGetBackMaterial, &f)) return r;
    return report_material(f->back, material);
  });
}

}  // extern "C"
