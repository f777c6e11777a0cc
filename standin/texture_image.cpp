#include "standin/texture_image.h"

#include <cstring>
#include <limits>

#include "standin/file_io.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_BMP
#define STBI_MAX_DIMENSIONS (1 << 16)
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#include <stb/stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace standin {
namespace {

int base64_value(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

SUResult decode_image(Texture& texture) {
  if (texture.image_tried) return texture.image_status;
  texture.image_tried = true;
  texture.image_status = SU_ERROR_GENERIC;
  std::string bytes;
  if (read_file(texture.image_path, kMaxImageBytes, &bytes) != ReadStatus::Ok) {
    return texture.image_status;
  }
  if (bytes.size() > static_cast<size_t>(std::numeric_limits<int>::max())) {
    return texture.image_status;
  }
  const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
  const int length = static_cast<int>(bytes.size());
  int width = 0, height = 0, channels = 0;
  if (!stbi_info_from_memory(data, length, &width, &height, &channels)) {
    return texture.image_status;
  }
  const unsigned out_channels = (channels == 2 || channels == 4) ? 4 : 3;
  size_t stride = 0, total = 0;
  if (width <= 0 || height <= 0 ||
      !padded_layout(static_cast<uint64_t>(width), static_cast<uint64_t>(height), 4, &stride,
                     &total)) {
    texture.image_status = SU_ERROR_OUT_OF_RANGE;
    return texture.image_status;
  }
  int w = 0, h = 0, n = 0;
  stbi_uc* decoded = stbi_load_from_memory(data, length, &w, &h, &n, static_cast<int>(out_channels));
  if (decoded == nullptr) return texture.image_status;
  to_sdk_layout(decoded, static_cast<uint64_t>(w), static_cast<uint64_t>(h), out_channels,
                &texture.image_data);
  stbi_image_free(decoded);
  texture.image_width = static_cast<uint64_t>(w);
  texture.image_height = static_cast<uint64_t>(h);
  texture.image_bits = out_channels * 8;
  texture.image_status = SU_ERROR_NONE;
  return texture.image_status;
}

}  // namespace

bool decode_base64(const std::string& text, std::vector<SUByte>* out) {
  out->clear();
  out->reserve(text.size() / 4 * 3 + 3);
  uint32_t buffer = 0;
  int bits = 0;
  size_t padding = 0;
  for (unsigned char c : text) {
    if (c == ' ' || c == '\n' || c == '\r' || c == '\t') continue;
    if (c == '=') {
      ++padding;
      continue;
    }
    const int value = base64_value(c);
    if (value < 0 || padding > 0) return false;  // unknown character, or data after padding
    buffer = (buffer << 6) | static_cast<uint32_t>(value);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out->push_back(static_cast<SUByte>((buffer >> bits) & 0xFF));
    }
  }
  // A lone trailing sextet cannot encode a byte.
  return bits < 6 && padding <= 2;
}

bool padded_layout(uint64_t width, uint64_t height, unsigned bytes_per_pixel, size_t* stride,
                   size_t* total) {
  const uint64_t limit = kMaxImageBytes;
  if (width > limit || height > limit) return false;
  const uint64_t row = (width * bytes_per_pixel + 3) / 4 * 4;
  if (row != 0 && height > limit / row) return false;
  *stride = static_cast<size_t>(row);
  *total = static_cast<size_t>(row * height);
  return true;
}

void to_sdk_layout(const unsigned char* rgba, uint64_t width, uint64_t height, unsigned channels,
                   std::vector<SUByte>* out) {
  size_t stride = 0, total = 0;
  if (!padded_layout(width, height, channels, &stride, &total)) {
    out->clear();
    return;
  }
  out->assign(total, 0);
  const size_t source_row = static_cast<size_t>(width) * channels;
  for (uint64_t y = 0; y < height; ++y) {
    const unsigned char* src = rgba + static_cast<size_t>(y) * source_row;
    SUByte* dst = out->data() + static_cast<size_t>(height - 1 - y) * stride;
    for (uint64_t x = 0; x < width; ++x, src += channels, dst += channels) {
      dst[0] = src[2];
      dst[1] = src[1];
      dst[2] = src[0];
      if (channels == 4) dst[3] = src[3];
    }
  }
}

SUResult texture_info(Texture& texture, TextureInfo* info) {
  switch (texture.source) {
    case Texture::Source::Image: {
      const SUResult status = decode_image(texture);
      if (status != SU_ERROR_NONE) return status;
      info->width = texture.image_width;
      info->height = texture.image_height;
      info->data_size = texture.image_data.size();
      info->bits_per_pixel = texture.image_bits;
      return SU_ERROR_NONE;
    }
    case Texture::Source::Fill: {
      size_t stride = 0, total = 0;
      const unsigned bytes = static_cast<unsigned>(texture.fill_channels);
      if (!padded_layout(texture.width, texture.height, 4, &stride, &total) ||
          !padded_layout(texture.width, texture.height, bytes, &stride, &total)) {
        return SU_ERROR_OUT_OF_RANGE;
      }
      info->width = texture.width;
      info->height = texture.height;
      info->data_size = total;
      info->bits_per_pixel = bytes * 8;
      return SU_ERROR_NONE;
    }
    case Texture::Source::Pixels:
      info->width = texture.width;
      info->height = texture.height;
      info->data_size = texture.pixels.size();
      info->bits_per_pixel = static_cast<size_t>(texture.bits_per_pixel);
      return SU_ERROR_NONE;
  }
  return SU_ERROR_GENERIC;
}

SUResult texture_pixels(Texture& texture, size_t size, SUByte* out) {
  TextureInfo info;
  const SUResult status = texture_info(texture, &info);
  if (status != SU_ERROR_NONE) return status;
  if (size < info.data_size) return SU_ERROR_INSUFFICIENT_SIZE;
  switch (texture.source) {
    case Texture::Source::Image:
      if (info.data_size) std::memcpy(out, texture.image_data.data(), info.data_size);
      break;
    case Texture::Source::Pixels:
      if (info.data_size) std::memcpy(out, texture.pixels.data(), info.data_size);
      break;
    case Texture::Source::Fill: {
      const unsigned channels = static_cast<unsigned>(texture.fill_channels);
      const size_t stride = info.height ? info.data_size / static_cast<size_t>(info.height) : 0;
      const SUByte bgra[4] = {texture.fill[2], texture.fill[1], texture.fill[0], texture.fill[3]};
      for (uint64_t y = 0; y < info.height; ++y) {
        SUByte* row = out + static_cast<size_t>(y) * stride;
        std::memset(row, 0, stride);
        for (uint64_t x = 0; x < info.width; ++x) std::memcpy(row + x * channels, bgra, channels);
      }
      break;
    }
  }
  return SU_ERROR_NONE;
}

}  // namespace standin
