// What a feature (measurement, walk mode, settings, export...) receives when it registers at
// start-up: the shared state parts, the services of the window and the places to register its
// commands, its input tool and its drawing. Features keep their own state in their own objects;
// they never add fields to the viewer.
#pragma once

#include <functional>
#include <vector>

struct Camera;
struct DisplayOptions;
struct NavigationOptions;
struct Viewport;

namespace lumeno {

struct AxisNavigator;
class CommandRegistry;
class Panes;
class StatusToast;
class ToolStack;
class ViewerHost;
struct Document;

// Drawn in every pane after the model, with that pane's camera loaded and the scissor box set.
using PaneOverlay = std::function<void(const Viewport& pane)>;

struct AppContext {
  Document& document;
  Panes& panes;
  AxisNavigator& navigator;  // hit test of the last drawn navigator (clicks go to it first)
  DisplayOptions& display;
  NavigationOptions& navigation;
  StatusToast& status;
  ViewerHost& host;
  CommandRegistry& commands;
  ToolStack& tools;
  std::vector<PaneOverlay>& pane_overlays;
  // Called when the window is destroyed, in registration order, before the GL context goes
  // (leave a mode, save settings).
  std::vector<std::function<void()>>& on_destroy;
};

}  // namespace lumeno
