// Scenes with their cameras, and layers.
#include "standin/api_support.h"

using namespace standin;

namespace {

template <class Out, class Read>
SUResult read_camera(SUCameraRef camera, EntryId id, Out* out, Read read) {
  Camera* c = nullptr;
  if (SUResult r = resolve(camera.ptr, id, &c)) return r;
  if (out == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
  *out = read(*c);
  return SU_ERROR_NONE;
}

}  // namespace

extern "C" {

SUResult SUSceneGetName(SUSceneRef scene, SUStringRef* name) {
  return guarded([&] {
    Scene* s = nullptr;
    if (SUResult r = resolve(scene.ptr, EntryId::SUSceneGetName, &s)) return r;
    return write_name(name, s->name);
  });
}

SUResult SUSceneGetCamera(SUSceneRef scene, SUCameraRef* camera) {
  return guarded([&] {
    Scene* s = nullptr;
    if (SUResult r = resolve(scene.ptr, EntryId::SUSceneGetCamera, &s)) return r;
    if (camera == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    if (s->camera == nullptr) return SU_ERROR_NO_DATA;
    camera->ptr = s->camera;
    return SU_ERROR_NONE;
  });
}

SUResult SUCameraGetPosition(SUCameraRef camera, SUPoint3D* position) {
  return guarded([&] {
    return read_camera(camera, EntryId::SUCameraGetPosition, position,
                       [](const Camera& c) { return c.eye; });
  });
}

SUResult SUCameraGetTarget(SUCameraRef camera, SUPoint3D* target) {
  return guarded([&] {
    return read_camera(camera, EntryId::SUCameraGetTarget, target,
                       [](const Camera& c) { return c.target; });
  });
}

SUResult SUCameraGetUpVector(SUCameraRef camera, SUVector3D* up) {
  return guarded([&] {
    return read_camera(camera, EntryId::SUCameraGetUpVector, up,
                       [](const Camera& c) { return c.up; });
  });
}

SUResult SUCameraGetPerspective(SUCameraRef camera, bool* perspective) {
  return guarded([&] {
    return read_camera(camera, EntryId::SUCameraGetPerspective, perspective,
                       [](const Camera& c) { return c.perspective; });
  });
}

SUResult SUCameraGetFOV(SUCameraRef camera, double* fov) {
  return guarded([&] {
    return read_camera(camera, EntryId::SUCameraGetFOV, fov, [](const Camera& c) { return c.fov; });
  });
}

SUResult SUCameraGetOrientation(SUCameraRef camera, SUPoint3D* position, SUPoint3D* target,
                                SUVector3D* up) {
  return guarded([&] {
    Camera* c = nullptr;
    if (SUResult r = resolve(camera.ptr, EntryId::SUCameraGetOrientation, &c)) return r;
    if (position == nullptr || target == nullptr || up == nullptr) {
      return SU_ERROR_NULL_POINTER_OUTPUT;
    }
    *position = c->eye;
    *target = c->target;
    *up = c->up;
    return SU_ERROR_NONE;
  });
}

SUResult SUCameraGetPerspectiveFrustumFOV(SUCameraRef camera, double* fov) {
  return guarded([&] {
    Camera* c = nullptr;
    if (SUResult r = resolve(camera.ptr, EntryId::SUCameraGetPerspectiveFrustumFOV, &c)) return r;
    if (fov == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    if (!c->perspective) return SU_ERROR_NO_DATA;
    *fov = c->fov;
    return SU_ERROR_NONE;
  });
}

SUResult SULayerGetName(SULayerRef layer, SUStringRef* name) {
  return guarded([&] {
    Layer* l = nullptr;
    if (SUResult r = resolve(layer.ptr, EntryId::SULayerGetName, &l)) return r;
    return write_name(name, l->name);
  });
}

SUResult SULayerGetVisibility(SULayerRef layer, bool* visible) {
  return guarded([&] {
    Layer* l = nullptr;
    if (SUResult r = resolve(layer.ptr, EntryId::SULayerGetVisibility, &l)) return r;
    if (visible == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    *visible = l->visible;
    return SU_ERROR_NONE;
  });
}

}  // extern "C"
