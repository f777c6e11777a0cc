// The display state: the toggles the renderer reads every frame (keys, menus, settings file) and
// the navigation settings input reads. The viewer owns one of each and hands the renderer a
// reference, so a toggle takes effect at the next paint without copying or rebuilding anything.
#pragma once

struct DisplayOptions {
  bool show_edges = true;         // draw the edge list (key K)
  bool show_materials = true;     // faces take their recorded colours (key M)
  bool show_lighting = true;      // light the faces (key G)
  bool show_shadows = false;      // menu check mark only; the picture does not depend on it
  bool reverse_shadow = false;    // mirror the light direction (key H)
  bool performance_mode = false;  // thinner edge lines (key P)
  bool night_theme = false;       // dark clear colour
  bool show_navigator = true;     // draw the axis navigator
};

struct NavigationOptions {
  float rotate_sensitivity = 1.0f;  // orbit speed factor, [0.1, 5]
  bool zoom_through = false;        // the wheel may bring the camera arbitrarily close
};
