// How texture records are handed to GL: formats, the pixel-store settings that reproduce padded
// rows, and the records that are refused.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "render/gl/gl_api.h"
#include "render/gl/texture_upload.h"

namespace {

TextureData record(size_t width, size_t height, size_t bits, size_t bytes) {
  TextureData t;
  t.index = 0;
  t.width = width;
  t.height = height;
  t.bits_per_pixel = bits;
  t.pixels.assign(bytes, 0x5A);
  return t;
}

// The distance between row starts that GL derives from the pixel-store settings.
size_t gl_row_stride(const TextureUploadPlan& plan, size_t width) {
  const size_t pixels =
      plan.unpack_row_length > 0 ? static_cast<size_t>(plan.unpack_row_length) : width;
  const size_t bytes = pixels * plan.bytes_per_pixel;
  const size_t a = static_cast<size_t>(plan.unpack_alignment);
  return (bytes + a - 1) / a * a;
}

// The pixel format follows the bits per pixel; records that cannot hold or describe their
// image are refused. (How padded rows are read is the property test below.)
struct PlanCase {
  const char* name;
  size_t width, height, bits, bytes;
  TextureProblem problem;
  unsigned int format;
};

class TexturePlanTable : public ::testing::TestWithParam<PlanCase> {};

TEST_P(TexturePlanTable, FormatOrRefusal) {
  const PlanCase& c = GetParam();
  const TextureUploadPlan plan = plan_texture_upload(record(c.width, c.height, c.bits, c.bytes));
  ASSERT_EQ(plan.problem, c.problem) << texture_problem_text(plan.problem);
  if (plan.usable()) {
    EXPECT_EQ(plan.format, c.format);
  }
}

constexpr size_t kHuge = std::numeric_limits<size_t>::max();
constexpr TextureProblem kOk = TextureProblem::None;

INSTANTIATE_TEST_SUITE_P(
    Records, TexturePlanTable,
    ::testing::Values(
        PlanCase{"bgr_padded", 3, 2, 24, 24, kOk, GL_BGR_EXT},
        PlanCase{"bgra", 2, 2, 32, 24, kOk, GL_BGRA_EXT},
        PlanCase{"luminance_long_rows", 3, 2, 8, 14, kOk, GL_LUMINANCE},
        PlanCase{"size_not_a_multiple_of_height", 2, 3, 8, 10, kOk, GL_LUMINANCE},
        PlanCase{"too_short_for_its_size", 4, 4, 24, 20, TextureProblem::TooFewBytes, 0},
        PlanCase{"one_byte_short", 3, 2, 24, 17, TextureProblem::TooFewBytes, 0},
        PlanCase{"sixteen_bits", 2, 2, 16, 8, TextureProblem::UnsupportedBits, 0},
        PlanCase{"zero_bits", 2, 2, 0, 8, TextureProblem::UnsupportedBits, 0},
        PlanCase{"forty_eight_bits", 1, 1, 48, 6, TextureProblem::UnsupportedBits, 0},
        PlanCase{"zero_width", 0, 2, 24, 12, TextureProblem::ZeroSize, 0},
        PlanCase{"zero_height", 2, 0, 24, 12, TextureProblem::ZeroSize, 0},
        PlanCase{"no_bytes", 2, 2, 24, 0, TextureProblem::NoPixels, 0},
        PlanCase{"width_that_overflows", kHuge, 1, 24, 64, TextureProblem::TooLarge, 0},
        PlanCase{"height_beyond_any_texture", 1, size_t(1) << 40, 8, 64, TextureProblem::TooLarge,
                 0}),
    [](const ::testing::TestParamInfo<PlanCase>& info) { return std::string(info.param.name); });

// Whatever the padding, GL reads each row where the record has it and never past the bytes.
TEST(TexturePlan, EveryPaddingIsReadAtTheRecordsStride) {
  for (size_t bits : {8u, 24u, 32u}) {
    for (size_t width = 1; width <= 9; ++width) {
      for (size_t height = 1; height <= 4; ++height) {
        for (size_t padding = 0; padding <= 9; ++padding) {
          for (size_t tail = 0; tail < height; ++tail) {
            const size_t stride = width * bits / 8 + padding;
            const TextureData t = record(width, height, bits, stride * height + tail);
            const TextureUploadPlan plan = plan_texture_upload(t);
            SCOPED_TRACE(testing::Message() << bits << " bits " << width << "x" << height
                                            << " padding " << padding << " tail " << tail);
            ASSERT_TRUE(plan.usable());
            EXPECT_EQ(plan.row_stride, stride);
            if (plan.repack) continue;
            EXPECT_EQ(gl_row_stride(plan, width), stride);
            EXPECT_LE(stride * (height - 1) + width * bits / 8, t.pixels.size());
          }
        }
      }
    }
  }
}

TEST(TexturePlan, RepackKeepsEachRowsPixelsAndDropsThePadding) {
  TextureData t = record(2, 3, 24, 21);  // stride 7: six pixel bytes and one of padding
  for (size_t i = 0; i < t.pixels.size(); ++i) t.pixels[i] = static_cast<uint8_t>(i);
  const TextureUploadPlan plan = plan_texture_upload(t);
  ASSERT_TRUE(plan.repack);
  const std::vector<uint8_t> packed = repack_rows(t, plan);
  const std::vector<uint8_t> expected = {0,  1,  2,  3,  4,  5,  7,  8,  9,
                                         10, 11, 12, 14, 15, 16, 17, 18, 19};
  EXPECT_EQ(packed, expected);
}

}  // namespace
