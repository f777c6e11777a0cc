// Overlays as drawn (navigator, text at a world point, toast) and the decoding of their text.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <set>

#include "gl_fixture.h"
#include "render/gl/gl_api.h"
#include "render/gl/glyph_source.h"
#include "render/gl/overlays.h"

namespace {

// Glyphs are solid boxes 12 tall from 3 below the baseline, 8 apart (14 from U+3000), made on
// demand.
class StubGlyphs : public GlyphSource {
 public:
  static constexpr int kLineHeight = 14;
  explicit StubGlyphs(bool ready = true) : ready_(ready) {}
  ~StubGlyphs() override {
    for (const auto& entry : lists_) glDeleteLists(entry.second, 1);
  }
  bool ready() const override { return ready_; }
  int line_height() const override { return kLineHeight; }
  int advance(char32_t c) override { return lists_.count(c) == 0 ? 0 : (c < 0x3000 ? 8 : 14); }
  unsigned int glyph_list(char32_t c, bool make) override {
    const auto found = lists_.find(c);
    if (found != lists_.end()) return found->second;
    if (!make || !ready_ || missing.count(c) != 0) return 0;
    const int width = c < 0x3000 ? 8 : 14, ink = c == U' ' ? 0 : width - 1;
    std::vector<GLubyte> bits(12 * 4, 0);  // rows of 4 bytes, `ink` bits set
    for (int i = 0; i < 12 * ink; ++i) bits[i / ink * 4 + i % ink / 8] |= 0x80u >> (i % ink % 8);
    const GLuint list = lists_[c] = glGenLists(1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);  // the bitmap is read when the list is made
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glNewList(list, GL_COMPILE);
    glBitmap(ink, 12, 0.0f, 3.0f, static_cast<GLfloat>(width), 0.0f, bits.data());
    glEndList();
    return list;
  }
  std::set<char32_t> missing;

 private:
  bool ready_;
  std::map<char32_t, unsigned int> lists_;
};

Rgb blend(const Rgb& over, float alpha, const Rgb& under) {
  auto mix = [alpha](int a, int b) {
    return static_cast<int>(std::lround(alpha * a + (1 - alpha) * b));
  };
  return Rgb{mix(over.r, under.r), mix(over.g, under.g), mix(over.b, under.b)};
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
  void draw_overlays(const Camera& camera, GlyphSource* glyphs, const std::wstring& toast = L"",
                     bool show_navigator = true) {
    SkpModel empty;
    FrameInput frame;
    frame.model = &empty, frame.client_width = kWidth, frame.client_height = kHeight;
    frame.options.night_theme = true, frame.options.show_navigator = show_navigator;
    frame.navigator = &nav_, frame.active_camera = &camera;
    frame.toast_text = toast, frame.glyphs = glyphs;
    renderer_.render(frame);
  }
  std::unique_ptr<StubGlyphs> glyphs_ = std::make_unique<StubGlyphs>();
  lumeno::AxisNavigator nav_;
};

// From above, +Z and -Z both sit on the centre: the nearer end (+Z) is drawn on top.
TEST_F(OverlayPixels, NearerDiscCoversTheFartherOne) {
  Camera top;
  top.pitch = 89;
  top.yaw = 0;
  draw_overlays(top, nullptr);
  const NavItem& plus_z = nav_.nav_items[2];  // sampled beside the centre dot
  EXPECT_PRED3(near, at(int(plus_z.screen_x + 7.5f), int(plus_z.screen_y + 0.5f)),
               rgb_from_floats(plus_z.color[0], plus_z.color[1], plus_z.color[2]), 4);
  draw_overlays(top, nullptr, L"", false);  // switched off
  for (const Rgb& p : gl_.region(kWidth - 150, 0, 150, 160)) ASSERT_PRED3(near, p, kNight, 2);
}

std::vector<int> ink_starts(const OffscreenGL& gl, int y) {
  std::vector<int> starts;
  const std::vector<Rgb> row = gl.region(0, y, GlPixelTest::kWidth, 1);
  for (size_t i = 0; i < row.size(); ++i)
    if (row[i].r >= 200 && (i == 0 || row[i - 1].r < 200)) starts.push_back(int(i));
  return starts;
}

// Every toast character is drawn inside its box; one the font lacks gets an outlined stand-in.
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
  const ToastLine& second = layout.lines[1];
  ASSERT_EQ(second.glyphs.size(), 5u);  // three characters, the space, the stand-in
  const ToastGlyph& stand_in = second.glyphs.back();
  EXPECT_EQ(stand_in.list, 0u);
  int outline = 0;  // the brightest pixel around its left side; the middle is hollow
  for (const Rgb& p : gl_.region(int(stand_in.x + 0.5f), second.baseline_y - 5, 3, 3))
    outline = std::max(outline, p.r);
  EXPECT_GT(outline, 200);
  EXPECT_LT(at(stand_in.x + stand_in.advance / 2, second.baseline_y - 4).r, 60);
  EXPECT_EQ(layout_toast(std::wstring(40, L'测'), *glyphs_, kWidth, kHeight).box_left, 0)
      << "a toast wider than the window starts at its left edge";
}

// Text in a box fitting its glyphs; nothing outside the view, behind the eye or without a font.
TEST_F(OverlayPixels, TextAtAWorldPoint) {
  SkpModel model;
  add_floor_square(model, 0, 0, -500, 10, kWhite);  // far below the grid
  finish_model(model);
  const Viewport view = full_pane(89, 0, 1600);
  RenderOptions options = unlit();
  options.night_theme = true;
  draw(model, {view}, options);
  const std::vector<Rgb> before = gl_.region(0, 0, kWidth, kHeight);
  const P3 hidden[] = {{5000, 0, 0}, {0, 0, 2000}, {-200, 150, 0}};  // the last without a font
  for (const P3& anchor : hidden) {
    render_text_at_3d(anchor.x, anchor.y, anchor.z, L"12", 1, 1, 0,
                      &anchor == &hidden[2] ? nullptr : glyphs_.get());
    EXPECT_TRUE(gl_.region(0, 0, kWidth, kHeight) == before) << anchor.x << " " << anchor.z;
  }
  render_text_at_3d(-200, 150, 0, L"总长", 1, 1, 0, glyphs_.get());
  int x = 0, y = 0;
  project(model, view, {-200, 150, 0}, x, y);
  const Rgb box = blend(Rgb{}, 0.6f, kNight);
  EXPECT_PRED3(near, at(x + 5, y - 4), (Rgb{255, 255, 0}), 3);
  // Two glyphs 14 wide: the box reaches 30 pixels right (8 per character would end it at 18).
  for (int dx : {-4, -1, 27, 33})
    EXPECT_PRED3(near, at(x + dx, y + 2), dx == -1 || dx == 27 ? box : kNight, 3) << dx;
}

}  // namespace
