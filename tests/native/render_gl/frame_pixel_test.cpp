// The frame as drawn: clear colours, where faces appear for each camera, materials and
// lighting, edges, panes and transparency.
#include <gtest/gtest.h>

#include "gl_fixture.h"
#include "render/camera_math.h"
#include "render/gl/gl_api.h"
#include "render/layout.h"

namespace {

constexpr int kTolerance = 4;
// Samples near a pane's centre keep this far off its middle row and column: a side view sees the
// grid edge-on along the middle row, and the Z axis rises along the middle column.
constexpr int kOffCentre = 10;

// A cube of side 20 around the origin whose six faces have their own colours, each facing out.
struct ColouredCube {
  static constexpr Rgba kPlusX = {1.0f, 0.0f, 0.0f, 1.0f};
  static constexpr Rgba kMinusX = {0.0f, 1.0f, 1.0f, 1.0f};
  static constexpr Rgba kPlusY = {0.0f, 1.0f, 0.0f, 1.0f};
  static constexpr Rgba kMinusY = {1.0f, 0.0f, 1.0f, 1.0f};
  static constexpr Rgba kPlusZ = {0.0f, 0.0f, 1.0f, 1.0f};
  static constexpr Rgba kMinusZ = {1.0f, 1.0f, 0.0f, 1.0f};

