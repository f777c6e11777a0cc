// The orbit camera of a pane: looks at a point near the centre of the model's bounding box from a
// distance, elevation (pitch) and azimuth (yaw). The world is Z-up; angles are degrees.
#pragma once

enum NavCubeDir { Front = 0, Back = 1, Right = 2, Left = 3, Top = 4, Bottom = 5 };

struct Camera {
  float eye[3] = {0.0f, 0.0f, 5.0f};    // stored, never used to build the view
  float target[3] = {0.0f, 0.0f, 0.0f};  // stored, never used to build the view
  float up[3] = {0.0f, 0.0f, 1.0f};      // stored, never used to build the view
  float distance = 5.0f;                 // eye to look-at point, model units (inches)
  float pitch = 30.0f;                   // elevation of the eye, degrees, within [-89, 89]
  float yaw = -45.0f;                    // azimuth around +Z, degrees, not wrapped
  float target_offset[3] = {0.0f, 0.0f, 0.0f};  // look-at point minus bounding-box centre
  float fov = 35.0f;                     // vertical field of view, degrees (perspective only)
  bool perspective = true;
  bool view_locked = false;              // blocks standard views; orbiting pans instead
};
