// Scenes and cameras, layers, materials, how drawing elements reach their layers and materials
// (including names the model's lists do not hold), and string objects.
#include <cstring>

#include "standin_test_support.h"

namespace {

using namespace standin_test;

struct StandinProperties : ::testing::Test {
  SketchUpAPI& a = api();
  ModelFile file{R"({
    "layers": [{"name": "Layer0"}, {"name": "家具", "visible": false}],
    "materials": [{"name": "Brick", "color": [200, 100, 50, 255]}, {"name": "Glass", "opacity": 0.25},
                  {"name": "Odd", "opacity": 7}, {"name": "Neg", "opacity": -1}],
    "scenes": [
      {"name": "透视", "camera": {"eye": [1,2,3], "target": [4,5,6], "up": [0,0,1], "fov": 50}},
      {"camera": {"eye": [0,0,100], "target": [0,0,0], "up": [0,1,0], "perspective": false}},
      {"name": "Bare"}, {"camera": {"eye": [0,0,0], "target": [1,0,0]}}],
    "entities": {
      "faces": [{"outer": [[0,0,0],[1,0,0],[0,1,0]], "layer": "家具", "front": "Brick", "back": "Glass"},
                {"outer": [[0,0,0],[1,0,0],[0,1,0]], "layer": "Ghost", "front": "Odd", "back": "Neg"},
                {"outer": [[0,0,0],[1,0,0],[0,1,0]], "layer": "Ghost", "front": "不存在的材质"},
                {"outer": [[0,0,0],[1,0,0],[0,1,0]]}],
      "edges": [{"start": [0,0,0], "end": [1,1,1], "material": "Glass"}],
      "groups": [{"layer": "Layer0", "material": "Brick"}],
      "instances": [{"definition": "x", "material": "Odd", "layer": "Layer0"}]}})"};
};

// A perspective camera has its field of view, a parallel one none; defaults are perspective,
// 35 degrees, Z up; a scene without a camera has none.
TEST_F(StandinProperties, ScenesAndCameras) {
  const auto scenes = scenes_of(file.model());
  EXPECT_EQ(name_of(a.SUSceneGetName, scenes.at(0)), "透视");
  SUCameraRef cameras[4] = {{nullptr}, {nullptr}, {nullptr}, {nullptr}};
  EXPECT_EQ(a.SUSceneGetCamera(scenes[2], &cameras[2]), SU_ERROR_NO_DATA);
  EXPECT_EQ(cameras[2].ptr, nullptr);
  SUPoint3D eye, target;
  SUVector3D up;
  const double fovs[] = {50, 0, 0, 35};
  for (int i : {0, 1, 3}) {
    ASSERT_EQ(a.SUSceneGetCamera(scenes[i], &cameras[i]), SU_ERROR_NONE);
    bool perspective = i == 1;
    double fov = 0, frustum = 0;
    EXPECT_EQ(a.SUCameraGetPerspective(cameras[i], &perspective), SU_ERROR_NONE);
    EXPECT_EQ(perspective, i != 1);
    EXPECT_EQ(a.SUCameraGetPerspectiveFrustumFOV(cameras[i], &frustum),
              i == 1 ? SU_ERROR_NO_DATA : SU_ERROR_NONE);
    EXPECT_TRUE(i == 1 || (a.SUCameraGetFOV(cameras[i], &fov) == SU_ERROR_NONE && fov == fovs[i] &&
                           frustum == fov))
        << i;
    ASSERT_EQ(a.SUCameraGetOrientation(cameras[i], &eye, &target, &up), SU_ERROR_NONE);
    EXPECT_EQ(up.z, i == 1 ? 0 : 1);
  }
  EXPECT_TRUE(eye.x == 0 && target.x == 1);
}

TEST_F(StandinProperties, MaterialsColourOpacityAndType) {
  const auto faces = faces_of(file.entities());
  SUMaterialRef m[5] = {{nullptr}, {nullptr}, {nullptr}, {nullptr}, {nullptr}};
  for (size_t i = 0; i < 5; ++i) {
    ASSERT_EQ((i % 2 ? a.SUFaceGetBackMaterial : a.SUFaceGetFrontMaterial)(faces[i / 2], &m[i]),
              SU_ERROR_NONE);
  }
  // Opacity outside the range is clamped; a material missing from the model's list is usable.
  const std::pair<double, bool> opacities[] = {
      {1.0, false}, {0.25, true}, {1.0, false}, {0.0, true}, {1.0, false}};
  for (size_t i = 0; i < 5; ++i) {
    double alpha = -1, opacity = -1;
    bool use = !opacities[i].second;
    EXPECT_EQ(a.SUMaterialGetAlpha(m[i], &alpha), SU_ERROR_NONE);
    EXPECT_EQ(a.SUMaterialGetOpacity(m[i], &opacity), SU_ERROR_NONE);
    EXPECT_EQ(a.SUMaterialGetUseOpacity(m[i], &use), SU_ERROR_NONE);
    EXPECT_TRUE(alpha == opacities[i].first && opacity == alpha && use == opacities[i].second) << i;
  }
  SUColor c{0, 0, 0, 0};
  ASSERT_EQ(a.SUMaterialGetColor(m[0], &c), SU_ERROR_NONE);
  EXPECT_TRUE(c.red == 200 && c.green == 100 && c.blue == 50 && c.alpha == 255);
  EXPECT_EQ(a.SUMaterialGetColor(m[1], &c), SU_ERROR_NO_DATA);
  EXPECT_EQ(name_of(a.SUMaterialGetName, m[4]), "不存在的材质");
  SUTextureRef texture{nullptr};
  EXPECT_EQ(a.SUMaterialGetTexture(m[0], &texture), SU_ERROR_NO_DATA);
}

