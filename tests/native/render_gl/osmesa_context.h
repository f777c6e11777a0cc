// An offscreen OpenGL context for pixel tests (OSMesa, no display needed), and helpers to read
// back and compare what was drawn.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

struct Rgb {
  int r = 0, g = 0, b = 0;
};

inline bool operator==(const Rgb& a, const Rgb& b) {
  return a.r == b.r && a.g == b.g && a.b == b.b;
}

// `colour` given as floats 0-1.
Rgb rgb_from_floats(float r, float g, float b);
inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

// True when every channel is within `tolerance` of the expected value.
bool near(const Rgb& actual, const Rgb& expected, int tolerance);

class OffscreenGL {
 public:
  OffscreenGL() = default;
  ~OffscreenGL();
  OffscreenGL(const OffscreenGL&) = delete;
  OffscreenGL& operator=(const OffscreenGL&) = delete;

  // Creates the context (RGBA, 24-bit depth, 8-bit stencil) and makes it current with a
  // width x height buffer. False with error() set when OSMesa refuses.
  bool create(int width, int height);
  const std::string& error() const { return error_; }

  int width() const { return width_; }
  int height() const { return height_; }

  // glFinish, then the colour at client pixel (x, y), y counted from the top as in the window.
  Rgb pixel(int x, int y) const;
  // Every pixel of the client rectangle (x, y, w, h) (top-left origin), row by row.
  std::vector<Rgb> region(int x, int y, int w, int h) const;

 private:
  void* context_ = nullptr;
  std::vector<uint8_t> buffer_;
  int width_ = 0;
  int height_ = 0;
  std::string error_;
};
