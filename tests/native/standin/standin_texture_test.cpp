// Texture pixels: BGR/BGRA byte order, bottom row first, rows padded to 4 bytes; solid fills;
// "pixels" as written; images read relative to the model file; size checks on the caller's buffer.
#include <filesystem>

#include "standin_test_support.h"

namespace {

using namespace standin_test;

struct Pixels {
  SUResult status = SU_ERROR_NONE;
  size_t width = 0, height = 0, size = 0, bits = 0;
  std::vector<SUByte> bytes;
};

SUTextureRef texture_of_first_material(const ModelFile& file) {
  SketchUpAPI& a = api();
  SUMaterialRef material{nullptr};
  EXPECT_EQ(a.SUFaceGetFrontMaterial(faces_of(file.entities())[0], &material), SU_ERROR_NONE);
  SUTextureRef texture{nullptr};
  EXPECT_EQ(a.SUMaterialGetTexture(material, &texture), SU_ERROR_NONE);
  return texture;
}

Pixels read_pixels(SUTextureRef texture) {
  SketchUpAPI& a = api();
  Pixels p;
  double s = 0, t = 0;
  p.status = a.SUTextureGetDimensions(texture, &p.width, &p.height, &s, &t);
  if (p.status != SU_ERROR_NONE) return p;
  p.status = a.SUTextureGetImageDataSize(texture, &p.size, &p.bits);
  if (p.status != SU_ERROR_NONE) return p;
  p.bytes.assign(p.size + 1, 0xEE);  // never empty: the buffer pointer must not be null
  p.status = a.SUTextureGetImageData(texture, p.size, p.bytes.data());
  EXPECT_EQ(p.bytes.back(), 0xEE);
  p.bytes.pop_back();
  return p;
}

std::string textured_model(const std::string& texture_json) {
  return R"({"materials": [{"name": "T", "texture": )" + texture_json +
         R"(}], "entities": {"faces": [{"outer": [[0,0,0],[1,0,0],[0,1,0]], "front": "T"}]}})";
}

// 3 x 2 image, top row red green blue, bottom row white black grey (alpha 10..60 when present).
std::vector<unsigned char> sample_rgba(int channels) {
  const unsigned char rgb[6][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255},
                                   {255, 255, 255}, {0, 0, 0}, {128, 128, 128}};
  std::vector<unsigned char> out;
  for (int i = 0; i < 6; ++i) {
    out.insert(out.end(), rgb[i], rgb[i] + 3);
    if (channels == 4) out.push_back(static_cast<unsigned char>(10 * (i + 1)));
  }
  return out;
}

// Checks the SDK layout of sample_rgba: bottom row first, BGR(A), padded rows.
void expect_sample_layout(const Pixels& p, int channels, int tolerance) {
  ASSERT_EQ(p.status, SU_ERROR_NONE);
  EXPECT_EQ(p.width, 3u);
  EXPECT_EQ(p.height, 2u);
  EXPECT_EQ(p.bits, static_cast<size_t>(channels * 8));
  const size_t stride = channels == 3 ? 12 : 12;  // 9 bytes padded to 12; 12 already aligned
  ASSERT_EQ(p.size, stride * 2);
  const auto source = sample_rgba(channels);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      const unsigned char* want = &source[((1 - y) * 3 + x) * channels];  // file row 1 comes first
      const SUByte* got = &p.bytes[y * stride + x * channels];
      EXPECT_NEAR(got[0], want[2], tolerance) << "blue at " << x << "," << y;
      EXPECT_NEAR(got[1], want[1], tolerance) << "green at " << x << "," << y;
      EXPECT_NEAR(got[2], want[0], tolerance) << "red at " << x << "," << y;
      if (channels == 4) {
        EXPECT_EQ(got[3], want[3]);
      }
    }
  }
}

struct ImageCase {
  const char* label;
  const char* file_name;
  int channels;
  int tolerance;
};

void PrintTo(const ImageCase& c, std::ostream* out) { *out << c.label; }

class StandinTextureImage : public ::testing::TestWithParam<ImageCase> {};

