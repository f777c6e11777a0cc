// Texture pixels: BGR/BGRA byte order, bottom row first, rows padded to 4 bytes; solid fills;
// "pixels" as written; images read relative to the model file; size checks on the caller's buffer.
#include <filesystem>

#include "standin_image_writer.h"
#include "standin_test_support.h"

namespace {

using namespace standin_test;

struct Pixels {
  SUResult status = SU_ERROR_NONE;
  size_t width = 0, height = 0, size = 0, bits = 0;
  std::vector<SUByte> bytes;
};

// A model whose one face wears material "T" with the given texture.
std::string textured_model(const std::string& texture_json) {
  return R"({"materials": [{"name": "T", "texture": )" + texture_json +
         R"(}], "entities": {"faces": [{"outer": [[0,0,0],[1,0,0],[0,1,0]], "front": "T"}]}})";
}

SUTextureRef texture_of(const ModelFile& file) {
  SUMaterialRef material{nullptr};
  EXPECT_EQ(api().SUFaceGetFrontMaterial(faces_of(file.entities())[0], &material), SU_ERROR_NONE);
  SUTextureRef texture{nullptr};
  EXPECT_EQ(api().SUMaterialGetTexture(material, &texture), SU_ERROR_NONE);
  return texture;
}

Pixels read_pixels(SUTextureRef texture) {
  SketchUpAPI& a = api();
  Pixels p;
  double s = 0, t = 0;
  p.status = a.SUTextureGetDimensions(texture, &p.width, &p.height, &s, &t);
  if (p.status == SU_ERROR_NONE) p.status = a.SUTextureGetImageDataSize(texture, &p.size, &p.bits);
  if (p.status != SU_ERROR_NONE) return p;
  p.bytes.assign(p.size + 1, 0xEE);  // never empty: the buffer pointer must not be null
  p.status = a.SUTextureGetImageData(texture, p.size, p.bytes.data());
  EXPECT_EQ(p.bytes.back(), 0xEE);
  p.bytes.pop_back();
  return p;
}

TEST(StandinTexture, ImagesAreDeliveredBottomRowFirstInBgrOrder) {
  // 3 x 2 image, top row red green blue, bottom row white black grey (alpha 10..60 when present).
  const unsigned char rgb[6][3] = {{255, 0, 0},     {0, 255, 0}, {0, 0, 255},
                                   {255, 255, 255}, {0, 0, 0},   {128, 128, 128}};
  const struct {
    const char* file_name;
    int channels, tolerance;
  } cases[] = {{"a.png", 3, 0}, {"b.png", 4, 0}, {"c.bmp", 3, 0}, {"砖 d.jpg", 3, 40}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file_name);
    std::vector<unsigned char> px;
    for (int i = 0; i < 6; ++i) {
      px.insert(px.end(), rgb[i], rgb[i] + 3);
      if (c.channels == 4) px.push_back(static_cast<unsigned char>(10 * (i + 1)));
    }
    const std::string name = c.file_name;
    const std::string bytes =
        name.find(".png") != std::string::npos   ? encode_png(3, 2, c.channels, px)
        : name.find(".bmp") != std::string::npos ? encode_bmp(3, 2, c.channels, px)
                                                 : encode_jpeg(3, 2, px);
    ModelFile file(textured_model(R"({"image": "textures/)" + name + "\"}"));
    // The image lives in a folder next to the model file.
    ASSERT_TRUE(std::filesystem::create_directories(file.dir().file("textures")));
    file.dir().write("textures/" + name, bytes);
    const Pixels p = read_pixels(texture_of(file));
    ASSERT_EQ(p.status, SU_ERROR_NONE);
    EXPECT_EQ(p.width, 3u);
    EXPECT_EQ(p.height, 2u);
    EXPECT_EQ(p.bits, static_cast<size_t>(c.channels * 8));
    ASSERT_EQ(p.size, 24u);  // 9 bytes padded to 12, or 12 already aligned, per row
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) {
        const unsigned char* want = &px[((1 - y) * 3 + x) * c.channels];  // file row 1 first
        const SUByte* got = &p.bytes[y * 12 + x * c.channels];
        EXPECT_NEAR(got[0], want[2], c.tolerance) << "blue at " << x << "," << y;
        EXPECT_NEAR(got[1], want[1], c.tolerance) << "green at " << x << "," << y;
        EXPECT_NEAR(got[2], want[0], c.tolerance) << "red at " << x << "," << y;
        if (c.channels == 4) {
          EXPECT_EQ(got[3], want[3]);
        }
      }
    }
  }
}

