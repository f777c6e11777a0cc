// Textured faces as drawn: the SDK's blue-green-red bytes come out in the right colours, padded
// rows are read at their stride, and records that cannot hold their image draw untextured.
#include <gtest/gtest.h>

#include <vector>

#include "gl_fixture.h"
#include "render/gl/gl_api.h"

namespace {

constexpr int kTolerance = 8;

struct Texel {
  uint8_t r, g, b;
};

// Bytes of a width x height image as the SDK delivers them: bottom row first, each pixel
// blue-green-red (and alpha 255 for 32 bits; the red byte alone for 8 bits), every row followed
// by `padding` bytes.
std::vector<uint8_t> sdk_bytes(const std::vector<std::vector<Texel>>& rows_bottom_up, size_t bits,
                               size_t padding) {
  std::vector<uint8_t> out;
  for (const std::vector<Texel>& row : rows_bottom_up) {
    for (const Texel& t : row) {
      if (bits == 8) {
        out.push_back(t.r);
        continue;
      }
      out.push_back(t.b);
      out.push_back(t.g);
      out.push_back(t.r);
      if (bits == 32) out.push_back(255);
    }
    out.insert(out.end(), padding, 0xEE);
  }
  return out;
}

class TexturePixels : public GlPixelTest {
 protected:
  // A floor square of side 40 at the origin carrying texture `index`, seen from above, unlit.
  void draw_textured_floor(SkpModel& model, int32_t index, Rgba vertex_colour = kWhite) {
    add_floor_square(model, 0, 0, 1, 40, vertex_colour, index);
    finish_model(model);
    view_ = full_pane(89, 0, 75);
    RenderOptions options;
    options.show_lighting = false;
    draw(model, {view_}, options);
  }
  // The drawn colour at the centre of texel (column, row), row 0 at the bottom (v = 0).
  Rgb texel_on_screen(const SkpModel& model, size_t column, size_t row, size_t width,
                      size_t height) const {
    const float x = -20.0f + 40.0f * (static_cast<float>(column) + 0.5f) / width;
    const float y = -20.0f + 40.0f * (static_cast<float>(row) + 0.5f) / height;
    return at_world(model, view_, {x, y, 1});
  }
  void expect_image(const SkpModel& model, const std::vector<std::vector<Texel>>& rows) {
    for (size_t row = 0; row < rows.size(); ++row) {
      for (size_t column = 0; column < rows[row].size(); ++column) {
        const Texel& t = rows[row][column];
        const Rgb drawn = texel_on_screen(model, column, row, rows[row].size(), rows.size());
        EXPECT_PRED3(near, drawn, (Rgb{t.r, t.g, t.b}), kTolerance)
            << "texel " << column << ", " << row;
      }
    }
  }
  Viewport view_;
};

struct LayoutCase {
  const char* name;
  size_t width, height, bits, padding;
};

class TextureRowLayouts : public TexturePixels, public ::testing::WithParamInterface<LayoutCase> {};

// Every texel of an image with distinct texels lands where it belongs, whatever the row padding
// and pixel size; a misread stride shifts the upper rows.
TEST_P(TextureRowLayouts, EveryTexelInPlace) {
  const LayoutCase& c = GetParam();
  std::vector<std::vector<Texel>> image(c.height, std::vector<Texel>(c.width));
  for (size_t row = 0; row < c.height; ++row)
    for (size_t column = 0; column < c.width; ++column)
      image[row][column] = Texel{static_cast<uint8_t>(40 + 200 * column / c.width),
                                 static_cast<uint8_t>(30 + 190 * row / c.height),
                                 static_cast<uint8_t>((row + column) % 2 ? 200 : 20)};
  if (c.bits == 8)  // luminance: grey texels
    for (auto& row : image)
      for (Texel& t : row) t.g = t.b = t.r;
  SkpModel model;
  const int32_t index =
      add_texture(model, c.width, c.height, c.bits, sdk_bytes(image, c.bits, c.padding));
  draw_textured_floor(model, index);
  ASSERT_NE(renderer_.texture_names().at(0), 0u);
  expect_image(model, image);
}

INSTANTIATE_TEST_SUITE_P(Layouts, TextureRowLayouts,
                         ::testing::Values(LayoutCase{"bgr_rows_padded_to_four_bytes", 3, 2, 24, 3},
                                           LayoutCase{"bgr_tight_rows", 4, 2, 24, 0},
                                           LayoutCase{"bgr_stride_of_whole_pixels", 2, 3, 24, 3},
                                           LayoutCase{"bgr_odd_stride", 2, 3, 24, 1},
                                           LayoutCase{"bgra_padded", 3, 2, 32, 4},
                                           LayoutCase{"bgra_tight", 2, 2, 32, 0},
                                           LayoutCase{"grey_padded", 3, 2, 8, 1}),
                         [](const ::testing::TestParamInfo<LayoutCase>& info) {
                           return std::string(info.param.name);
                         });

// The texture modulates the face colour, as GL's default texture environment does.
TEST_F(TexturePixels, TextureModulatesTheVertexColour) {
  SkpModel model;
  const int32_t index = add_texture(model, 1, 1, 32, {200, 200, 200, 255});
  draw_textured_floor(model, index, {1.0f, 0.5f, 0.0f, 1.0f});
  EXPECT_PRED3(near, texel_on_screen(model, 0, 0, 1, 1),
               rgb_from_floats(200 / 255.0f, 100 / 255.0f, 0), kTolerance);
}

struct UnusableCase {
  const char* name;
  size_t width, height, bits;
  size_t bytes;
};

class UnusableTextures : public TexturePixels,
                         public ::testing::WithParamInterface<UnusableCase> {};

// A record that cannot be drawn gets name 0 and its face keeps its own colour; the frame goes on.
TEST_P(UnusableTextures, FaceDrawsUntexturedInItsColour) {
  const UnusableCase& c = GetParam();
  SkpModel model;
  const int32_t good = add_texture(model, 1, 1, 24, {255, 0, 0, 0});  // blue
  const int32_t bad =
      add_texture(model, c.width, c.height, c.bits, std::vector<uint8_t>(c.bytes, 0x00));
  add_floor_square(model, 40, 0, 1, 20, kWhite, good);  // a usable one beside it still draws
  draw_textured_floor(model, bad, kYellow);
  ASSERT_EQ(renderer_.texture_names().size(), 2u);
  EXPECT_NE(renderer_.texture_names()[0], 0u);
  EXPECT_EQ(renderer_.texture_names()[1], 0u);
  EXPECT_PRED3(near, at_world(model, view_, {-5, -5, 1}), rgb(kYellow), kTolerance);
  EXPECT_PRED3(near, at_world(model, view_, {40, -5, 1}), (Rgb{0, 0, 255}), kTolerance);
}

INSTANTIATE_TEST_SUITE_P(Records, UnusableTextures,
                         ::testing::Values(UnusableCase{"last_row_cut_short", 4, 4, 32, 63},
                                           UnusableCase{"sixteen_bits_per_pixel", 2, 2, 16, 8}),
                         [](const ::testing::TestParamInfo<UnusableCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
