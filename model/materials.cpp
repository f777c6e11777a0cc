// Face appearance (front and back materials, the opacity step) and the texture copy with its
// cache.
#include <algorithm>
#include <utility>
#include <vector>

#include "model/sdk_access.h"
#include "model/skp_model.h"
#include "sdk/sketchup_api.h"

using lumeno::model::alpha_from_opacity;
using lumeno::model::colour_alpha_undefined;
using lumeno::model::opacity_alpha;
using lumeno::model::read_opacity;

namespace {

constexpr double kTransparentBelow = 0.99;

}  // namespace

FaceAppearance SkpModel::face_appearance(SUFaceRef face, const SUColor& colour, bool has_colour) {
  const SketchUpAPI& api = SketchUpAPI::instance();
  const SUColor fallback = has_colour ? colour : SUColor{200, 200, 200, 255};

  auto opacity_step = [&](SUMaterialRef material, SUColor& c) {
    double opacity = 1.0;
    if (!read_opacity(material, opacity)) return;
    if (opacity < kTransparentBelow) has_transparency = true;
    c.alpha = opacity_alpha(opacity);
  };
  // A material's colour on the face: the front side takes the opacity step. The back side keeps
  // the colour's own alpha byte, unless that byte is undefined (the vendor's DLL), where the
  // material's opacity gives it, as it does on the front.
  const bool undefined_alpha = colour_alpha_undefined();
  auto finish_colour = [&](SUMaterialRef material, bool front, SUColor& c) {
    if (front) {
      opacity_step(material, c);
    } else if (undefined_alpha) {
      c.alpha = alpha_from_opacity(material);
    }
  };

  // One side's material: texture first, then the plain colour. False when the material gives
  // neither.
  auto from_material = [&](SUMaterialRef material, bool front, FaceAppearance& look) {
    SUTextureRef texture = {nullptr};
    if (api.SUMaterialGetTexture != nullptr &&
        api.SUMaterialGetTexture(material, &texture) == SU_ERROR_NONE) {
      bool over_budget = false;
      const int index = load_or_find_texture(texture, &over_budget);
      SUColor c = {0, 0, 0, 0};
      if (over_budget && api.SUTextureGetAverageColor != nullptr &&
          api.SUTextureGetAverageColor(texture, &c) == SU_ERROR_NONE) {
        // No room left for this image in the load: the face shows the texture's average colour.
        look.colour = c;
        look.texture_index = -1;
        look.textured = false;
        finish_colour(material, front, look.colour);
        return true;
      }
      look.texture_index = index;
      look.textured = true;
      if (api.SUMaterialGetColor != nullptr &&
          api.SUMaterialGetColor(material, &c) == SU_ERROR_NONE) {
        look.colour = c;
        finish_colour(material, front, look.colour);
      } else if (api.SUTextureGetAverageColor != nullptr &&
                 api.SUTextureGetAverageColor(texture, &c) == SU_ERROR_NONE) {
        look.colour = c;
        finish_colour(material, front, look.colour);
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
      finish_colour(material, front, look.colour);
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

int SkpModel::load_or_find_texture(SUTextureRef texture, bool* over_budget) {
  if (over_budget != nullptr) *over_budget = false;
  if (texture.ptr == nullptr) return -1;
  MeshScratch& scratch = mesh_scratch_;
  if (texture.ptr == scratch.texture_handle) return scratch.texture_position;
  const auto cached = texture_cache.find(texture.ptr);
  if (cached != texture_cache.end()) {
    scratch.texture_handle = texture.ptr;
    scratch.texture_position = cached->second;
    return cached->second;
  }

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

  if (size > limits.texture_bytes_per_load -
                 std::min(texture_bytes_copied_, limits.texture_bytes_per_load)) {
    if (over_budget != nullptr) *over_budget = true;
    return -1;
  }

  std::vector<uint8_t> pixels(size, 0);
  if (api.SUTextureGetImageData(texture, size, pixels.data()) != SU_ERROR_NONE) return -1;
  texture_bytes_copied_ += size;

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
