// The display toggles and palette the drawing code reads. The window and the portable viewer own
// the values (keys, menu, settings file) and pass them in with every frame; drawing never keeps
// a copy, so a toggle takes effect at the next paint without rebuilding anything.
#pragma once

struct RenderOptions {
  bool show_edges = true;         // draw the edge list (key K)
  bool show_materials = true;     // faces take their recorded colours (key M)
  bool show_lighting = true;      // light the faces (key G)
  bool show_shadows = false;      // menu check mark only; the picture does not depend on it
  bool reverse_shadow = false;    // mirror the light direction (key H)
  bool performance_mode = false;  // thinner edge lines (key P)
  bool night_theme = false;       // dark clear colour
  bool show_navigator = true;     // draw the axis navigator
};

struct ClearColour {
  float r, g, b, a;
};

// Only the clear colour depends on the theme; every other colour is the same day and night.
constexpr ClearColour kDayClearColour = {0.85f, 0.87f, 0.90f, 1.0f};
constexpr ClearColour kNightClearColour = {0.12f, 0.12f, 0.15f, 1.0f};

inline ClearColour clear_colour(const RenderOptions& options) {
  return options.night_theme ? kNightClearColour : kDayClearColour;
}
