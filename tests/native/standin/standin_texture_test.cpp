// Texture pixels: BGR/BGRA byte order, bottom row first, rows padded to 4 bytes; solid fills;
// "pixels" as written; images read relative to the model file; checks on the caller's buffer.
#include <algorithm>
#include <filesystem>

#include "standin_test_support.h"

namespace {

using namespace standin_test;

// An uncompressed BMP of top-down RGB(A) pixels (stored bottom row first, BGR(A), rows padded).
std::string encode_bmp(int width, int height, int channels, const std::vector<unsigned char>& px) {
  const int stride = (width * channels + 3) / 4 * 4;
  std::string out = "BM";
  const auto put = [&out](uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
  };
  for (uint32_t v : {54u + stride * height, 0u, 54u, 40u, uint32_t(width), uint32_t(height)})
    put(v, 4);
  put(1, 2);
  put(channels * 8, 2);
  out.append(24, 0);  // no compression; sizes and palette left to the reader
  for (int y = height - 1; y >= 0; --y) {
    for (const unsigned char* p = &px[y * width * channels]; p != &px[(y + 1) * width * channels];
         p += channels) {
      out += {static_cast<char>(p[2]), static_cast<char>(p[1]), static_cast<char>(p[0])};
      if (channels == 4) out += static_cast<char>(p[3]);
    }
    out.append(stride - width * channels, '\0');
  }
  return out;
}

// A model whose one face wears a material with the given texture; read() gets its pixels.
struct Textured : ModelFile {
  explicit Textured(const std::string& texture_json)
      : ModelFile(
            R"({"materials": [{"name": "T", "texture": )" + texture_json +
            R"(}], "entities": {"faces": [{"outer": [[0,0,0],[1,0,0],[0,1,0]], "front": "T"}]}})") {
    SUMaterialRef material{nullptr};
    EXPECT_EQ(api().SUFaceGetFrontMaterial(faces_of(entities())[0], &material), SU_ERROR_NONE);
    EXPECT_EQ(api().SUMaterialGetTexture(material, &texture), SU_ERROR_NONE);
  }
  SUResult read() {
    double s = 0, t = 0;
    SUResult r = api().SUTextureGetDimensions(texture, &width, &height, &s, &t);
    if (r == SU_ERROR_NONE) r = api().SUTextureGetImageDataSize(texture, &size, &bits);
    if (r != SU_ERROR_NONE) return r;
    bytes.assign(size + 1, 0xEE);  // never empty: the buffer pointer must not be null
    r = api().SUTextureGetImageData(texture, size, bytes.data());
    EXPECT_EQ(bytes.back(), 0xEE);
    bytes.pop_back();
    return r;
  }
  SUTextureRef texture{nullptr};
  size_t width = 0, height = 0, size = 0, bits = 0;
  std::vector<SUByte> bytes;
};

// 3 x 2 images in a folder next to the model file: top row red green blue, bottom row white
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
    Textured file(R"({"image": "textures/砖 a.bmp"})");
    ASSERT_TRUE(std::filesystem::create_directories(file.path("textures")));
    file.write("textures/砖 a.bmp", encode_bmp(3, 2, channels, px));
    ASSERT_EQ(file.read(), SU_ERROR_NONE);
    EXPECT_TRUE(file.width == 3 && file.height == 2 && file.bits == size_t(channels) * 8);
    ASSERT_EQ(file.size, 24u);  // 9 bytes padded to 12, or 12 already aligned, per row
    for (int i = 0; i < 6; ++i) {
      const unsigned char* want = &px[((1 - i / 3) * 3 + i % 3) * channels];  // file row 1 first
      const SUByte* got = &file.bytes[(i / 3) * 12 + (i % 3) * channels];
      for (int k = 0; k < channels; ++k) EXPECT_EQ(got[k], want[k < 3 ? 2 - k : 3]) << i;
    }
  }
}

// Fills: padding, already aligned rows, alpha, and an empty image; "pixels": as written even
// when inconsistent.
TEST(StandinTexture, FillsAndPixelsHaveTheirLayout) {
  const std::pair<std::string, std::vector<SUByte>> cases[] = {
      {R"("width": 1, "height": 2, "fill": [10, 20, 30])", {30, 20, 10, 0, 30, 20, 10, 0}},
      {R"("width": 4, "height": 1, "fill": [10, 20, 30])",
       {30, 20, 10, 30, 20, 10, 30, 20, 10, 30, 20, 10}},
      {R"("width": 1, "height": 1, "fill": [10, 20, 30, 40])", {30, 20, 10, 40}},
      {R"("width": 0, "height": 5, "fill": [10, 20, 30])", {}},
      {R"("width": 100, "height": 3, "bits_per_pixel": 24, "pixels": "AQIDBAUGBw==")",
       {1, 2, 3, 4, 5, 6, 7}}};
  for (const auto& c : cases) {
    Textured file("{" + c.first + "}");
    ASSERT_EQ(file.read(), SU_ERROR_NONE);
    EXPECT_EQ(file.bits, c.first.find("40") != std::string::npos ? 32u : 24u) << c.first;
    EXPECT_EQ(file.bytes, c.second) << c.first;
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
  EXPECT_NE(broken.read(), SU_ERROR_NONE);
  EXPECT_NE(a.SUTextureGetImageData(broken.texture, 64, buffer.data()), SU_ERROR_NONE);
  ASSERT_EQ(a.SUTextureGetAverageColor(broken.texture, &c), SU_ERROR_NONE);
  EXPECT_TRUE(c.red == 9 && c.alpha == 6);
}

}  // namespace
