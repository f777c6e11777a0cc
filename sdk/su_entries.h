// The SketchUp C API entry points the program uses, as X-macro lists, so that the entry-point
// table, its lookup and the stand-in SDK's exported prototypes all come from one place and cannot
// disagree on a signature.
//
// LUMENO_SU_TABLE(X) lists the 65 names of the entry-point table in lookup order.
// LUMENO_SU_VENDOR(X) lists the vendor's own functions looked up besides the table: upcasts,
// string objects, the functions that replace the table names the vendor's DLL lacks, and the
// edge flags that decide which face outlines are drawn.
//
// X(return_type, name, parameter_list)
#pragma once

#include "sdk/su_types.h"

#define LUMENO_SU_TABLE(X)                                                                      \
  X(void, SUInitialize, (void))                                                                 \
  X(void, SUTerminate, (void))                                                                  \
  X(SUResult, SUModelCreateFromFile, (SUModelRef * model, const char* path))                    \
  X(SUResult, SUModelRelease, (SUModelRef * model))                                             \
  X(SUResult, SUModelGetEntities, (SUModelRef model, SUEntitiesRef * entities))                 \
  X(SUResult, SUModelGetNumScenes, (SUModelRef model, size_t * count))                          \
  X(SUResult, SUModelGetScenes,                                                                 \
    (SUModelRef model, size_t len, SUSceneRef * scenes, size_t * count))                        \
  X(SUResult, SUModelGetNumLayers, (SUModelRef model, size_t * count))                          \
  X(SUResult, SUModelGetLayers,                                                                 \
    (SUModelRef model, size_t len, SULayerRef * layers, size_t * count))                        \
  X(SUResult, SUEntitiesGetNumFaces, (SUEntitiesRef entities, size_t * count))                  \
  X(SUResult, SUEntitiesGetFaces,                                                               \
    (SUEntitiesRef entities, size_t len, SUFaceRef * faces, size_t * count))                    \
  X(SUResult, SUEntitiesGetNumEdges,                                                            \
    (SUEntitiesRef entities, bool standalone_only, size_t * count))                             \
  X(SUResult, SUEntitiesGetEdges,                                                               \
    (SUEntitiesRef entities, bool standalone_only, size_t len, SUEdgeRef * edges,               \
     size_t * count))                                                                           \
  X(SUResult, SUEntitiesGetNumGroups, (SUEntitiesRef entities, size_t * count))                 \
  X(SUResult, SUEntitiesGetGroups,                                                              \
    (SUEntitiesRef entities, size_t len, SUGroupRef * groups, size_t * count))                  \
  X(SUResult, SUEntitiesGetNumInstances, (SUEntitiesRef entities, size_t * count))              \
  X(SUResult, SUEntitiesGetInstances,                                                           \
    (SUEntitiesRef entities, size_t len, SUComponentInstanceRef * instances, size_t * count))   \
  X(SUResult, SUFaceGetFrontMaterial, (SUFaceRef face, SUMaterialRef * material))               \
  X(SUResult, SUFaceGetBackMaterial, (SUFaceRef face, SUMaterialRef * material))                \
  X(SUResult, SUFaceGetNumVertices, (SUFaceRef face, size_t * count))                           \
  X(SUResult, SUFaceGetVertices,                                                                \
    (SUFaceRef face, size_t len, SUVertexRef * vertices, size_t * count))                       \
  X(SUResult, SUFaceGetNormal, (SUFaceRef face, SUVector3D * normal))                           \
  X(SUResult, SUFaceGetArea, (SUFaceRef face, double* area))                                    \
  X(SUResult, SUMeshHelperCreate, (SUMeshHelperRef * mesh, SUFaceRef face))                     \
  X(SUResult, SUMeshHelperRelease, (SUMeshHelperRef * mesh))                                    \
  X(SUResult, SUMeshHelperGetNumVertices, (SUMeshHelperRef mesh, size_t * count))               \
  X(SUResult, SUMeshHelperGetNumTriangles, (SUMeshHelperRef mesh, size_t * count))              \
  X(SUResult, SUMeshHelperGetVertices,                                                          \
    (SUMeshHelperRef mesh, size_t len, SUPoint3D * vertices, size_t * count))                   \
  X(SUResult, SUMeshHelperGetNormals,                                                           \
    (SUMeshHelperRef mesh, size_t len, SUVector3D * normals, size_t * count))                   \
  X(SUResult, SUMeshHelperGetVertexIndices,                                                     \
    (SUMeshHelperRef mesh, size_t len, size_t * indices, size_t * count))                       \
  X(SUResult, SUVertexGetPosition, (SUVertexRef vertex, SUPoint3D * position))                  \
  X(SUResult, SUMaterialGetColor, (SUMaterialRef material, SUColor * color))                    \
  X(SUResult, SUMaterialGetAlpha, (SUMaterialRef material, double* alpha))                      \
  X(SUResult, SUMaterialGetTexture, (SUMaterialRef material, SUTextureRef * texture))           \
  X(SUResult, SUMaterialGetName, (SUMaterialRef material, SUStringRef * name))                  \
  X(SUResult, SUTextureGetAverageColor, (SUTextureRef texture, SUColor * color))                \
  X(SUResult, SUTextureGetDimensions,                                                           \
    (SUTextureRef texture, size_t * width, size_t * height, double* s_scale, double* t_scale))  \
  X(SUResult, SUGroupGetEntities, (SUGroupRef group, SUEntitiesRef * entities))                 \
  X(SUResult, SUGroupGetTransform, (SUGroupRef group, SUTransformation * transform))            \
  X(SUResult, SUGroupGetName, (SUGroupRef group, SUStringRef * name))                           \
  X(SUResult, SUComponentInstanceGetDefinition,                                                 \
    (SUComponentInstanceRef instance, SUComponentDefinitionRef * definition))                   \
  X(SUResult, SUComponentInstanceGetTransform,                                                  \
    (SUComponentInstanceRef instance, SUTransformation * transform))                            \
  X(SUResult, SUComponentInstanceGetName, (SUComponentInstanceRef instance, SUStringRef * name)) \
  X(SUResult, SUComponentDefinitionGetEntities,                                                 \
    (SUComponentDefinitionRef definition, SUEntitiesRef * entities))                            \
  X(SUResult, SUComponentDefinitionGetName,                                                     \
    (SUComponentDefinitionRef definition, SUStringRef * name))                                  \
  X(SUResult, SUEdgeGetStart, (SUEdgeRef edge, SUVertexRef * vertex))                           \
  X(SUResult, SUEdgeGetEnd, (SUEdgeRef edge, SUVertexRef * vertex))                             \
  X(SUResult, SUSceneGetName, (SUSceneRef scene, SUStringRef * name))                           \
  X(SUResult, SUSceneGetCamera, (SUSceneRef scene, SUCameraRef * camera))                       \
  X(SUResult, SUCameraGetPosition, (SUCameraRef camera, SUPoint3D * position))                  \
  X(SUResult, SUCameraGetTarget, (SUCameraRef camera, SUPoint3D * target))                      \
  X(SUResult, SUCameraGetUpVector, (SUCameraRef camera, SUVector3D * up))                       \
  X(SUResult, SUCameraGetPerspective, (SUCameraRef camera, bool* perspective))                  \
  X(SUResult, SUCameraGetFOV, (SUCameraRef camera, double* fov))                                \
  X(SUResult, SULayerGetName, (SULayerRef layer, SUStringRef * name))                           \
  X(SUResult, SULayerGetVisibility, (SULayerRef layer, bool* visible))                          \
  X(SUResult, SUFaceGetLayer, (SUFaceRef face, SULayerRef * layer))                             \
  X(SUResult, SUModelSaveToFile, (SUModelRef model, const char* path))                          \
  X(SUResult, SUModelSaveToFileWithVersion,                                                     \
    (SUModelRef model, const char* path, SUModelVersion version))                               \
  X(SUResult, SUDrawingElementGetMaterial,                                                      \
    (SUDrawingElementRef element, SUMaterialRef * material))                                    \
  X(SUResult, SUDrawingElementGetLayer, (SUDrawingElementRef element, SULayerRef * layer))      \
  X(SUResult, SUTextureGetImageDataSize,                                                        \
    (SUTextureRef texture, size_t * data_size, size_t * bits_per_pixel))                        \
  X(SUResult, SUTextureGetImageData, (SUTextureRef texture, size_t data_size, SUByte * pixels)) \
  X(SUResult, SUMeshHelperGetFrontSTQCoords,                                                    \
    (SUMeshHelperRef mesh, size_t len, SUPoint3D * stq, size_t * count))                        \
  X(SUResult, SUMaterialGetType, (SUMaterialRef material, SUMaterialType * type))

