// Texture pixels: BGR/BGRA byte order, bottom row first, rows padded to 4 bytes; solid fills;
// "pixels" as written; images read relative to the model file; checks on the caller's buffer.
#include <algorithm>
#include <filesystem>

#include "standin_image_writer.h"
#include "standin_test_support.h"

namespace {

using namespace standin_test;

// A model whose one face wears a material with the given texture, and that texture's pixels.
struct Textured : ModelFile {
  explicit Textured(const std::string& texture_json)
      : ModelFile(
            R"({"materials": [{"name": "T", "texture": )" + texture_json +
            R"(}], "entities": {"faces": [{"outer": [[0,0,0],[1,0,0],[0,1,0]], "front": "T"}]}})") {
    SUMaterialRef material{nullptr};
    EXPECT_EQ(api().SUFaceGetFrontMaterial(faces_of(entities())[0], &material), SU_ERROR_NONE);
    EXPECT_EQ(api().SUMaterialGetTexture(material, &texture), SU_ERROR_NONE);
  }
  // Status, width, height, bits, then the bytes.
  SUResult read(size_t* width, size_t* height, size_t* bits, std::vector<SUByte>* bytes) const {
    SketchUpAPI& a = api();
    size_t size = 0;
    double s = 0, t = 0;
    SUResult r = a.SUTextureGetDimensions(texture, width, height, &s, &t);
    if (r == SU_ERROR_NONE) r = a.SUTextureGetImageDataSize(texture, &size, bits);
    if (r != SU_ERROR_NONE) return r;
    bytes->assign(size + 1, 0xEE);  // never empty: the buffer pointer must not be null
    r = a.SUTextureGetImageData(texture, size, bytes->data());
    EXPECT_EQ(bytes->back(), 0xEE);
    bytes->pop_back();
    return r;
  }
  SUTextureRef texture{nullptr};
};

// 3 x 2 PNG images in a folder next to the model file: top row red green blue, bottom row white
// black grey (alpha 10..60 when present).
TEST(StandinTexture, ImagesAreDeliveredBottomRowFirstInBgrOrder) {
  const unsigned char rgb[6][3] = {{255, 0, 0},     {0, 255, 0}, {0, 0, 255},
                                   {255, 255, 255}, {0, 0, 0},   {128, 128, 128}};
  for (int channels : {3, 4}) {
    std::vector<unsigned char> px;
    for (int i = 0; i < 6; ++i) {
      px.insert(px.end(), rgb[i], rgb[i] + 3);
      if (channels == 4) px.push_back(static_cast<unsigned char>(10 * (i + 1)));
    }
    Textured file(R"({"image": "textures/砖 a.png"})");
    ASSERT_TRUE(std::filesystem::create_directories(file.path("textures")));
    file.write("textures/砖 a.png", encode_png(3, 2, channels, px));
    size_t width = 0, height = 0, bits = 0;
    std::vector<SUByte> bytes;
    ASSERT_EQ(file.read(&width, &height, &bits, &bytes), SU_ERROR_NONE);
    EXPECT_TRUE(width == 3 && height == 2 && bits == size_t(channels) * 8);
    ASSERT_EQ(bytes.size(), 24u);  // 9 bytes padded to 12, or 12 already aligned, per row
    for (int i = 0; i < 6; ++i) {
      const unsigned char* want = &px[((1 - i / 3) * 3 + i % 3) * channels];  // file row 1 first
      const SUByte* got = &bytes[(i / 3) * 12 + (i % 3) * channels];
      for (int k = 0; k < channels; ++k) EXPECT_EQ(got[k], want[k < 3 ? 2 - k : 3]) << i;
    }
  }
}

// Fills: padding, already aligned rows, alpha, and an empty image; "pixels": as written even
// when inconsistent.
TEST(StandinTexture, FillsAndPixelsHaveTheirLayout) {
  const struct {
    std::string json;
    size_t width, bits;
    std::vector<SUByte> bytes;
  } cases[] = {
      {R"("width": 1, "height": 2, "fill": [10, 20, 30])", 1, 24, {30, 20, 10, 0, 30, 20, 10, 0}},
      {R"("width": 4, "height": 1, "fill": [10, 20, 30])",
       4,
       24,
       {30, 20, 10, 30, 20, 10, 30, 20, 10, 30, 20, 10}},
      {R"("width": 1, "height": 1, "fill": [10, 20, 30, 40])", 1, 32, {30, 20, 10, 40}},
      {R"("width": 0, "height": 5, "fill": [10, 20, 30])", 0, 24, {}},
      {R"("width": 100, "height": 3, "bits_per_pixel": 24, "pixels": "AQIDBAUGBw==")",
       100,
       24,
       {1, 2, 3, 4, 5, 6, 7}}};
  for (const auto& c : cases) {
    size_t width = 0, height = 0, bits = 0;
    std::vector<SUByte> bytes;
    ASSERT_EQ(Textured("{" + c.json + "}").read(&width, &height, &bits, &bytes), SU_ERROR_NONE);
    EXPECT_TRUE(width == c.width && bits == c.bits) << c.json;
    EXPECT_EQ(bytes, c.bytes) << c.json;
  }
}

// The caller's buffer must hold the whole image and is not written past; a missing average
// colour, and an image that does not decode, fail only their own getters.
TEST(StandinTexture, BuffersAreCheckedAndBrokenImagesFailOnlyTheirGetters) {
  SketchUpAPI& a = api();
  Textured file(R"({"width": 3, "height": 2, "fill": [1, 2, 3]})");
  std::vector<SUByte> buffer(64, 0xAB);
  EXPECT_EQ(a.SUTextureGetImageData(file.texture, 23, buffer.data()), SU_ERROR_INSUFFICIENT_SIZE);
  EXPECT_EQ(std::count(buffer.begin(), buffer.end(), 0xAB), 64);
  EXPECT_EQ(a.SUTextureGetImageData(file.texture, 64, buffer.data()), SU_ERROR_NONE);
  EXPECT_EQ(buffer[24], 0xAB);
  EXPECT_EQ(a.SUTextureGetImageData(file.texture, 64, nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
  SUColor c{0, 0, 0, 0};
  EXPECT_EQ(a.SUTextureGetAverageColor(file.texture, &c), SU_ERROR_NO_DATA);
  Textured broken(R"({"image": "broken.png", "average_color": [9, 8, 7, 6]})");
  broken.write("broken.png", "\x89PNG\r\n\x1a\n truncated");
  size_t width = 0, height = 0, bits = 0;
  EXPECT_NE(broken.read(&width, &height, &bits, &buffer), SU_ERROR_NONE);
  EXPECT_NE(a.SUTextureGetImageData(broken.texture, 64, buffer.data()), SU_ERROR_NONE);
  ASSERT_EQ(a.SUTextureGetAverageColor(broken.texture, &c), SU_ERROR_NONE);
  EXPECT_TRUE(c.red == 9 && c.alpha == 6);
}

}  // namespace
