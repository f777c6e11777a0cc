// How texture records are handed to GL: formats, the pixel-store settings that reproduce padded
// rows, and the records that are refused.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "render/gl/gl_api.h"
#include "render/gl/texture_upload.h"

namespace {

TextureData record(size_t width, size_t height, size_t bits, size_t bytes) {
  return TextureData{0, width, height, bits, std::vector<uint8_t>(bytes, 0x5A)};
}

TEST(TexturePlan, FormatFollowsTheBitsAndUnusableRecordsAreRefused) {
  constexpr size_t kHuge = std::numeric_limits<size_t>::max();
  const struct {
    size_t width, height, bits, bytes;
    TextureProblem problem;
    unsigned int format;
  } cases[] = {
      {3, 2, 24, 24, TextureProblem::None, GL_BGR_EXT},
      {2, 2, 32, 24, TextureProblem::None, GL_BGRA_EXT},
      {2, 3, 8, 10, TextureProblem::None, GL_LUMINANCE},  // size not a multiple of the height
      {3, 2, 24, 17, TextureProblem::TooFewBytes, 0},
      {2, 2, 16, 8, TextureProblem::UnsupportedBits, 0},
      {0, 2, 24, 12, TextureProblem::ZeroSize, 0},
      {2, 2, 24, 0, TextureProblem::NoPixels, 0},
      {kHuge, 1, 24, 64, TextureProblem::TooLarge, 0},
      {1, size_t(1) << 40, 8, 64, TextureProblem::TooLarge, 0},
  };
  for (const auto& c : cases) {
    const TextureUploadPlan plan = plan_texture_upload(record(c.width, c.height, c.bits, c.bytes));
    EXPECT_EQ(plan.problem, c.problem) << c.width << "x" << c.height << " " << c.bits << " bits";
    EXPECT_EQ(plan.usable() ? plan.format : 0u, c.format) << c.bits;
  }
}

// Whatever the padding, GL reads each row where the record has it and never past the bytes.
TEST(TexturePlan, EveryPaddingIsReadAtTheRecordsStride) {
  for (size_t bits : {8u, 24u, 32u}) {
    for (size_t width = 1; width <= 9; ++width) {
      for (size_t height = 1; height <= 4; ++height) {
        for (size_t padding = 0; padding <= 9; ++padding) {
          const size_t stride = width * bits / 8 + padding;
          // Bytes left after the last row do not change the stride.
          const TextureData t = record(width, height, bits, stride * height + height - 1);
          const TextureUploadPlan plan = plan_texture_upload(t);
          ASSERT_TRUE(plan.usable());
          EXPECT_EQ(plan.row_stride, stride) << bits << " bits " << width << "x" << height;
          if (plan.repack) continue;
          const size_t pixels = plan.unpack_row_length > 0 ? plan.unpack_row_length : width;
          const size_t a = static_cast<size_t>(plan.unpack_alignment);
          EXPECT_EQ((pixels * plan.bytes_per_pixel + a - 1) / a * a, stride)
              << bits << " bits " << width << "x" << height << " padding " << padding;
        }
      }
    }
  }
}

}  // namespace
