// PNG files of top-down RGB(A) pixels for texture tests, encoded in memory.
#pragma once

#include <string>
#include <vector>

namespace standin_test {
std::string encode_png(int width, int height, int channels, const std::vector<unsigned char>& px);
}  // namespace standin_test
