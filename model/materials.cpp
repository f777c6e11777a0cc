// Face appearance (front and back materials, the opacity step) and the texture copy with its
// cache.
#include <cmath>
#include <utility>
#include <vector>

#include "model/skp_model.h"
#include "sdk/sketchup_api.h"

namespace {

constexpr double kTransparentBelow = 0.99;

// A front material's opacity, 0 to 1. Through the table's SUMaterialGetAlpha, or else the
// vendor's SUMaterialGetOpacity where SUMaterialGetUseOpacity says the opacity is in use (a
// material that does not use it is opaque). False when it cannot be read.
bool read_opacity(SUMaterialRef material, double& opacity) {
  const SketchUpAPI& api = SketchUpAPI::instance();
  double value = 1.0;
  if (api.SUMaterialGetAlpha != nullptr) {
    if (api.SUMaterialGetAlpha(material, &value) != SU_ERROR_NONE) return false;
  } else if (api.SUMaterialGetUseOpacity != nullptr && api.SUMaterialGetOpacity != nullptr) {
    bool use_opacity = false;
    if (api.SUMaterialGetUseOpacity(material, &use_opacity) != SU_ERROR_NONE) return false;
    if (use_opacity && api.SUMaterialGetOpacity(material, &value) != SU_ERROR_NONE) return false;
    if (!use_opacity) value = 1.0;
  } else {
    return false;
  }
  if (std::isnan(value)) return false;
  opacity = value < 0.0 ? 0.0 : (value > 1.0 ? 1.0 : value);
  return true;
}

}  // namespace

FaceAppearance SkpModel::face_appearance(SUFaceRef face, const SUColor& colour,
                                         bool has_colour) {
  const SketchUpAPI& api = SketchUpAPI::instance();
  const SUColor fallback = has_colour ? colour : SUColor{200, 200, 200, 255};

  auto opacity_step = [&](SUMaterialRef material, SUColor& c) {
    double opacity = 1.0;
    if (!read_opacity(material, opacity)) return;
    if (opacity < kTransparentBelow) has_transparency = true;
    c.alpha = static_cast<SUByte>(static_cast<int>(opacity * 255.0));
  };

  // One side's material: texture first, then the plain colour. False when the material gives
  // neither.
  auto from_material = [&](SUMaterialRef material, bool front, FaceAppearance& look) {
    SUTextureRef texture = {nullptr};
    if (api.SUMaterialGetTexture != nullptr &&
        api.SUMaterialGetTexture(material, &texture) == SU_ERROR_NONE) {
      look.texture_index = load_or_find_texture(texture);
      look.textured = true;
      SUColor c = {0, 0, 0, 0};
      if (api.SUMaterialGetColor != nullptr &&
          api.SUMaterialGetColor(material, &c) == SU_ERROR_NONE) {
        look.colour = c;
        if (front) opacity_step(material, look.colour);
      } else if (api.SUTextureGetAverageColor != nullptr &&
                 api.SUTextureGetAverageColor(texture, &c) == SU_ERROR_NONE) {
        look.colour = c;
        if (front) opacity_step(material, look.colour);
      } else {
        look.colour = fallback;
      }
      return true;
    }
    SUColor c = {0, 0, 0, 0};
    if (api.SUMaterialGetColor != nullptr &&
        api.SUMaterialGetColor(material, &c) == SU_ERROR_NONE) {
      look.colour = c;
      look.texture_index = -1;
      look.textured = false;
      if (front) opacity_step(material, look.colour);
      return true;
    }
    return false;
  };

  FaceAppearance look;
  SUMaterialRef material = {nullptr};
  if (api.SUFaceGetFrontMaterial != nullptr &&
      api.SUFaceGetFrontMaterial(face, &material) == SU_ERROR_NONE &&
      from_material(material, true, look)) {
    return look;
  }
  material = SUMaterialRef{nullptr};
  if (api.SUFaceGetBackMaterial != nullptr &&
      api.SUFaceGetBackMaterial(face, &material) == SU_ERROR_NONE &&
      from_material(material, false, look)) {
    return look;
  }
  look.colour = fallback;
  look.texture_index = -1;
  look.textured = false;
  return look;
}

int SkpModel::load_or_find_texture(SUTextureRef texture) {
  if (texture.ptr == nullptr) return -1;
  const auto cached = texture_cache.find(texture.ptr);
  if (cached != texture_cache.end()) return cached->second;

  const SketchUpAPI& api = SketchUpAPI::instance();
  if (api.SUTextureGetImageDataSize == nullptr || api.SUTextureGetImageData == nullptr) {
    return -1;
  }
  size_t size = 0;
  size_t bits_per_pixel = 0;
  if (api.SUTextureGetImageDataSize(texture, &size, &bits_per_pixel) != SU_ERROR_NONE ||
      size == 0 || bits_per_pixel == 0) {
    return -1;
  }
  if (api.SUTextureGetDimensions == nullptr) return -1;
  size_t width = 0;
  size_t height = 0;
  double s_scale = 1.0;
  double t_scale = 1.0;
  api.SUTextureGetDimensions(texture, &width, &height, &s_scale, &t_scale);
  if (width < 1 || width > limits.texture_dimension || height < 1 ||
      height > limits.texture_dimension || size > limits.texture_bytes) {
    return -1;
  }

  std::vector<uint8_t> pixels(size, 0);
  if (api.SUTextureGetImageData(texture, size, pixels.data()) != SU_ERROR_NONE) return -1;

  TextureData record;
  record.index = static_cast<int32_t>(textures.size());
  record.width = width;
  record.height = height;
  record.bits_per_pixel = bits_per_pixel;
  record.pixels = std::move(pixels);
  textures.push_back(std::move(record));
  texture_cache[texture.ptr] = textures.back().index;
  return textures.back().index;
}
