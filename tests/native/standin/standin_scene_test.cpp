// Scenes and cameras, layers and their visibility, element layers, and string objects.
#include <cstring>

#include "standin_test_support.h"

namespace {

using namespace standin_test;

const char* const kModel = R"({
  "layers": [{"name": "Layer0"}, {"name": "家具", "visible": false}],
  "scenes": [
    {"name": "透视", "camera": {"eye": [1,2,3], "target": [4,5,6], "up": [0,0,1], "fov": 50}},
    {"name": "Plan", "camera": {"eye": [0,0,100], "target": [0,0,0], "up": [0,1,0],
                                "perspective": false}},
    {"name": "Bare"},
    {"camera": {"eye": [0,0,0], "target": [1,0,0]}}
  ],
  "entities": {
    "faces": [{"outer": [[0,0,0],[1,0,0],[0,1,0]], "layer": "家具"},
              {"outer": [[0,0,0],[1,0,0],[0,1,0]]},
              {"outer": [[0,0,0],[1,0,0],[0,1,0]], "layer": "Ghost"},
              {"outer": [[0,0,0],[1,0,0],[0,1,0]], "layer": "Ghost"}],
    "edges": [{"start": [0,0,0], "end": [1,0,0], "layer": "Layer0"}],
    "groups": [{"layer": "家具"}],
    "instances": [{"definition": "none", "layer": "Layer0"}]
  }
})";

SUCameraRef camera_of(SUSceneRef scene) {
  SUCameraRef camera{nullptr};
  EXPECT_EQ(api().SUSceneGetCamera(scene, &camera), SU_ERROR_NONE);
  return camera;
}

struct StandinScene : ::testing::Test {
  SketchUpAPI& a = api();
  ModelFile file{kModel};
};

