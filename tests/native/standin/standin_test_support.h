// The stand-in library bound through the program's entry-point table, temporary model files, and
// readers of names, lists and meshes.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdk/sketchup_api.h"
#include "standin/file_io.h"

namespace standin_test {

void* library_handle();  // the stand-in shared library, loaded once per process
SketchUpAPI& api();      // its entries in the program's table

inline std::string read_file(const std::string& path) {  // files of up to 1 MiB
  std::string text;
  return standin::read_file(path, 1 << 20, &text), text;
}

// A fresh folder holding a model file written from JSON text and opened expecting `expected`
// (a refused file must give no model); model released and folder removed on destruction.
class ModelFile {
 public:
  explicit ModelFile(const std::string& json, SUResult expected = SU_ERROR_NONE,
                     const std::string& name = "model.json");
  ~ModelFile();
  SUModelRef model() const { return model_; }
  SUEntitiesRef entities() const;
  std::string path(const std::string& name = "") const { return dir_ + "/" + name; }
  std::string write(const std::string& name, const std::string& bytes) const;

 private:
  std::string dir_;
  SUModelRef model_{nullptr};
};

template <class Ref, class Getter>
std::string name_of(Getter getter, Ref ref) {  // names up to 255 bytes
  SUStringRef s{nullptr};
  size_t length = 0;
  char text[256] = "";
  api().SUStringCreate(&s);
  EXPECT_EQ(getter(ref, &s), SU_ERROR_NONE);
  api().SUStringGetUTF8(s, sizeof text, text, &length);
  api().SUStringRelease(&s);
  return text;
}

template <class Ref, class Owner, class CountFn, class GetFn>
std::vector<Ref> list_of(Owner owner, CountFn count_fn, GetFn get_fn) {  // count, get: must agree
  size_t count = 0, got = 0;
  EXPECT_EQ(count_fn(owner, &count), SU_ERROR_NONE);
  std::vector<Ref> items(count, Ref{nullptr});
  EXPECT_EQ(get_fn(owner, items.size(), items.data(), &got), SU_ERROR_NONE);
  EXPECT_EQ(got, count);
  return items;
}

#define STANDIN_LIST(fn, Ref, Owner, count, get) \
  inline std::vector<Ref> fn(Owner o) { return list_of<Ref>(o, api().count, api().get); }
STANDIN_LIST(faces_of, SUFaceRef, SUEntitiesRef, SUEntitiesGetNumFaces, SUEntitiesGetFaces)
STANDIN_LIST(instances_of, SUComponentInstanceRef, SUEntitiesRef, SUEntitiesGetNumInstances,
             SUEntitiesGetInstances)
STANDIN_LIST(layers_of, SULayerRef, SUModelRef, SUModelGetNumLayers, SUModelGetLayers)
STANDIN_LIST(scenes_of, SUSceneRef, SUModelRef, SUModelGetNumScenes, SUModelGetScenes)
#undef STANDIN_LIST
std::vector<SUEdgeRef> edges_of(SUEntitiesRef entities, bool standalone_only);

struct Mesh {
  std::vector<SUPoint3D> vertices;
  std::vector<size_t> indices;
  size_t triangles = 0;
};
Mesh mesh_of(SUFaceRef face);

}  // namespace standin_test
