// Camera arithmetic: eye placement, the loaded matrices, fitting, standard views, scene cameras
// and the guards for degenerate panes and cameras.
#include "render/camera_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/skp_model.h"

namespace lumeno {
namespace {

constexpr float kTol = 1e-3f;

Viewport pane(int width, int height) {
  Viewport v;
  v.width = width;
  v.height = height;
  return v;
}

void expect_near3(const Vec3& got, float x, float y, float z, float tol = kTol) {
  EXPECT_NEAR(got.x, x, tol);
  EXPECT_NEAR(got.y, y, tol);
  EXPECT_NEAR(got.z, z, tol);
}

// Eye-space position of a world point under the model-view matrix.
Vec3 to_eye(const Mat4& modelview, float x, float y, float z) {
  float out[4];
  transform(modelview, x, y, z, out);
  return Vec3{out[0], out[1], out[2]};
}

// Normalised device coordinates of an eye-space point.
Vec3 to_ndc(const Mat4& projection, const Vec3& eye_space) {
  float clip[4];
  transform(projection, eye_space.x, eye_space.y, eye_space.z, clip);
  return Vec3{clip[0] / clip[3], clip[1] / clip[3], clip[2] / clip[3]};
}

bool all_finite(const Mat4& m) {
  for (float v : m.m) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

struct EyeCase {
  const char* name;
  float pitch, yaw, distance;
  float offset[3];
  Vec3 centre;
  Vec3 expected;  // worked out by hand
};

TEST(CameraEye, PlacedByPitchYawAndDistance) {
  const float c30 = std::sqrt(3.0f) / 2.0f;
  const float r2 = std::sqrt(0.5f);
  const EyeCase cases[] = {
      {"yaw 0 is on -Y", 0, 0, 10, {0, 0, 0}, {0, 0, 0}, {0, -10, 0}},
      {"yaw 90 is on +X", 0, 90, 10, {0, 0, 0}, {0, 0, 0}, {10, 0, 0}},
      {"yaw 180 is on +Y", 0, 180, 10, {0, 0, 0}, {0, 0, 0}, {0, 10, 0}},
      {"yaw -90 is on -X", 0, -90, 10, {0, 0, 0}, {0, 0, 0}, {-10, 0, 0}},
      {"positive pitch is above", 30, 0, 2, {0, 0, 0}, {0, 0, 0}, {0, -2 * c30, 1}},
      {"default camera", 30, -45, 5, {0, 0, 0}, {0, 0, 0},
       {-5 * c30 * r2, -5 * c30 * r2, 2.5f}},
      {"offset and centre add", 0, 0, 1, {1, 2, 3}, {10, 20, 30}, {11, 21, 33}},
  };
  for (const EyeCase& c : cases) {
    SCOPED_TRACE(c.name);
    Camera cam;
    cam.pitch = c.pitch;
    cam.yaw = c.yaw;
    cam.distance = c.distance;
    for (int i = 0; i < 3; ++i) cam.target_offset[i] = c.offset[i];
    expect_near3(camera_eye(cam, c.centre), c.expected.x, c.expected.y, c.expected.z);
    const CameraSetup s = camera_setup(cam, pane(800, 600), c.centre);
    expect_near3(s.eye, c.expected.x, c.expected.y, c.expected.z);
    // The eye lands on the origin of eye space and the look-at point straight ahead.
    const Vec3 at = camera_look_at(cam, c.centre);
    expect_near3(to_eye(s.modelview, s.eye.x, s.eye.y, s.eye.z), 0, 0, 0, 1e-3f);
    expect_near3(to_eye(s.modelview, at.x, at.y, at.z), 0, 0, -c.distance, 1e-3f);
  }
}

TEST(CameraSetupTest, ScreenAxesFollowTheView) {
  // Front view (yaw 0): world +X is to the right and +Z up. Right view (yaw 90, eye on +X):
  // world +Y is to the right.
  Camera front;
  front.pitch = 0;
  front.yaw = 0;
  front.distance = 10;
  CameraSetup s = camera_setup(front, pane(100, 100), Vec3{});
  expect_near3(to_eye(s.modelview, 1, 0, 0), 1, 0, -10);
  expect_near3(to_eye(s.modelview, 0, 0, 1), 0, 1, -10);

  Camera right = front;
  right.yaw = 90;
  s = camera_setup(right, pane(100, 100), Vec3{});
  expect_near3(to_eye(s.modelview, 0, 1, 0), 1, 0, -10);
  expect_near3(to_eye(s.modelview, 0, 0, 1), 0, 1, -10);
}

TEST(CameraSetupTest, PerspectiveFrustumCornersReachTheClipBox) {
  Camera cam;
  cam.fov = 90.0f;
  const CameraSetup s = camera_setup(cam, pane(200, 100), Vec3{});
  EXPECT_FLOAT_EQ(s.aspect, 2.0f);
  EXPECT_DOUBLE_EQ(s.fovy, 90.0);
  // tan(45) = 1: at depth n the frustum is 2n wide (aspect 2) and n high.
  const float n = static_cast<float>(kNearPlane), f = static_cast<float>(kFarPlane);
  expect_near3(to_ndc(s.projection, Vec3{2 * n, n, -n}), 1, 1, -1, 1e-4f);
  expect_near3(to_ndc(s.projection, Vec3{-2 * f, -f, -f}), -1, -1, 1, 1e-3f);
}

TEST(CameraSetupTest, OrthographicScaleFollowsDistance) {
  Camera cam;
  cam.perspective = false;
  cam.distance = 100.0f;
  const CameraSetup s = camera_setup(cam, pane(300, 150), Vec3{});
  EXPECT_DOUBLE_EQ(s.half_height, 50.0);
  EXPECT_DOUBLE_EQ(s.half_width, 100.0);
  // 50 units up from the view axis is the top edge, whatever the depth.
  for (float depth : {1.0f, 100.0f, 5000.0f}) {
    const Vec3 ndc = to_ndc(s.projection, Vec3{100, 50, -depth});
    EXPECT_NEAR(ndc.x, 1.0f, 1e-5f);
    EXPECT_NEAR(ndc.y, 1.0f, 1e-5f);
  }
}

TEST(CameraSetupTest, AspectNeverDividesByZero) {
  struct Case {
    int width, height;
    float aspect;
  };
  const Case cases[] = {{800, 600, 800.0f / 600.0f}, {1, 1000, 0.001f}, {0, 600, 1.0f},
                        {800, 0, 1.0f},              {0, 0, 1.0f},      {-5, 10, 1.0f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    EXPECT_FLOAT_EQ(viewport_aspect(c.width, c.height), c.aspect);
    EXPECT_EQ(viewport_drawable(pane(c.width, c.height)), c.width > 0 && c.height > 0);
    for (bool perspective : {true, false}) {
      Camera cam;
      cam.perspective = perspective;
      const CameraSetup s = camera_setup(cam, pane(c.width, c.height), Vec3{});
      EXPECT_TRUE(all_finite(s.projection));
      EXPECT_TRUE(all_finite(s.modelview));
    }
  }
}

TEST(CameraSetupTest, DegenerateCamerasStillGiveAView) {
  // Eye on the look-at point (zoomed through to distance 0): same direction as from afar.
  Camera near_cam;
  near_cam.distance = 0.0f;
  Camera far_cam;
  far_cam.distance = 1.0f;
  const CameraSetup a = camera_setup(near_cam, pane(100, 100), Vec3{});
  const CameraSetup b = camera_setup(far_cam, pane(100, 100), Vec3{});
  ASSERT_TRUE(all_finite(a.modelview));
  for (int i : {0, 1, 2, 4, 5, 6, 8, 9, 10}) EXPECT_NEAR(a.modelview.m[i], b.modelview.m[i], 1e-5f);

  // Pitch 90 written by someone past the clamp: drawn as 89, the view stays defined.
  Camera overhead;
  overhead.pitch = 90.0f;
  Camera clamped;
  clamped.pitch = 89.0f;
  const CameraSetup c = camera_setup(overhead, pane(100, 100), Vec3{});
  const CameraSetup d = camera_setup(clamped, pane(100, 100), Vec3{});
  ASSERT_TRUE(all_finite(c.modelview));
  for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(c.modelview.m[i], d.modelview.m[i]);

  // Orthographic at distance 0 keeps a non-empty view volume.
  Camera flat;
  flat.perspective = false;
  flat.distance = 0.0f;
  const CameraSetup e = camera_setup(flat, pane(100, 100), Vec3{});
  EXPECT_GT(e.half_height, 0.0);
  EXPECT_TRUE(all_finite(e.projection));
  EXPECT_NE(e.projection.m[0], 1.0f);  // not left as identity
}

TEST(CameraFit, DistanceFromTheDiagonal) {
  struct Case {
    const char* name;
    Vec3 min, max;
    float distance;
  };
  const Case cases[] = {
      {"3-4-12 box", {0, 0, 0}, {3, 4, 12}, 19.5f},
      {"single point", {5, 5, 5}, {5, 5, 5}, 15.0f},
      {"below 0.001", {0, 0, 0}, {0.0005f, 0, 0}, 15.0f},
      {"at 0.001", {0, 0, 0}, {0.001f, 0, 0}, 0.0015f},
      {"infinite", {0, 0, 0}, {std::numeric_limits<float>::infinity(), 0, 0}, 15.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ViewBounds b;
    b.min = c.min;
    b.max = c.max;
    EXPECT_FLOAT_EQ(fit_distance(b), c.distance);
  }
}

TEST(ViewBoundsTest, EmptyModelAndEdgesOnlyModel) {
  SkpModel empty;
  ViewBounds b = view_bounds(empty);
  expect_near3(b.centre(), 0, 0, 0);
  EXPECT_EQ(b.diagonal(), 0.0f);  // fit falls back to 15

  // Edges never enter the model's box; the view bounds them so such a model is not fitted at
  // 5e10 units around the origin.
  SkpModel edges_only;
  EdgeData e1;
  e1.start[0] = 100;
  e1.end[0] = 110;
  e1.end[1] = 20;
  EdgeData e2;
  e2.start[0] = 105;
  e2.start[2] = -4;
  e2.end[0] = 105;
  edges_only.edges = {e1, e2};
  edges_only.loaded = true;
  b = view_bounds(edges_only);
  expect_near3(b.min, 100, 0, -4);
  expect_near3(b.max, 110, 20, 0);
  EXPECT_NEAR(fit_distance(b), 1.5f * std::sqrt(100.0f + 400.0f + 16.0f), 1e-3f);

  // A box or edge end that is not finite (hostile transforms) never reaches the camera.
  const float inf = std::numeric_limits<float>::infinity();
  edges_only.bbox_min[0] = -inf;
  edges_only.bbox_min[1] = edges_only.bbox_min[2] = 0.0f;
  edges_only.bbox_max[0] = inf;
  edges_only.bbox_max[1] = edges_only.bbox_max[2] = 1.0f;
  edges_only.edges[1].end[1] = std::numeric_limits<float>::quiet_NaN();
  b = view_bounds(edges_only);
  expect_near3(b.min, 100, 0, -4);
  expect_near3(b.max, 110, 20, 0);
}

TEST(StandardView, AnglesPutTheEyeOnTheNamedSide) {
  struct Case {
    NavCubeDir dir;
    float pitch, yaw;
    Vec3 eye_dir;  // rounded direction from look-at point to eye
  };
  const Case cases[] = {
      {Front, 0, 0, {0, -1, 0}},   {Back, 0, 180, {0, 1, 0}}, {Right, 0, 90, {1, 0, 0}},
      {Left, 0, -90, {-1, 0, 0}},  {Top, 89, 0, {0, 0, 1}},   {Bottom, -89, 0, {0, 0, -1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.dir));
    float pitch = -1000, yaw = -1000;
    ASSERT_TRUE(standard_view_angles(c.dir, pitch, yaw));
    EXPECT_EQ(pitch, c.pitch);
    EXPECT_EQ(yaw, c.yaw);
    expect_near3(eye_direction(pitch, yaw), c.eye_dir.x, c.eye_dir.y, c.eye_dir.z, 0.02f);
  }
  for (int bad : {-1, 6, 100}) {
    float pitch = 7, yaw = 8;
    EXPECT_FALSE(standard_view_angles(bad, pitch, yaw));
    EXPECT_EQ(pitch, 7.0f);
    EXPECT_EQ(yaw, 8.0f);
  }
}

SceneInfo scene_at(Vec3 eye, Vec3 target, Vec3 up = Vec3{0, 0, 1}) {
  SceneInfo s;
  s.eye = SUPoint3D{eye.x, eye.y, eye.z};
  s.target = SUPoint3D{target.x, target.y, target.z};
  s.up = SUVector3D{up.x, up.y, up.z};
  s.has_camera = true;
  return s;
}

TEST(SceneCamera, EyeAndTargetReproduced) {
  const Vec3 centre{10, -20, 5};
  const SceneInfo scenes[] = {
      scene_at({100, 0, 50}, {0, 0, 0}),        // +X side, above
      scene_at({-30, -40, 0}, {0, 0, 0}),       // level
      scene_at({12, 7, -100}, {12, 19, 20}),    // far below, steeply up
      scene_at({500, 600, 700}, {480, 650, 690}),
      scene_at({0, -1, 0}, {0, 0, 0}),          // yaw 0
  };
  for (const SceneInfo& scene : scenes) {
    SCOPED_TRACE(testing::Message() << scene.eye.x << "," << scene.eye.y << "," << scene.eye.z);
    Camera cam;
    apply_scene_to_camera(cam, scene, centre);
    const Vec3 at = camera_look_at(cam, centre);
    const Vec3 eye = camera_eye(cam, centre);
    const float tol = 1e-4f * std::max(1.0f, cam.distance);
    expect_near3(at, static_cast<float>(scene.target.x), static_cast<float>(scene.target.y),
                 static_cast<float>(scene.target.z), tol);
    expect_near3(eye, static_cast<float>(scene.eye.x), static_cast<float>(scene.eye.y),
                 static_cast<float>(scene.eye.z), tol);
  }
}

TEST(SceneCamera, StraightDownOrUpKeepsADefinedView) {
  struct Case {
    const char* name;
    Vec3 eye, up;
    float pitch, yaw;
  };
  const Case cases[] = {
      // Looking down with +Y at the top of the screen is the Top view's heading.
      {"down, +Y up", {0, 0, 50}, {0, 1, 0}, 89, 0},
      {"down, +X up", {0, 0, 50}, {1, 0, 0}, 89, -90},
      {"down, -Y up", {0, 0, 50}, {0, -1, 0}, 89, 180},
      {"up, -Y up", {0, 0, -50}, {0, -1, 0}, -89, 0},
      {"up, +X up", {0, 0, -50}, {1, 0, 0}, -89, 90},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Camera cam;
    apply_scene_to_camera(cam, scene_at(c.eye, {0, 0, 0}, c.up), Vec3{});
    EXPECT_FLOAT_EQ(cam.pitch, c.pitch);
    EXPECT_NEAR(std::remainder(cam.yaw - c.yaw, 360.0f), 0.0f, 1e-3f);
    EXPECT_FLOAT_EQ(cam.distance, 50.0f);
    const CameraSetup s = camera_setup(cam, pane(100, 100), Vec3{});
    ASSERT_TRUE(all_finite(s.modelview));
    // The scene's up vector points to the top of the screen.
    const Vec3 up_on_screen = to_eye(s.modelview, c.up.x, c.up.y, c.up.z);
    const Vec3 origin = to_eye(s.modelview, 0, 0, 0);
    EXPECT_GT(up_on_screen.y - origin.y, 0.9f);
  }
  // No usable up vector: the previous heading stays.
  Camera cam;
  cam.yaw = 33;
  apply_scene_to_camera(cam, scene_at({0, 0, 50}, {0, 0, 0}, {0, 0, 1}), Vec3{});
  EXPECT_FLOAT_EQ(cam.pitch, 89.0f);
  EXPECT_FLOAT_EQ(cam.yaw, 33.0f);
}

TEST(SceneCamera, EyeOnTargetKeepsAngles) {
  Camera cam;
  cam.pitch = 12;
  cam.yaw = 34;
  SceneInfo scene = scene_at({3, 4, 5}, {3, 4, 5.0005f});
  scene.fov = 70;
  apply_scene_to_camera(cam, scene, Vec3{1, 1, 1});
  EXPECT_FLOAT_EQ(cam.pitch, 12.0f);
  EXPECT_FLOAT_EQ(cam.yaw, 34.0f);
  EXPECT_NEAR(cam.distance, 0.0005f, 1e-5f);
  EXPECT_FLOAT_EQ(cam.fov, 70.0f);
  EXPECT_FLOAT_EQ(cam.target_offset[0], 2.0f);
  EXPECT_NEAR(cam.target_offset[2], 4.0005f, 1e-5f);
}

TEST(SceneCamera, HostileValuesAreContained) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  Camera before;
  before.distance = 42;
  Camera cam = before;
  SceneInfo bad = scene_at({1, 2, 3}, {0, 0, 0});
  bad.eye.x = nan;
  apply_scene_to_camera(cam, bad, Vec3{});
  EXPECT_EQ(cam.distance, 42.0f);
  EXPECT_EQ(cam.target_offset[0], 0.0f);

  bad = scene_at({1, 0, 0}, {0, 0, 0});
  bad.eye.x = 1e300;  // beyond float range
  apply_scene_to_camera(cam, bad, Vec3{});
  EXPECT_EQ(cam.distance, 42.0f);

  struct FovCase {
    double fov;
    float kept;
  };
  const FovCase fovs[] = {{0.0, 1.0f}, {-20.0, 1.0f}, {179.0, 120.0f}, {nan, 35.0f}};
  for (const FovCase& f : fovs) {
    Camera c;
    SceneInfo s = scene_at({0, -5, 0}, {0, 0, 0});
    s.fov = f.fov;
    apply_scene_to_camera(c, s, Vec3{});
    EXPECT_FLOAT_EQ(c.fov, f.kept) << f.fov;
    EXPECT_TRUE(all_finite(camera_setup(c, pane(10, 10), Vec3{}).projection));
  }
}

}  // namespace
}  // namespace lumeno
