// Small models for the pixel tests, written straight into SkpModel's arrays, and the cameras
// and panes that look at them.
#pragma once

#include <array>
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

// Appends the quadrilateral a-b-c-d (counter-clockwise seen from the side its normal points to)
// as two triangles with the given colour, texture index and layer. Corners get the texture
// coordinates (0,0), (1,0), (1,1), (0,1).
void add_quad(SkpModel& model, P3 a, P3 b, P3 c, P3 d, Rgba colour, int32_t texture_index = -1,
              int32_t face_layer = -1, int32_t inherited_layer = -1);
// A horizontal square at height z, centre (cx, cy), facing up.
void add_floor_square(SkpModel& model, float cx, float cy, float z, float size, Rgba colour,
                      int32_t texture_index = -1);
// A vertical square in the plane y = y0, centre (cx, cz), facing -Y (towards a Front camera).
void add_wall(SkpModel& model, float y0, float cx, float cz, float size, Rgba colour);
void add_edge(SkpModel& model, P3 start, P3 end, int32_t edge_layer = -1);
// Texture record as the SDK hands it over.
int32_t add_texture(SkpModel& model, size_t width, size_t height, size_t bits_per_pixel,
                    std::vector<uint8_t> pixels);
// Sets the counts, the bounding box, `loaded` and `has_transparency` (any front alpha byte
// below 255) the way a load leaves them.
void finish_model(SkpModel& model);

// A pane of the given client rectangle with a camera at `distance` from the bounds centre.
Viewport pane(int x, int y, int width, int height, float pitch, float yaw, float distance);
