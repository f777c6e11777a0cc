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
  const size_t pixels = plan.unpack_row_length > 0 ? static_cast<size_t>(plan.unpack_row_length)
                                                   : width;
  const size_t bytes = pixels * plan.bytes_per_pixel;
  const size_t a = static_cast<size_t>(plan.unpack_alignment);
  return (bytes + a - 1) / a * a;
}

struct PlanCase {
  const char* name;
  size_t width, height, bits, bytes;
  TextureProblem problem;
  unsigned int format;
  int alignment;
  int row_length;
  bool repack;
};

class TexturePlanTable : public ::testing::TestWithParam<PlanCase> {};

TEST_P(TexturePlanTable, FormatAndRowLayout) {
  const PlanCase& c = GetParam();
  const TextureData t = record(c.width, c.height, c.bits, c.bytes);
  const TextureUploadPlan plan = plan_texture_upload(t);
  ASSERT_EQ(plan.problem, c.problem) << texture_problem_text(plan.problem);
  if (c.problem != TextureProblem::None) return;
  EXPECT_EQ(plan.format, c.format);
  EXPECT_EQ(plan.unpack_alignment, c.alignment);
  EXPECT_EQ(plan.unpack_row_length, c.row_length);
  EXPECT_EQ(plan.repack, c.repack);
  EXPECT_EQ(plan.row_stride, c.bytes / c.height);
}

constexpr size_t kHuge = std::numeric_limits<size_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Records, TexturePlanTable,
    ::testing::Values(
        PlanCase{"bgr_tight", 4, 2, 24, 24, TextureProblem::None, GL_BGR_EXT, 1, 0, false},
        PlanCase{"bgr_rows_padded_to_4", 3, 2, 24, 24, TextureProblem::None, GL_BGR_EXT, 4, 0,
                 false},
        PlanCase{"bgr_rows_padded_to_2", 5, 1, 24, 16, TextureProblem::None, GL_BGR_EXT, 2, 0,
                 false},
        PlanCase{"bgr_stride_of_whole_pixels", 2, 2, 24, 18, TextureProblem::None, GL_BGR_EXT,
                 1, 3, false},
        PlanCase{"bgr_odd_stride_repacked", 2, 2, 24, 14, TextureProblem::None, GL_BGR_EXT, 1,
                 0, true},
        PlanCase{"bgra_tight", 2, 2, 32, 16, TextureProblem::None, GL_BGRA_EXT, 1, 0, false},
        PlanCase{"bgra_wide_stride", 2, 2, 32, 24, TextureProblem::None, GL_BGRA_EXT, 1, 3,
                 false},
        PlanCase{"luminance_padded_to_2", 3, 3, 8, 12, TextureProblem::None, GL_LUMINANCE, 2,
                 0, false},
        PlanCase{"luminance_long_rows", 3, 2, 8, 14, TextureProblem::None, GL_LUMINANCE, 1, 7,
                 false},
        PlanCase{"size_not_a_multiple_of_height", 2, 3, 8, 10, TextureProblem::None,
                 GL_LUMINANCE, 1, 3, false},
        PlanCase{"too_short_for_its_size", 4, 4, 24, 20, TextureProblem::TooFewBytes, 0, 0, 0,
                 false},
        PlanCase{"one_byte_short", 3, 2, 24, 17, TextureProblem::TooFewBytes, 0, 0, 0, false},
        PlanCase{"sixteen_bits", 2, 2, 16, 8, TextureProblem::UnsupportedBits, 0, 0, 0, false},
        PlanCase{"zero_bits", 2, 2, 0, 8, TextureProblem::UnsupportedBits, 0, 0, 0, false},
        PlanCase{"forty_eight_bits", 1, 1, 48, 6, TextureProblem::UnsupportedBits, 0, 0, 0,
                 false},
        PlanCase{"zero_width", 0, 2, 24, 12, TextureProblem::ZeroSize, 0, 0, 0, false},
        PlanCase{"zero_height", 2, 0, 24, 12, TextureProblem::ZeroSize, 0, 0, 0, false},
        PlanCase{"no_bytes", 2, 2, 24, 0, TextureProblem::NoPixels, 0, 0, 0, false},
        PlanCase{"width_that_overflows", kHuge, 1, 24, 64, TextureProblem::TooLarge, 0, 0, 0,
                 false},
        PlanCase{"height_beyond_any_texture", 1, size_t(1) << 40, 8, 64,
                 TextureProblem::TooLarge, 0, 0, 0, false}),
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
  const std::vector<uint8_t> expected = {0, 1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12,
                                         14, 15, 16, 17, 18, 19};
  EXPECT_EQ(packed, expected);
}

}  // namespace
