// Scenes and cameras, materials, strings, and texture pixels (BGR/BGRA, bottom row first, rows
// padded to 4 bytes).
#include <algorithm>
#include <cstring>
#include <filesystem>

#include "standin_test_support.h"

namespace {

using namespace standin_test;

struct StandinProperties : ::testing::Test {
  SketchUpAPI& a = api();
  ModelFile file{R"({
    "layers": [{"name": "Layer0"}, {"name": "家具"}],
    "materials": [{"name": "Brick", "color": [200, 100, 50, 255]}, {"name": "Glass", "opacity": 0.25},
                  {"name": "Odd", "opacity": 7}, {"name": "Neg", "opacity": -1}],
    "scenes": [
      {"name": "透视", "camera": {"eye": [1,2,3], "target": [4,5,6], "up": [0,0,1], "fov": 50}},
      {"camera": {"eye": [0,0,100], "target": [0,0,0], "up": [0,1,0], "perspective": false}},
      {"camera": {"eye": [0,0,0], "target": [1,0,0]}}, {"name": "Bare"}],
    "entities": {
      "faces": [{"outer": [[0,0,0],[1,0,0],[0,1,0]], "front": "Brick", "back": "Glass"},
                {"outer": [[0,0,0],[1,0,0],[0,1,0]], "front": "Odd", "back": "Neg"},
                {"outer": [[0,0,0],[1,0,0],[0,1,0]], "front": "不存在的材质"}]}})"};
};

// A perspective camera has its field of view, a parallel one none; defaults are perspective,
// 35 degrees, Z up; a scene without a camera has none.
TEST_F(StandinProperties, ScenesAndCameras) {
  const auto scenes = scenes_of(file.model());
  SUCameraRef camera{nullptr};
  EXPECT_TRUE(a.SUSceneGetCamera(scenes.at(3), &camera) == SU_ERROR_NO_DATA && !camera.ptr);
  const double fovs[] = {50, 0, 35};
  for (int i : {0, 1, 2}) {
    SUPoint3D eye, target;
    SUVector3D up;
    bool perspective = i == 1;
    double fov = 0, frustum = 0;
    ASSERT_EQ(a.SUSceneGetCamera(scenes.at(i), &camera), SU_ERROR_NONE);
    a.SUCameraGetPerspective(camera, &perspective);
    a.SUCameraGetFOV(camera, &fov);
    EXPECT_EQ(a.SUCameraGetPerspectiveFrustumFOV(camera, &frustum),
              i == 1 ? SU_ERROR_NO_DATA : SU_ERROR_NONE);
    EXPECT_TRUE(perspective == (i != 1) && (i == 1 || (fov == fovs[i] && frustum == fov))) << i;
    ASSERT_EQ(a.SUCameraGetOrientation(camera, &eye, &target, &up), SU_ERROR_NONE);
    EXPECT_TRUE(up.z == (i == 1 ? 0 : 1) && (i != 2 || (eye.x == 0 && target.x == 1))) << i;
  }
}

TEST_F(StandinProperties, MaterialsColourOpacityAndType) {
  const auto faces = faces_of(file.entities());
  // Opacity outside the range is clamped; a material missing from the model's list is usable.
  const std::pair<double, bool> opacities[] = {
      {1.0, false}, {0.25, true}, {1.0, false}, {0.0, true}, {1.0, false}};
  SUMaterialRef m[5] = {};
  for (size_t i = 0; i < 5; ++i) {
    ASSERT_EQ((i % 2 ? a.SUFaceGetBackMaterial : a.SUFaceGetFrontMaterial)(faces[i / 2], &m[i]),
              SU_ERROR_NONE);
    double alpha = -1, opacity = -1;
    bool use = !opacities[i].second;
    a.SUMaterialGetAlpha(m[i], &alpha), a.SUMaterialGetOpacity(m[i], &opacity);
    EXPECT_EQ(a.SUMaterialGetUseOpacity(m[i], &use), SU_ERROR_NONE);
    EXPECT_TRUE(alpha == opacities[i].first && opacity == alpha && use == opacities[i].second) << i;
  }
  SUColor c{0, 0, 0, 0};
  ASSERT_EQ(a.SUMaterialGetColor(m[0], &c), SU_ERROR_NONE);
  EXPECT_TRUE(c.red == 200 && c.green == 100 && c.blue == 50 && c.alpha == 255);
  EXPECT_EQ(a.SUMaterialGetColor(m[1], &c), SU_ERROR_NO_DATA);
  EXPECT_EQ(name_of(a.SUMaterialGetName, m[4]), "不存在的材质");
  SUTextureRef texture{nullptr};
  EXPECT_EQ(a.SUMaterialGetTexture(m[0], &texture), SU_ERROR_NO_DATA);
}