// Elements reach layers and materials through their upcasts; a layer name missing from the
// model's list gives a valid layer outside that list, the same for every element naming it.
TEST_F(StandinProperties, ElementsReachTheirLayersAndMaterials) {
  const SUEntitiesRef e = file.entities();
  const auto faces = faces_of(e);
  const auto layers = layers_of(file.model());
  bool visible[2] = {false, true};
  for (int i : {0, 1}) EXPECT_EQ(a.SULayerGetVisibility(layers[i], &visible[i]), SU_ERROR_NONE);
  EXPECT_TRUE(visible[0] && !visible[1]);
  SULayerRef ghost{nullptr}, ghost_again{nullptr};
  ASSERT_EQ(a.SUFaceGetLayer(faces[1], &ghost), SU_ERROR_NONE);
  ASSERT_EQ(a.SUFaceGetLayer(faces[2], &ghost_again), SU_ERROR_NONE);
  EXPECT_EQ(ghost.ptr, ghost_again.ptr);
  EXPECT_TRUE(ghost.ptr != layers[0].ptr && ghost.ptr != layers[1].ptr);
  EXPECT_EQ(name_of(a.SULayerGetName, ghost), "Ghost");
  const struct {
    SUDrawingElementRef element;
    void* ptr;
    void* layer;
    const char* material;  // null: none
  } elements[] = {
      {a.SUFaceToDrawingElement(faces[0]), faces[0].ptr, layers[1].ptr, "Brick"},
      {a.SUFaceToDrawingElement(faces[3]), faces[3].ptr, nullptr, nullptr},
      {a.SUEdgeToDrawingElement(edges_of(e, true)[0]), edges_of(e, true)[0].ptr, nullptr, "Glass"},
      {a.SUGroupToDrawingElement(groups_of(e)[0]), groups_of(e)[0].ptr, layers[0].ptr, "Brick"},
      {a.SUComponentInstanceToDrawingElement(instances_of(e)[0]), instances_of(e)[0].ptr,
       layers[0].ptr, "Odd"}};
  for (const auto& el : elements) {
    EXPECT_EQ(el.element.ptr, el.ptr);
    SULayerRef layer{&layer};  // no layer named: success with a null layer
    ASSERT_EQ(a.SUDrawingElementGetLayer(el.element, &layer), SU_ERROR_NONE);
    EXPECT_EQ(layer.ptr, el.layer);
    SUMaterialRef m{nullptr};
    EXPECT_EQ(a.SUDrawingElementGetMaterial(el.element, &m),
              el.material ? SU_ERROR_NONE : SU_ERROR_NO_DATA);
    EXPECT_EQ(el.material ? name_of(a.SUMaterialGetName, m) : "", el.material ? el.material : "");
  }
  EXPECT_EQ(a.SUFaceToDrawingElement(SUFaceRef{layers[0].ptr}).ptr, nullptr);  // not a face
}

// A new string is empty; a name fills it with UTF-8 bytes, read into a short buffer as a
// terminated prefix that never splits a character; name getters need a created string.
TEST_F(StandinProperties, StringsCreateReadAndRelease) {
  const SULayerRef layer = layers_of(file.model())[1];
  SUStringRef s{nullptr};
  size_t length = 99, copied = 0;
  ASSERT_EQ(a.SUStringCreate(&s), SU_ERROR_NONE);
  SUStringRef kept = s;
  EXPECT_EQ(a.SUStringCreate(&s), SU_ERROR_OVERWRITE_VALID);
  ASSERT_EQ(a.SUStringGetUTF8Length(s, &length), SU_ERROR_NONE);
  EXPECT_EQ(length, 0u);
  ASSERT_EQ(a.SULayerGetName(layer, &s), SU_ERROR_NONE);
  ASSERT_EQ(a.SUStringGetUTF8Length(s, &length), SU_ERROR_NONE);
  EXPECT_EQ(length, std::strlen("家具"));
  char buffer[8] = "xxxxxxx";
  ASSERT_EQ(a.SUStringGetUTF8(s, 5, buffer, &copied), SU_ERROR_NONE);
  EXPECT_EQ(copied, 3u);
  EXPECT_STREQ(buffer, "家");
  EXPECT_EQ(buffer[5], 'x');
  EXPECT_EQ(a.SUStringRelease(&s), SU_ERROR_NONE);
  EXPECT_EQ(a.SULayerGetName(layer, &s), SU_ERROR_INVALID_OUTPUT);
  EXPECT_EQ(a.SUStringRelease(&kept), SU_ERROR_INVALID_INPUT);
  int not_a_string = 0;
  SUStringRef foreign{&not_a_string};
  EXPECT_EQ(a.SUSceneGetName(scenes_of(file.model())[0], &foreign), SU_ERROR_INVALID_OUTPUT);
}

}  // namespace
