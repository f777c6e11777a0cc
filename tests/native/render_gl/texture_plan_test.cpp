// Texture records GL cannot take are refused before upload (the formats and row strides of the
// usable ones are checked in pixels, in texture_pixel_test).
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "render/gl/texture_upload.h"

namespace {

TEST(TexturePlan, UnusableRecordsAreRefused) {
  constexpr size_t kHuge = std::numeric_limits<size_t>::max();
  const struct {
    size_t width, height, bits, bytes;
    TextureProblem problem;
  } cases[] = {
      {2, 3, 8, 10, TextureProblem::None},  // size not a multiple of the height
      {3, 2, 24, 17, TextureProblem::TooFewBytes},
      {2, 2, 16, 8, TextureProblem::UnsupportedBits},
      {0, 2, 24, 12, TextureProblem::ZeroSize},
      {2, 2, 24, 0, TextureProblem::NoPixels},
      {kHuge, 1, 24, 64, TextureProblem::TooLarge},
      {1, size_t(1) << 40, 8, 64, TextureProblem::TooLarge},
  };
  for (const auto& c : cases) {
    const TextureData record{0, c.width, c.height, c.bits, std::vector<uint8_t>(c.bytes, 0x5A)};
    const TextureUploadPlan plan = plan_texture_upload(record);
    EXPECT_EQ(plan.problem, c.problem) << c.width << "x" << c.height << " " << c.bits << " bits";
    EXPECT_EQ(plan.usable(), c.problem == TextureProblem::None);
  }
}

}  // namespace
