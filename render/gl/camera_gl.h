// Loading a pane camera's projection and view into GL.
#pragma once

#include "render/camera.h"
#include "render/camera_math.h"
#include "render/viewport.h"

// Loads the projection and model-view matrices of `camera` drawn in `viewport`, looking at
// `centre` (the view bounds' centre) plus the camera's target offset; leaves the model-view
// matrix selected. The matrices are those gluPerspective / glOrtho and gluLookAt build, with the
// guards of camera_setup for a zero-sized pane, a pitch beyond ±89 and an eye on the look-at
// point, so picking computes with exactly what is drawn.
void setup_camera(const Camera& camera, const Viewport& viewport, const lumeno::Vec3& centre);
