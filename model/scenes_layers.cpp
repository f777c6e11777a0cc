// Scenes and layers: reading them while the file is open, resolving an element's layer, and the
// visibility rule for triangles and edges.
#include <utility>
#include <vector>

#include "model/sdk_access.h"
#include "model/skp_model.h"
#include "sdk/sketchup_api.h"

using lumeno::model::read_list;
using lumeno::model::read_name;
using lumeno::model::read_value;
using lumeno::model::to_drawing_element;

namespace {

constexpr size_t kNameBytes = 255;

// Position, target and up of a camera: the table's getters where present, the vendor's
// SUCameraGetOrientation for the ones the table lacks. A getter that fails leaves its field.
void read_orientation(SUCameraRef camera, SceneInfo& scene) {
  const SketchUpAPI& api = SketchUpAPI::instance();
  const SUPoint3D origin = {0.0, 0.0, 0.0};
  read_value(api.SUCameraGetPosition, camera, origin, scene.eye);
  read_value(api.SUCameraGetTarget, camera, origin, scene.target);
  read_value(api.SUCameraGetUpVector, camera, SUVector3D{0.0, 0.0, 0.0}, scene.up);
  const bool table_complete = api.SUCameraGetPosition != nullptr &&
                              api.SUCameraGetTarget != nullptr &&
                              api.SUCameraGetUpVector != nullptr;
  if (table_complete || api.SUCameraGetOrientation == nullptr) return;
  SUPoint3D eye = {0.0, 0.0, 0.0};
  SUPoint3D target = {0.0, 0.0, 0.0};
  SUVector3D up = {0.0, 0.0, 0.0};
  if (api.SUCameraGetOrientation(camera, &eye, &target, &up) != SU_ERROR_NONE) return;
  if (api.SUCameraGetPosition == nullptr) scene.eye = eye;
  if (api.SUCameraGetTarget == nullptr) scene.target = target;
  if (api.SUCameraGetUpVector == nullptr) scene.up = up;
}

}  // namespace

void SkpModel::load_scenes(SUModelRef model) {
  const SketchUpAPI& api = SketchUpAPI::instance();
  const std::vector<SUSceneRef> list =
      read_list(api.SUModelGetNumScenes, api.SUModelGetScenes, model, limits.scenes);
  for (const SUSceneRef& scene_ref : list) {
    SceneInfo scene;
    read_name(api.SUSceneGetName, scene_ref, kNameBytes, scene.name);
    SUCameraRef camera = {nullptr};
    if (api.SUSceneGetCamera != nullptr &&
        api.SUSceneGetCamera(scene_ref, &camera) == SU_ERROR_NONE) {
      scene.has_camera = true;
      read_orientation(camera, scene);
      read_value(api.SUCameraGetPerspective, camera, true, scene.perspective);
      // The vendor's frustum getter answers NO_DATA for an orthographic camera: the default stays.
      const SketchUpAPI::SUCameraGetFOV_fn get_fov =
          api.SUCameraGetFOV != nullptr ? api.SUCameraGetFOV : api.SUCameraGetPerspectiveFrustumFOV;
      read_value(get_fov, camera, 35.0, scene.fov);
    }
    scenes.push_back(std::move(scene));
  }
}

void SkpModel::load_layers(SUModelRef model) {
  const SketchUpAPI& api = SketchUpAPI::instance();
  const std::vector<SULayerRef> list =
      read_list(api.SUModelGetNumLayers, api.SUModelGetLayers, model, limits.layers);
  for (const SULayerRef& layer_ref : list) {
    LayerInfo layer;
    read_name(api.SULayerGetName, layer_ref, kNameBytes, layer.name);
    if (read_value(api.SULayerGetVisibility, layer_ref, true, layer.model_visible)) {
      layer.visible = layer.model_visible;
    }
    layers.push_back(std::move(layer));
    layer_positions_.add(layer_ref.ptr, static_cast<int>(layer_refs.size()));
    layer_refs.push_back(layer_ref);
  }
}

int SkpModel::find_layer_index(SULayerRef layer) const {
  if (layer.ptr == nullptr) return -1;
  return layer_positions_.find(layer.ptr);
}

int SkpModel::get_drawing_element_layer_index(SUDrawingElementRef element) const {
  const SketchUpAPI& api = SketchUpAPI::instance();
  if (element.ptr == nullptr || api.SUDrawingElementGetLayer == nullptr) return -1;
  SULayerRef layer = {nullptr};
  if (api.SUDrawingElementGetLayer(element, &layer) != SU_ERROR_NONE) return -1;
  return find_layer_index(layer);
}

int SkpModel::get_face_layer_index(SUFaceRef face) const {
  const SketchUpAPI& api = SketchUpAPI::instance();
  if (api.SUFaceGetLayer == nullptr) {
    // The vendor's DLL has no face layer getter: ask the face as a drawing element.
    return get_drawing_element_layer_index(to_drawing_element(face));
  }
  SULayerRef layer = {nullptr};
  if (api.SUFaceGetLayer(face, &layer) != SU_ERROR_NONE) return -1;
  return find_layer_index(layer);
}

bool SkpModel::is_layer_visible(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= layers.size()) return true;
  const LayerInfo& layer = layers[static_cast<size_t>(index)];
  return layer.model_visible && layer.visible;
}

bool SkpModel::is_geometry_visible(int face_layer, int inherited_layer) const {
  return is_layer_visible(inherited_layer) && is_layer_visible(face_layer);
}

void SkpModel::set_layer_visibility(size_t index, bool visible) {
  if (index < layers.size()) layers[index].visible = visible;
}
