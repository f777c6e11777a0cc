// Wraps stb_image_write. Built without the undefined-behaviour sanitizer: its JPEG encoder shifts
// negative values, which is harmless here and outside this project's code.
#include "standin_image_writer.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#include <stb/stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace standin_test {
namespace {

void append_bytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                             static_cast<size_t>(size));
}

}  // namespace

std::string encode_png(int width, int height, int channels, const std::vector<unsigned char>& px) {
  std::string out;
  stbi_write_png_to_func(append_bytes, &out, width, height, channels, px.data(), width * channels);
  return out;
}

std::string encode_bmp(int width, int height, int channels, const std::vector<unsigned char>& px) {
  std::string out;
  stbi_write_bmp_to_func(append_bytes, &out, width, height, channels, px.data());
  return out;
}

std::string encode_jpeg(int width, int height, const std::vector<unsigned char>& rgb) {
  std::string out;
  stbi_write_jpg_to_func(append_bytes, &out, width, height, 3, rgb.data(), 100);
  return out;
}

}  // namespace standin_test
