// The frame as drawn: cameras, materials, lighting, panes, transparency, the navigator, list
// lifetime.
#include <gtest/gtest.h>

#include "gl_fixture.h"
#include "render/camera_math.h"
#include "render/gl/gl_api.h"

namespace {

constexpr int kTolerance = 4;
constexpr int kOff = 10;  // off the middle row and column, where the grid and Z axis lie

// A cube of side 20 around the origin, each face (+X, -X, +Y, -Y, +Z, -Z) its own colour.
const Rgba kFace[6] = {{1, 0, 0, 1}, {0, 1, 1, 1}, {0, 1, 0, 1},
                       {1, 0, 1, 1}, {0, 0, 1, 1}, {1, 1, 0, 1}};
enum { PlusX, MinusX, PlusY, MinusY, PlusZ, MinusZ };

void add_cube(SkpModel& m) {
  const float h = 10.0f;
  add_quad(m, {h, -h, -h}, {h, h, -h}, {h, h, h}, {h, -h, h}, kFace[PlusX]);
  add_quad(m, {-h, h, -h}, {-h, -h, -h}, {-h, -h, h}, {-h, h, h}, kFace[MinusX]);
  add_quad(m, {h, h, -h}, {-h, h, -h}, {-h, h, h}, {h, h, h}, kFace[PlusY]);
  add_quad(m, {-h, -h, -h}, {h, -h, -h}, {h, -h, h}, {-h, -h, h}, kFace[MinusY]);
  add_quad(m, {-h, -h, h}, {h, -h, h}, {h, h, h}, {-h, h, h}, kFace[PlusZ]);
  add_quad(m, {-h, h, -h}, {h, h, -h}, {h, -h, -h}, {-h, -h, -h}, kFace[MinusZ]);
  finish_model(m);
}

using FramePixels = GlPixelTest;

// From above +X is right and +Y up (not mirrored); colours unlit, lit, reversed light, grey.
TEST_F(FramePixels, FromAboveSidesMaterialsAndLighting) {
  SkpModel model;
  add_floor_square(model, 10, 0, 1, 20, kRed);
  add_floor_square(model, -10, 0, 1, 20, kBlue);
  add_floor_square(model, 0, 25, 1, 10, kYellow);
  finish_model(model);
  const Viewport top = full_pane(89, 0, 90);
  const P3 spots[] = {{12, -5, 1}, {-12, -5, 1}, {0, 25, 1}};
  int x[3], y[3];
  for (int i = 0; i < 3; ++i) project(model, top, spots[i], x[i], y[i]);
  EXPECT_TRUE(x[0] > kWidth / 2 && x[1] < kWidth / 2 && y[2] < y[0]);
  const P3 up{0, 0, 1};
  const Rgb grey = lit_colour(.9f, .9f, .9f, up, false);
  const struct {
    bool materials, lighting, reversed;
    Rgb red, blue;  // where the red and the blue face are drawn
  } cases[] = {{true, false, false, rgb(kRed), rgb(kBlue)},
               {true, true, false, lit_colour(1, 0, 0, up, false), lit_colour(0, 0, 1, up, false)},
               {true, true, true, lit_colour(1, 0, 0, up, true), lit_colour(0, 0, 1, up, true)},
               {false, true, false, grey, grey}};
  for (const auto& c : cases) {
    draw(model, {top}, RenderOptions{true, c.materials, c.lighting, false, c.reversed});
    SCOPED_TRACE(testing::Message() << c.materials << c.lighting << c.reversed);
    EXPECT_PRED3(near, at(x[0], y[0]), c.red, kTolerance);
    EXPECT_PRED3(near, at(x[1], y[1]), c.blue, kTolerance);
    if (!c.lighting) {
      EXPECT_PRED3(near, at(x[2], y[2]), rgb(kYellow), kTolerance);
    }
  }
}

// A pane with no pixels draws nothing, above all not into the pane drawn before it.
TEST_F(FramePixels, EmptyPaneDrawsNothing) {
  SkpModel model;
  add_cube(model);
  const Viewport left = pane(0, 0, kWidth / 2, kHeight, 89, 0, 60);
  for (const Viewport& empty : {pane(kWidth / 2, 0, 0, kHeight, -89, 0, 30),
                                pane(kWidth / 2, 50, kWidth / 2, -5, -89, 0, 30)}) {
    while (glGetError() != GL_NO_ERROR) {
    }
    draw(model, {left, empty}, unlit());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_PRED3(near, at(kWidth / 4 + kOff, kHeight / 2 - kOff), rgb(kFace[PlusZ]), kTolerance);
    for (const Rgb& p : gl_.region(kWidth / 2 + 1, 0, kWidth / 2 - 1, kHeight))
      ASSERT_PRED3(near, p, clear_day(), 2) << "pane height " << empty.height;
  }
}

// An opaque wall hides a later wall behind it in a model with glass; glass in front tints.
TEST_F(FramePixels, OpaqueWallHidesTheWallBehindItInAModelWithGlass) {
  SkpModel model;
  add_wall(model, -5, 0, 30, 20, kRed);                       // near wall
  add_wall(model, -15, -6, 30, 8, {0.0f, 1.0f, 0.0f, 0.5f});  // glass in front, left
  add_wall(model, 5, 0, 30, 40, kBlue);                       // far wall, drawn later
  add_wall(model, 0, 6, 30, 8, {1.0f, 1.0f, 0.0f, 0.5f});     // glass between, right
  finish_model(model);
  const Viewport front = full_pane(0, 0, 60);
  draw(model, {front}, unlit());
  EXPECT_PRED3(near, at_world(model, front, {6, -5, 32}), rgb(kRed), kTolerance);
  EXPECT_PRED3(near, at_world(model, front, {-6, -15, 32}), rgb_from_floats(.5f, .5f, 0), 6);
  EXPECT_PRED3(near, at_world(model, front, {15, 5, 32}), rgb(kBlue), kTolerance);
}

// Stopping deletes every list and texture and may be repeated.
TEST_F(FramePixels, StopReleasesEverythingAndCanRunTwice) {
  SkpModel model;
  add_floor_square(model, 0, 0, 1, 20, kWhite, add_texture(model, 1, 1, 24, {1, 2, 3, 0}));
  add_wall(model, 0, 0, 5, 5, {1, 0, 0, 0.5f});
  model.edges.resize(1);
  finish_model(model);
  draw(model, {full_pane(30, -45, 50)});
  const unsigned int names[] = {renderer_.model_list(), renderer_.transparent_list(),
                                renderer_.edge_list(), renderer_.texture_names().at(0)};
  ASSERT_TRUE(glIsList(names[0]) && glIsList(names[1]) && glIsList(names[2]) &&
              glIsTexture(names[3]));
  renderer_.stop();
  renderer_.stop();
  EXPECT_FALSE(glIsList(names[0]) || glIsList(names[1]) || glIsList(names[2]) ||
               glIsTexture(names[3]));
  EXPECT_FALSE(renderer_.display_list_valid());
}

// From above, +Z and -Z both sit on the centre: the nearer end (+Z) is drawn on top.
TEST_F(FramePixels, NavigatorDrawsTheNearerDiscOverTheFartherOne) {
  SkpModel empty;
  lumeno::AxisNavigator navigator;
  Camera top;
  top.pitch = 89, top.yaw = 0;
  FrameInput frame;
  frame.model = &empty, frame.client_width = kWidth, frame.client_height = kHeight;
  frame.navigator = &navigator, frame.active_camera = &top;
  renderer_.render(frame);
  const NavItem& plus_z = navigator.nav_items[2];  // sampled beside the centre dot
  EXPECT_PRED3(near, at(int(plus_z.screen_x + 7.5f), int(plus_z.screen_y + 0.5f)),
               rgb_from_floats(plus_z.color[0], plus_z.color[1], plus_z.color[2]), 4);
  frame.options.show_navigator = false;
  renderer_.render(frame);
  for (const Rgb& p : gl_.region(kWidth - 150, 0, 150, 160)) ASSERT_PRED3(near, p, clear_day(), 2);
}

}  // namespace
