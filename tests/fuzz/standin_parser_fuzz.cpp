// libFuzzer entry: the input is a model file. A model that parses is walked completely: every
// list, every getter, every mesh helper and texture buffer, so that whatever the reader accepted
// is also safe to serve.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "standin/api_support.h"
#include "standin/model_parser.h"

namespace {

// Bounds the walk of models whose definitions contain themselves.
constexpr int kMaxDepth = 8;


std::string read_string(SUStringRef s) {
  size_t length = 0;
  if (SUStringGetUTF8Length(s, &length) != SU_ERROR_NONE) return std::string();
  std::vector<char> buffer(length + 1);
  size_t copied = 0;
  SUStringGetUTF8(s, buffer.size(), buffer.data(), &copied);
  return std::string(buffer.data(), copied);
}

template <class Ref, class Getter>
void read_name(Getter getter, Ref ref) {
  SUStringRef s{nullptr};
  if (SUStringCreate(&s) != SU_ERROR_NONE) return;
  if (getter(ref, &s) == SU_ERROR_NONE) read_string(s);
  SUStringRelease(&s);
}

void walk_texture(SUTextureRef texture) {
  size_t width = 0, height = 0, size = 0, bits = 0;
  double s = 0, t = 0;
  SUColor color;
  SUTextureGetAverageColor(texture, &color);
  SUTextureGetDimensions(texture, &width, &height, &s, &t);
  if (SUTextureGetImageDataSize(texture, &size, &bits) != SU_ERROR_NONE) return;
  std::vector<SUByte> pixels(size + 1);
  SUTextureGetImageData(texture, size, pixels.data());
  if (size > 0) SUTextureGetImageData(texture, size - 1, pixels.data());
}

void walk_material(SUMaterialRef material) {
  SUColor color;
  double value = 0;
  bool flag = false;
  SUMaterialType type;
  SUTextureRef texture{nullptr};
  SUMaterialGetColor(material, &color);
  SUMaterialGetAlpha(material, &value);
  SUMaterialGetOpacity(material, &value);
  SUMaterialGetUseOpacity(material, &flag);
  SUMaterialGetType(material, &type);
  read_name(SUMaterialGetName, material);
  if (SUMaterialGetTexture(material, &texture) == SU_ERROR_NONE) walk_texture(texture);
}

void walk_layer(SULayerRef layer) {
  bool visible = false;
  if (layer.ptr == nullptr) return;
  SULayerGetVisibility(layer, &visible);
  read_name(SULayerGetName, layer);
}

void walk_element(SUDrawingElementRef element) {
  SUMaterialRef material{nullptr};
  SULayerRef layer{nullptr};
  if (SUDrawingElementGetMaterial(element, &material) == SU_ERROR_NONE) walk_material(material);
  if (SUDrawingElementGetLayer(element, &layer) == SU_ERROR_NONE) walk_layer(layer);
}

void walk_face(SUFaceRef face) {
  size_t count = 0;
  SUVector3D normal;
  double area = 0;
  SUFaceGetNormal(face, &normal);
  SUFaceGetArea(face, &area);
  if (SUFaceGetNumVertices(face, &count) == SU_ERROR_NONE) {
    std::vector<SUVertexRef> vertices(count, SUVertexRef{nullptr});
    size_t got = 0;
    SUFaceGetVertices(face, count, vertices.data(), &got);
    for (size_t i = 0; i < got; ++i) {
      SUPoint3D p;
      SUVertexGetPosition(vertices[i], &p);
    }
  }
  SUMaterialRef material{nullptr};
  if (SUFaceGetFrontMaterial(face, &material) == SU_ERROR_NONE) walk_material(material);
  material.ptr = nullptr;
  if (SUFaceGetBackMaterial(face, &material) == SU_ERROR_NONE) walk_material(material);
  SULayerRef layer{nullptr};
  if (SUFaceGetLayer(face, &layer) == SU_ERROR_NONE) walk_layer(layer);
  walk_element(SUFaceToDrawingElement(face));

  SUMeshHelperRef mesh{nullptr};
  if (SUMeshHelperCreate(&mesh, face) != SU_ERROR_NONE) return;
  size_t vertices = 0, triangles = 0, got = 0;
  SUMeshHelperGetNumVertices(mesh, &vertices);
  SUMeshHelperGetNumTriangles(mesh, &triangles);
  std::vector<SUPoint3D> points(vertices + 1);
  std::vector<SUVector3D> normals(vertices + 1);
  std::vector<size_t> indices(triangles * 3 + 1);
  SUMeshHelperGetVertices(mesh, vertices, points.data(), &got);
  SUMeshHelperGetNormals(mesh, vertices, normals.data(), &got);
  SUMeshHelperGetFrontSTQCoords(mesh, vertices, points.data(), &got);
  SUMeshHelperGetVertexIndices(mesh, triangles * 3, indices.data(), &got);
  SUMeshHelperRelease(&mesh);
}

void walk_entities(SUEntitiesRef entities, int depth) {
  if (depth > kMaxDepth) return;
  size_t count = 0, got = 0;
  if (SUEntitiesGetNumFaces(entities, &count) == SU_ERROR_NONE) {
    std::vector<SUFaceRef> faces(count, SUFaceRef{nullptr});
    SUEntitiesGetFaces(entities, count, faces.data(), &got);
    for (size_t i = 0; i < got; ++i) walk_face(faces[i]);
  }
  for (bool standalone : {true, false}) {
    if (SUEntitiesGetNumEdges(entities, standalone, &count) != SU_ERROR_NONE) continue;
    std::vector<SUEdgeRef> edges(count, SUEdgeRef{nullptr});
    SUEntitiesGetEdges(entities, standalone, count, edges.data(), &got);
    for (size_t i = 0; i < got; ++i) {
      SUVertexRef v{nullptr};
      SUPoint3D p;
      if (SUEdgeGetStart(edges[i], &v) == SU_ERROR_NONE) SUVertexGetPosition(v, &p);
      if (SUEdgeGetEndVertex(edges[i], &v) == SU_ERROR_NONE) SUVertexGetPosition(v, &p);
      walk_element(SUEdgeToDrawingElement(edges[i]));
    }
  }
  if (SUEntitiesGetNumGroups(entities, &count) == SU_ERROR_NONE) {
    std::vector<SUGroupRef> groups(count, SUGroupRef{nullptr});
    SUEntitiesGetGroups(entities, count, groups.data(), &got);
    for (size_t i = 0; i < got; ++i) {
      SUTransformation t;
      SUEntitiesRef inner{nullptr};
      SUGroupGetTransform(groups[i], &t);
      read_name(SUGroupGetName, groups[i]);
      walk_element(SUGroupToDrawingElement(groups[i]));
      if (SUGroupGetEntities(groups[i], &inner) == SU_ERROR_NONE) walk_entities(inner, depth + 1);
    }
  }
  if (SUEntitiesGetNumInstances(entities, &count) == SU_ERROR_NONE) {
    std::vector<SUComponentInstanceRef> instances(count, SUComponentInstanceRef{nullptr});
    SUEntitiesGetInstances(entities, count, instances.data(), &got);
    for (size_t i = 0; i < got; ++i) {
      SUTransformation t;
      SUComponentDefinitionRef definition{nullptr};
      SUComponentInstanceGetTransform(instances[i], &t);
      read_name(SUComponentInstanceGetName, instances[i]);
      walk_element(SUComponentInstanceToDrawingElement(instances[i]));
      if (SUComponentInstanceGetDefinition(instances[i], &definition) != SU_ERROR_NONE) continue;
      read_name(SUComponentDefinitionGetName, definition);
      SUEntitiesRef inner{nullptr};
      if (SUComponentDefinitionGetEntities(definition, &inner) == SU_ERROR_NONE) {
        walk_entities(inner, depth + 1);
      }
    }
  }
}

void walk_model(SUModelRef model) {
  size_t count = 0, got = 0;
  if (SUModelGetNumLayers(model, &count) == SU_ERROR_NONE) {
    std::vector<SULayerRef> layers(count, SULayerRef{nullptr});
    SUModelGetLayers(model, count, layers.data(), &got);
    for (size_t i = 0; i < got; ++i) walk_layer(layers[i]);
  }
  if (SUModelGetNumScenes(model, &count) == SU_ERROR_NONE) {
    std::vector<SUSceneRef> scenes(count, SUSceneRef{nullptr});
    SUModelGetScenes(model, count, scenes.data(), &got);
    for (size_t i = 0; i < got; ++i) {
      read_name(SUSceneGetName, scenes[i]);
      SUCameraRef camera{nullptr};
      if (SUSceneGetCamera(scenes[i], &camera) != SU_ERROR_NONE) continue;
      SUPoint3D eye, target;
      SUVector3D up;
      bool perspective = false;
      double fov = 0;
      SUCameraGetOrientation(camera, &eye, &target, &up);
      SUCameraGetPerspective(camera, &perspective);
      SUCameraGetPerspectiveFrustumFOV(camera, &fov);
      SUCameraGetFOV(camera, &fov);
    }
  }
  SUEntitiesRef entities{nullptr};
  if (SUModelGetEntities(model, &entities) == SU_ERROR_NONE) walk_entities(entities, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::unique_ptr<standin::Model> model;
  std::string error;
  // Image paths resolve inside a folder that does not exist, so no input reaches real files
  // by a relative path.
  const std::string document(reinterpret_cast<const char*>(data), size);
  if (standin::parse_model(document, "/nonexistent/standin-fuzz", &model, &error) !=
      SU_ERROR_NONE) {
    return 0;
  }
  SUModelRef ref = standin::adopt_model(std::move(model));
  walk_model(ref);
  SUModelRelease(&ref);
  return 0;
}
