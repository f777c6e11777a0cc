// Turning the model's texture records into GL textures.
//
// A record holds the image bytes exactly as the SDK delivered them: bottom row first, blue-green-
// red order for 24 and 32 bits (BGRA), one luminance byte for 8 bits, and rows that may be padded
// (a row's length is the data size divided by the height). The upload reads each row at that
// stride and never past the record's bytes; a record that cannot hold its image, or whose format
// is not one of the three, gets texture name 0 and its faces draw untextured.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/skp_model.h"

// Why a record cannot be uploaded; None when it can.
enum class TextureProblem {
  None,
  NoPixels,             // empty byte array
  ZeroSize,             // width or height is 0
  TooLarge,             // a side beyond what GL takes (checked against GL_MAX_TEXTURE_SIZE too)
  UnsupportedBits,      // bits per pixel other than 8, 24 or 32
  TooFewBytes,          // the bytes cannot hold height rows of width pixels
};

const char* texture_problem_text(TextureProblem problem);

// How one record is handed to glTexImage2D.
struct TextureUploadPlan {
  TextureProblem problem = TextureProblem::None;
  int internal_components = 0;  // 1, 3 or 4
  unsigned int format = 0;      // GL_LUMINANCE, GL_BGR_EXT or GL_BGRA_EXT
  size_t bytes_per_pixel = 0;
  size_t row_stride = 0;        // bytes from one row's start to the next in the record
  int unpack_alignment = 1;     // GL_UNPACK_ALIGNMENT that reproduces row_stride
  int unpack_row_length = 0;    // GL_UNPACK_ROW_LENGTH in pixels, 0 for the width
  bool repack = false;          // the stride has no pixel-store equivalent: copy rows tightly

  bool usable() const { return problem == TextureProblem::None; }
};

// Largest side any plan accepts, before GL's own limit is asked.
constexpr size_t kTextureSideLimit = 16384;

TextureUploadPlan plan_texture_upload(const TextureData& record);

// The rows of `record` copied without padding (only used when plan.repack is set).
std::vector<uint8_t> repack_rows(const TextureData& record, const TextureUploadPlan& plan);

// Creates one GL texture from the record (linear filters, repeat wrap, level 0, no border) and
// returns its name; 0 when the plan rejects the record or GL refuses it. Leaves texture 0 bound
// and the pixel-store state as it found it. Needs a current GL context.
unsigned int upload_texture(const TextureData& record);
