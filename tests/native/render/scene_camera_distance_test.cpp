// A scene camera whose eye sits on its target: the pane keeps a distance it can zoom from.
#include <gtest/gtest.h>

#include "model/skp_model.h"
#include "render/camera_math.h"

namespace lumeno {
namespace {

TEST(SceneCameraDistance, EyeOnTargetKeepsThePanesDistance) {
  Camera cam;
  cam.distance = 250.0f;
  SceneInfo scene;
  scene.eye = scene.target = SUPoint3D{3, 4, 5};
  scene.up = SUVector3D{0, 0, 1};
  scene.has_camera = true;
  apply_scene_to_camera(cam, scene, Vec3{1, 1, 1});
  EXPECT_EQ(cam.distance, 250.0f) << "0 would stay 0 under every zoom step";
  EXPECT_FLOAT_EQ(cam.target_offset[2], 4.0f) << "the target is still taken";

  scene.eye.z = 15;  // an eye off the target sets the distance as before
  apply_scene_to_camera(cam, scene, Vec3{1, 1, 1});
  EXPECT_FLOAT_EQ(cam.distance, 10.0f);
}

}  // namespace
}  // namespace lumeno
