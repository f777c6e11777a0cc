// Small models for the pixel tests, written straight into SkpModel's arrays, and their panes.
#pragma once

#include <cstdint>
#include <vector>

#include "model/skp_model.h"
#include "render/viewport.h"

struct P3 {
  float x, y, z;
};
struct Rgba {
  float r, g, b, a;
};

// The quadrilateral a-b-c-d (counter-clockwise seen from the side its normal points to) as two
// triangles; corners get the texture coordinates (0,0), (1,0), (1,1), (0,1).
void add_quad(SkpModel& model, P3 a, P3 b, P3 c, P3 d, Rgba colour, int32_t texture_index = -1,
              int32_t face_layer = -1);
// A square facing up at height z, centre (cx, cy).
void add_floor_square(SkpModel& model, float cx, float cy, float z, float size, Rgba colour,
                      int32_t texture_index = -1);
// A square in the plane y = y0, centre (cx, cz), facing -Y (towards a Front camera).
void add_wall(SkpModel& model, float y0, float cx, float cz, float size, Rgba colour);
int32_t add_texture(SkpModel& model, size_t width, size_t height, size_t bits_per_pixel,
                    std::vector<uint8_t> pixels);
// Sets the counts, the box, `loaded` and `has_transparency` the way a load leaves them.
void finish_model(SkpModel& model);

// A pane of the given client rectangle with a camera at `distance` from the bounds centre.
Viewport pane(int x, int y, int width, int height, float pitch, float yaw, float distance);
