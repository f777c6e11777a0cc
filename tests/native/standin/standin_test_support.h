// Test helpers: the stand-in loaded as a shared library through the program's own entry-point
// table, temporary model files, and small wrappers that read names, lists and meshes.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdk/sketchup_api.h"

namespace standin_test {

// The stand-in shared library, loaded once per process; every table entry and vendor function
// looked up by name.
SketchUpAPI& api();
void* library_handle();

// A fresh folder under the test temp folder, removed with its contents on destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  // Writes `bytes` to `name` in the folder and returns the full path.
  std::string write(const std::string& name, const std::string& bytes) const;

 private:
  std::string path_;
};

std::string read_file(const std::string& path);

// A model opened from JSON text written to a temporary file, expecting `expected` from the open;
// released on destruction.
class ModelFile {
 public:
  explicit ModelFile(const std::string& json, SUResult expected = SU_ERROR_NONE,
                     const std::string& name = "model.json");
  ~ModelFile();
  SUResult status() const { return status_; }
  SUModelRef model() const { return model_; }
  SUEntitiesRef entities() const;
  const TempDir& dir() const { return dir_; }

 private:
  TempDir dir_;
  SUModelRef model_{nullptr};
  SUResult status_;
};

// Reads a name through a string object; `status` receives the getter's result.
template <class Ref, class Getter>
std::string name_of(Getter getter, Ref ref, SUResult* status = nullptr) {
  SketchUpAPI& a = api();
  SUStringRef s{nullptr};
  EXPECT_EQ(a.SUStringCreate(&s), SU_ERROR_NONE);
  const SUResult r = getter(ref, &s);
  if (status != nullptr) *status = r;
  std::string out;
  size_t length = 0, copied = 0;
  if (r == SU_ERROR_NONE && a.SUStringGetUTF8Length(s, &length) == SU_ERROR_NONE) {
    std::vector<char> buffer(length + 1, 'x');
    EXPECT_EQ(a.SUStringGetUTF8(s, buffer.size(), buffer.data(), &copied), SU_ERROR_NONE);
    EXPECT_EQ(copied, length);
    out.assign(buffer.data(), copied);
  }
  EXPECT_EQ(a.SUStringRelease(&s), SU_ERROR_NONE);
  return out;
}

// Count call then get call, checking that both agree.
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

// A face's mesh helper arrays.
struct Mesh {
  std::vector<SUPoint3D> vertices;
  std::vector<SUVector3D> normals;
  std::vector<size_t> indices;
  std::vector<SUPoint3D> stq;
  SUResult stq_status = SU_ERROR_NONE;
  size_t triangles = 0;
};
Mesh mesh_of(SUFaceRef face);

}  // namespace standin_test
