// Materials and their textures.
#include "standin/api_support.h"
#include "standin/texture_image.h"

using namespace standin;

extern "C" {

SUResult SUMaterialGetColor(SUMaterialRef material, SUColor* color) {
  return guarded([&] {
    Material* m = nullptr;
    if (SUResult r = resolve(material.ptr, EntryId::SUMaterialGetColor, &m)) return r;
    if (color == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    if (!m->has_color) return SU_ERROR_NO_DATA;
    *color = m->color;
    return SU_ERROR_NONE;
  });
}

SUResult SUMaterialGetAlpha(SUMaterialRef material, double* alpha) {
  return guarded([&] {
    Material* m = nullptr;
    if (SUResult r = resolve(material.ptr, EntryId::SUMaterialGetAlpha, &m)) return r;
    if (alpha == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    *alpha = m->opacity;
    return SU_ERROR_NONE;
  });
}

SUResult SUMaterialGetOpacity(SUMaterialRef material, double* opacity) {
  return guarded([&] {
    Material* m = nullptr;
    if (SUResult r = resolve(material.ptr, EntryId::SUMaterialGetOpacity, &m)) return r;
    if (opacity == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    *opacity = m->opacity;
    return SU_ERROR_NONE;
  });
}

SUResult SUMaterialGetUseOpacity(SUMaterialRef material, bool* use_opacity) {
  return guarded([&] {
    Material* m = nullptr;
    if (SUResult r = resolve(material.ptr, EntryId::SUMaterialGetUseOpacity, &m)) return r;
    if (use_opacity == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    *use_opacity = m->opacity < 1.0;
    return SU_ERROR_NONE;
  });
}

SUResult SUMaterialGetTexture(SUMaterialRef material, SUTextureRef* texture) {
  return guarded([&] {
    Material* m = nullptr;
    if (SUResult r = resolve(material.ptr, EntryId::SUMaterialGetTexture, &m)) return r;
    if (texture == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    if (m->texture == nullptr) return SU_ERROR_NO_DATA;
    texture->ptr = m->texture;
    return SU_ERROR_NONE;
  });
}

SUResult SUMaterialGetName(SUMaterialRef material, SUStringRef* name) {
  return guarded([&] {
    Material* m = nullptr;
    if (SUResult r = resolve(material.ptr, EntryId::SUMaterialGetName, &m)) return r;
    return write_name(name, m->name);
  });
}

SUResult SUMaterialGetType(SUMaterialRef material, SUMaterialType* type) {
  return guarded([&] {
    Material* m = nullptr;
    if (SUResult r = resolve(material.ptr, EntryId::SUMaterialGetType, &m)) return r;
    if (type == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    *type = m->texture != nullptr ? SUMaterialType_Textured : SUMaterialType_Colored;
    return SU_ERROR_NONE;
  });
}

SUResult SUTextureGetAverageColor(SUTextureRef texture, SUColor* color) {
  return guarded([&] {
    Texture* t = nullptr;
    if (SUResult r = resolve(texture.ptr, EntryId::SUTextureGetAverageColor, &t)) return r;
    if (color == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    if (!t->has_average) return SU_ERROR_NO_DATA;
    *color = t->average;
    return SU_ERROR_NONE;
  });
}

// Pixel size of the image; both scales are 1 (the format gives textures no physical size).
SUResult SUTextureGetDimensions(SUTextureRef texture, size_t* width, size_t* height,
                                double* s_scale, double* t_scale) {
  return guarded([&] {
    Texture* t = nullptr;
    if (SUResult r = resolve(texture.ptr, EntryId::SUTextureGetDimensions, &t)) return r;
    if (width == nullptr || height == nullptr || s_scale == nullptr || t_scale == nullptr) {
      return SU_ERROR_NULL_POINTER_OUTPUT;
    }
    uint64_t w = t->width, h = t->height;
    if (t->source == Texture::Source::Image) {
      TextureInfo info;
      if (SUResult r = texture_info(*t, &info)) return r;
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
  return guarded([&] {
    Texture* t = nullptr;
    if (SUResult r = resolve(texture.ptr, EntryId::SUTextureGetImageDataSize, &t)) return r;
    if (data_size == nullptr || bits_per_pixel == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    TextureInfo info;
    if (SUResult r = texture_info(*t, &info)) return r;
    *data_size = info.data_size;
    *bits_per_pixel = info.bits_per_pixel;
    return SU_ERROR_NONE;
  });
}

SUResult SUTextureGetImageData(SUTextureRef texture, size_t data_size, SUByte* pixels) {
  return guarded([&] {
    Texture* t = nullptr;
    if (SUResult r = resolve(texture.ptr, EntryId::SUTextureGetImageData, &t)) return r;
    if (pixels == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    return texture_pixels(*t, data_size, pixels);
  });
}

}  // extern "C"