TEST(StandinTexture, FillHasTheRequestedSizeAndPaddedRows) {
  const struct {
    const char* fill;
    size_t width, height, bits, stride;
  } cases[] = {{"[10, 20, 30]", 3, 2, 24, 12},  // 9 bytes -> 12
               {"[10, 20, 30]", 1, 3, 24, 4},   // 3 bytes -> 4
               {"[10, 20, 30]", 4, 1, 24, 12},  // already aligned
               {"[10, 20, 30, 40]", 3, 2, 32, 12},
               {"[10, 20, 30]", 0, 5, 24, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " " + c.fill);
    ModelFile file(textured_model("{\"width\": " + std::to_string(c.width) + ", \"height\": " +
                                  std::to_string(c.height) + ", \"fill\": " + c.fill + "}"));
    const Pixels p = read_pixels(texture_of(file));
    ASSERT_EQ(p.status, SU_ERROR_NONE);
    EXPECT_EQ(p.width, c.width);
    EXPECT_EQ(p.bits, c.bits);
    ASSERT_EQ(p.size, c.stride * c.height);
    const size_t channels = c.bits / 8;
    const SUByte bgra[4] = {30, 20, 10, 40};
    for (size_t i = 0; i < p.size; ++i) {
      const size_t x = i % c.stride;  // byte within its row: pixel bytes, then zero padding
      EXPECT_EQ(p.bytes[i], x < c.width * channels ? bgra[x % channels] : 0) << i;
    }
  }
}

TEST(StandinTexture, PixelsAreReportedAsWrittenEvenWhenInconsistent) {
  ModelFile file(textured_model(
      R"({"width": 100, "height": 3, "bits_per_pixel": 24, "pixels": "AQIDBAUGBw=="})"));
  const Pixels p = read_pixels(texture_of(file));
  ASSERT_EQ(p.status, SU_ERROR_NONE);
  EXPECT_EQ(p.width, 100u);
  EXPECT_EQ(p.height, 3u);
  EXPECT_EQ(p.bits, 24u);
  EXPECT_EQ(p.bytes, (std::vector<SUByte>{1, 2, 3, 4, 5, 6, 7}));
}

TEST(StandinTexture, BuffersAndOutputsAreChecked) {
  SketchUpAPI& a = api();
  ModelFile file(textured_model(R"({"width": 3, "height": 2, "fill": [1, 2, 3]})"));
  const SUTextureRef texture = texture_of(file);
  std::vector<SUByte> buffer(64, 0xAB);
  EXPECT_EQ(a.SUTextureGetImageData(texture, 23, buffer.data()), SU_ERROR_INSUFFICIENT_SIZE);
  for (size_t i = 23; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], 0xAB) << i;
  EXPECT_EQ(a.SUTextureGetImageData(texture, 64, buffer.data()), SU_ERROR_NONE);  // larger is fine
  EXPECT_EQ(buffer[24], 0xAB);
  EXPECT_EQ(a.SUTextureGetImageData(texture, 64, nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
  size_t w, h, size;
  double s, t;
  EXPECT_EQ(a.SUTextureGetDimensions(texture, &w, &h, &s, nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
  EXPECT_EQ(a.SUTextureGetDimensions(texture, nullptr, &h, &s, &t), SU_ERROR_NULL_POINTER_OUTPUT);
  EXPECT_EQ(a.SUTextureGetImageDataSize(texture, &size, nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
  EXPECT_EQ(a.SUTextureGetDimensions(SUTextureRef{nullptr}, &w, &h, &s, &t),
            SU_ERROR_INVALID_INPUT);
  ASSERT_EQ(a.SUTextureGetDimensions(texture, &w, &h, &s, &t), SU_ERROR_NONE);
  EXPECT_EQ(s, 1.0);
  EXPECT_EQ(t, 1.0);
  SUColor average;
  EXPECT_EQ(a.SUTextureGetAverageColor(texture, &average), SU_ERROR_NO_DATA);
}

// A missing or broken image fails only the getters that need its pixels; the model still loads
// and the average colour is served as written.
TEST(StandinTexture, MissingOrBrokenImagesFailOnlyTheirGetters) {
  SketchUpAPI& a = api();
  for (const char* content : {"", "not an image at all", "\x89PNG\r\n\x1a\n truncated"}) {
    ModelFile file(textured_model(R"({"image": "broken.png", "average_color": [9, 8, 7, 6]})"));
    if (*content) file.dir().write("broken.png", content);
    const SUTextureRef texture = texture_of(file);
    size_t w, h, size, bits;
    double s, t;
    EXPECT_NE(a.SUTextureGetDimensions(texture, &w, &h, &s, &t), SU_ERROR_NONE);
    EXPECT_NE(a.SUTextureGetImageDataSize(texture, &size, &bits), SU_ERROR_NONE);
    SUByte buffer[64];
    EXPECT_NE(a.SUTextureGetImageData(texture, sizeof buffer, buffer), SU_ERROR_NONE);
    SUColor c{0, 0, 0, 0};
    ASSERT_EQ(a.SUTextureGetAverageColor(texture, &c), SU_ERROR_NONE);
    EXPECT_TRUE(c.red == 9 && c.alpha == 6);
  }
}

}  // namespace
