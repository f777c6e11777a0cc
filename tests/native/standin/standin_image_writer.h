// Small image files for texture tests, encoded in memory.
#pragma once

#include <string>
#include <vector>

namespace standin_test {

// A PNG, BMP or JPEG of top-down RGB(A) pixels.
std::string encode_png(int width, int height, int channels, const std::vector<unsigned char>& px);
std::string encode_bmp(int width, int height, int channels, const std::vector<unsigned char>& px);
std::string encode_jpeg(int width, int height, const std::vector<unsigned char>& rgb);

}  // namespace standin_test
