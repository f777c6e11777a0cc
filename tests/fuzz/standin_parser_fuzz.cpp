// The input is a model file. A model that parses is walked completely (every list, getter, mesh
// helper and texture buffer), so that whatever the reader accepted is also safe to serve.

#include "standin/api_support.h"
#include "standin/model_parser.h"

namespace {

template <class Ref, class Getter>
void read_name(Getter getter, Ref ref) {
  SUStringRef s{nullptr};
  if (SUStringCreate(&s) != SU_ERROR_NONE) return;
  size_t length = 0, copied = 0;
  if (getter(ref, &s) == SU_ERROR_NONE && SUStringGetUTF8Length(s, &length) == SU_ERROR_NONE) {
    std::vector<char> buffer(length + 1);
    SUStringGetUTF8(s, buffer.size(), buffer.data(), &copied);
  }
  SUStringRelease(&s);
}

// Count call, get call into an array of that count, then `visit` on every item reported; `args`
// go between the owner and the count (an edge list's standalone-only flag).
template <class Ref, class Owner, class CountFn, class GetFn, class Visit, class... Args>
void each(Owner owner, CountFn count_fn, GetFn get_fn, Visit visit, Args... args) {
  size_t count = 0, got = 0;
  if (count_fn(owner, args..., &count) != SU_ERROR_NONE) return;
  std::vector<Ref> items(count, Ref{nullptr});
  get_fn(owner, args..., count, items.data(), &got);
  for (size_t i = 0; i < got; ++i) visit(items[i]);
}

void walk_material(SUMaterialRef material) {
  SUColor color;
  double value = 0;
  bool flag = false;
  SUMaterialType type;
  SUTextureRef texture{nullptr};
  SUMaterialGetColor(material, &color), SUMaterialGetAlpha(material, &value);
  SUMaterialGetOpacity(material, &value), SUMaterialGetUseOpacity(material, &flag);
  SUMaterialGetType(material, &type);
  read_name(SUMaterialGetName, material);
  if (SUMaterialGetTexture(material, &texture) != SU_ERROR_NONE) return;
  size_t width = 0, height = 0, size = 0, bits = 0;
  double s = 0, t = 0;
  SUTextureGetAverageColor(texture, &color);
  SUTextureGetDimensions(texture, &width, &height, &s, &t);
  if (SUTextureGetImageDataSize(texture, &size, &bits) != SU_ERROR_NONE) return;
  std::vector<SUByte> pixels(size + 1);
  SUTextureGetImageData(texture, size, pixels.data());
  if (size > 0) SUTextureGetImageData(texture, size - 1, pixels.data());  // too small
}

void walk_layer(SULayerRef layer) {  // a null layer is refused by both getters
  bool visible = false;
  SULayerGetVisibility(layer, &visible);
  read_name(SULayerGetName, layer);
}

void walk_element(SUDrawingElementRef element) {
  SUMaterialRef material{nullptr};
  SULayerRef layer{nullptr};
  if (SUDrawingElementGetMaterial(element, &material) == SU_ERROR_NONE) walk_material(material);
  if (SUDrawingElementGetLayer(element, &layer) == SU_ERROR_NONE) walk_layer(layer);
}

void walk_position(SUVertexRef v) {
  SUPoint3D p;
  SUVertexGetPosition(v, &p);
}

void walk_face(SUFaceRef face) {
  SUVector3D normal;
  double area = 0;
  SUFaceGetNormal(face, &normal), SUFaceGetArea(face, &area);
  each<SUVertexRef>(face, SUFaceGetNumVertices, SUFaceGetVertices, walk_position);
  SUMaterialRef material{nullptr};
  if (SUFaceGetFrontMaterial(face, &material) == SU_ERROR_NONE) walk_material(material);
  if (SUFaceGetBackMaterial(face, &material) == SU_ERROR_NONE) walk_material(material);
  SULayerRef layer{nullptr};
  if (SUFaceGetLayer(face, &layer) == SU_ERROR_NONE) walk_layer(layer);
  walk_element(SUFaceToDrawingElement(face));

  SUMeshHelperRef mesh{nullptr};
  if (SUMeshHelperCreate(&mesh, face) != SU_ERROR_NONE) return;
  size_t vertices = 0, triangles = 0, got = 0;
  SUMeshHelperGetNumVertices(mesh, &vertices), SUMeshHelperGetNumTriangles(mesh, &triangles);
  std::vector<SUPoint3D> points(vertices + 1);
  std::vector<SUVector3D> normals(vertices + 1);
  std::vector<size_t> indices(triangles * 3 + 1);
  SUMeshHelperGetVertices(mesh, vertices, points.data(), &got);
  SUMeshHelperGetNormals(mesh, vertices, normals.data(), &got);
  SUMeshHelperGetFrontSTQCoords(mesh, vertices, points.data(), &got);
  SUMeshHelperGetVertexIndices(mesh, triangles * 3, indices.data(), &got);
  SUMeshHelperRelease(&mesh);
}

void walk_edge(SUEdgeRef edge) {
  SUVertexRef v{nullptr};
  if (SUEdgeGetStart(edge, &v) == SU_ERROR_NONE) walk_position(v);
  if (SUEdgeGetEndVertex(edge, &v) == SU_ERROR_NONE) walk_position(v);
  walk_element(SUEdgeToDrawingElement(edge));
}

void walk_entities(SUEntitiesRef entities, int depth) {
  if (depth > 8) return;  // bounds the walk of definitions that contain themselves
  SUTransformation t;
  SUEntitiesRef inner{nullptr};
  each<SUFaceRef>(entities, SUEntitiesGetNumFaces, SUEntitiesGetFaces, walk_face);
  for (bool standalone : {true, false})
    each<SUEdgeRef>(entities, SUEntitiesGetNumEdges, SUEntitiesGetEdges, walk_edge, standalone);
  each<SUGroupRef>(entities, SUEntitiesGetNumGroups, SUEntitiesGetGroups, [&](SUGroupRef group) {
    SUGroupGetTransform(group, &t);
    read_name(SUGroupGetName, group);
    walk_element(SUGroupToDrawingElement(group));
    if (SUGroupGetEntities(group, &(inner = {nullptr})) == SU_ERROR_NONE)
      walk_entities(inner, depth + 1);
  });
  each<SUComponentInstanceRef>(
      entities, SUEntitiesGetNumInstances, SUEntitiesGetInstances,
      [&](SUComponentInstanceRef instance) {
        SUComponentInstanceGetTransform(instance, &t);
        read_name(SUComponentInstanceGetName, instance);
        walk_element(SUComponentInstanceToDrawingElement(instance));
        SUComponentDefinitionRef definition{nullptr};
        if (SUComponentInstanceGetDefinition(instance, &definition) != SU_ERROR_NONE) return;
        read_name(SUComponentDefinitionGetName, definition);
        if (SUComponentDefinitionGetEntities(definition, &(inner = {nullptr})) == SU_ERROR_NONE)
          walk_entities(inner, depth + 1);
      });
}

void walk_model(SUModelRef model) {
  each<SULayerRef>(model, SUModelGetNumLayers, SUModelGetLayers, walk_layer);
  each<SUSceneRef>(model, SUModelGetNumScenes, SUModelGetScenes, [](SUSceneRef scene) {
    read_name(SUSceneGetName, scene);
    SUCameraRef camera{nullptr};
    if (SUSceneGetCamera(scene, &camera) != SU_ERROR_NONE) return;
    SUPoint3D eye, target;
    SUVector3D up;
    bool perspective = false;
    double fov = 0;
    SUCameraGetOrientation(camera, &eye, &target, &up);
    SUCameraGetPerspective(camera, &perspective);
    SUCameraGetPerspectiveFrustumFOV(camera, &fov), SUCameraGetFOV(camera, &fov);
  });
  SUEntitiesRef entities{nullptr};
  if (SUModelGetEntities(model, &entities) == SU_ERROR_NONE) walk_entities(entities, 0);
}

}  // namespace
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::unique_ptr<standin::Model> model;
  std::string error;
  // Image paths resolve inside a missing folder: no input reaches real files.
  if (standin::parse_model({reinterpret_cast<const char*>(data), size}, "/nonexistent/standin-fuzz",
                           &model, &error) != SU_ERROR_NONE)
    return 0;
  SUModelRef ref = standin::adopt_model(std::move(model));
  walk_model(ref);
  SUModelRelease(&ref);
  return 0;
}
