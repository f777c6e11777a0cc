#include "standin_test_support.h"

#include <dlfcn.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace standin_test {
namespace {

void* resolve(void* handle, const char* name) { return dlsym(handle, name); }

struct Library {
  Library() {
    handle = dlopen(LUMENO_STANDIN_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      ADD_FAILURE() << "cannot load " << LUMENO_STANDIN_LIBRARY << ": " << dlerror();
      return;
    }
    table.lookup_entries(resolve, handle);
    if (table.SUInitialize) table.SUInitialize();
  }
  void* handle = nullptr;
  SketchUpAPI table;
};

Library& library() {
  static Library* instance = new Library;  // kept to process exit, like the program's binding
  return *instance;
}

}  // namespace

SketchUpAPI& api() { return library().table; }
void* library_handle() { return library().handle; }

TempDir::TempDir() {
  std::string pattern = ::testing::TempDir() + "standin_XXXXXX";
  if (mkdtemp(&pattern[0]) == nullptr) ADD_FAILURE() << "mkdtemp failed";
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::write(const std::string& name, const std::string& bytes) const {
  const std::string path = file(name);
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  EXPECT_TRUE(out.good()) << path;
  return path;
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

ModelFile::ModelFile(const std::string& json, SUResult expected, const std::string& name) {
  status_ = api().SUModelCreateFromFile(&model_, dir_.write(name, json).c_str());
  EXPECT_EQ(status_, expected) << name << ": " << json.substr(0, 200);
  if (expected != SU_ERROR_NONE) {
    EXPECT_EQ(model_.ptr, nullptr) << "a refused file gives no model";
  }
}

ModelFile::~ModelFile() {
  if (model_.ptr != nullptr) {
    EXPECT_EQ(api().SUModelRelease(&model_), SU_ERROR_NONE);
  }
}

SUEntitiesRef ModelFile::entities() const {
  SUEntitiesRef entities{nullptr};
  EXPECT_EQ(api().SUModelGetEntities(model_, &entities), SU_ERROR_NONE);
  return entities;
}

std::vector<SUFaceRef> faces_of(SUEntitiesRef e) {
  return list_of<SUFaceRef>(e, api().SUEntitiesGetNumFaces, api().SUEntitiesGetFaces);
}

std::vector<SUEdgeRef> edges_of(SUEntitiesRef e, bool standalone_only) {
  SketchUpAPI& a = api();
  return list_of<SUEdgeRef>(
      e, [&](SUEntitiesRef x, size_t* n) { return a.SUEntitiesGetNumEdges(x, standalone_only, n); },
      [&](SUEntitiesRef x, size_t len, SUEdgeRef* out, size_t* n) {
        return a.SUEntitiesGetEdges(x, standalone_only, len, out, n);
      });
}

std::vector<SUGroupRef> groups_of(SUEntitiesRef e) {
  return list_of<SUGroupRef>(e, api().SUEntitiesGetNumGroups, api().SUEntitiesGetGroups);
}

std::vector<SUComponentInstanceRef> instances_of(SUEntitiesRef e) {
  return list_of<SUComponentInstanceRef>(e, api().SUEntitiesGetNumInstances,
                                         api().SUEntitiesGetInstances);
}

std::vector<SULayerRef> layers_of(SUModelRef m) {
  return list_of<SULayerRef>(m, api().SUModelGetNumLayers, api().SUModelGetLayers);
}

std::vector<SUSceneRef> scenes_of(SUModelRef m) {
  return list_of<SUSceneRef>(m, api().SUModelGetNumScenes, api().SUModelGetScenes);
}

Mesh mesh_of(SUFaceRef face) {
  SketchUpAPI& a = api();
  Mesh mesh;
  SUMeshHelperRef helper{nullptr};
  EXPECT_EQ(a.SUMeshHelperCreate(&helper, face), SU_ERROR_NONE);
  if (helper.ptr == nullptr) return mesh;
  size_t count = 0, got = 0;
  EXPECT_EQ(a.SUMeshHelperGetNumVertices(helper, &count), SU_ERROR_NONE);
  mesh.vertices.resize(count);
  mesh.normals.resize(count);
  mesh.stq.resize(count);
  EXPECT_EQ(a.SUMeshHelperGetVertices(helper, count, mesh.vertices.data(), &got), SU_ERROR_NONE);
  EXPECT_EQ(got, count);
  EXPECT_EQ(a.SUMeshHelperGetNormals(helper, count, mesh.normals.data(), &got), SU_ERROR_NONE);
  mesh.normals.resize(got);
  mesh.stq_status = a.SUMeshHelperGetFrontSTQCoords(helper, count, mesh.stq.data(), &got);
  mesh.stq.resize(mesh.stq_status == SU_ERROR_NONE ? got : 0);
  EXPECT_EQ(a.SUMeshHelperGetNumTriangles(helper, &mesh.triangles), SU_ERROR_NONE);
  mesh.indices.resize(mesh.triangles * 3);
  EXPECT_EQ(a.SUMeshHelperGetVertexIndices(helper, mesh.indices.size(), mesh.indices.data(), &got),
            SU_ERROR_NONE);
  EXPECT_EQ(got, mesh.indices.size());
  EXPECT_EQ(a.SUMeshHelperRelease(&helper), SU_ERROR_NONE);
  EXPECT_EQ(helper.ptr, nullptr);
  return mesh;
}

}  // namespace standin_test
