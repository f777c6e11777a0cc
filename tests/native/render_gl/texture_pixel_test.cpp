// Textured faces as drawn: the SDK's blue-green-red bytes come out in the right colours, padded
// rows are read at their stride, and records that cannot hold their image draw untextured.
#include <gtest/gtest.h>

#include <vector>

#include "gl_fixture.h"

namespace {

class TexturePixels : public GlPixelTest {
 protected:
  // A floor square of side 40 at the origin carrying texture `index`, seen from above, unlit.
  void draw_textured_floor(SkpModel& model, int32_t index, Rgba vertex_colour = kWhite) {
    add_floor_square(model, 0, 0, 1, 40, vertex_colour, index);
    finish_model(model);
    draw(model, {view_}, unlit());
  }
  // The drawn colour at the centre of texel (column, row) of a w x h image, row 0 at v = 0.
  Rgb texel_on_screen(const SkpModel& model, size_t column, size_t row, size_t w, size_t h) const {
    return at_world(model, view_,
                    {-20.0f + 40.0f * (column + 0.5f) / w, -20.0f + 40.0f * (row + 0.5f) / h, 1});
  }
  const Viewport view_ = full_pane(89, 0, 75);
};

// Every texel of an image with distinct texels lands where it belongs, whatever the row padding
// and pixel size: a misread stride shifts the upper rows. The bytes are as the SDK delivers them:
// bottom row first, blue-green-red (alpha 255 for 32 bits, the grey byte alone for 8).
TEST_F(TexturePixels, EveryTexelInPlaceForEachRowLayout) {
  // width, height, bits, padding
  const size_t cases[][4] = {
      {3, 2, 24, 3}, {2, 3, 24, 3}, {2, 3, 24, 1}, {3, 2, 32, 4}, {3, 2, 8, 1}};
  for (const auto& [width, height, bits, padding] : cases) {
    SCOPED_TRACE(testing::Message() << width << "x" << height << " " << bits << " + " << padding);
    std::vector<Rgb> image;
    std::vector<uint8_t> bytes;
    for (size_t row = 0; row < height; ++row) {
      for (size_t column = 0; column < width; ++column) {
        Rgb t{int(40 + 200 * column / width), int(30 + 190 * row / height),
              (row + column) % 2 ? 200 : 20};
        if (bits == 8) t.g = t.b = t.r;
        image.push_back(t);
        const uint8_t bgra[] = {uint8_t(t.b), uint8_t(t.g), uint8_t(t.r), 255};
        bytes.insert(bytes.end(), bits == 8 ? bgra + 2 : bgra, bgra + (bits == 32 ? 4 : 3));
      }
      bytes.insert(bytes.end(), padding, 0xEE);
    }
    SkpModel model;
    draw_textured_floor(model, add_texture(model, width, height, bits, bytes));
    ASSERT_NE(renderer_.texture_names().at(0), 0u);
    for (size_t i = 0; i < image.size(); ++i)
      EXPECT_PRED3(near, texel_on_screen(model, i % width, i / width, width, height), image[i], 8)
          << "texel " << i % width << ", " << i / width;
    renderer_.invalidate_display_list();
  }
}

// A record that cannot be drawn gets name 0 and its face keeps its own colour; a usable one
// beside it still draws.
TEST_F(TexturePixels, RecordCutShortDrawsUntexturedInItsColour) {
  SkpModel model;
  const int32_t good = add_texture(model, 1, 1, 24, {255, 0, 0, 0});  // blue
  const int32_t bad = add_texture(model, 4, 4, 32, std::vector<uint8_t>(63, 0));
  add_floor_square(model, 40, 0, 1, 20, kWhite, good);
  draw_textured_floor(model, bad, kYellow);
  EXPECT_EQ(renderer_.texture_names().at(1), 0u);
  EXPECT_PRED3(near, at_world(model, view_, {-5, -5, 1}), rgb(kYellow), 8);
  EXPECT_PRED3(near, at_world(model, view_, {40, -5, 1}), (Rgb{0, 0, 255}), 8);
}

}  // namespace