// A short buffer gets a terminated prefix of whole characters; name getters need a created string.
// (Layers and materials of elements: the model tests load them through the stand-in.)
TEST_F(StandinProperties, NamesFillStringsWithWholeCharacters) {
  const SULayerRef layer = layers_of(file.model()).at(1);
  SUStringRef s{nullptr};
  size_t copied = 0;
  a.SUStringCreate(&s), a.SULayerGetName(layer, &s);
  char buffer[8] = "xxxxxxx";
  ASSERT_EQ(a.SUStringGetUTF8(s, 5, buffer, &copied), SU_ERROR_NONE);
  EXPECT_TRUE(copied == 3 && std::string(buffer) == "家" && buffer[5] == 'x');
  EXPECT_EQ(a.SUStringRelease(&s), SU_ERROR_NONE);
  EXPECT_EQ(a.SULayerGetName(layer, &s), SU_ERROR_INVALID_OUTPUT);
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
    bytes.assign(size + 1, 0);  // never empty: the buffer pointer must not be null
    if (r == SU_ERROR_NONE) r = api().SUTextureGetImageData(texture, size, bytes.data());
    bytes.pop_back();
    return r;
  }
  SUTextureRef texture{nullptr};
  size_t width = 0, height = 0, size = 0, bits = 0;
  std::vector<SUByte> bytes;
};

// A 1 x 2 24-bit BMP (top pixel 10 20 30, bottom 40 50 60) beside the model file. BMP stores
// what the getters deliver: the bottom row first, BGR, rows padded to 4 bytes.
TEST(StandinTexture, ImagesAreDeliveredBottomRowFirstInBgrOrder) {
  std::string bmp = "BM";
  for (uint32_t v : {54u + 8, 0u, 54u, 40u, 1u, 2u, 1u | 24u << 16})
    for (int i = 0; i < 4; ++i) bmp += static_cast<char>(v >> (8 * i));
  const std::vector<SUByte> rows = {60, 50, 40, 0, 30, 20, 10, 0};
  bmp += std::string(24, '\0') + std::string(rows.begin(), rows.end());  // no compression
  Textured file(R"({"image": "textures/砖 a.bmp"})");
  ASSERT_TRUE(std::filesystem::create_directories(file.path("textures")));
  file.write("textures/砖 a.bmp", bmp);
  ASSERT_EQ(file.read(), SU_ERROR_NONE);
  EXPECT_TRUE(file.width == 1 && file.height == 2 && file.bits == 24);
  EXPECT_EQ(file.bytes, rows);
}

// Fills: rows padded to 4 bytes (3 x 3 bytes to 12), alpha kept. The caller's buffer must hold
// the whole image and is not written past; an image too large to build, a missing average colour
// and an image that does not decode fail only their own getters.
TEST(StandinTexture, BuffersAreCheckedAndBrokenImagesFailOnlyTheirGetters) {
  SketchUpAPI& a = api();
  Textured file(R"({"width": 3, "height": 2, "fill": [1, 2, 3]})");
  std::vector<SUByte> buffer(64, 0xAB);
  EXPECT_EQ(a.SUTextureGetImageData(file.texture, 23, buffer.data()), SU_ERROR_INSUFFICIENT_SIZE);
  EXPECT_EQ(std::count(buffer.begin(), buffer.end(), 0xAB), 64);
  EXPECT_EQ(a.SUTextureGetImageData(file.texture, 64, buffer.data()), SU_ERROR_NONE);
  EXPECT_TRUE(buffer[0] == 3 && buffer[2] == 1 && buffer[9] == 0 && buffer[24] == 0xAB);
  Textured alpha(R"({"width": 1, "height": 1, "fill": [10, 20, 30, 40]})");
  ASSERT_EQ(alpha.read(), SU_ERROR_NONE);
  EXPECT_EQ(alpha.bytes, (std::vector<SUByte>{30, 20, 10, 40}));
  EXPECT_EQ(a.SUTextureGetImageData(file.texture, 64, nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
  Textured huge(R"({"width": 4000000000, "height": 4000000000, "fill": [1, 2, 3]})");
  EXPECT_TRUE(huge.read() == SU_ERROR_OUT_OF_RANGE && huge.width == 4000000000u);
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
