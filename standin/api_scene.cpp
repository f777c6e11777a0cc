// Scenes with their cameras, and layers.
#include "standin/api_support.h"

using namespace standin;

extern "C" {

SUResult SUSceneGetName(SUSceneRef scene, SUStringRef* name) {
  return with_object<Scene>(scene.ptr, EntryId::SUSceneGetName,
                            [&](Scene& s) { return write_name(name, s.name); });
}

SUResult SUSceneGetCamera(SUSceneRef scene, SUCameraRef* camera) {
  return with_object<Scene>(scene.ptr, EntryId::SUSceneGetCamera,
                            [&](Scene& s) { return report_present_ref(s.camera, camera); });
}

SUResult SUCameraGetPosition(SUCameraRef camera, SUPoint3D* position) {
  return with_object<Camera>(camera.ptr, EntryId::SUCameraGetPosition,
                             [&](Camera& c) { return report_value(position, c.eye); });
}

SUResult SUCameraGetTarget(SUCameraRef camera, SUPoint3D* target) {
  return with_object<Camera>(camera.ptr, EntryId::SUCameraGetTarget,
                             [&](Camera& c) { return report_value(target, c.target); });
}

SUResult SUCameraGetUpVector(SUCameraRef camera, SUVector3D* up) {
  return with_object<Camera>(camera.ptr, EntryId::SUCameraGetUpVector,
                             [&](Camera& c) { return report_value(up, c.up); });
}

SUResult SUCameraGetPerspective(SUCameraRef camera, bool* perspective) {
  return with_object<Camera>(camera.ptr, EntryId::SUCameraGetPerspective,
                             [&](Camera& c) { return report_value(perspective, c.perspective); });
}

SUResult SUCameraGetFOV(SUCameraRef camera, double* fov) {
  return with_object<Camera>(camera.ptr, EntryId::SUCameraGetFOV,
                             [&](Camera& c) { return report_value(fov, c.fov); });
}

SUResult SUCameraGetOrientation(SUCameraRef camera, SUPoint3D* position, SUPoint3D* target,
                                SUVector3D* up) {
  return with_object<Camera>(camera.ptr, EntryId::SUCameraGetOrientation, [&](Camera& c) {
    if (position == nullptr || target == nullptr || up == nullptr) {
      return SU_ERROR_NULL_POINTER_OUTPUT;
    }
    *position = c.eye;
    *target = c.target;
    *up = c.up;
    return SU_ERROR_NONE;
  });
}

SUResult SUCameraGetPerspectiveFrustumFOV(SUCameraRef camera, double* fov) {
  return with_object<Camera>(camera.ptr, EntryId::SUCameraGetPerspectiveFrustumFOV, [&](Camera& c) {
    return report_if_present(c.perspective, fov, c.fov);
  });
}

SUResult SULayerGetName(SULayerRef layer, SUStringRef* name) {
  return with_object<Layer>(layer.ptr, EntryId::SULayerGetName,
                            [&](Layer& l) { return write_name(name, l.name); });
}

SUResult SULayerGetVisibility(SULayerRef layer, bool* visible) {
  return with_object<Layer>(layer.ptr, EntryId::SULayerGetVisibility,
                            [&](Layer& l) { return report_value(visible, l.visible); });
}

}  // extern "C"