#define LUMENO_SU_VENDOR(X)                                                                     \
  X(SUDrawingElementRef, SUFaceToDrawingElement, (SUFaceRef face))                              \
  X(SUDrawingElementRef, SUEdgeToDrawingElement, (SUEdgeRef edge))                              \
  X(SUDrawingElementRef, SUGroupToDrawingElement, (SUGroupRef group))                           \
  X(SUDrawingElementRef, SUComponentInstanceToDrawingElement,                                   \
    (SUComponentInstanceRef instance))                                                          \
  X(SUResult, SUStringCreate, (SUStringRef * string))                                           \
  X(SUResult, SUStringRelease, (SUStringRef * string))                                          \
  X(SUResult, SUStringGetUTF8Length, (SUStringRef string, size_t * length))                     \
  X(SUResult, SUStringGetUTF8,                                                                  \
    (SUStringRef string, size_t buffer_length, char* buffer, size_t* copied))                   \
  X(SUResult, SUEdgeGetStartVertex, (SUEdgeRef edge, SUVertexRef * vertex))                     \
  X(SUResult, SUEdgeGetEndVertex, (SUEdgeRef edge, SUVertexRef * vertex))                       \
  X(SUResult, SUEdgeGetSoft, (SUEdgeRef edge, bool* soft))                                      \
  X(SUResult, SUEdgeGetSmooth, (SUEdgeRef edge, bool* smooth))                                  \
  X(SUResult, SUDrawingElementGetHidden,                                                        \
    (SUDrawingElementRef element, bool* hidden))                                                \
  X(SUResult, SUCameraGetOrientation,                                                           \
    (SUCameraRef camera, SUPoint3D * position, SUPoint3D * target, SUVector3D * up))            \
  X(SUResult, SUCameraGetPerspectiveFrustumFOV, (SUCameraRef camera, double* fov))              \
  X(SUResult, SUMaterialGetOpacity, (SUMaterialRef material, double* opacity))                  \
  X(SUResult, SUMaterialGetUseOpacity, (SUMaterialRef material, bool* use_opacity))

// The eight table names the vendor's DLL does not export (a stand-in may).
#define LUMENO_SU_VENDOR_LACKS(X) \
  X(SUEdgeGetStart)               \
  X(SUEdgeGetEnd)                 \
  X(SUCameraGetPosition)          \
  X(SUCameraGetTarget)            \
  X(SUCameraGetUpVector)          \
  X(SUCameraGetFOV)               \
  X(SUMaterialGetAlpha)           \
  X(SUFaceGetLayer)
