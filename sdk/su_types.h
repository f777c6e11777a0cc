// Value types of the SketchUp C API, declared here so the program builds without the vendor's
// headers. Every layout must match the vendor's 64-bit Windows DLL byte for byte; the static
// assertions at the end pin sizes and member offsets.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

enum SUResult {
  SU_ERROR_NONE = 0,
  SU_ERROR_NULL_POINTER_INPUT = 1,
  SU_ERROR_INVALID_INPUT = 2,
  SU_ERROR_NULL_POINTER_OUTPUT = 3,
  SU_ERROR_INVALID_OUTPUT = 4,
  SU_ERROR_OVERWRITE_VALID = 5,
  SU_ERROR_GENERIC = 6,
  SU_ERROR_SERIALIZATION = 7,
  SU_ERROR_OUT_OF_RANGE = 8,
  SU_ERROR_NO_DATA = 9,
  SU_ERROR_INSUFFICIENT_SIZE = 10,
  SU_ERROR_UNKNOWN_EXCEPTION = 11,
  SU_ERROR_MODEL_INVALID = 12,
  SU_ERROR_MODEL_VERSION = 13,
  SU_ERROR_LAYER_LOCKED = 14,
  SU_ERROR_DUPLICATE = 15,
  SU_ERROR_PARTIAL_SUCCESS = 16,
  SU_ERROR_UNSUPPORTED = 17,
  SU_ERROR_INVALID_ARGUMENT = 18,
  SU_ERROR_ENTITY_LOCKED = 19,
  SU_ERROR_INVALID_OPERATION = 20
};

enum SUModelVersion {
  SUModelVersion_SU3 = 0,
  SUModelVersion_SU4 = 1,
  SUModelVersion_SU5 = 2,
  SUModelVersion_SU6 = 3,
  SUModelVersion_SU7 = 4,
  SUModelVersion_SU8 = 5,
  SUModelVersion_SU2013 = 6,
  SUModelVersion_SU2014 = 7,
  SUModelVersion_SU2015 = 8,
  SUModelVersion_SU2016 = 9,
  SUModelVersion_SU2017 = 10,
  SUModelVersion_SU2018 = 11,
  SUModelVersion_SU2019 = 12,
  SUModelVersion_SU2020 = 13,
  SUModelVersion_SU2021 = 14
};

enum SUMaterialType {
  SUMaterialType_Colored = 0,
  SUMaterialType_Textured = 1,
  SUMaterialType_ColorizedTexture = 2
};

typedef unsigned char SUByte;

struct SUColor {
  SUByte red;
  SUByte green;
  SUByte blue;
  SUByte alpha;
};

struct SUPoint3D {
  double x, y, z;
};

struct SUVector3D {
  double x, y, z;
};

// Column order: element 4 * column + row. Translation in 12..14, element 15 is w.
struct SUTransformation {
  double values[16];
};

#define LUMENO_SU_REF(name) \
  struct name {             \
    void* ptr;              \
  };

LUMENO_SU_REF(SUModelRef)
LUMENO_SU_REF(SUEntitiesRef)
LUMENO_SU_REF(SUFaceRef)
LUMENO_SU_REF(SUEdgeRef)
LUMENO_SU_REF(SUVertexRef)
LUMENO_SU_REF(SUGroupRef)
LUMENO_SU_REF(SUComponentInstanceRef)
LUMENO_SU_REF(SUComponentDefinitionRef)
LUMENO_SU_REF(SUMaterialRef)
LUMENO_SU_REF(SUTextureRef)
LUMENO_SU_REF(SUMeshHelperRef)
LUMENO_SU_REF(SUSceneRef)
LUMENO_SU_REF(SUCameraRef)
LUMENO_SU_REF(SULayerRef)
LUMENO_SU_REF(SUDrawingElementRef)
LUMENO_SU_REF(SUStringRef)

#undef LUMENO_SU_REF

}  // extern "C"

// Binary layout of the vendor's 64-bit Windows DLL.
static_assert(sizeof(SUResult) == 4, "SUResult is a 4-byte enum");
static_assert(sizeof(SUModelVersion) == 4, "SUModelVersion is a 4-byte enum");
static_assert(sizeof(SUMaterialType) == 4, "SUMaterialType is a 4-byte enum");
static_assert(sizeof(SUByte) == 1, "SUByte is one byte");
static_assert(sizeof(bool) == 1, "bool outputs are one byte");
static_assert(sizeof(SUColor) == 4, "SUColor is four bytes");
static_assert(offsetof(SUColor, red) == 0 && offsetof(SUColor, green) == 1 &&
                  offsetof(SUColor, blue) == 2 && offsetof(SUColor, alpha) == 3,
              "SUColor bytes are red, green, blue, alpha");
static_assert(sizeof(SUPoint3D) == 24 && offsetof(SUPoint3D, x) == 0 &&
                  offsetof(SUPoint3D, y) == 8 && offsetof(SUPoint3D, z) == 16,
              "SUPoint3D is three doubles");
static_assert(sizeof(SUVector3D) == 24 && offsetof(SUVector3D, x) == 0 &&
                  offsetof(SUVector3D, y) == 8 && offsetof(SUVector3D, z) == 16,
              "SUVector3D is three doubles");
static_assert(sizeof(SUTransformation) == 128 && offsetof(SUTransformation, values) == 0,
              "SUTransformation is sixteen doubles");
static_assert(sizeof(void*) == 8, "the vendor's DLL is 64-bit");
#define LUMENO_CHECK_REF(name)                                                       \
  static_assert(sizeof(name) == sizeof(void*) && offsetof(name, ptr) == 0, #name \
                " is one pointer");
LUMENO_CHECK_REF(SUModelRef)
LUMENO_CHECK_REF(SUEntitiesRef)
LUMENO_CHECK_REF(SUFaceRef)
LUMENO_CHECK_REF(SUEdgeRef)
LUMENO_CHECK_REF(SUVertexRef)
LUMENO_CHECK_REF(SUGroupRef)
LUMENO_CHECK_REF(SUComponentInstanceRef)
LUMENO_CHECK_REF(SUComponentDefinitionRef)
LUMENO_CHECK_REF(SUMaterialRef)
LUMENO_CHECK_REF(SUTextureRef)
LUMENO_CHECK_REF(SUMeshHelperRef)
LUMENO_CHECK_REF(SUSceneRef)
LUMENO_CHECK_REF(SUCameraRef)
LUMENO_CHECK_REF(SULayerRef)
LUMENO_CHECK_REF(SUDrawingElementRef)
LUMENO_CHECK_REF(SUStringRef)
#undef LUMENO_CHECK_REF
