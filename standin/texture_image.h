// Texture pixels as the SDK delivers them: BGR (24-bit) or BGRA (32-bit), bottom row first, each
// row padded to a multiple of 4 bytes. Images are decoded on first use and kept; solid fills are
// generated straight into the caller's buffer; "pixels" textures return their bytes as written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sdk/su_types.h"
#include "standin/model.h"

namespace standin {

// Largest pixel buffer the stand-in builds (and largest image file it reads).
constexpr size_t kMaxImageBytes = size_t(256) << 20;

// Standard base64 (whitespace ignored, padding optional). False for any other character.
bool decode_base64(const std::string& text, std::vector<SUByte>* out);

// Row stride and buffer size of a width x height image with `bytes_per_pixel`; false when the
// buffer would exceed kMaxImageBytes.
bool padded_layout(uint64_t width, uint64_t height, unsigned bytes_per_pixel, size_t* stride,
                   size_t* total);

// Converts top-down RGB or RGBA rows (`channels` 3 or 4) to the SDK's layout.
void to_sdk_layout(const unsigned char* rgba, uint64_t width, uint64_t height, unsigned channels,
                   std::vector<SUByte>* out);

struct TextureInfo {
  uint64_t width = 0;
  uint64_t height = 0;
  size_t data_size = 0;
  size_t bits_per_pixel = 0;
};

// Describes the pixel buffer; reads the image file on first use. Fails for a missing or
// undecodable image and for a buffer larger than kMaxImageBytes.
SUResult texture_info(Texture& texture, TextureInfo* info);

// Copies the pixel buffer; INSUFFICIENT_SIZE when `size` is smaller than the buffer.
SUResult texture_pixels(Texture& texture, size_t size, SUByte* out);

}  // namespace standin
