// Scenes and layers: stepping through the model's scenes and switching its layers on and off.
#include "ui/commands.h"
#include "ui/input.h"
#include "ui/text_convert.h"

namespace lumeno {

void ViewerInput::goto_scene(int index) {
  const std::vector<SceneInfo>& scenes = viewer_.document.model.scenes;
  if (index < 0 || static_cast<size_t>(index) >= scenes.size()) return;
  viewer_.document.current_scene = index;
  const SceneInfo& scene = scenes[static_cast<size_t>(index)];
  if (scene.has_camera) viewer_.apply_scene_camera(scene);
  viewer_.show_toast(kScenePrefix + utf8_to_wide(scene.name), kCommandToastMs);
}

void ViewerInput::next_scene() {
  const size_t count = viewer_.document.model.scenes.size();
  if (count == 0) return;
  // viewer_.document.current_scene is -1 before any scene and may be left beyond the end by an earlier model.
  const long long next = static_cast<long long>(viewer_.document.current_scene) + 1;
  viewer_.document.current_scene = next >= 0 && static_cast<size_t>(next) < count ? static_cast<int>(next) : 0;
  goto_scene(viewer_.document.current_scene);
}

void ViewerInput::prev_scene() {
  const size_t count = viewer_.document.model.scenes.size();
  if (count == 0) return;
  // Before the first scene, or from an index an earlier model left beyond the end: the last one.
  const long long prev = static_cast<long long>(viewer_.document.current_scene) - 1;
  viewer_.document.current_scene = prev >= 0 && static_cast<size_t>(prev) < count ? static_cast<int>(prev)
                                                                 : static_cast<int>(count - 1);
  goto_scene(viewer_.document.current_scene);
}

void ViewerInput::toggle_layer(int index) {
  SkpModel& model = viewer_.document.model;
  if (index < 0 || static_cast<size_t>(index) >= model.layers.size()) return;
  const size_t n = static_cast<size_t>(index);
  model.set_layer_visibility(n, !model.layers[n].visible);
  // The GL lists and anything else derived from the model follow the new visibility; the
  // layer's check mark comes with the refresh after the command.
  viewer_.document.touch();
}

}  // namespace lumeno
