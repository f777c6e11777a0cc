// The display toggles and palette the drawing code reads (the toggles are the viewer's
// DisplayOptions, handed to the renderer by reference with every frame).
#pragma once

#include "render/display_options.h"

using RenderOptions = DisplayOptions;

struct ClearColour {
  float r, g, b, a;
};

// Only the clear colour depends on the theme; every other colour is the same day and night.
constexpr ClearColour kDayClearColour = {0.85f, 0.87f, 0.90f, 1.0f};
constexpr ClearColour kNightClearColour = {0.12f, 0.12f, 0.15f, 1.0f};

inline ClearColour clear_colour(const DisplayOptions& options) {
  return options.night_theme ? kNightClearColour : kDayClearColour;
}
