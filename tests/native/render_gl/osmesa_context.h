// An offscreen OpenGL context for pixel tests (OSMesa, no display needed) and reading back what
// was drawn.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

struct Rgb {
  int r = 0, g = 0, b = 0;
};
inline bool operator==(const Rgb& a, const Rgb& b) {
  return a.r == b.r && a.g == b.g && a.b == b.b;
}
inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}
Rgb rgb_from_floats(float r, float g, float b);  // channels 0-1
// True when every channel is within `tolerance` of the expected value.
bool near(const Rgb& actual, const Rgb& expected, int tolerance);

class OffscreenGL {
 public:
  ~OffscreenGL();
  // An RGBA context with 24-bit depth and 8-bit stencil, made current on a width x height buffer.
  bool create(int width, int height);
  // glFinish, then the client rectangle (x, y, w, h), y counted from the top, row by row.
  std::vector<Rgb> region(int x, int y, int w, int h) const;
  Rgb pixel(int x, int y) const;

 private:
  void* context_ = nullptr;
  std::vector<uint8_t> buffer_;
  int width_ = 0, height_ = 0;
};
