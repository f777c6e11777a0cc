#include "tests/bench/sdk_walk.h"

#include <vector>

#include "sdk/sketchup_api.h"

namespace lumeno {
namespace bench {

namespace {

template <typename Owner, typename Ref>
std::vector<Ref> list(SUResult (*count_fn)(Owner, size_t*),
                      SUResult (*get_fn)(Owner, size_t, Ref*, size_t*), Owner owner) {
  size_t count = 0;
  std::vector<Ref> items;
  if (count_fn(owner, &count) != SU_ERROR_NONE || count == 0) return items;
  items.assign(count, Ref{nullptr});
  size_t got = 0;
  if (get_fn(owner, count, items.data(), &got) != SU_ERROR_NONE) got = 0;
  items.resize(got < count ? got : count);
  return items;
}

size_t walk_face(const SketchUpAPI& api, SUFaceRef face) {
  SULayerRef layer = {nullptr};
  api.SUFaceGetLayer(face, &layer);
  SUMaterialRef material = {nullptr};
  bool textured = false;
  if (api.SUFaceGetFrontMaterial(face, &material) == SU_ERROR_NONE) {
    SUTextureRef texture = {nullptr};
    SUColor colour;
    double alpha = 1.0;
    textured = api.SUMaterialGetTexture(material, &texture) == SU_ERROR_NONE;
    api.SUMaterialGetColor(material, &colour);
    api.SUMaterialGetAlpha(material, &alpha);
  } else {
    SUMaterialRef back = {nullptr};
    api.SUFaceGetBackMaterial(face, &back);
  }
  SUMeshHelperRef mesh = {nullptr};
  if (api.SUMeshHelperCreate(&mesh, face) != SU_ERROR_NONE) return 0;
  size_t vertices = 0, triangles = 0, got = 0;
  api.SUMeshHelperGetNumVertices(mesh, &vertices);
  api.SUMeshHelperGetNumTriangles(mesh, &triangles);
  std::vector<SUPoint3D> points(vertices);
  std::vector<SUVector3D> normals(vertices);
  std::vector<size_t> indices(triangles * 3);
  api.SUMeshHelperGetVertices(mesh, vertices, points.data(), &got);
  api.SUMeshHelperGetNormals(mesh, vertices, normals.data(), &got);
  api.SUMeshHelperGetVertexIndices(mesh, indices.size(), indices.data(), &got);
  if (textured) {
    std::vector<SUPoint3D> stq(vertices);
    api.SUMeshHelperGetFrontSTQCoords(mesh, vertices, stq.data(), &got);
  }
  api.SUMeshHelperRelease(&mesh);
  return triangles;
}

void element_settings(const SketchUpAPI& api, SUDrawingElementRef element) {
  SULayerRef layer = {nullptr};
  api.SUDrawingElementGetLayer(element, &layer);
  SUMaterialRef material = {nullptr};
  SUColor colour;
  if (api.SUDrawingElementGetMaterial(element, &material) == SU_ERROR_NONE) {
    api.SUMaterialGetColor(material, &colour);
  }
}

}  // namespace

bool open_and_release(const std::string& path) {
  const SketchUpAPI& api = SketchUpAPI::instance();
  SUModelRef model = {nullptr};
  if (api.SUModelCreateFromFile(&model, path.c_str()) != SU_ERROR_NONE) return false;
  api.SUModelRelease(&model);
  return true;
}

size_t walk_entities(SUEntitiesRef top) {
  const SketchUpAPI& api = SketchUpAPI::instance();
  size_t triangles = 0;
  std::vector<SUEntitiesRef> stack(1, top);
  while (!stack.empty()) {
    const SUEntitiesRef entities = stack.back();
    stack.pop_back();
    for (SUFaceRef face : list(api.SUEntitiesGetNumFaces, api.SUEntitiesGetFaces, entities)) {
      triangles += walk_face(api, face);
    }
    size_t edge_count = 0;
    api.SUEntitiesGetNumEdges(entities, true, &edge_count);
    for (SUGroupRef group : list(api.SUEntitiesGetNumGroups, api.SUEntitiesGetGroups, entities)) {
      SUTransformation t;
      api.SUGroupGetTransform(group, &t);
      element_settings(api, SUDrawingElementRef{group.ptr});
      SUEntitiesRef child = {nullptr};
      if (api.SUGroupGetEntities(group, &child) == SU_ERROR_NONE) stack.push_back(child);
    }
    for (SUComponentInstanceRef instance :
         list(api.SUEntitiesGetNumInstances, api.SUEntitiesGetInstances, entities)) {
      SUTransformation t;
      api.SUComponentInstanceGetTransform(instance, &t);
      element_settings(api, SUDrawingElementRef{instance.ptr});
      SUComponentDefinitionRef definition = {nullptr};
      SUEntitiesRef child = {nullptr};
      if (api.SUComponentInstanceGetDefinition(instance, &definition) == SU_ERROR_NONE &&
          api.SUComponentDefinitionGetEntities(definition, &child) == SU_ERROR_NONE) {
        stack.push_back(child);
      }
    }
  }
  return triangles;
}

size_t walk_sdk(const std::string& path) {
  const SketchUpAPI& api = SketchUpAPI::instance();
  SUModelRef model = {nullptr};
  if (api.SUModelCreateFromFile(&model, path.c_str()) != SU_ERROR_NONE) return 0;
  for (SULayerRef layer : list(api.SUModelGetNumLayers, api.SUModelGetLayers, model)) {
    bool visible = true;
    api.SULayerGetVisibility(layer, &visible);
  }
  size_t triangles = 0;
  SUEntitiesRef top = {nullptr};
  if (api.SUModelGetEntities(model, &top) == SU_ERROR_NONE) triangles = walk_entities(top);
  for (SUSceneRef scene : list(api.SUModelGetNumScenes, api.SUModelGetScenes, model)) {
    SUCameraRef camera = {nullptr};
    api.SUSceneGetCamera(scene, &camera);
  }
  api.SUModelRelease(&model);
  return triangles;
}

}  // namespace bench
}  // namespace lumeno
