// Materials: colour, opacity, type, name, texture presence, and how faces and drawing elements
// reach them (including names the model's list does not hold).
#include "standin_test_support.h"

namespace {

using namespace standin_test;

const char* const kModel = R"({
  "materials": [
    {"name": "Brick", "color": [200, 100, 50, 255]},
    {"name": "Glass", "color": [10, 20, 30, 40], "opacity": 0.25},
    {"name": "Plain"},
    {"name": "Wood", "texture": {"width": 2, "height": 2, "fill": [1, 2, 3]}},
    {"name": "Odd", "opacity": 7}, {"name": "Neg", "opacity": -1}
  ],
  "entities": {
    "faces": [{"outer": [[0,0,0],[1,0,0],[0,1,0]], "front": "Brick", "back": "Glass"},
              {"outer": [[0,0,0],[1,0,0],[0,1,0]], "front": "不存在的材质"},
              {"outer": [[0,0,0],[1,0,0],[0,1,0]]},
              {"outer": [[0,0,0],[1,0,0],[0,1,0]], "front": "Odd", "back": "Neg"}],
    "edges": [{"start": [0,0,0], "end": [1,1,1], "material": "Wood"}],
    "groups": [{"material": "Glass"}],
    "instances": [{"definition": "x", "material": "Plain"}]
  }
})";

SUMaterialRef front_of(SUFaceRef face) {
  SUMaterialRef m{nullptr};
  EXPECT_EQ(api().SUFaceGetFrontMaterial(face, &m), SU_ERROR_NONE);
  return m;
}

struct StandinMaterial : ::testing::Test {
  SketchUpAPI& a = api();
  ModelFile file{kModel};
};

