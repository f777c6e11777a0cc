// Camera arithmetic shared by drawing, picking and the window: the look-at point and eye of a
// pane's camera, the projection and model-view matrices that setting the camera loads, fitting
// cameras to the model, the standard view angles and taking over a scene's camera.
//
// Matrices are column-major float[16] (element 4 * column + row), built exactly as
// gluPerspective / glOrtho and gluLookAt build them, so the GL side may either glLoadMatrixf
// them or call GLU with the inputs kept beside them in CameraSetup.
#pragma once

#include "core/vec_math.h"
#include "render/camera.h"
#include "render/viewport.h"

class SkpModel;
struct SceneInfo;

namespace lumeno {

// Depth range of every pane's projection.
constexpr double kNearPlane = 0.1;
constexpr double kFarPlane = 100000.0;
// Elevation limit kept by every writer of Camera::pitch: the view direction never becomes
// parallel to the +Z up vector.
constexpr float kPitchLimit = 89.0f;
// Degrees to radians with the single-precision pi the camera formulas use.
constexpr float kDegToRad = 3.1415927f / 180.0f;

// The box cameras look at and fit to: the model's view box (SkpModel::view_box, measured once
// per load). For a model with triangles it is the model's bounding box. A model of standalone
// edges only keeps the reset box (min 1e10, max -1e10), so its edges are bounded instead (as is
// any model whose box is not finite); with no model, or nothing to bound, the box is the single
// point at the origin (centre 0, diagonal 0). Never inverted, always finite.
struct ViewBounds {
  Vec3 min;
  Vec3 max;
  Vec3 centre() const;
  float diagonal() const;  // length of max - min, single precision
};
ViewBounds view_bounds(const SkpModel& model);

// Width / height as floats; 1 when either side is not positive (a zero-width pane or a
// minimised window), so nothing is ever divided by zero.
float viewport_aspect(int width, int height);
// A pane with no pixels draws nothing.
bool viewport_drawable(const Viewport& viewport);

// Unit direction from the look-at point towards the eye for the given angles (degrees):
// (cos p * sin y, -cos p * cos y, sin p). Yaw 0 is on -Y, yaw 90 on +X.
Vec3 eye_direction(float pitch_deg, float yaw_deg);
// Look-at point: bounds centre + target_offset.
Vec3 camera_look_at(const Camera& camera, const Vec3& centre);
// Eye: look-at point + distance * eye_direction.
Vec3 camera_eye(const Camera& camera, const Vec3& centre);

// The GLU / GL 1.1 matrix builders.
Mat4 perspective_matrix(double fovy_deg, double aspect, double z_near, double z_far);
Mat4 ortho_matrix(double left, double right, double bottom, double top, double z_near,
                  double z_far);
Mat4 look_at_matrix(const Vec3& eye, const Vec3& centre, const Vec3& up);
// Applies `m` to the point (x, y, z, 1); returns the homogeneous result in single precision.
void transform(const Mat4& m, float x, float y, float z, float out[4]);

// Everything setting a camera for one pane loads, plus the inputs for the GLU calls.
struct CameraSetup {
  Mat4 projection;
  Mat4 modelview;
  float aspect = 1.0f;
  bool perspective = true;
  // Perspective: gluPerspective(fovy, aspect, kNearPlane, kFarPlane).
  double fovy = 35.0;
  // Orthographic: glOrtho(-half_width, half_width, -half_height, half_height, near, far).
  double half_width = 0.0;
  double half_height = 0.0;
  // gluLookAt(eye, look_at, up).
  Vec3 eye;
  Vec3 look_at;
  Vec3 up;
};

// The projection and view of `camera` drawn in `viewport` around the bounds centre. Guards the
// cases the plain formulas leave undefined: a non-positive aspect (1 is used), a pitch beyond
// ±89 (drawn as ±89), an eye that coincides with the look-at point (the view direction then comes
// from the angles alone) and an orthographic half-height of 0.
CameraSetup camera_setup(const Camera& camera, const Viewport& viewport, const Vec3& centre);

// Fitting: distance 1.5 times the bounds diagonal (10 when the diagonal is below 0.001 or not a
// number), look-at point at the centre. Angles, projection and lock stay as they are.
float fit_distance(const ViewBounds& bounds);
void fit_camera(Camera& camera, const ViewBounds& bounds);

// The pitch and yaw of a standard view; false (outputs untouched) for a value outside 0-5.
bool standard_view_angles(int dir, float& pitch, float& yaw);

// Gives `camera` the camera stored in `scene` (the caller checks has_camera): field of view,
// projection, distance from eye to target, the angles that put the eye back where the scene has
// it, and the offset of the scene's target from the bounds centre. A scene looking straight up or
// down is kept at ±89 degrees, its heading then taken from the scene's up vector; an eye on the
// target keeps the previous angles, and one whose eye is exactly on the target the previous
// distance as well. The field of view is kept within [1, 120]; a scene whose
// eye or target is not a finite float point changes nothing.
void apply_scene_to_camera(Camera& camera, const SceneInfo& scene, const Vec3& centre);

}  // namespace lumeno
