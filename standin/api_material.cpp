// Materials and their textures.
#include "standin/api_support.h"
#include "standin/texture_image.h"

using namespace standin;

extern "C" {

SUResult SUMaterialGetColor(SUMaterialRef material, SUColor* color) {
  return with_object<Material>(material.ptr, EntryId::SUMaterialGetColor, [&](Material& m) {
    return report_if_present(m.has_color, color, m.color);
  });
}

SUResult SUMaterialGetAlpha(SUMaterialRef material, double* alpha) {
  return with_object<Material>(material.ptr, EntryId::SUMaterialGetAlpha,
                               [&](Material& m) { return report_value(alpha, m.opacity); });
}

SUResult SUMaterialGetOpacity(SUMaterialRef material, double* opacity) {
  return with_object<Material>(material.ptr, EntryId::SUMaterialGetOpacity,
                               [&](Material& m) { return report_value(opacity, m.opacity); });
}

SUResult SUMaterialGetUseOpacity(SUMaterialRef material, bool* use_opacity) {
  return with_object<Material>(material.ptr, EntryId::SUMaterialGetUseOpacity, [&](Material& m) {
    return report_value(use_opacity, m.opacity < 1.0);
  });
}

SUResult SUMaterialGetTexture(SUMaterialRef material, SUTextureRef* texture) {
  return with_object<Material>(material.ptr, EntryId::SUMaterialGetTexture,
                               [&](Material& m) { return report_present_ref(m.texture, texture); });
}

SUResult SUMaterialGetName(SUMaterialRef material, SUStringRef* name) {
  return with_object<Material>(material.ptr, EntryId::SUMaterialGetName,
                               [&](Material& m) { return write_name(name, m.name); });
}

SUResult SUMaterialGetType(SUMaterialRef material, SUMaterialType* type) {
  return with_object<Material>(material.ptr, EntryId::SUMaterialGetType, [&](Material& m) {
    return report_value(type,
                        m.texture != nullptr ? SUMaterialType_Textured : SUMaterialType_Colored);
  });
}

SUResult SUTextureGetAverageColor(SUTextureRef texture, SUColor* color) {
  return with_object<Texture>(texture.ptr, EntryId::SUTextureGetAverageColor, [&](Texture& t) {
    return report_if_present(t.has_average, color, t.average);
  });
}

// Pixel size of the image; both scales are 1 (the format gives textures no physical size).
SUResult SUTextureGetDimensions(SUTextureRef texture, size_t* width, size_t* height,
                                double* s_scale, double* t_scale) {
  return with_object<Texture>(texture.ptr, EntryId::SUTextureGetDimensions, [&](Texture& t) {
    if (width == nullptr || height == nullptr || s_scale == nullptr || t_scale == nullptr) {
      return SU_ERROR_NULL_POINTER_OUTPUT;
    }
    uint64_t w = t.width, h = t.height;
    if (t.source == Texture::Source::Image) {
      TextureInfo info;
      if (SUResult r = texture_info(t, &info)) return r;
      w = info.width;
      h = info.height;
    }
    *width = static_cast<size_t>(w);
    *height = static_cast<size_t>(h);
    *s_scale = 1.0;
    *t_scale = 1.0;
    return SU_ERROR_NONE;
  });
}

SUResult SUTextureGetImageDataSize(SUTextureRef texture, size_t* data_size,
                                   size_t* bits_per_pixel) {
  return with_object<Texture>(texture.ptr, EntryId::SUTextureGetImageDataSize, [&](Texture& t) {
    if (data_size == nullptr || bits_per_pixel == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    TextureInfo info;
    if (SUResult r = texture_info(t, &info)) return r;
    *data_size = info.data_size;
    *bits_per_pixel = info.bits_per_pixel;
    return SU_ERROR_NONE;
  });
}

SUResult SUTextureGetImageData(SUTextureRef texture, size_t data_size, SUByte* pixels) {
  return with_object<Texture>(texture.ptr, EntryId::SUTextureGetImageData, [&](Texture& t) {
    if (pixels == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    return texture_pixels(t, data_size, pixels);
  });
}

}  // extern "C"
