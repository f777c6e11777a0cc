// Registry of the objects the caller owns, and the start-up and shut-down entry points.
#include <mutex>
#include <unordered_set>

#include "standin/api_support.h"

namespace standin {
namespace {

struct Registry {
  std::mutex mutex;
  std::unordered_set<const void*> live;
};

Registry& registry() {
  static Registry* instance = new Registry;  // never destroyed: usable during process exit
  return *instance;
}

InitializeHook g_initialize_hook = nullptr;

void destroy(ObjectHeader* object) {
  switch (object->kind) {
    case Kind::Model:
      delete static_cast<Model*>(object);
      break;
    case Kind::MeshHelper:
      delete static_cast<MeshHelper*>(object);
      break;
    case Kind::String:
      delete static_cast<StringObject*>(object);
      break;
    default:
      break;
  }
}

}  // namespace

void registry_add(ObjectHeader* object) {
  Registry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  r.live.insert(object);
}

bool registry_contains(const void* object) {
  Registry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  return r.live.count(object) != 0;
}

bool registry_remove(ObjectHeader* object) {
  Registry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  return r.live.erase(object) != 0;
}

void registry_destroy(ObjectHeader* object) {
  if (registry_remove(object)) destroy(object);
}

void registry_destroy_all() {
  std::unordered_set<const void*> doomed;
  {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    doomed.swap(r.live);
  }
  for (const void* object : doomed) destroy(static_cast<ObjectHeader*>(const_cast<void*>(object)));
}

SUModelRef adopt_model(std::unique_ptr<Model> model) {
  Model* raw = model.release();
  registry_add(raw);
  return SUModelRef{raw};
}

void set_initialize_hook(InitializeHook hook) { g_initialize_hook = hook; }

SUResult write_name(SUStringRef* out, const std::string& text) {
  if (out == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
  StringObject* string = lookup<StringObject>(out->ptr);
  if (string == nullptr) return SU_ERROR_INVALID_OUTPUT;
  string->value = text;
  return SU_ERROR_NONE;
}

}  // namespace standin

using namespace standin;

extern "C" {

void SUInitialize(void) {
  try {
    if (g_initialize_hook != nullptr) g_initialize_hook();
  } catch (...) {
  }
}

// Frees whatever the caller left open: models, mesh helpers and strings.
void SUTerminate(void) {
  try {
    registry_destroy_all();
  } catch (...) {
  }
}

}  // extern "C"
