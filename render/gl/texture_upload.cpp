#include "render/gl/texture_upload.h"

#include <cstring>

#include "render/gl/gl_api.h"

const char* texture_problem_text(TextureProblem problem) {
  switch (problem) {
    case TextureProblem::None: return "usable";
    case TextureProblem::NoPixels: return "the record has no pixel bytes";
    case TextureProblem::ZeroSize: return "the image has a zero side";
    case TextureProblem::TooLarge: return "the image is larger than GL textures can be";
    case TextureProblem::UnsupportedBits: return "bits per pixel is not 8, 24 or 32";
    case TextureProblem::TooFewBytes: return "the bytes cannot hold the image";
  }
  return "unknown";
}

namespace {

size_t round_up(size_t value, size_t multiple) {
  return (value + multiple - 1) / multiple * multiple;
}

TextureUploadPlan rejected(TextureProblem problem) {
  TextureUploadPlan plan;
  plan.problem = problem;
  return plan;
}

}  // namespace

TextureUploadPlan plan_texture_upload(const TextureData& record) {
  if (record.pixels.empty()) return rejected(TextureProblem::NoPixels);
  if (record.width == 0 || record.height == 0) return rejected(TextureProblem::ZeroSize);
  if (record.width > kTextureSideLimit || record.height > kTextureSideLimit)
    return rejected(TextureProblem::TooLarge);

  TextureUploadPlan plan;
  switch (record.bits_per_pixel) {
    case 8:
      plan.internal_components = 1;
      plan.format = GL_LUMINANCE;
      plan.bytes_per_pixel = 1;
      break;
    case 24:
      plan.internal_components = 3;
      plan.format = GL_BGR_EXT;
      plan.bytes_per_pixel = 3;
      break;
    case 32:
      plan.internal_components = 4;
      plan.format = GL_BGRA_EXT;
      plan.bytes_per_pixel = 4;
      break;
    default:
      return rejected(TextureProblem::UnsupportedBits);
  }

  // Both sides are bounded above, so none of these products can overflow.
  const size_t tight = record.width * plan.bytes_per_pixel;
  plan.row_stride = record.pixels.size() / record.height;
  if (plan.row_stride < tight) return rejected(TextureProblem::TooFewBytes);

  plan.unpack_alignment = 1;
  plan.unpack_row_length = 0;
  if (plan.row_stride == tight) return plan;
  // Rows padded to a multiple of 2, 4 or 8 bytes (4 is the usual padding of 24-bit images).
  for (size_t alignment : {size_t(2), size_t(4), size_t(8)}) {
    if (round_up(tight, alignment) == plan.row_stride) {
      plan.unpack_alignment = static_cast<int>(alignment);
      return plan;
    }
  }
  // Any other stride of whole pixels is a longer row, of which GL reads the first `width`.
  if (plan.row_stride % plan.bytes_per_pixel == 0) {
    plan.unpack_row_length = static_cast<int>(plan.row_stride / plan.bytes_per_pixel);
    return plan;
  }
  plan.repack = true;
  return plan;
}

std::vector<uint8_t> repack_rows(const TextureData& record, const TextureUploadPlan& plan) {
  const size_t tight = record.width * plan.bytes_per_pixel;
  std::vector<uint8_t> out(tight * record.height);
  for (size_t row = 0; row < record.height; ++row)
    std::memcpy(out.data() + row * tight, record.pixels.data() + row * plan.row_stride, tight);
  return out;
}

unsigned int upload_texture(const TextureData& record) {
  const TextureUploadPlan plan = plan_texture_upload(record);
  if (!plan.usable()) return 0;

  GLint max_side = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_side);
  if (max_side > 0 && (record.width > static_cast<size_t>(max_side) ||
                       record.height > static_cast<size_t>(max_side)))
    return 0;

  std::vector<uint8_t> packed;
  const uint8_t* bytes = record.pixels.data();
  GLint alignment = plan.unpack_alignment;
  GLint row_length = plan.unpack_row_length;
  if (plan.repack) {
    packed = repack_rows(record, plan);
    bytes = packed.data();
    alignment = 1;
    row_length = 0;
  }

  // Forget errors left by earlier calls so that the check below sees only this upload's.
  for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
  }

  GLuint name = 0;
  glGenTextures(1, &name);
  if (name == 0) return 0;
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);

  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, row_length);
  glTexImage2D(GL_TEXTURE_2D, 0, plan.internal_components, static_cast<GLsizei>(record.width),
               static_cast<GLsizei>(record.height), 0, static_cast<GLenum>(plan.format),
               GL_UNSIGNED_BYTE, bytes);
  glPopClientAttrib();

  const bool failed = glGetError() != GL_NO_ERROR;
  glBindTexture(GL_TEXTURE_2D, 0);
  if (failed) {
    glDeleteTextures(1, &name);
    return 0;
  }
  return name;
}