TEST_F(StandinScene, NamesAndCameras) {
  const auto scenes = scenes_of(file.model());
  ASSERT_EQ(scenes.size(), 4u);
  EXPECT_EQ(name_of(a.SUSceneGetName, scenes[0]), "透视");
  EXPECT_EQ(name_of(a.SUSceneGetName, scenes[3]), "");

  const SUCameraRef perspective = camera_of(scenes[0]);
  SUPoint3D eye, target, eye2, target2;
  SUVector3D up, up2;
  ASSERT_EQ(a.SUCameraGetPosition(perspective, &eye), SU_ERROR_NONE);
  ASSERT_EQ(a.SUCameraGetTarget(perspective, &target), SU_ERROR_NONE);
  ASSERT_EQ(a.SUCameraGetUpVector(perspective, &up), SU_ERROR_NONE);
  EXPECT_TRUE(eye.y == 2 && target.z == 6 && up.z == 1);
  ASSERT_EQ(a.SUCameraGetOrientation(perspective, &eye2, &target2, &up2), SU_ERROR_NONE);
  EXPECT_TRUE(eye2.y == 2 && target2.z == 6 && up2.z == 1);
  EXPECT_EQ(a.SUCameraGetOrientation(perspective, &eye2, nullptr, &up2),
            SU_ERROR_NULL_POINTER_OUTPUT);
  EXPECT_EQ(a.SUCameraGetOrientation(perspective, &eye2, &target2, nullptr),
            SU_ERROR_NULL_POINTER_OUTPUT);

  bool is_perspective = false;
  double fov = 0;
  double frustum_fov = 0;
  EXPECT_EQ(a.SUCameraGetPerspective(perspective, &is_perspective), SU_ERROR_NONE);
  EXPECT_EQ(a.SUCameraGetFOV(perspective, &fov), SU_ERROR_NONE);
  EXPECT_EQ(a.SUCameraGetPerspectiveFrustumFOV(perspective, &frustum_fov), SU_ERROR_NONE);
  EXPECT_TRUE(is_perspective && fov == 50 && frustum_fov == 50);

  const SUCameraRef plan = camera_of(scenes[1]);
  EXPECT_EQ(a.SUCameraGetPerspective(plan, &is_perspective), SU_ERROR_NONE);
  EXPECT_FALSE(is_perspective);
  EXPECT_EQ(a.SUCameraGetPerspectiveFrustumFOV(plan, &fov), SU_ERROR_NO_DATA);

  // Defaults: perspective, 35 degrees, Z up.
  const SUCameraRef defaults = camera_of(scenes[3]);
  EXPECT_EQ(a.SUCameraGetFOV(defaults, &fov), SU_ERROR_NONE);
  EXPECT_EQ(a.SUCameraGetUpVector(defaults, &up), SU_ERROR_NONE);
  EXPECT_TRUE(fov == 35 && up.z == 1);

  SUCameraRef none{nullptr};
  EXPECT_EQ(a.SUSceneGetCamera(scenes[2], &none), SU_ERROR_NO_DATA);
  EXPECT_EQ(none.ptr, nullptr);
  EXPECT_EQ(a.SUSceneGetCamera(scenes[0], nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
  EXPECT_EQ(a.SUCameraGetFOV(SUCameraRef{nullptr}, &fov), SU_ERROR_INVALID_INPUT);
}

TEST_F(StandinScene, ModelLayersAndElementLayersCompareByPointer) {
  const auto layers = layers_of(file.model());
  ASSERT_EQ(layers.size(), 2u);
  EXPECT_EQ(name_of(a.SULayerGetName, layers[1]), "家具");
  bool visible = true;
  EXPECT_EQ(a.SULayerGetVisibility(layers[1], &visible), SU_ERROR_NONE);
  EXPECT_FALSE(visible);
  EXPECT_EQ(a.SULayerGetVisibility(layers[0], &visible), SU_ERROR_NONE);
  EXPECT_TRUE(visible);

  const SUEntitiesRef e = file.entities();
  const auto faces = faces_of(e);
  SULayerRef layer{nullptr};
  ASSERT_EQ(a.SUFaceGetLayer(faces[0], &layer), SU_ERROR_NONE);
  EXPECT_EQ(layer.ptr, layers[1].ptr);
  ASSERT_EQ(a.SUDrawingElementGetLayer(a.SUFaceToDrawingElement(faces[0]), &layer), SU_ERROR_NONE);
  EXPECT_EQ(layer.ptr, layers[1].ptr);

  // No layer named: success with a null layer.
  layer.ptr = &layer;
  ASSERT_EQ(a.SUFaceGetLayer(faces[1], &layer), SU_ERROR_NONE);
  EXPECT_EQ(layer.ptr, nullptr);
  layer.ptr = &layer;
  ASSERT_EQ(a.SUDrawingElementGetLayer(SUDrawingElementRef{faces[1].ptr}, &layer), SU_ERROR_NONE);
  EXPECT_EQ(layer.ptr, nullptr);

  // A name not among the model's layers: a valid layer that the list does not hold, the same
  // for every element naming it.
  SULayerRef ghost{nullptr}, ghost_again{nullptr};
  ASSERT_EQ(a.SUFaceGetLayer(faces[2], &ghost), SU_ERROR_NONE);
  ASSERT_EQ(a.SUFaceGetLayer(faces[3], &ghost_again), SU_ERROR_NONE);
  ASSERT_NE(ghost.ptr, nullptr);
  EXPECT_EQ(ghost.ptr, ghost_again.ptr);
  EXPECT_NE(ghost.ptr, layers[0].ptr);
  EXPECT_NE(ghost.ptr, layers[1].ptr);
  EXPECT_EQ(name_of(a.SULayerGetName, ghost), "Ghost");
  EXPECT_EQ(a.SULayerGetVisibility(ghost, &visible), SU_ERROR_NONE);

  struct Element {
    SUDrawingElementRef element;
    void* expected;
  };
  for (const Element& el :
       {Element{a.SUEdgeToDrawingElement(edges_of(e, true)[0]), layers[0].ptr},
        Element{a.SUGroupToDrawingElement(groups_of(e)[0]), layers[1].ptr},
        Element{a.SUComponentInstanceToDrawingElement(instances_of(e)[0]), layers[0].ptr}}) {
    ASSERT_EQ(a.SUDrawingElementGetLayer(el.element, &layer), SU_ERROR_NONE);
    EXPECT_EQ(layer.ptr, el.expected);
  }
  EXPECT_EQ(a.SUDrawingElementGetLayer(SUDrawingElementRef{nullptr}, &layer),
            SU_ERROR_INVALID_INPUT);
  EXPECT_EQ(a.SUFaceGetLayer(faces[0], nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
}

TEST_F(StandinScene, StringsCreateReadAndRelease) {
  const SULayerRef layer = layers_of(file.model())[1];

  SUStringRef s{nullptr};
  EXPECT_EQ(a.SUStringCreate(nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
  ASSERT_EQ(a.SUStringCreate(&s), SU_ERROR_NONE);
  SUStringRef kept = s;
  EXPECT_EQ(a.SUStringCreate(&s), SU_ERROR_OVERWRITE_VALID);
  EXPECT_EQ(s.ptr, kept.ptr);

  size_t length = 99;
  ASSERT_EQ(a.SUStringGetUTF8Length(s, &length), SU_ERROR_NONE);
  EXPECT_EQ(length, 0u);  // a new string is empty
  ASSERT_EQ(a.SULayerGetName(layer, &s), SU_ERROR_NONE);
  ASSERT_EQ(a.SUStringGetUTF8Length(s, &length), SU_ERROR_NONE);
  EXPECT_EQ(length, std::strlen("家具"));  // UTF-8 bytes, no terminator

  char buffer[16];
  std::memset(buffer, 'x', sizeof buffer);
  size_t copied = 0;
  ASSERT_EQ(a.SUStringGetUTF8(s, length + 1, buffer, &copied), SU_ERROR_NONE);
  EXPECT_EQ(copied, length);
  EXPECT_STREQ(buffer, "家具");
  EXPECT_EQ(buffer[length + 1], 'x');

  // A short buffer holds a terminated prefix that never splits a character.
  std::memset(buffer, 'x', sizeof buffer);
  ASSERT_EQ(a.SUStringGetUTF8(s, 5, buffer, &copied), SU_ERROR_NONE);
  EXPECT_EQ(copied, 3u);
  EXPECT_STREQ(buffer, "家");
  EXPECT_EQ(buffer[5], 'x');

  EXPECT_EQ(a.SUStringGetUTF8(s, 8, buffer, nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
  EXPECT_EQ(a.SUStringGetUTF8(s, 8, nullptr, &copied), SU_ERROR_NULL_POINTER_OUTPUT);
  EXPECT_EQ(a.SUStringGetUTF8(SUStringRef{nullptr}, 8, buffer, &copied), SU_ERROR_INVALID_INPUT);
  EXPECT_EQ(a.SUStringGetUTF8Length(SUStringRef{nullptr}, &length), SU_ERROR_INVALID_INPUT);

  EXPECT_EQ(a.SULayerGetName(SULayerRef{nullptr}, &s), SU_ERROR_INVALID_INPUT);
  EXPECT_EQ(a.SUStringRelease(&s), SU_ERROR_NONE);
  EXPECT_EQ(s.ptr, nullptr);
  EXPECT_EQ(a.SUStringRelease(&kept), SU_ERROR_INVALID_INPUT);
  EXPECT_EQ(a.SUStringRelease(nullptr), SU_ERROR_NULL_POINTER_INPUT);
  // Name getters need a created string: never created, released, or not a string at all.
  int not_a_string = 0;
  SUStringRef foreign{&not_a_string};
  EXPECT_EQ(a.SULayerGetName(layer, &kept), SU_ERROR_INVALID_OUTPUT);
  EXPECT_EQ(a.SULayerGetName(layer, &s), SU_ERROR_INVALID_OUTPUT);
  EXPECT_EQ(a.SUSceneGetName(scenes_of(file.model())[0], &foreign), SU_ERROR_INVALID_OUTPUT);
  EXPECT_EQ(a.SULayerGetName(layer, nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
}

}  // namespace
