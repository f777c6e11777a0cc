#include "standin_test_support.h"

#include <dlfcn.h>
#include <stdlib.h>

#include <filesystem>

namespace standin_test {

void* library_handle() {
  static void* handle = dlopen(LUMENO_STANDIN_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  return handle;
}

SketchUpAPI& api() {
  static SketchUpAPI* table = [] {  // kept to process exit, like the program's binding
    auto* t = new SketchUpAPI;
    if (library_handle() == nullptr) ADD_FAILURE() << LUMENO_STANDIN_LIBRARY << ": " << dlerror();
    t->lookup_entries([](void* h, const char* name) { return h ? dlsym(h, name) : nullptr; },
                      library_handle());
    if (t->SUInitialize) t->SUInitialize();
    return t;
  }();
  return *table;
}

ModelFile::ModelFile(const std::string& json, SUResult expected, const std::string& name)
    : dir_(::testing::TempDir() + "standin_XXXXXX") {
  if (mkdtemp(&dir_[0]) == nullptr) ADD_FAILURE() << "mkdtemp failed";
  EXPECT_EQ(api().SUModelCreateFromFile(&model_, write(name, json).c_str()), expected)
      << name << ": " << json.substr(0, 200);
  EXPECT_TRUE(expected == SU_ERROR_NONE || model_.ptr == nullptr) << "a refused file, a model";
}

ModelFile::~ModelFile() {
  if (model_.ptr != nullptr) api().SUModelRelease(&model_);
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

std::string ModelFile::write(const std::string& name, const std::string& bytes) const {
  EXPECT_TRUE(standin::write_file(path(name), bytes.data(), bytes.size())) << name;
  return path(name);
}

SUEntitiesRef ModelFile::entities() const {
  SUEntitiesRef entities{nullptr};
  EXPECT_EQ(api().SUModelGetEntities(model_, &entities), SU_ERROR_NONE);
  return entities;
}

std::vector<SUEdgeRef> edges_of(SUEntitiesRef e, bool standalone_only) {
  SketchUpAPI& a = api();
  return list_of<SUEdgeRef>(
      e, [&](SUEntitiesRef x, size_t* n) { return a.SUEntitiesGetNumEdges(x, standalone_only, n); },
      [&](SUEntitiesRef x, size_t len, SUEdgeRef* out, size_t* n) {
        return a.SUEntitiesGetEdges(x, standalone_only, len, out, n);
      });
}

Mesh mesh_of(SUFaceRef face) {
  SketchUpAPI& a = api();
  Mesh m;
  SUMeshHelperRef h{nullptr};
  size_t count = 0, got = 0;
  EXPECT_EQ(a.SUMeshHelperCreate(&h, face), SU_ERROR_NONE);
  a.SUMeshHelperGetNumVertices(h, &count), a.SUMeshHelperGetNumTriangles(h, &m.triangles);
  m.vertices.resize(count), m.indices.resize(m.triangles * 3);
  a.SUMeshHelperGetVertices(h, count, m.vertices.data(), &got);
  a.SUMeshHelperGetVertexIndices(h, m.indices.size(), m.indices.data(), &got);
  EXPECT_EQ(a.SUMeshHelperRelease(&h), SU_ERROR_NONE);
  return m;
}

}  // namespace standin_test
