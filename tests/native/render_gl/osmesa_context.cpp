#include "osmesa_context.h"

#include <GL/osmesa.h>

#include <algorithm>
#include <cstdlib>

Rgb rgb_from_floats(float r, float g, float b) {
  auto channel = [](float v) {
    return static_cast<int>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f);
  };
  return Rgb{channel(r), channel(g), channel(b)};
}

bool near(const Rgb& actual, const Rgb& expected, int tolerance) {
  return std::abs(actual.r - expected.r) <= tolerance &&
         std::abs(actual.g - expected.g) <= tolerance &&
         std::abs(actual.b - expected.b) <= tolerance;
}

OffscreenGL::~OffscreenGL() {
  if (context_ == nullptr) return;
  // Releasing the context first lets OSMesa free the framebuffer it made for our buffer.
  OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
  OSMesaDestroyContext(static_cast<OSMesaContext>(context_));
}

bool OffscreenGL::create(int width, int height) {
  context_ = OSMesaCreateContextExt(OSMESA_RGBA, 24, 8, 0, nullptr);
  buffer_.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
  if (context_ == nullptr || !OSMesaMakeCurrent(static_cast<OSMesaContext>(context_),
                                                buffer_.data(), GL_UNSIGNED_BYTE, width, height))
    return false;
  width_ = width;
  height_ = height;
  return true;
}

Rgb OffscreenGL::pixel(int x, int y) const {
  const std::vector<Rgb> one = region(x, y, 1, 1);
  return one.empty() ? Rgb{-1000, -1000, -1000} : one.front();
}

std::vector<Rgb> OffscreenGL::region(int x, int y, int w, int h) const {
  std::vector<Rgb> out;
  if (w <= 0 || h <= 0 || x < 0 || y < 0 || x + w > width_ || y + h > height_) return out;
  glFinish();
  std::vector<uint8_t> rgba(static_cast<size_t>(w) * static_cast<size_t>(h) * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, height_ - y - h, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  for (int row = h - 1; row >= 0; --row) {  // GL rows run bottom up
    for (int col = 0; col < w; ++col) {
      const uint8_t* p = &rgba[(static_cast<size_t>(row) * w + col) * 4];
      out.push_back(Rgb{p[0], p[1], p[2]});
    }
  }
  return out;
}

// OSMesa keeps a few small allocations per context for the life of the process (a plain C
// program that creates and destroys one context shows the same). They are not ours to report.
extern "C" const char* __lsan_default_suppressions() { return "leak:libOSMesa.so\n"; }