TEST_F(StandinMaterial, ColourOpacityTypeAndName) {
  const auto faces = faces_of(file.entities());
  const SUMaterialRef brick = front_of(faces[0]);
  SUMaterialRef glass{nullptr};
  ASSERT_EQ(a.SUFaceGetBackMaterial(faces[0], &glass), SU_ERROR_NONE);

  SUColor c{0, 0, 0, 0};
  ASSERT_EQ(a.SUMaterialGetColor(brick, &c), SU_ERROR_NONE);
  EXPECT_TRUE(c.red == 200 && c.green == 100 && c.blue == 50 && c.alpha == 255);
  EXPECT_EQ(name_of(a.SUMaterialGetName, brick), "Brick");

  struct Opacity {
    SUMaterialRef material;
    double value;
    bool used;
  };
  // Opacity outside the range is clamped.
  SUMaterialRef odd = front_of(faces[3]), neg{nullptr};
  ASSERT_EQ(a.SUFaceGetBackMaterial(faces[3], &neg), SU_ERROR_NONE);
  for (const Opacity& o : {Opacity{brick, 1.0, false}, Opacity{glass, 0.25, true},
                           Opacity{odd, 1.0, false}, Opacity{neg, 0.0, true}}) {
    double alpha = -1, opacity = -1;
    bool use = !o.used;
    EXPECT_EQ(a.SUMaterialGetAlpha(o.material, &alpha), SU_ERROR_NONE);
    EXPECT_EQ(a.SUMaterialGetOpacity(o.material, &opacity), SU_ERROR_NONE);
    EXPECT_EQ(a.SUMaterialGetUseOpacity(o.material, &use), SU_ERROR_NONE);
    EXPECT_EQ(alpha, o.value);
    EXPECT_EQ(opacity, o.value);
    EXPECT_EQ(use, o.used);
  }
  SUMaterialType type = SUMaterialType_ColorizedTexture;
  EXPECT_EQ(a.SUMaterialGetType(brick, &type), SU_ERROR_NONE);
  EXPECT_EQ(type, SUMaterialType_Colored);
  SUTextureRef texture{nullptr};
  EXPECT_EQ(a.SUMaterialGetTexture(brick, &texture), SU_ERROR_NO_DATA);
  EXPECT_EQ(texture.ptr, nullptr);

  EXPECT_EQ(a.SUMaterialGetColor(brick, nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
  EXPECT_EQ(a.SUMaterialGetOpacity(brick, nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
  EXPECT_EQ(a.SUMaterialGetColor(SUMaterialRef{nullptr}, &c), SU_ERROR_INVALID_INPUT);
}

TEST_F(StandinMaterial, AbsentPartsReportNoData) {
  const auto faces = faces_of(file.entities());
  SUMaterialRef none{nullptr};
  EXPECT_EQ(a.SUFaceGetFrontMaterial(faces[2], &none), SU_ERROR_NO_DATA);
  EXPECT_EQ(a.SUFaceGetBackMaterial(faces[1], &none), SU_ERROR_NO_DATA);
  EXPECT_EQ(none.ptr, nullptr);
  EXPECT_EQ(a.SUFaceGetFrontMaterial(faces[2], nullptr), SU_ERROR_NULL_POINTER_OUTPUT);

  // A name missing from the model's list still gives a usable material, outside that list.
  const SUMaterialRef unknown = front_of(faces[1]);
  ASSERT_NE(unknown.ptr, nullptr);
  EXPECT_EQ(name_of(a.SUMaterialGetName, unknown), "不存在的材质");
  SUColor c;
  EXPECT_EQ(a.SUMaterialGetColor(unknown, &c), SU_ERROR_NO_DATA);
  double opacity = 0;
  EXPECT_EQ(a.SUMaterialGetOpacity(unknown, &opacity), SU_ERROR_NONE);
  EXPECT_EQ(opacity, 1.0);
}

TEST_F(StandinMaterial, DrawingElementsReachTheirMaterials) {
  const SUEntitiesRef e = file.entities();
  const SUFaceRef face = faces_of(e)[0];
  const SUEdgeRef edge = edges_of(e, true)[0];
  const SUGroupRef group = groups_of(e)[0];
  const SUComponentInstanceRef instance = instances_of(e)[0];
  struct Element {
    SUDrawingElementRef upcast;
    void* direct;
    const char* material;
  };
  const Element elements[] = {
      {a.SUFaceToDrawingElement(face), face.ptr, "Brick"},
      {a.SUEdgeToDrawingElement(edge), edge.ptr, "Wood"},
      {a.SUGroupToDrawingElement(group), group.ptr, "Glass"},
      {a.SUComponentInstanceToDrawingElement(instance), instance.ptr, "Plain"},
  };
  for (const Element& el : elements) {
    EXPECT_EQ(el.upcast.ptr, el.direct);
    for (SUDrawingElementRef ref : {el.upcast, SUDrawingElementRef{el.direct}}) {
      SUMaterialRef m{nullptr};
      ASSERT_EQ(a.SUDrawingElementGetMaterial(ref, &m), SU_ERROR_NONE) << el.material;
      EXPECT_EQ(name_of(a.SUMaterialGetName, m), el.material);
    }
  }
  SUMaterialRef m{nullptr};
  EXPECT_EQ(a.SUDrawingElementGetMaterial(a.SUGroupToDrawingElement(groups_of(e)[0]), nullptr),
            SU_ERROR_NULL_POINTER_OUTPUT);
  EXPECT_EQ(a.SUDrawingElementGetMaterial(SUDrawingElementRef{faces_of(e)[2].ptr}, &m),
            SU_ERROR_NO_DATA);
  // Upcasts of invalid refs, and refs of other kinds, give null.
  EXPECT_EQ(a.SUFaceToDrawingElement(SUFaceRef{nullptr}).ptr, nullptr);
  EXPECT_EQ(a.SUFaceToDrawingElement(SUFaceRef{edge.ptr}).ptr, nullptr);
  EXPECT_EQ(a.SUDrawingElementGetMaterial(SUDrawingElementRef{e.ptr}, &m), SU_ERROR_INVALID_INPUT);
}

}  // namespace