TEST_P(StandinTextureImage, IsDeliveredBottomRowFirstInBgrOrder) {
  const ImageCase& c = GetParam();
  TempDir dir;
  const auto px = sample_rgba(c.channels);
  std::string bytes;
  const std::string name = c.file_name;
  if (name.find(".png") != std::string::npos) bytes = encode_png(3, 2, c.channels, px);
  if (name.find(".bmp") != std::string::npos) bytes = encode_bmp(3, 2, c.channels, px);
  if (name.find(".jpg") != std::string::npos) bytes = encode_jpeg(3, 2, px);
  ASSERT_FALSE(bytes.empty());
  ModelFile file(textured_model(std::string(R"({"image": "textures/)") + c.file_name + "\"}"));
  // The image lives in a folder next to the model file.
  ASSERT_TRUE(std::filesystem::create_directories(file.dir().file("textures")));
  file.dir().write(std::string("textures/") + c.file_name, bytes);
  ASSERT_EQ(file.status(), SU_ERROR_NONE);
  expect_sample_layout(read_pixels(texture_of_first_material(file)), c.channels, c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(Formats, StandinTextureImage,
                         ::testing::Values(ImageCase{"png_rgb", "a.png", 3, 0},
                                           ImageCase{"png_rgba", "b.png", 4, 0},
                                           ImageCase{"bmp_rgb", "c.bmp", 3, 0},
                                           ImageCase{"jpeg", "砖 d.jpg", 3, 40}),
                         [](const ::testing::TestParamInfo<ImageCase>& info) {
                           return std::string(info.param.label);
                         });

TEST(StandinTexture, FillHasTheRequestedSizeAndPaddedRows) {
  struct Case {
    const char* fill;
    size_t width, height, bits, stride;
  };
  const Case cases[] = {{"[10, 20, 30]", 3, 2, 24, 12},   // 9 bytes -> 12
                        {"[10, 20, 30]", 1, 3, 24, 4},    // 3 bytes -> 4
                        {"[10, 20, 30]", 4, 1, 24, 12},   // already aligned
                        {"[10, 20, 30, 40]", 3, 2, 32, 12},
                        {"[10, 20, 30]", 0, 5, 24, 0}};
  for (const Case& c : cases) {
    ModelFile file(textured_model("{\"width\": " + std::to_string(c.width) + ", \"height\": " +
                                  std::to_string(c.height) + ", \"fill\": " + c.fill + "}"));
    ASSERT_EQ(file.status(), SU_ERROR_NONE);
    const Pixels p = read_pixels(texture_of_first_material(file));
    ASSERT_EQ(p.status, SU_ERROR_NONE);
    EXPECT_EQ(p.width, c.width);
    EXPECT_EQ(p.bits, c.bits);
    ASSERT_EQ(p.size, c.stride * c.height) << c.width << "x" << c.height;
    const size_t channels = c.bits / 8;
    for (size_t y = 0; y < c.height; ++y) {
      for (size_t x = 0; x < c.width; ++x) {
        const SUByte* px = &p.bytes[y * c.stride + x * channels];
        EXPECT_EQ(px[0], 30);
        EXPECT_EQ(px[1], 20);
        EXPECT_EQ(px[2], 10);
        if (channels == 4) {
          EXPECT_EQ(px[3], 40);
        }
      }
      for (size_t pad = c.width * channels; pad < c.stride; ++pad) {
        EXPECT_EQ(p.bytes[y * c.stride + pad], 0);
      }
    }
  }
}

TEST(StandinTexture, PixelsAreReportedAsWrittenEvenWhenInconsistent) {
  const std::vector<unsigned char> raw{1, 2, 3, 4, 5, 6, 7};
  ModelFile file(textured_model(R"({"width": 100, "height": 3, "bits_per_pixel": 24, "pixels": ")" +
                                base64(raw) + "\"}"));
  ASSERT_EQ(file.status(), SU_ERROR_NONE);
  const Pixels p = read_pixels(texture_of_first_material(file));
  ASSERT_EQ(p.status, SU_ERROR_NONE);
  EXPECT_EQ(p.width, 100u);
  EXPECT_EQ(p.height, 3u);
  EXPECT_EQ(p.bits, 24u);
  EXPECT_EQ(p.bytes, std::vector<SUByte>(raw.begin(), raw.end()));
}

TEST(StandinTexture, TooSmallBufferIsRefusedAndNotWrittenPast) {
  SketchUpAPI& a = api();
  ModelFile file(textured_model(R"({"width": 3, "height": 2, "fill": [1, 2, 3]})"));
  ASSERT_EQ(file.status(), SU_ERROR_NONE);
  const SUTextureRef texture = texture_of_first_material(file);
  std::vector<SUByte> buffer(64, 0xAB);
  EXPECT_EQ(a.SUTextureGetImageData(texture, 23, buffer.data()), SU_ERROR_INSUFFICIENT_SIZE);
  for (size_t i = 23; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], 0xAB) << i;
  EXPECT_EQ(a.SUTextureGetImageData(texture, 64, buffer.data()), SU_ERROR_NONE);  // larger is fine
  EXPECT_EQ(buffer[24], 0xAB);
  EXPECT_EQ(a.SUTextureGetImageData(texture, 64, nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
}

TEST(StandinTexture, OutputsAreAllRequired) {
  SketchUpAPI& a = api();
  ModelFile file(textured_model(R"({"width": 3, "height": 2, "fill": [1, 2, 3]})"));
  ASSERT_EQ(file.status(), SU_ERROR_NONE);
  const SUTextureRef texture = texture_of_first_material(file);
  size_t w, h, size, bits;
  double s, t;
  EXPECT_EQ(a.SUTextureGetDimensions(texture, &w, &h, &s, nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
  EXPECT_EQ(a.SUTextureGetDimensions(texture, nullptr, &h, &s, &t), SU_ERROR_NULL_POINTER_OUTPUT);
  EXPECT_EQ(a.SUTextureGetImageDataSize(texture, &size, nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
  EXPECT_EQ(a.SUTextureGetDimensions(SUTextureRef{nullptr}, &w, &h, &s, &t), SU_ERROR_INVALID_INPUT);
  ASSERT_EQ(a.SUTextureGetDimensions(texture, &w, &h, &s, &t), SU_ERROR_NONE);
  EXPECT_EQ(s, 1.0);
  EXPECT_EQ(t, 1.0);
  SUColor average;
  EXPECT_EQ(a.SUTextureGetAverageColor(texture, &average), SU_ERROR_NO_DATA);
  (void)bits;
}

TEST(StandinTexture, AverageColourAsWritten) {
  SketchUpAPI& a = api();
  ModelFile file(textured_model(
      R"({"width": 1, "height": 1, "fill": [1, 2, 3], "average_color": [9, 8, 7, 6]})"));
  ASSERT_EQ(file.status(), SU_ERROR_NONE);
  SUColor c{0, 0, 0, 0};
  ASSERT_EQ(a.SUTextureGetAverageColor(texture_of_first_material(file), &c), SU_ERROR_NONE);
  EXPECT_EQ(c.red, 9);
  EXPECT_EQ(c.alpha, 6);
}

TEST(StandinTexture, MissingOrBrokenImagesFailOnlyTheirGetters) {
  for (const char* content : {"", "not an image at all", "\x89PNG\r\n\x1a\n truncated"}) {
    ModelFile file(textured_model(R"({"image": "broken.png", "average_color": [1,2,3,4]})"));
    if (*content) file.dir().write("broken.png", content);
    ASSERT_EQ(file.status(), SU_ERROR_NONE);  // the model still loads
    SketchUpAPI& a = api();
    const SUTextureRef texture = texture_of_first_material(file);
    size_t w, h, size, bits;
    double s, t;
    EXPECT_NE(a.SUTextureGetDimensions(texture, &w, &h, &s, &t), SU_ERROR_NONE);
    EXPECT_NE(a.SUTextureGetImageDataSize(texture, &size, &bits), SU_ERROR_NONE);
    SUByte buffer[64];
    EXPECT_NE(a.SUTextureGetImageData(texture, sizeof buffer, buffer), SU_ERROR_NONE);
    SUColor c;
    EXPECT_EQ(a.SUTextureGetAverageColor(texture, &c), SU_ERROR_NONE);
  }
}

}  // namespace
