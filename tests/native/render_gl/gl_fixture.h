// Shared set-up of the pixel tests: an offscreen context with the renderer started, a frame
// drawn from a model and panes, and the client position of a world point in a pane.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "osmesa_context.h"
#include "render/gl/renderer.h"
#include "test_scene.h"

class GlPixelTest : public ::testing::Test {
 public:
  static constexpr int kWidth = 320;
  static constexpr int kHeight = 240;

 protected:
  void SetUp() override;
  void TearDown() override { renderer_.stop(); }

  // Clears and draws every pane of `panes` (no navigator, no toast).
  void draw(const SkpModel& model, const std::vector<Viewport>& panes,
            const RenderOptions& options = RenderOptions());
  // Client pixel (x down from the left, y down from the top) where `world` appears in `pane`.
  void project(const SkpModel& model, const Viewport& pane, P3 world, int& x, int& y) const;
  Rgb at_world(const SkpModel& model, const Viewport& pane, P3 world) const;
  Rgb at(int x, int y) const { return gl_.pixel(x, y); }
  Rgb clear_day() const { return rgb_from_floats(0.85f, 0.87f, 0.90f); }

  OffscreenGL gl_;  // first member: destroyed last, after everything that holds GL names
  GlRenderer renderer_;
};

// Lighting of a face with unit normal `n` and colour (r, g, b) under light 0 as the renderer sets
// it (ambient 0.3, diffuse 0.8, global ambient 0.2), for the normal or the reversed light.
Rgb lit_colour(float r, float g, float b, P3 n, bool reversed);
inline Rgb rgb(const Rgba& c) { return rgb_from_floats(c.r, c.g, c.b); }
Viewport full_pane(float pitch, float yaw, float distance);  // the whole test window
RenderOptions unlit();

constexpr Rgba kRed = {1.0f, 0.0f, 0.0f, 1.0f};
constexpr Rgba kGreen = {0.0f, 1.0f, 0.0f, 1.0f};
constexpr Rgba kBlue = {0.0f, 0.0f, 1.0f, 1.0f};
constexpr Rgba kWhite = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr Rgba kYellow = {1.0f, 1.0f, 0.0f, 1.0f};
