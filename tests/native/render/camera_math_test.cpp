// Camera arithmetic: eye placement, the projection, fitting, scene cameras and the guards for
// degenerate panes, cameras and hostile scene values.
#include "render/camera_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/skp_model.h"

namespace lumeno {
namespace {

const float kInf = std::numeric_limits<float>::infinity();
const double kNan = std::numeric_limits<double>::quiet_NaN();
const Viewport kSquare{0, 0, 100, 100, {}, {}};

void expect_near3(const Vec3& got, Vec3 want, float tol = 1e-3f) {
  EXPECT_NEAR(got.x, want.x, tol);
  EXPECT_NEAR(got.y, want.y, tol);
  EXPECT_NEAR(got.z, want.z, tol);
}

Vec3 apply(const Mat4& m, Vec3 p, bool divide = false) {
  float out[4];
  transform(m, p.x, p.y, p.z, out);
  const float w = divide ? out[3] : 1.0f;
  return Vec3{out[0] / w, out[1] / w, out[2] / w};
}

Camera camera(float pitch, float yaw, float distance, bool perspective = true) {
  Camera c;
  c.pitch = pitch, c.yaw = yaw, c.distance = distance, c.perspective = perspective;
  return c;
}

TEST(CameraSetupTest, FrustumCornersReachTheClipBox) {
  Camera cam = camera(30, -45, 100);
  cam.fov = 90.0f;
  const Viewport wide{0, 0, 200, 100, {}, {}};
  CameraSetup s = camera_setup(cam, wide, Vec3{});
  // tan(45) = 1: at depth n the frustum is 2n wide (aspect 2) and n high.
  const float n = static_cast<float>(kNearPlane), f = static_cast<float>(kFarPlane);
  expect_near3(apply(s.projection, {2 * n, n, -n}, true), {1, 1, -1}, 1e-4f);
  expect_near3(apply(s.projection, {-2 * f, -f, -f}, true), {-1, -1, 1});
  // Orthographic: half the distance up is the top edge at any depth.
  s = camera_setup(camera(30, -45, 100, false), wide, Vec3{});
  for (float depth : {1.0f, 5000.0f})
    EXPECT_NEAR(apply(s.projection, {100, 50, -depth}, true).y, 1, 1e-5f);
}

TEST(CameraSetupTest, DegeneratePanesAndCamerasStillGiveAFiniteView) {
  const int panes[][2] = {{800, 600}, {800, 0}, {-5, 10}};
  for (const auto& c : panes) {
    const Viewport v{0, 0, c[0], c[1], {}, {}};
    EXPECT_FLOAT_EQ(viewport_aspect(c[0], c[1]), c[1] > 0 && c[0] > 0 ? 800.0f / 600 : 1) << c[0];
    EXPECT_EQ(viewport_drawable(v), c[1] > 0 && c[0] > 0);
    for (bool perspective : {true, false})
      for (float m : camera_setup(camera(30, 0, 5, perspective), v, Vec3{}).projection.m)
        EXPECT_TRUE(std::isfinite(m));
  }
  // Zoomed through to distance 0: the view keeps the direction it has from afar.
  const Mat4 at0 = camera_setup(camera(30, -45, 0), kSquare, Vec3{}).modelview;
  EXPECT_NEAR(at0.m[2], camera_setup(camera(30, -45, 1), kSquare, Vec3{}).modelview.m[2], 1e-5f);
  // Orthographic at distance 0 keeps a non-empty view volume.
  EXPECT_GT(camera_setup(camera(30, -45, 0, false), kSquare, Vec3{}).half_height, 0.0);
}

TEST(CameraFit, DistanceIsOneAndAHalfDiagonalsOfBoundsWithoutNonFiniteValues) {
  const std::pair<Vec3, float> cases[] = {{{3, 4, 12}, 19.5f},
                                          {{0.0005f, 0, 0}, 15.0f},
                                          {{0.001f, 0, 0}, 0.0015f},
                                          {{kInf, 0, 0}, 15.0f}};
  for (const auto& [max, distance] : cases) {
    ViewBounds b;
    b.max = max;
    EXPECT_FLOAT_EQ(fit_distance(b), distance) << max.x;
  }

  // Edges are not in the model's box but in the view's; an infinite box (hostile transforms) and
  // a NaN edge end are left out.
  SkpModel model;
  model.edges.resize(2);
  EdgeData &e1 = model.edges[0], &e2 = model.edges[1];
  e1.start[0] = 100, e1.end[0] = 110, e1.end[1] = 20;
  e2.start[0] = e2.end[0] = 105, e2.start[2] = -4, e2.end[1] = NAN;
  model.loaded = true;
  model.bbox_min[0] = -kInf, model.bbox_max[0] = kInf;
  expect_near3(view_bounds(model).min, {100, 0, -4});
  expect_near3(view_bounds(model).max, {110, 20, 0});
}

SceneInfo scene_at(Vec3 eye, Vec3 target, Vec3 up = Vec3{0, 0, 1}) {
  SceneInfo s;
  s.eye = {eye.x, eye.y, eye.z}, s.target = {target.x, target.y, target.z};
  s.up = {up.x, up.y, up.z}, s.has_camera = true;
  return s;
}

TEST(SceneCamera, StraightDownOrUpTakesTheHeadingFromTheUpVector) {
  for (float z : {50.0f, -50.0f}) {  // up along +X: pitch 89 and yaw -90 looking down
    Camera cam;
    apply_scene_to_camera(cam, scene_at({0, 0, z}, {0, 0, 0}, {1, 0, 0}), Vec3{});
    EXPECT_FLOAT_EQ(cam.pitch, z > 0 ? 89 : -89);
    EXPECT_NEAR(std::remainder(cam.yaw + (z > 0 ? 90 : -90), 360.0f), 0.0f, 1e-3f);
    const Mat4 mv = camera_setup(cam, kSquare, Vec3{}).modelview;
    EXPECT_GT(apply(mv, {1, 0, 0}).y - apply(mv, {0, 0, 0}).y, 0.9f) << "up is the screen's top";
  }
  Camera cam = camera(0, 33, 5);  // no usable up vector: the heading stays
  apply_scene_to_camera(cam, scene_at({0, 0, 50}, {0, 0, 0}), Vec3{});
  EXPECT_TRUE(cam.pitch == 89 && cam.yaw == 33);
}

// The eye on the target has no direction or distance: angles and the pane's distance stay (0 would
// stay 0 under every zoom step), target and field of view apply. Off it, eye and target reproduce.
TEST(SceneCamera, EyeOnTargetKeepsAnglesAndThePanesDistance) {
  Camera cam = camera(12, 34, 250);
  SceneInfo scene = scene_at({3, 4, 5}, {3, 4, 5});
  scene.fov = 70;
  apply_scene_to_camera(cam, scene, Vec3{1, 1, 1});
  EXPECT_TRUE(cam.pitch == 12 && cam.yaw == 34 && cam.distance == 250);
  EXPECT_TRUE(cam.fov == 70 && cam.target_offset[2] == 4);
  scene.eye = {3, 10, 13};
  apply_scene_to_camera(cam, scene, Vec3{1, 1, 1});
  expect_near3(camera_eye(cam, Vec3{1, 1, 1}), {3, 10, 13});
  expect_near3(camera_look_at(cam, Vec3{1, 1, 1}), {3, 4, 5});
}

TEST(SceneCamera, HostileValuesAreContained) {
  for (double eye_x : {kNan, 1e300}) {  // 1e300 is beyond float range
    Camera cam = camera(30, -45, 42);
    SceneInfo bad = scene_at({1, 2, 3}, {0, 0, 0});
    bad.eye.x = eye_x;
    apply_scene_to_camera(cam, bad, Vec3{});
    EXPECT_TRUE(cam.distance == 42 && cam.target_offset[0] == 0) << eye_x;
  }
  const double fovs[][2] = {{0.0, 1.0}, {179.0, 120.0}, {kNan, 35.0}};
  for (const auto& f : fovs) {
    Camera c;
    SceneInfo s = scene_at({0, -5, 0}, {0, 0, 0});
    s.fov = f[0];
    apply_scene_to_camera(c, s, Vec3{});
    EXPECT_FLOAT_EQ(c.fov, static_cast<float>(f[1])) << f[0];
  }
}

}  // namespace
}  // namespace lumeno
