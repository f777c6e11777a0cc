// Overlays as drawn: grid and axes, the axis navigator, text at a world point and the toast.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "gl_fixture.h"
#include "render/gl/gl_api.h"
#include "render/gl/overlays.h"
#include "stub_glyphs.h"

namespace {

Rgb blend(const Rgb& over, float alpha, const Rgb& under) {
  auto mix = [alpha](int a, int b) {
    return static_cast<int>(std::lround(alpha * static_cast<float>(a) + (1.0f - alpha) * b));
  };
  return Rgb{mix(over.r, under.r), mix(over.g, under.g), mix(over.b, under.b)};
}

const Rgb kNight = rgb_from_floats(0.12f, 0.12f, 0.15f);

class OverlayPixels : public GlPixelTest {
 protected:
  void SetUp() override {
    GlPixelTest::SetUp();
    glyphs_ = std::make_unique<StubGlyphs>();
    preload_glyphs(*glyphs_);
  }
  void TearDown() override {
    glyphs_.reset();
    GlPixelTest::TearDown();
  }

  Rgb at_f(float x, float y) const {
    return at(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
  }
  // Brightest red channel in a small square around (x, y).
  int brightest(float x, float y, int half = 2) const {
    int best = 0;
    for (const Rgb& p : gl_.region(static_cast<int>(x) - half, static_cast<int>(y) - half,
                                   2 * half + 1, 2 * half + 1))
      best = std::max(best, p.r);
    return best;
  }

  std::unique_ptr<StubGlyphs> glyphs_;
  lumeno::AxisNavigator navigator_;
};

TEST_F(OverlayPixels, GridAndAxesLieInTheGroundPlane) {
  SkpModel model;
  add_floor_square(model, 0, 0, -5, 300, kWhite);  // a white floor under the grid
  finish_model(model);
  const Viewport top = full_pane(89, 0, 300);
  RenderOptions options;
  options.show_lighting = false;
  draw(model, {top}, options);
  auto found_near = [&](P3 world, const Rgb& want) {
    int x = 0, y = 0;
    project(model, top, world, x, y);
    for (const Rgb& p : gl_.region(x - 2, y - 2, 5, 5))
      if (near(p, want, 8)) return true;
    return false;
  };
  const Rgb grid = rgb_from_floats(0.7f, 0.7f, 0.7f);
  EXPECT_TRUE(found_near({-50, 35, 0}, grid));
  EXPECT_TRUE(found_near({35, -50, 0}, grid));
  EXPECT_TRUE(found_near({25, 0, 0}, rgb_from_floats(0.8f, 0.2f, 0.2f)));
  EXPECT_TRUE(found_near({0, 25, 0}, rgb_from_floats(0.2f, 0.8f, 0.2f)));
  // Between the lines, and beyond the grid's 100 units, the floor shows.
  EXPECT_PRED3(near, at_world(model, top, {-45, 35, -5}), rgb(kWhite), 4);
  EXPECT_PRED3(near, at_world(model, top, {-115, 35, -5}), rgb(kWhite), 4);
}

// Default camera: the ends sit where the view helper placed them, each drawn in its colour
// (negative ends darker), the background disc shaded behind them.
TEST_F(OverlayPixels, NavigatorDiscsShowTheirColours) {
  Camera camera;
  draw_overlays(navigator_, camera, nullptr);
  for (int i = 0; i < lumeno::kNavItemCount; ++i) {
    const NavItem& item = navigator_.nav_items[i];
    const Rgb full = rgb_from_floats(item.color[0], item.color[1], item.color[2]);
    const Rgb want = item.is_negative
                         ? blend(rgb_from_floats(item.color[0] * 0.5f, item.color[1] * 0.5f,
                                                 item.color[2] * 0.5f),
                                 0.9f, full)
                         : full;
    EXPECT_PRED3(near, at_f(item.screen_x + 0.5f, item.screen_y + 0.5f), want, 4) << "item " << i;
  }
  // The +X end is 29 pixels right of and 15 above the centre, on the right edge's side.
  EXPECT_NEAR(navigator_.nav_items[0].screen_x - navigator_.nav_center_x, 29.2f, 0.5f);
  EXPECT_NEAR(navigator_.nav_center_x, kWidth - 75.0f, 0.01f);
  const Rgb background = blend(rgb_from_floats(0.3f, 0.3f, 0.3f), 0.3f, kNight);
  EXPECT_PRED3(near, at_f(navigator_.nav_center_x - 50, navigator_.nav_center_y - 40), background,
               3);
  EXPECT_PRED3(near, at_f(navigator_.nav_center_x - 90, navigator_.nav_center_y), kNight, 2);
}

// From above, +Z and -Z both sit on the centre: the nearer end (+Z) is drawn on top.
TEST_F(OverlayPixels, NearerDiscCoversTheFartherOne) {
  Camera top;
  top.pitch = 89;
  top.yaw = 0;
  draw_overlays(navigator_, top, nullptr);
  const NavItem& plus_z = navigator_.nav_items[2];
  const Rgb want = rgb_from_floats(plus_z.color[0], plus_z.color[1], plus_z.color[2]);
  // Beside the centre dot, inside both discs.
  EXPECT_PRED3(near, at_f(plus_z.screen_x + 7.5f, plus_z.screen_y + 0.5f), want, 4);
}

TEST_F(OverlayPixels, HoveredDiscGrowsTurnsWhiteAndShowsItsLabel) {
  Camera camera;
  const int minus_y = 4;  // its label lies mostly beside its disc
  draw_overlays(navigator_, camera, glyphs_.get());
  float lx = 0, ly = 0;
  navigator_.label_position(minus_y, lx, ly);
  const NavItem before = navigator_.nav_items[minus_y];
  // Not hovered: no label for a negative end; its face is not white.
  EXPECT_LT(brightest(lx + 7, ly - 3), 120);
  EXPECT_LT(at_f(before.screen_x + 0.5f, before.screen_y + 0.5f).r, 200);

  navigator_.hovered_nav_item = minus_y;
  navigator_.nav_hover = true;
  draw_overlays(navigator_, camera, glyphs_.get());
  const NavItem& after = navigator_.nav_items[minus_y];
  EXPECT_PRED3(near, at_f(after.screen_x + 0.5f, after.screen_y + 0.5f), (Rgb{255, 255, 255}), 3);
  // Radius 8 x 1.3 + 2 of rim: a point 11 pixels out is on the grown disc's rim.
  const Rgb rim = at_f(after.screen_x - 11.0f + 0.5f, after.screen_y + 0.5f);
  EXPECT_PRED3(near, rim, rgb_from_floats(after.color[0], after.color[1], after.color[2]), 4);
  EXPECT_GT(brightest(lx + 7, ly - 3), 230);
  const Rgb hovered_background = blend(rgb_from_floats(0.4f, 0.4f, 0.4f), 0.5f, kNight);
  EXPECT_PRED3(near, at_f(navigator_.nav_center_x - 50, navigator_.nav_center_y - 40),
               hovered_background, 3);
}

// With a font the positive ends carry their face names and the projection is named under the
// disc; the labels' characters come from the glyphs made up front.
TEST_F(OverlayPixels, LabelsAndProjectionNameWithAFont) {
  Camera camera;
  draw_overlays(navigator_, camera, glyphs_.get());
  for (int i = 0; i < 3; ++i) {
    float lx = 0, ly = 0;
    navigator_.label_position(i, lx, ly);
    EXPECT_GT(brightest(lx + 6, ly - 3), 180) << "label of item " << i;
  }
  const float cx = navigator_.nav_center_x, cy = navigator_.nav_center_y;
  // "透视" in 0.85 grey; the icon's 0.7 grey would read about 150 here.
  const Rgb name = at_f(cx - 6, cy + 74);
  EXPECT_PRED3(near, name, blend(rgb_from_floats(0.85f, 0.85f, 0.85f), 0.9f, kNight), 6);
}

struct IconCase {
  const char* name;
  bool perspective;
  bool inside_upper_corner;  // (c + 10.5, m - 3.5): in the trapezoid only
  bool inside_lower_corner;  // (c + 9.5, m + 3.5): in the rectangle only
};

class ProjectionIcon : public OverlayPixels, public ::testing::WithParamInterface<IconCase> {};

// Without a font: a trapezoid for perspective, a rectangle for the axonometric projection.
TEST_P(ProjectionIcon, ShapeFollowsTheProjection) {
  Camera camera;
  camera.perspective = GetParam().perspective;
  draw_overlays(navigator_, camera, nullptr);
  const float c = navigator_.nav_center_x, m = navigator_.nav_center_y + 75.0f;
  const Rgb icon = blend(rgb_from_floats(0.7f, 0.7f, 0.7f), 0.8f, kNight);
  auto inside = [&](float x, float y) { return near(at_f(x, y), icon, 4); };
  EXPECT_TRUE(inside(c, m));
  EXPECT_EQ(inside(c + 10.0f, m - 3.5f), GetParam().inside_upper_corner);
  EXPECT_EQ(inside(c + 9.5f, m + 3.5f), GetParam().inside_lower_corner);
}

INSTANTIATE_TEST_SUITE_P(Projections, ProjectionIcon,
                         ::testing::Values(IconCase{"perspective", true, true, false},
                                           IconCase{"axonometric", false, false, true}),
                         [](const ::testing::TestParamInfo<IconCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(OverlayPixels, NoNavigatorWhenSwitchedOff) {
  draw_overlays(navigator_, Camera(), nullptr, L"", false);
  for (const Rgb& p : gl_.region(kWidth - 150, 0, 150, 160)) ASSERT_PRED3(near, p, kNight, 2);
}

// Runs of ink along client row y within [x0, x1): their starts and ends.
std::vector<std::pair<int, int>> ink_runs(const OffscreenGL& gl, int y, int x0, int x1) {
  std::vector<std::pair<int, int>> runs;
  const std::vector<Rgb> row = gl.region(x0, y, x1 - x0, 1);
  for (int i = 0; i < static_cast<int>(row.size()); ++i) {
    if (row[i].r < 200) continue;
    if (!runs.empty() && runs.back().second == x0 + i)
      runs.back().second = x0 + i + 1;
    else
      runs.emplace_back(x0 + i, x0 + i + 1);
  }
  return runs;
}

// Every character of a toast is drawn, those outside the 3D font made on demand, inside a box
// that holds them all.
TEST_F(OverlayPixels, ToastDrawsEveryCharacterInsideItsBox) {
  const std::wstring text = L"已切换到夜间模式";
  Camera camera;
  draw_overlays(navigator_, camera, glyphs_.get(), text);
  const ToastLayout layout = layout_toast(text, *glyphs_, kWidth, kHeight);
  ASSERT_EQ(layout.lines.size(), 1u);
  const int box_right = layout.box_left + layout.box_width;
  const int box_bottom = layout.box_top + layout.box_height;
  EXPECT_EQ(layout.box_width, 8 * 14 + 2 * kToastPaddingX);

  const int glyph_row = layout.lines[0].baseline_y - 3;
  const auto runs = ink_runs(gl_, glyph_row, 0, kWidth);
  ASSERT_EQ(runs.size(), text.size());
  EXPECT_GE(runs.front().first, layout.box_left + 4);
  EXPECT_LE(runs.back().second, box_right - 4);
  for (const auto& run : runs) EXPECT_EQ(run.second - run.first, 13);
  // The box is dark inside its margin and ends where the layout says.
  const Rgb box = at(layout.box_left + 3, layout.box_top + 3);
  EXPECT_LT(box.r, 40);
  EXPECT_PRED3(near, at(layout.box_left - 3, layout.box_top + 3), kNight, 2);
  EXPECT_PRED3(near, at(box_right + 2, box_bottom - 3), kNight, 2);
  EXPECT_PRED3(near, at(layout.box_left + 3, box_bottom + 2), kNight, 2);
  EXPECT_LT(at(box_right - 2, box_bottom - 2).r, 40);
}

TEST_F(OverlayPixels, ToastLinesAndCharactersTheFontLacks) {
  glyphs_->missing.insert(U'\U0001F600');
  const std::wstring text = L"第一行\n第二行 \U0001F600";
  Camera camera;
  draw_overlays(navigator_, camera, glyphs_.get(), text);
  const ToastLayout layout = layout_toast(text, *glyphs_, kWidth, kHeight);
  ASSERT_EQ(layout.lines.size(), 2u);
  EXPECT_EQ(layout.box_height, 2 * StubGlyphs::kLineHeight + kToastLineGap + 2 * kToastPaddingY);
  EXPECT_EQ(ink_runs(gl_, layout.lines[0].baseline_y - 3, 0, kWidth).size(), 3u);
  const ToastLine& second = layout.lines[1];
  ASSERT_EQ(second.glyphs.size(), 5u);  // three characters, the space, the stand-in
  const ToastGlyph& stand_in = second.glyphs.back();
  EXPECT_EQ(stand_in.list, 0u);
  EXPECT_GT(stand_in.advance, 0);
  // The stand-in's outline: ink on its left side, none in its middle.
  EXPECT_GT(brightest(stand_in.x + 1.5f, second.baseline_y - 4, 1), 200);
  EXPECT_LT(at(stand_in.x + stand_in.advance / 2, second.baseline_y - 4).r, 60);
  EXPECT_LE(second.glyphs.back().x + stand_in.advance,
            layout.box_left + layout.box_width - kToastPaddingX);
}

TEST_F(OverlayPixels, ToastWiderThanTheWindowStartsAtItsLeftEdge) {
  const std::wstring text(40, L'测');
  const ToastLayout layout = layout_toast(text, *glyphs_, kWidth, kHeight);
  EXPECT_EQ(layout.box_left, 0);
  EXPECT_EQ(layout.box_width, 40 * 14 + 2 * kToastPaddingX);
}

class TextAt3d : public OverlayPixels {
 protected:
  // Draws a frame of a small floor far below the grid, leaving the pane's matrices loaded.
  void draw_scene() {
    model_.unload();
    add_floor_square(model_, 0, 0, -500, 10, kWhite);
    finish_model(model_);
    view_ = full_pane(89, 0, 1600);
    RenderOptions options;
    options.night_theme = true;
    options.show_lighting = false;
    draw(model_, {view_}, options);
  }
  // The frame, then `text` in yellow at `world`.
  void draw_text(P3 world, const std::wstring& text) {
    draw_scene();
    project(model_, view_, world, x_, y_);
    render_text_at_3d(world.x, world.y, world.z, text, 1.0f, 1.0f, 0.0f, glyphs_.get());
  }
  SkpModel model_;
  Viewport view_;
  int x_ = 0, y_ = 0;
};

// The box starts 2 pixels left of and 4 below the anchor, is 16 tall and fits the glyphs; the
// text is drawn in the given colour from the anchor on. The anchor lies outside the grid.
TEST_F(TextAt3d, LabelAtTheProjectedPointWithAFittingBox) {
  draw_text({-200, 150, 0}, L"总长");
  const Rgb ink = at(x_ + 5, y_ - 4);
  EXPECT_PRED3(near, ink, (Rgb{255, 255, 0}), 3);
  const Rgb box = blend(Rgb{0, 0, 0}, 0.6f, kNight);
  EXPECT_PRED3(near, at(x_ - 1, y_ + 2), box, 3);
  // Two glyphs 14 wide: the box reaches 30 pixels right of the anchor (8 pixels per character
  // would end it at 18).
  EXPECT_PRED3(near, at(x_ + 27, y_ + 2), box, 3);
  EXPECT_PRED3(near, at(x_ + 33, y_ + 2), kNight, 3);
  EXPECT_PRED3(near, at(x_ - 4, y_ + 2), kNight, 3);
}

// An anchor outside the view or behind the eye, no font or no text: nothing is drawn.
TEST_F(TextAt3d, NothingToDrawLeavesThePicture) {
  StubGlyphs not_ready(false);
  const struct {
    P3 anchor;
    const wchar_t* text;
    GlyphSource* glyphs;
  } cases[] = {{{5000, 0, 0}, L"12", glyphs_.get()},
               {{0, 0, 2000}, L"12", glyphs_.get()},
               {{-200, 150, 0}, L"12", &not_ready},
               {{-200, 150, 0}, L"12", nullptr},
               {{-200, 150, 0}, L"", glyphs_.get()}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.anchor.x << ", " << c.anchor.z << " " << c.text);
    draw_scene();
    const std::vector<Rgb> before = gl_.region(0, 0, kWidth, kHeight);
    render_text_at_3d(c.anchor.x, c.anchor.y, c.anchor.z, c.text, 1.0f, 1.0f, 0.0f, c.glyphs);
    EXPECT_TRUE(gl_.region(0, 0, kWidth, kHeight) == before);
  }
}

}  // namespace
