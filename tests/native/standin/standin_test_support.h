// The stand-in as a shared library bound through the program's own entry-point table, temporary
// model files, and readers of names, lists and meshes.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdk/sketchup_api.h"

namespace standin_test {

void* library_handle();  // the stand-in shared library, loaded once per process
SketchUpAPI& api();      // its entries in the program's table

std::string read_file(const std::string& path);

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
std::string name_of(Getter getter, Ref ref) {
  SketchUpAPI& a = api();
  SUStringRef s{nullptr};
  size_t length = 0, copied = 0;
  EXPECT_EQ(a.SUStringCreate(&s), SU_ERROR_NONE);
  EXPECT_EQ(getter(ref, &s), SU_ERROR_NONE);
  EXPECT_EQ(a.SUStringGetUTF8Length(s, &length), SU_ERROR_NONE);
  std::vector<char> buffer(length + 1, 'x');
  EXPECT_EQ(a.SUStringGetUTF8(s, buffer.size(), buffer.data(), &copied), SU_ERROR_NONE);
  EXPECT_EQ(a.SUStringRelease(&s), SU_ERROR_NONE);
  return std::string(buffer.data(), copied);
}

// Count call then get call, which must agree.
template <class Ref, class Owner, class CountFn, class GetFn>
std::vector<Ref> list_of(Owner owner, CountFn count_fn, GetFn get_fn) {
  size_t count = 0, got = 0;
  EXPECT_EQ(count_fn(owner, &count), SU_ERROR_NONE);
  std::vector<Ref> items(count, Ref{nullptr});
  EXPECT_EQ(get_fn(owner, items.size(), items.data(), &got), SU_ERROR_NONE);
  EXPECT_EQ(got, count);
  items.resize(got);
  return items;
}

std::vector<SUFaceRef> faces_of(SUEntitiesRef entities);
std::vector<SUEdgeRef> edges_of(SUEntitiesRef entities, bool standalone_only);
std::vector<SUGroupRef> groups_of(SUEntitiesRef entities);
std::vector<SUComponentInstanceRef> instances_of(SUEntitiesRef entities);
std::vector<SULayerRef> layers_of(SUModelRef model);
std::vector<SUSceneRef> scenes_of(SUModelRef model);

struct Mesh {
  std::vector<SUPoint3D> vertices, stq;
  std::vector<SUVector3D> normals;
  std::vector<size_t> indices;
  SUResult stq_status = SU_ERROR_NONE;
  size_t triangles = 0;
};
Mesh mesh_of(SUFaceRef face);

}  // namespace standin_test
