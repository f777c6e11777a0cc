// Overlays as drawn: grid and axes, the axis navigator, text at a world point and the toast.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "gl_fixture.h"
#include "render/gl/overlays.h"
#include "stub_glyphs.h"

namespace {

Rgb blend(const Rgb& over, float alpha, const Rgb& under) {
  auto mix = [alpha](int a, int b) {
    return static_cast<int>(std::lround(alpha * a + (1 - alpha) * b));
  };
  return Rgb{mix(over.r, under.r), mix(over.g, under.g), mix(over.b, under.b)};
}
Rgb grey(float v) { return rgb_from_floats(v, v, v); }
Rgb colour_of(const NavItem& item) {
  return rgb_from_floats(item.color[0], item.color[1], item.color[2]);
}
const Rgb kNight = rgb_from_floats(0.12f, 0.12f, 0.15f);

class OverlayPixels : public GlPixelTest {
 protected:
  void SetUp() override {
    GlPixelTest::SetUp();
    preload_glyphs(*glyphs_);
  }
  void TearDown() override {
    glyphs_.reset();
    GlPixelTest::TearDown();
  }
  // A night frame with no model: the navigator of `camera` (while `show_navigator`) and `toast`.
  void draw_overlays(const Camera& camera, GlyphSource* glyphs, const std::wstring& toast = L"",
                     bool show_navigator = true) {
    SkpModel empty;
    FrameInput frame;
    frame.model = &empty;
    frame.client_width = kWidth;
    frame.client_height = kHeight;
    frame.options.night_theme = true;
    frame.options.show_navigator = show_navigator;
    frame.navigator = &nav_;
    frame.active_camera = &camera;
    frame.toast_text = toast;
    frame.glyphs = glyphs;
    renderer_.render(frame);
  }
  Rgb at_f(float x, float y) const { return at(int(std::floor(x)), int(std::floor(y))); }
  Rgb on_item(int i, float dx = 0) const {
    return at_f(nav_.nav_items[i].screen_x + dx + 0.5f, nav_.nav_items[i].screen_y + 0.5f);
  }
  // Brightest red channel in a small square around (x, y).
  int brightest(float x, float y, int half = 2) const {
    int best = 0;
    for (const Rgb& p : gl_.region(int(x) - half, int(y) - half, 2 * half + 1, 2 * half + 1))
      best = std::max(best, p.r);
    return best;
  }
  std::unique_ptr<StubGlyphs> glyphs_ = std::make_unique<StubGlyphs>();
  lumeno::AxisNavigator nav_;
};

TEST_F(OverlayPixels, GridAndAxesLieInTheGroundPlane) {
  SkpModel model;
  add_floor_square(model, 0, 0, -5, 300, kWhite);  // a white floor under the grid
  finish_model(model);
  const Viewport top = full_pane(89, 0, 300);
  draw(model, {top}, unlit());
  const std::pair<P3, Rgb> cases[] = {{{-50, 35, 0}, grey(0.7f)},
                                      {{25, 0, 0}, rgb_from_floats(0.8f, 0.2f, 0.2f)},
                                      {{0, 25, 0}, rgb_from_floats(0.2f, 0.8f, 0.2f)},
                                      {{-45, 35, -5}, rgb(kWhite)},    // between the lines
                                      {{-115, 35, -5}, rgb(kWhite)}};  // beyond the grid
  for (const auto& [world, want] : cases) {
    int x = 0, y = 0, found = 0;
    project(model, top, world, x, y);
    for (const Rgb& p : gl_.region(x - 2, y - 2, 5, 5)) found += near(p, want, 8);
    EXPECT_GE(found, want == rgb(kWhite) ? 25 : 1) << world.x << ", " << world.y;
  }
}

// Default camera: each end in its colour (negative ends darker) over the shaded background disc.
TEST_F(OverlayPixels, NavigatorDiscsShowTheirColours) {
  draw_overlays(Camera(), nullptr);
  for (int i = 0; i < lumeno::kNavItemCount; ++i) {
    const NavItem& item = nav_.nav_items[i];
    const Rgb want = item.is_negative
                         ? blend(blend(Rgb{}, 0.5f, colour_of(item)), 0.9f, colour_of(item))
                         : colour_of(item);
    EXPECT_PRED3(near, on_item(i), want, 4) << "item " << i;
  }
  EXPECT_NEAR(nav_.nav_center_x, kWidth - 75.0f, 0.01f);
  EXPECT_PRED3(near, at_f(nav_.nav_center_x - 50, nav_.nav_center_y - 40),
               blend(grey(0.3f), 0.3f, kNight), 3);
  EXPECT_PRED3(near, at_f(nav_.nav_center_x - 90, nav_.nav_center_y), kNight, 2);
  draw_overlays(Camera(), nullptr, L"", false);  // switched off
  for (const Rgb& p : gl_.region(kWidth - 150, 0, 150, 160)) ASSERT_PRED3(near, p, kNight, 2);
}

// From above, +Z and -Z both sit on the centre: the nearer end (+Z) is drawn on top.
TEST_F(OverlayPixels, NearerDiscCoversTheFartherOne) {
  Camera top;
  top.pitch = 89;
  top.yaw = 0;
  draw_overlays(top, nullptr);
  EXPECT_PRED3(near, on_item(2, 7.0f), colour_of(nav_.nav_items[2]), 4);  // beside the centre dot
}

// Hovered: the disc grows and turns white, its label shows; with a font the positive ends are
// labelled and the projection named under the disc.
TEST_F(OverlayPixels, HoverAndLabels) {
  const int minus_y = 4;  // its label lies mostly beside its disc
  draw_overlays(Camera(), glyphs_.get());
  float lx = 0, ly = 0;
  nav_.label_position(minus_y, lx, ly);
  EXPECT_LT(brightest(lx + 7, ly - 3), 120);
  EXPECT_LT(on_item(minus_y).r, 200);
  for (int i = 0; i < 3; ++i) {
    float px = 0, py = 0;
    nav_.label_position(i, px, py);
    EXPECT_GT(brightest(px + 6, py - 3), 180) << "label of item " << i;
  }
  // "透视" in 0.85 grey; the icon's 0.7 grey would read about 150 here.
  EXPECT_PRED3(near, at_f(nav_.nav_center_x - 6, nav_.nav_center_y + 74),
               blend(grey(0.85f), 0.9f, kNight), 6);

  nav_.hovered_nav_item = minus_y;
  nav_.nav_hover = true;
  draw_overlays(Camera(), glyphs_.get());
  EXPECT_PRED3(near, on_item(minus_y), (Rgb{255, 255, 255}), 3);
  // Radius 8 x 1.3 + 2 of rim: 11 pixels out is on the grown disc's rim.
  EXPECT_PRED3(near, on_item(minus_y, -11.0f), colour_of(nav_.nav_items[minus_y]), 4);
  EXPECT_GT(brightest(lx + 7, ly - 3), 230);
}

// Without a font: a trapezoid for perspective, a rectangle for the axonometric projection.
TEST_F(OverlayPixels, ProjectionIconShapeFollowsTheProjection) {
  const Rgb icon = blend(grey(0.7f), 0.8f, kNight);
  for (bool perspective : {true, false}) {
    Camera camera;
    camera.perspective = perspective;
    draw_overlays(camera, nullptr);
    const float c = nav_.nav_center_x, m = nav_.nav_center_y + 75.0f;
    EXPECT_PRED3(near, at_f(c, m), icon, 4);
    EXPECT_EQ(near(at_f(c + 10.0f, m - 3.5f), icon, 4), perspective);  // trapezoid only
    EXPECT_EQ(near(at_f(c + 9.5f, m + 3.5f), icon, 4), !perspective);  // rectangle only
  }
}

// Starts of the runs of ink along client row y.
std::vector<int> ink_starts(const OffscreenGL& gl, int y) {
  std::vector<int> starts;
  const std::vector<Rgb> row = gl.region(0, y, gl.width(), 1);
  for (size_t i = 0; i < row.size(); ++i)
    if (row[i].r >= 200 && (i == 0 || row[i - 1].r < 200)) starts.push_back(int(i));
  return starts;
}

// Every character of a toast is drawn, those outside the 3D font made on demand, inside a box
// that holds them all; a character the font lacks gets an outlined stand-in.
TEST_F(OverlayPixels, ToastDrawsEveryCharacterInsideItsBox) {
  glyphs_->missing.insert(U'\U0001F600');
  const std::wstring text = L"已切换到夜间模式\n第二行 \U0001F600";
  draw_overlays(Camera(), glyphs_.get(), text);
  const ToastLayout layout = layout_toast(text, *glyphs_, kWidth, kHeight);
  ASSERT_EQ(layout.lines.size(), 2u);
  EXPECT_EQ(layout.box_width, 8 * 14 + 2 * kToastPaddingX);
  EXPECT_EQ(layout.box_height, 2 * StubGlyphs::kLineHeight + kToastLineGap + 2 * kToastPaddingY);
  const std::vector<int> first = ink_starts(gl_, layout.lines[0].baseline_y - 3);
  ASSERT_EQ(first.size(), 8u);
  EXPECT_GE(first.front(), layout.box_left + 4);
  EXPECT_LT(at(layout.box_left + 3, layout.box_top + 3).r, 40);  // the box is dark inside
  EXPECT_PRED3(near, at(layout.box_left - 3, layout.box_top + 3), kNight, 2);
  EXPECT_PRED3(near, at(layout.box_left + layout.box_width + 2, layout.box_top + 3), kNight, 2);
  const ToastLine& second = layout.lines[1];
  ASSERT_EQ(second.glyphs.size(), 5u);  // three characters, the space, the stand-in
  const ToastGlyph& stand_in = second.glyphs.back();
  EXPECT_EQ(stand_in.list, 0u);
  EXPECT_GT(brightest(stand_in.x + 1.5f, second.baseline_y - 4, 1), 200);  // outline, hollow
  EXPECT_LT(at(stand_in.x + stand_in.advance / 2, second.baseline_y - 4).r, 60);
  EXPECT_EQ(layout_toast(std::wstring(40, L'测'), *glyphs_, kWidth, kHeight).box_left, 0)
      << "a toast wider than the window starts at its left edge";
}

// Text at a world point: a box from 2 pixels left of and 4 below the anchor, 16 tall, fitting
// the glyphs, the text in its colour; nothing for an anchor outside the view or behind the eye,
// no font or no text.
TEST_F(OverlayPixels, TextAtAWorldPoint) {
  SkpModel model;
  add_floor_square(model, 0, 0, -500, 10, kWhite);  // far below the grid
  finish_model(model);
  const Viewport view = full_pane(89, 0, 1600);
  RenderOptions options = unlit();
  options.night_theme = true;
  StubGlyphs not_ready(false);
  const struct {
    P3 anchor;
    const wchar_t* text;
    GlyphSource* glyphs;
  } cases[] = {{{-200, 150, 0}, L"总长", glyphs_.get()}, {{5000, 0, 0}, L"12", glyphs_.get()},
               {{0, 0, 2000}, L"12", glyphs_.get()},     {{-200, 150, 0}, L"12", &not_ready},
               {{-200, 150, 0}, L"12", nullptr},         {{-200, 150, 0}, L"", glyphs_.get()}};
  for (const auto& c : cases) {
    draw(model, {view}, options);
    const std::vector<Rgb> before = gl_.region(0, 0, kWidth, kHeight);
    render_text_at_3d(c.anchor.x, c.anchor.y, c.anchor.z, c.text, 1.0f, 1.0f, 0.0f, c.glyphs);
    if (&c != &cases[0]) {
      EXPECT_TRUE(gl_.region(0, 0, kWidth, kHeight) == before) << c.anchor.x << " " << c.anchor.z;
      continue;
    }
    int x = 0, y = 0;
    project(model, view, c.anchor, x, y);
    const Rgb box = blend(Rgb{}, 0.6f, kNight);
    EXPECT_PRED3(near, at(x + 5, y - 4), (Rgb{255, 255, 0}), 3);
    // Two glyphs 14 wide: the box reaches 30 pixels right (8 per character would end it at 18).
    for (int dx : {-1, 27}) EXPECT_PRED3(near, at(x + dx, y + 2), box, 3) << dx;
    for (int dx : {-4, 33}) EXPECT_PRED3(near, at(x + dx, y + 2), kNight, 3) << dx;
  }
}

}  // namespace