  static void add(SkpModel& m) {
    const float h = 10.0f;
    add_quad(m, {h, -h, -h}, {h, h, -h}, {h, h, h}, {h, -h, h}, kPlusX);
    add_quad(m, {-h, h, -h}, {-h, -h, -h}, {-h, -h, h}, {-h, h, h}, kMinusX);
    add_quad(m, {h, h, -h}, {-h, h, -h}, {-h, h, h}, {h, h, h}, kPlusY);
    add_quad(m, {-h, -h, -h}, {h, -h, -h}, {h, -h, h}, {-h, -h, h}, kMinusY);
    add_quad(m, {-h, -h, h}, {h, -h, h}, {h, h, h}, {-h, h, h}, kPlusZ);
    add_quad(m, {-h, h, -h}, {h, h, -h}, {h, -h, -h}, {-h, -h, -h}, kMinusZ);
  }
};

RenderOptions unlit() {
  RenderOptions options;
  options.show_lighting = false;
  return options;
}

class FramePixels : public GlPixelTest {};

struct ViewCase {
  const char* name;
  NavCubeDir dir;
  Rgba seen;
};

class StandardViewPixels : public GlPixelTest, public ::testing::WithParamInterface<ViewCase> {};

// Each standard view puts the eye on its side of the model and sees the face on that side.
TEST_P(StandardViewPixels, TheFaceOnTheEyesSideFillsTheCentre) {
  SkpModel model;
  ColouredCube::add(model);
  finish_model(model);
  Viewport view = full_pane(0, 0, 60);
  ASSERT_TRUE(lumeno::standard_view_angles(GetParam().dir, view.camera.pitch, view.camera.yaw));
  draw(model, {view}, unlit());
  const Rgb centre = at(kWidth / 2 + kOffCentre, kHeight / 2 - kOffCentre);
  EXPECT_PRED3(near, centre, rgb(GetParam().seen), kTolerance);
}

INSTANTIATE_TEST_SUITE_P(Cube, StandardViewPixels,
                         ::testing::Values(ViewCase{"Front", Front, ColouredCube::kMinusY},
                                           ViewCase{"Back", Back, ColouredCube::kPlusY},
                                           ViewCase{"Right", Right, ColouredCube::kPlusX},
                                           ViewCase{"Left", Left, ColouredCube::kMinusX},
                                           ViewCase{"Top", Top, ColouredCube::kPlusZ},
                                           ViewCase{"Bottom", Bottom, ColouredCube::kMinusZ}),
                         [](const ::testing::TestParamInfo<ViewCase>& info) {
                           return std::string(info.param.name);
                         });

// The picture is not mirrored: +X is on the right from the front and from above, and +Y is at
// the top of the picture seen from above.
TEST_F(FramePixels, RedFaceOnTheSideTheCameraMustSeeIt) {
  SkpModel model;
  add_floor_square(model, 10, 0, 1, 20, kRed);
  add_floor_square(model, -10, 0, 1, 20, kBlue);
  add_floor_square(model, 0, 25, 1, 10, kYellow);
  finish_model(model);
  const Viewport top = full_pane(89, 0, 90);
  draw(model, {top}, unlit());
  EXPECT_PRED3(near, at_world(model, top, {12, -5, 1}), rgb(kRed), kTolerance);
  EXPECT_PRED3(near, at_world(model, top, {-12, -5, 1}), rgb(kBlue), kTolerance);
  int rx, ry, bx, by, yx, yy;
  project(model, top, {12, -5, 1}, rx, ry);
  project(model, top, {-12, -5, 1}, bx, by);
  project(model, top, {0, 25, 1}, yx, yy);
  EXPECT_GT(rx, kWidth / 2);
  EXPECT_LT(bx, kWidth / 2);
  EXPECT_LT(yy, ry);  // +Y is up in the picture
  EXPECT_PRED3(near, at(yx, yy), rgb(kYellow), kTolerance);

  SkpModel wall;
  add_quad(wall, {0, 0, 20}, {20, 0, 20}, {20, 0, 40}, {0, 0, 40}, kRed);
  add_quad(wall, {-20, 0, 20}, {0, 0, 20}, {0, 0, 40}, {-20, 0, 40}, kBlue);
  finish_model(wall);
  renderer_.invalidate_display_list();  // another model
  draw(wall, {full_pane(0, 0, 80)}, unlit());
  EXPECT_PRED3(near, at(kWidth / 2 + 30, kHeight / 2 - 5), rgb(kRed), kTolerance);
  EXPECT_PRED3(near, at(kWidth / 2 - 30, kHeight / 2 - 5), rgb(kBlue), kTolerance);
}

struct ShadingCase {
  const char* name;
  bool materials, lighting, reversed;
  // Expected colours of a red and a blue floor face (normal +Z); computed where lighting is on.
  bool one_grey;
};

class ShadingPixels : public GlPixelTest, public ::testing::WithParamInterface<ShadingCase> {};

TEST_P(ShadingPixels, MaterialsLightingAndReversedLight) {
  const ShadingCase& c = GetParam();
  SkpModel model;
  add_floor_square(model, 10, 0, 1, 20, kRed);
  add_floor_square(model, -10, 0, 1, 20, kBlue);
  finish_model(model);
  const Viewport top = full_pane(89, 0, 90);
  RenderOptions options;
  options.show_materials = c.materials;
  options.show_lighting = c.lighting;
  options.reverse_shadow = c.reversed;
  draw(model, {top}, options);
  const Rgb red = at_world(model, top, {12, -5, 1});
  const Rgb blue = at_world(model, top, {-12, -5, 1});
  const P3 up{0, 0, 1};

  Rgb want_red = rgb(kRed), want_blue = rgb(kBlue);
  if (c.lighting) {
    const float k = c.materials ? 1.0f : 0.9f;
    want_red =
        c.materials ? lit_colour(1, 0, 0, up, c.reversed) : lit_colour(k, k, k, up, c.reversed);
    want_blue =
        c.materials ? lit_colour(0, 0, 1, up, c.reversed) : lit_colour(k, k, k, up, c.reversed);
  }
  EXPECT_PRED3(near, red, want_red, kTolerance);
  EXPECT_PRED3(near, blue, want_blue, kTolerance);
  if (c.one_grey) {
    EXPECT_PRED3(near, red, blue, 2);
    EXPECT_EQ(red.r, red.g);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Toggles, ShadingPixels,
    ::testing::Values(ShadingCase{"materials_lit", true, true, false, false},
                      ShadingCase{"materials_unlit", true, false, false, false},
                      ShadingCase{"grey_lit", false, true, false, true},
                      ShadingCase{"grey_unlit_keeps_face_colours", false, false, false, false},
                      ShadingCase{"reversed_light_darkens_the_lit_face", true, true, true, false},
                      ShadingCase{"grey_reversed", false, true, true, true}),
    [](const ::testing::TestParamInfo<ShadingCase>& info) { return std::string(info.param.name); });

TEST_F(FramePixels, EdgesShowOnlyWhileSwitchedOn) {
  SkpModel model;
  add_floor_square(model, 0, 0, 1, 40, kWhite);
  add_edge(model, {0, -15, 1.5f}, {0, 15, 1.5f});
  finish_model(model);
  const Viewport top = full_pane(89, 0, 90);
  int x = 0, y = 0;
  project(model, top, {0, 8, 1.5f}, x, y);
  auto darkest_near_the_edge = [&]() {
    int darkest = 255;
    for (const Rgb& p : gl_.region(x - 3, y, 7, 1)) darkest = std::min(darkest, p.r);
    return darkest;
  };
  RenderOptions options = unlit();
  for (bool performance : {false, true}) {
    options.performance_mode = performance;
    options.show_edges = true;
    draw(model, {top}, options);
    EXPECT_LT(darkest_near_the_edge(), 40) << "performance mode " << performance;
  }
  options.show_edges = false;
  draw(model, {top}, options);
  EXPECT_GT(darkest_near_the_edge(), 240);
}

// Layout 4: Top, Front, Right and Perspective panes, each drawing the cube from its own camera
// into its own quarter (top-left, top-right, bottom-left, bottom-right).
TEST_F(FramePixels, FourPanesEachDrawWithTheirOwnCamera) {
  SkpModel model;
  ColouredCube::add(model);
  finish_model(model);
  std::vector<Viewport> panes = lumeno::layout_panes(4, kWidth, kHeight);
  ASSERT_EQ(panes.size(), 4u);
  for (Viewport& p : panes) lumeno::fit_camera(p.camera, lumeno::view_bounds(model));
  draw(model, panes, unlit());

  auto pane_centre = [&](const Viewport& p) {
    return at(p.x + p.width / 2 + kOffCentre, p.y + p.height / 2 - kOffCentre);
  };
  EXPECT_PRED3(near, pane_centre(panes[0]), rgb(ColouredCube::kPlusZ), kTolerance);
  EXPECT_PRED3(near, pane_centre(panes[1]), rgb(ColouredCube::kMinusY), kTolerance);
  EXPECT_PRED3(near, pane_centre(panes[2]), rgb(ColouredCube::kPlusX), kTolerance);
  // The perspective pane looks from -X, -Y and above: one of those three faces.
  const Rgb persp = pane_centre(panes[3]);
  EXPECT_TRUE(near(persp, rgb(ColouredCube::kPlusZ), kTolerance) ||
              near(persp, rgb(ColouredCube::kMinusY), kTolerance) ||
              near(persp, rgb(ColouredCube::kMinusX), kTolerance));
  // Panes are not cleared one by one: the corners show the one clear colour.
  for (const Viewport& p : panes) EXPECT_PRED3(near, at(p.x + 2, p.y + 2), clear_day(), 2);
}

// A pane only ever draws inside its own rectangle: the top pane's model never shows in the pane
// below it, whose camera looks far away from the model.
TEST_F(FramePixels, PaneRectangleIsCountedFromTheTop) {
  SkpModel model;
  add_floor_square(model, 0, 0, 1, 2000, kRed);
  finish_model(model);
  Viewport upper = pane(0, 0, kWidth, 100, 89, 0, 90);
  Viewport lower = pane(0, 100, kWidth, kHeight - 100, 89, 0, 90);
  lower.camera.target_offset[2] = 50000.0f;  // looks at empty space far above the floor
  lower.camera.pitch = -89.0f;               // and away from it
  draw(model, {upper, lower}, unlit());
  for (int x : {5, kWidth / 2, kWidth - 5}) {
    EXPECT_PRED3(near, at(x, 50), rgb(kRed), kTolerance) << "x " << x;
    EXPECT_PRED3(near, at(x, 170), clear_day(), 2) << "x " << x;
  }
}

// A pane with no pixels draws nothing, and above all not into the pane drawn before it (a
// negative size would leave GL's viewport and scissor box at the previous pane's).
TEST_F(FramePixels, EmptyPaneDrawsNothing) {
  SkpModel model;
  ColouredCube::add(model);
  finish_model(model);
  const Viewport left = pane(0, 0, kWidth / 2, kHeight, 89, 0, 60);
  const Viewport shapes[] = {pane(kWidth / 2, 0, 0, kHeight, -89, 0, 30),
                             pane(kWidth / 2, 50, kWidth / 2, -5, -89, 0, 30)};
  for (const Viewport& empty : shapes) {
    SCOPED_TRACE(testing::Message() << "pane " << empty.width << " x " << empty.height);
    while (glGetError() != GL_NO_ERROR) {
    }
    draw(model, {left, empty}, unlit());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_PRED3(near, at(kWidth / 4 + kOffCentre, kHeight / 2 - kOffCentre),
                 rgb(ColouredCube::kPlusZ), kTolerance);
    for (const Rgb& p : gl_.region(kWidth / 2 + 1, 0, kWidth / 2 - 1, kHeight))
      ASSERT_PRED3(near, p, clear_day(), 2);
  }
}

// An opaque wall hides the wall behind it even when the hidden wall comes later in the list and
// the model has glass; glass in front tints what is behind it, glass behind a wall is hidden.
TEST_F(FramePixels, OpaqueWallHidesTheWallBehindItInAModelWithGlass) {
  SkpModel model;
  add_wall(model, -5, 0, 30, 20, kRed);                       // near wall
  add_wall(model, -15, -6, 30, 8, {0.0f, 1.0f, 0.0f, 0.5f});  // glass in front, left
  add_wall(model, 5, 0, 30, 40, kBlue);                       // far wall, drawn later
  add_wall(model, 0, 6, 30, 8, {1.0f, 1.0f, 0.0f, 0.5f});     // glass between, right
  finish_model(model);
  ASSERT_TRUE(model.has_transparency);
  const Viewport front = full_pane(0, 0, 60);
  draw(model, {front}, unlit());

  const Rgb right = at_world(model, front, {6, -5, 32});
  EXPECT_PRED3(near, right, rgb(kRed), kTolerance);
  const Rgb tinted = at_world(model, front, {-6, -15, 32});
  EXPECT_PRED3(near, tinted, rgb_from_floats(0.5f, 0.5f, 0.0f), 6);
  const Rgb far_only = at_world(model, front, {15, 5, 32});
  EXPECT_PRED3(near, far_only, rgb(kBlue), kTolerance);
}

// Hiding a layer takes effect once the lists are marked stale; display toggles need no rebuild.
TEST_F(FramePixels, LayerChangeRebuildsTheListsTogglesDoNot) {
  SkpModel model;
  model.layers.push_back(LayerInfo{"walls", true, true});
  add_quad(model, {-10, -10, 1}, {10, -10, 1}, {10, 10, 1}, {-10, 10, 1}, kRed, -1, 0);
  finish_model(model);
  const Viewport top = full_pane(89, 0, 60);
  draw(model, {top}, unlit());
  const unsigned int list = renderer_.model_list();
  ASSERT_NE(list, 0u);
  RenderOptions toggled = unlit();
  toggled.night_theme = true;
  toggled.show_edges = false;
  toggled.show_materials = false;
  draw(model, {top}, toggled);
  EXPECT_EQ(renderer_.model_list(), list);
  EXPECT_TRUE(renderer_.display_list_valid());

  model.layers[0].visible = false;
  renderer_.invalidate_display_list();
  draw(model, {top}, unlit());
  EXPECT_TRUE(renderer_.display_list_valid());
  EXPECT_PRED3(near, at(kWidth / 2, kHeight / 2 + 20), clear_day(), 2);
}

TEST_F(FramePixels, StopReleasesEverythingAndCanRunTwice) {
  SkpModel model;
  add_floor_square(model, 0, 0, 1, 20, kWhite, add_texture(model, 1, 1, 24, {1, 2, 3, 0}));
  add_wall(model, 0, 0, 5, 5, {1, 0, 0, 0.5f});
  add_edge(model, {0, 0, 0}, {1, 1, 1});
  finish_model(model);
  draw(model, {full_pane(30, -45, 50)});
  const unsigned int lists[] = {renderer_.model_list(), renderer_.transparent_list(),
                                renderer_.edge_list()};
  const unsigned int texture = renderer_.texture_names().at(0);
  for (unsigned int list : lists) ASSERT_TRUE(glIsList(list));
  ASSERT_TRUE(glIsTexture(texture));
  renderer_.stop();
  renderer_.stop();
  for (unsigned int list : lists) EXPECT_FALSE(glIsList(list));
  EXPECT_FALSE(glIsTexture(texture));
  EXPECT_EQ(renderer_.model_list(), 0u);
  EXPECT_TRUE(renderer_.texture_names().empty());
  EXPECT_FALSE(renderer_.display_list_valid());
}

}  // namespace
