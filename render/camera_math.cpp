#include "render/camera_math.h"

#include <algorithm>
#include <cmath>

#include "model/skp_model.h"

namespace lumeno {

namespace {

constexpr float kRadToDeg = 180.0f / 3.1415927f;
// Smallest orthographic half-height: keeps left != right and bottom != top when the camera
// distance has been zoomed down to nothing.
constexpr double kMinOrthoHalf = 1e-4;
// Field of view taken from a scene: the range the view-angle dialog keeps. 0 or 180 degrees
// would make the perspective matrix degenerate.
constexpr float kMinSceneFov = 1.0f;
constexpr float kMaxSceneFov = 120.0f;

// View matrix from an orthonormal frame: rows side, up, -forward, then a translation by -eye.
Mat4 frame_matrix(const Vec3& side, const Vec3& up, const Vec3& forward, const Vec3& eye) {
  Mat4 r = Mat4::identity();
  r.m[0] = side.x;
  r.m[4] = side.y;
  r.m[8] = side.z;
  r.m[1] = up.x;
  r.m[5] = up.y;
  r.m[9] = up.z;
  r.m[2] = -forward.x;
  r.m[6] = -forward.y;
  r.m[10] = -forward.z;
  // glTranslated(-eye) multiplied on the right, in double as GLU does.
  for (int row = 0; row < 3; ++row) {
    const double t =
        -(static_cast<double>(r.m[row]) * eye.x + static_cast<double>(r.m[4 + row]) * eye.y +
          static_cast<double>(r.m[8 + row]) * eye.z);
    r.m[12 + row] = static_cast<float>(t);
  }
  return r;
}

}  // namespace

Vec3 ViewBounds::centre() const { return (min + max) * 0.5f; }

float ViewBounds::diagonal() const { return length(max - min); }

ViewBounds view_bounds(const SkpModel& model) {
  const ViewBox box = model.view_box();
  ViewBounds b;
  b.min = box.min;
  b.max = box.max;
  return b;
}

float viewport_aspect(int width, int height) {
  if (width <= 0 || height <= 0) return 1.0f;
  const float aspect = static_cast<float>(width) / static_cast<float>(height);
  return aspect > 0.0f ? aspect : 1.0f;
}

bool viewport_drawable(const Viewport& viewport) {
  return viewport.width > 0 && viewport.height > 0;
}

Vec3 eye_direction(float pitch_deg, float yaw_deg) {
  const float p = pitch_deg * kDegToRad;
  const float y = yaw_deg * kDegToRad;
  const float cp = std::cos(p);
  return Vec3{cp * std::sin(y), -cp * std::cos(y), std::sin(p)};
}

Vec3 camera_look_at(const Camera& camera, const Vec3& centre) {
  return Vec3{centre.x + camera.target_offset[0], centre.y + camera.target_offset[1],
              centre.z + camera.target_offset[2]};
}

Vec3 camera_eye(const Camera& camera, const Vec3& centre) {
  return camera_look_at(camera, centre) + eye_direction(camera.pitch, camera.yaw) * camera.distance;
}

Mat4 perspective_matrix(double fovy_deg, double aspect, double z_near, double z_far) {
  Mat4 r = Mat4::identity();
  const double radians = fovy_deg / 2.0 * 3.14159265358979323846 / 180.0;
  const double delta_z = z_far - z_near;
  const double sine = std::sin(radians);
  // GLU leaves the matrix alone for these; so do we.
  if (delta_z == 0.0 || sine == 0.0 || aspect == 0.0) return r;
  const double cotangent = std::cos(radians) / sine;
  r.m[0] = static_cast<float>(cotangent / aspect);
  r.m[5] = static_cast<float>(cotangent);
  r.m[10] = static_cast<float>(-(z_far + z_near) / delta_z);
  r.m[11] = -1.0f;
  r.m[14] = static_cast<float>(-2.0 * z_near * z_far / delta_z);
  r.m[15] = 0.0f;
  return r;
}

Mat4 ortho_matrix(double left, double right, double bottom, double top, double z_near,
                  double z_far) {
  Mat4 r = Mat4::identity();
  // GL rejects these (GL_INVALID_VALUE) and keeps the current matrix.
  if (left == right || bottom == top || z_near == z_far) return r;
  r.m[0] = static_cast<float>(2.0 / (right - left));
  r.m[5] = static_cast<float>(2.0 / (top - bottom));
  r.m[10] = static_cast<float>(-2.0 / (z_far - z_near));
  r.m[12] = static_cast<float>(-(right + left) / (right - left));
  r.m[13] = static_cast<float>(-(top + bottom) / (top - bottom));
  r.m[14] = static_cast<float>(-(z_far + z_near) / (z_far - z_near));
  return r;
}

Mat4 look_at_matrix(const Vec3& eye, const Vec3& centre, const Vec3& up) {
  const Vec3 forward = normalised(centre - eye);
  const Vec3 side = normalised(cross(forward, up));
  const Vec3 true_up = cross(side, forward);
  return frame_matrix(side, true_up, forward, eye);
}

void transform(const Mat4& m, float x, float y, float z, float out[4]) {
  double h[4];
  transform_homogeneous(m.m, x, y, z, h);
  for (int row = 0; row < 4; ++row) out[row] = static_cast<float>(h[row]);
}

CameraSetup camera_setup(const Camera& camera, const Viewport& viewport, const Vec3& centre) {
  CameraSetup s;
  s.aspect = viewport_aspect(viewport.width, viewport.height);
  s.perspective = camera.perspective;
  if (camera.perspective) {
    s.fovy = camera.fov;
    s.projection = perspective_matrix(s.fovy, s.aspect, kNearPlane, kFarPlane);
  } else {
    double h = static_cast<double>(camera.distance * 0.5f);
    if (!(h >= kMinOrthoHalf) || !std::isfinite(h)) h = kMinOrthoHalf;
    s.half_height = h;
    s.half_width = h * s.aspect;
    s.projection = ortho_matrix(-s.half_width, s.half_width, -s.half_height, s.half_height,
                                kNearPlane, kFarPlane);
  }

  Camera drawn = camera;
  drawn.pitch = std::max(-kPitchLimit, std::min(kPitchLimit, camera.pitch));
  if (!std::isfinite(drawn.pitch)) drawn.pitch = 0.0f;
  s.look_at = camera_look_at(drawn, centre);
  s.eye = camera_eye(drawn, centre);
  s.up = Vec3{0.0f, 0.0f, 1.0f};

  const Vec3 view = s.look_at - s.eye;
  if (length(view) > 0.0f && is_finite(view)) {
    s.modelview = look_at_matrix(s.eye, s.look_at, s.up);
  } else {
    // The eye sits on the look-at point (distance zoomed to 0): take the frame from the angles,
    // which is what gluLookAt gives for any positive distance.
    const Vec3 d = eye_direction(drawn.pitch, drawn.yaw);
    const Vec3 forward = -d;
    const float y = drawn.yaw * kDegToRad;
    const Vec3 side{std::cos(y), std::sin(y), 0.0f};
    s.modelview = frame_matrix(side, cross(side, forward), forward, s.eye);
  }
  return s;
}

float fit_distance(const ViewBounds& bounds) {
  float d = bounds.diagonal();
  if (!(d >= 0.001f) || !std::isfinite(d)) d = 10.0f;
  return d * 1.5f;
}

void fit_camera(Camera& camera, const ViewBounds& bounds) {
  camera.target_offset[0] = camera.target_offset[1] = camera.target_offset[2] = 0.0f;
  camera.distance = fit_distance(bounds);
}

bool standard_view_angles(int dir, float& pitch, float& yaw) {
  static const float kAngles[6][2] = {
      {0.0f, 0.0f},    // Front: eye on -Y
      {0.0f, 180.0f},  // Back: eye on +Y
      {0.0f, 90.0f},   // Right: eye on +X
      {0.0f, -90.0f},  // Left: eye on -X
      {89.0f, 0.0f},   // Top
      {-89.0f, 0.0f},  // Bottom
  };
  if (dir < 0 || dir > 5) return false;
  pitch = kAngles[dir][0];
  yaw = kAngles[dir][1];
  return true;
}

void apply_scene_to_camera(Camera& camera, const SceneInfo& scene, const Vec3& centre) {
  const Vec3 d{static_cast<float>(scene.eye.x - scene.target.x),
               static_cast<float>(scene.eye.y - scene.target.y),
               static_cast<float>(scene.eye.z - scene.target.z)};
  const Vec3 target{static_cast<float>(scene.target.x), static_cast<float>(scene.target.y),
                    static_cast<float>(scene.target.z)};
  // A camera that cannot be placed (coordinates beyond float range or not numbers) is ignored
  // rather than turning the pane into NaNs.
  if (!is_finite(d) || !is_finite(target)) return;
  if (std::isfinite(scene.fov)) {
    camera.fov = std::max(kMinSceneFov, std::min(kMaxSceneFov, static_cast<float>(scene.fov)));
  }
  camera.perspective = scene.perspective;
  const float len = length(d);
  // An eye on the target gives no distance. The pane keeps its own: zooming multiplies the
  // distance, so a pane left at 0 could never be zoomed out again.
  if (len > 0.0f) camera.distance = len;
  if (len > 0.001f) {
    float pitch = std::asin(std::max(-1.0f, std::min(1.0f, d.z / len))) * kRadToDeg;
    const bool clamped = pitch > kPitchLimit || pitch < -kPitchLimit;
    pitch = std::max(-kPitchLimit, std::min(kPitchLimit, pitch));
    const float horizontal = std::sqrt(d.x * d.x + d.y * d.y);
    const float up_x = static_cast<float>(scene.up.x);
    const float up_y = static_cast<float>(scene.up.y);
    const bool up_usable = std::sqrt(up_x * up_x + up_y * up_y) > 1e-6f;
    if (clamped && up_usable) {
      // Looking (almost) straight down, the screen's up is (-sin yaw, cos yaw); straight up,
      // its opposite. The scene's up vector says which way that is.
      camera.yaw =
          pitch > 0.0f ? std::atan2(-up_x, up_y) * kRadToDeg : std::atan2(up_x, -up_y) * kRadToDeg;
    } else if (horizontal > 0.0f) {
      camera.yaw = std::atan2(d.x, -d.y) * kRadToDeg;
    }
    camera.pitch = pitch;
  }
  camera.target_offset[0] = target.x - centre.x;
  camera.target_offset[1] = target.y - centre.y;
  camera.target_offset[2] = target.z - centre.z;
}

}  // namespace lumeno
