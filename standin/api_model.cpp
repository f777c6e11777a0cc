// Opening, saving and releasing models, and the model's top-level lists.
#include <cstring>
#include <nlohmann/json.hpp>

#include "standin/api_support.h"
#include "standin/file_io.h"
#include "standin/model_parser.h"

using namespace standin;

namespace {

constexpr int kNewestModelVersion = SUModelVersion_SU2021;

SUResult save(SUModelRef model, const char* path, EntryId id, const int* version) {
  Model* m = nullptr;
  if (SUResult r = resolve(model.ptr, id, &m)) return r;
  if (path == nullptr) return SU_ERROR_NULL_POINTER_INPUT;
  if (version == nullptr) {
    // Unchanged document, byte for byte.
    return write_file(path, m->document.data(), m->document.size()) ? SU_ERROR_NONE
                                                                    : SU_ERROR_SERIALIZATION;
  }
  if (*version < 0 || *version > kNewestModelVersion) return SU_ERROR_MODEL_VERSION;
  nlohmann::json document =
      nlohmann::json::parse(m->document.begin(), m->document.end(), nullptr, false);
  if (!document.is_object()) return SU_ERROR_SERIALIZATION;
  document["saved_version"] = *version;
  const std::string text =
      document.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
  return write_file(path, text.data(), text.size()) ? SU_ERROR_NONE : SU_ERROR_SERIALIZATION;
}

}  // namespace

extern "C" {

SUResult SUModelCreateFromFile(SUModelRef* model, const char* path) {
  return guarded([&] {
    if (path == nullptr) return SU_ERROR_NULL_POINTER_INPUT;
    if (model == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    if (model->ptr != nullptr) return SU_ERROR_OVERWRITE_VALID;
    std::unique_ptr<Model> loaded;
    std::string error;
    const SUResult status = load_model_file(path, &loaded, &error);
    if (status != SU_ERROR_NONE) return status;
    // A file may ask for its own opening to fail.
    if (loaded->faults.test(static_cast<size_t>(EntryId::SUModelCreateFromFile))) {
      return SU_ERROR_GENERIC;
    }
    *model = adopt_model(std::move(loaded));
    return SU_ERROR_NONE;
  });
}

SUResult SUModelRelease(SUModelRef* model) {
  return guarded([&] {
    if (model == nullptr) return SU_ERROR_NULL_POINTER_INPUT;
    Model* m = nullptr;
    if (SUResult r = resolve(model->ptr, EntryId::SUModelRelease, &m)) return r;
    registry_destroy(m);
    model->ptr = nullptr;
    return SU_ERROR_NONE;
  });
}

SUResult SUModelGetEntities(SUModelRef model, SUEntitiesRef* entities) {
  return with_object<Model>(model.ptr, EntryId::SUModelGetEntities,
                            [&](Model& m) { return report_ref(m.root, entities); });
}

SUResult SUModelGetNumScenes(SUModelRef model, size_t* count) {
  return with_object<Model>(model.ptr, EntryId::SUModelGetNumScenes,
                            [&](Model& m) { return report_count(m.scenes.size(), count); });
}

SUResult SUModelGetScenes(SUModelRef model, size_t len, SUSceneRef* scenes, size_t* count) {
  return with_object<Model>(model.ptr, EntryId::SUModelGetScenes,
                            [&](Model& m) { return copy_refs(m.scenes, len, scenes, count); });
}

SUResult SUModelGetNumLayers(SUModelRef model, size_t* count) {
  return with_object<Model>(model.ptr, EntryId::SUModelGetNumLayers,
                            [&](Model& m) { return report_count(m.layers.size(), count); });
}

SUResult SUModelGetLayers(SUModelRef model, size_t len, SULayerRef* layers, size_t* count) {
  return with_object<Model>(model.ptr, EntryId::SUModelGetLayers,
                            [&](Model& m) { return copy_refs(m.layers, len, layers, count); });
}

SUResult SUModelSaveToFile(SUModelRef model, const char* path) {
  return guarded([&] { return save(model, path, EntryId::SUModelSaveToFile, nullptr); });
}

SUResult SUModelSaveToFileWithVersion(SUModelRef model, const char* path, SUModelVersion version) {
  return guarded([&] {
    // Read the raw value: callers may pass numbers outside the enumeration.
    int value = 0;
    static_assert(sizeof value == sizeof version, "SUModelVersion is a 4-byte enum");
    std::memcpy(&value, &version, sizeof value);
    return save(model, path, EntryId::SUModelSaveToFileWithVersion, &value);
  });
}

}  // extern "C"
