// Load speed and memory of the model store on a generated model of about a million triangles,
// through the stand-in SDK: whole load (triangles/s, bytes per stored triangle) and the loader's
// traversal against the bare SDK walk of the same open model.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "model/skp_model.h"
#include "sdk/sketchup_api.h"
#include "tests/native/support/sdk_binding.h"

namespace {

// 5,000 placements (every other turned) of a 100-triangle component on layer "Parts", every tenth
// face painted, and one group of 500,000 triangles in four textures. Returns the triangle count.
size_t write_big_model(const std::string& path) {
  const size_t kInstances = 5000, kSquares = 50, kGroupFaces = 500000, kTextures = 4;
  std::ofstream out(path, std::ios::binary);
  out << "{\"layers\":[{\"name\":\"Layer0\"},{\"name\":\"Parts\"}],\"materials\":[";
  out << "{\"name\":\"steel\",\"color\":[120,130,140,255]}";
  for (size_t t = 0; t < kTextures; ++t) {
    out << ",{\"name\":\"tex" << t << "\",\"color\":[200,180," << t * 40
        << ",255],\"texture\":{\"width\":64,\"height\":64,\"fill\":[" << t * 60 << ",90,30]}}";
  }
  out << "],\"definitions\":[{\"name\":\"part\",\"entities\":{\"faces\":[";
  for (size_t i = 0; i < kSquares; ++i) {
    const size_t x = i % 10, y = i / 10;
    out << (i > 0 ? "," : "") << "{\"outer\":[[" << x << ',' << y << ",0],[" << x + 1 << ',' << y
        << ",0],[" << x + 1 << ',' << y + 1 << ",0.5],[" << x << ',' << y + 1
        << ",0.5]],\"layer\":\"Parts\"" << (i % 10 == 0 ? ",\"front\":\"steel\"}" : "}");
  }
  out << "]}}],\"entities\":{\"instances\":[";
  for (size_t i = 0; i < kInstances; ++i) {
    out << (i > 0 ? "," : "") << "{\"definition\":\"part\",\"transform\":"
        << (i % 2 == 0 ? "[1,0,0,0,0,1,0,0," : "[0,1,0,0,-1,0,0,0,") << "0,0,1,0," << i % 100 * 12
        << ',' << i / 100 * 12 << ",0,1]}";
  }
  out << "],\"groups\":[{\"transform\":[1,0,0,0,0,1,0,0,0,0,1,0,0,0,-100,1],\"entities\":{"
         "\"faces\":[";
  for (size_t i = 0; i < kGroupFaces; ++i) {
    const size_t x = i % 1000, y = i / 1000;
    out << (i > 0 ? "," : "") << "{\"outer\":[[" << x << ',' << y << ",0],[" << x + 1 << ',' << y
        << ",0],[" << x << ',' << y + 1 << ",0]],\"front\":\"tex" << i % kTextures
        << "\",\"stq\":[[0,0,1],[1,0,1],[0,1,1]]}";
  }
  out << "]}}]},\"scenes\":[{\"name\":\"overview\",\"camera\":{\"eye\":[-500,-500,500],"
         "\"target\":[500,500,0],\"up\":[0,0,1]}}]}";
  return kInstances * kSquares * 2 + kGroupFaces;
}

// The count call, then the items; `args` are the owner and, for edges, the standalone-only flag.
template <typename Ref, typename CountFn, typename GetFn, typename... Args>
std::vector<Ref> list(CountFn count_fn, GetFn get_fn, Args... args) {
  size_t count = 0, got = 0;
  count_fn(args..., &count);
  std::vector<Ref> items(count, Ref{nullptr});
  if (count == 0 || get_fn(args..., count, items.data(), &got) != SU_ERROR_NONE) got = 0;
  items.resize(std::min(got, count));
  return items;
}

// A face's layer, materials and mesh arrays, as the loader reads them.
size_t walk_face(const SketchUpAPI& api, SUFaceRef face) {
  SULayerRef layer = {nullptr};
  SUMaterialRef material = {nullptr}, back = {nullptr};
  SUTextureRef texture = {nullptr};
  SUColor colour;
  double alpha = 1.0;
  bool textured = false;
  api.SUFaceGetLayer(face, &layer);
  if (api.SUFaceGetFrontMaterial(face, &material) == SU_ERROR_NONE) {
    textured = api.SUMaterialGetTexture(material, &texture) == SU_ERROR_NONE;
    api.SUMaterialGetColor(material, &colour), api.SUMaterialGetAlpha(material, &alpha);
  } else {
    api.SUFaceGetBackMaterial(face, &back);
  }
  SUMeshHelperRef mesh = {nullptr};
  if (api.SUMeshHelperCreate(&mesh, face) != SU_ERROR_NONE) return 0;
  size_t vertices = 0, triangles = 0, got = 0;
  api.SUMeshHelperGetNumVertices(mesh, &vertices);
  api.SUMeshHelperGetNumTriangles(mesh, &triangles);
  std::vector<SUPoint3D> points(vertices), stq(vertices);
  std::vector<SUVector3D> normals(vertices);
  std::vector<size_t> indices(triangles * 3);
  api.SUMeshHelperGetVertices(mesh, vertices, points.data(), &got);
  api.SUMeshHelperGetNormals(mesh, vertices, normals.data(), &got);
  api.SUMeshHelperGetVertexIndices(mesh, indices.size(), indices.data(), &got);
  if (textured) api.SUMeshHelperGetFrontSTQCoords(mesh, vertices, stq.data(), &got);
  api.SUMeshHelperRelease(&mesh);
  return triangles;
}

// The list's standalone edges, then all its edges with the flags that decide an outline; each
// drawn edge's layer and end points.
void walk_edges(const SketchUpAPI& api, SUEntitiesRef entities) {
  for (bool standalone_only : {true, false}) {
    for (SUEdgeRef edge : list<SUEdgeRef>(api.SUEntitiesGetNumEdges, api.SUEntitiesGetEdges,
                                          entities, standalone_only)) {
      const SUDrawingElementRef element = api.SUEdgeToDrawingElement(edge);
      bool soft = false, smooth = false, hidden = false;
      if (!standalone_only) {
        api.SUEdgeGetSoft(edge, &soft), api.SUEdgeGetSmooth(edge, &smooth);
        api.SUDrawingElementGetHidden(element, &hidden);
      }
      if (soft || smooth || hidden) continue;
      SULayerRef layer = {nullptr};
      SUVertexRef start = {nullptr}, end = {nullptr};
      SUPoint3D a, b;
      api.SUDrawingElementGetLayer(element, &layer);
      if (api.SUEdgeGetStart(edge, &start) == SU_ERROR_NONE &&
          api.SUEdgeGetEnd(edge, &end) == SU_ERROR_NONE) {
        api.SUVertexGetPosition(start, &a), api.SUVertexGetPosition(end, &b);
      }
    }
  }
}

// A group's or instance's transform, layer and colour; `element` is its upcast.
template <typename Ref>
void element_settings(const SketchUpAPI& api, SUResult (*get_transform)(Ref, SUTransformation*),
                      Ref ref, SUDrawingElementRef element) {
  SUTransformation t;
  SULayerRef layer = {nullptr};
  SUMaterialRef material = {nullptr};
  SUColor colour;
  get_transform(ref, &t), api.SUDrawingElementGetLayer(element, &layer);
  if (api.SUDrawingElementGetMaterial(element, &material) == SU_ERROR_NONE)
    api.SUMaterialGetColor(material, &colour);
}

// The SDK calls of a load without building any record: the baseline for the loader's overhead.
size_t walk_entities(SUEntitiesRef top) {
  const SketchUpAPI& api = SketchUpAPI::instance();
  size_t triangles = 0;
  std::vector<SUEntitiesRef> stack(1, top);
  while (!stack.empty()) {
    const SUEntitiesRef entities = stack.back();
    stack.pop_back();
    for (SUFaceRef face :
         list<SUFaceRef>(api.SUEntitiesGetNumFaces, api.SUEntitiesGetFaces, entities)) {
      triangles += walk_face(api, face);
    }
    walk_edges(api, entities);
    for (SUGroupRef group :
         list<SUGroupRef>(api.SUEntitiesGetNumGroups, api.SUEntitiesGetGroups, entities)) {
      element_settings(api, api.SUGroupGetTransform, group, api.SUGroupToDrawingElement(group));
      SUEntitiesRef child = {nullptr};
      if (api.SUGroupGetEntities(group, &child) == SU_ERROR_NONE) stack.push_back(child);
    }
    for (SUComponentInstanceRef instance : list<SUComponentInstanceRef>(
             api.SUEntitiesGetNumInstances, api.SUEntitiesGetInstances, entities)) {
      element_settings(api, api.SUComponentInstanceGetTransform, instance,
                       api.SUComponentInstanceToDrawingElement(instance));
      SUComponentDefinitionRef definition = {nullptr};
      SUEntitiesRef child = {nullptr};
      if (api.SUComponentInstanceGetDefinition(instance, &definition) == SU_ERROR_NONE &&
          api.SUComponentDefinitionGetEntities(definition, &child) == SU_ERROR_NONE) {
        stack.push_back(child);
      }
    }
  }
  return triangles;
}

// The big model, written once and removed at exit; the SDK bound before any use of its table.
struct BigModel {
  std::string dir = mkdtemp(&std::string("/tmp/lumeno_bench_XXXXXX")[0]);
  std::string path = dir + "/big.skp";
  size_t triangles = write_big_model(path);
  BigModel() {
    if (!lumeno::test::bind_full_sdk(LUMENO_STANDIN_FULL_DIR)) std::abort();
  }
  ~BigModel() { std::filesystem::remove_all(dir); }
};
const BigModel& big() {
  static BigModel instance;
  return instance;
}

// The big model held open by the SDK, so that traversal is measured without the file parse. It
// is walked once before any measurement: the stand-in builds each list's edges of faces on first
// request, a one-off cost of the stand-in that the vendor's DLL, which keeps edges as objects,
// does not have; measured cold it would swamp what the loader itself costs.
struct OpenModel {
  SUModelRef model = {nullptr};
  SUEntitiesRef entities = {nullptr};
  OpenModel() {
    const std::string& path = big().path;
    const SketchUpAPI& api = SketchUpAPI::instance();
    if (api.SUModelCreateFromFile(&model, path.c_str()) != SU_ERROR_NONE ||
        api.SUModelGetEntities(model, &entities) != SU_ERROR_NONE) {
      std::abort();
    }
    walk_entities(entities);
  }
  ~OpenModel() { SketchUpAPI::instance().SUModelRelease(&model); }
};
const OpenModel& open_model() {
  static OpenModel instance;
  return instance;
}

void report_triangles(benchmark::State& state, size_t triangles) {
  state.counters["triangles"] = static_cast<double>(triangles);
  state.counters["triangles_per_s"] = benchmark::Counter(
      static_cast<double>(triangles), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_LoadFromFile(benchmark::State& state) {
  SkpModel model;
  for (auto _ : state) {
    state.PauseTiming();
    model.unload();
    state.ResumeTiming();
    model.load_from_file(big().path);
  }
  if (model.triangles.size() != big().triangles) state.SkipWithError("triangle count differs");
  report_triangles(state, model.triangles.size());
  size_t stored =
      model.triangles.capacity() * sizeof(Triangle) + model.edges.capacity() * sizeof(EdgeData);
  for (const TextureData& t : model.textures) stored += t.pixels.capacity();
  state.counters["bytes_per_triangle"] = static_cast<double>(stored) / model.triangles.size();
  state.counters["sizeof_Triangle"] = static_cast<double>(sizeof(Triangle));
}

double cpu_seconds() {
  timespec now;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Traversal and bare walk alternating in one process state, each going first every other time,
// so that heap and cache conditions are shared: "ratio" is the traversal's CPU time over the
// walk's.
void BM_TraversalOverWalk(benchmark::State& state) {
  const OpenModel& open = open_model();
  double walk = 0.0, traversal = 0.0;
  bool walk_first = true;
  for (auto _ : state) {
    for (int step = 0; step < 2; ++step) {
      const double start = cpu_seconds();
      if ((step == 0) == walk_first) {
        benchmark::DoNotOptimize(walk_entities(open.entities));
        walk += cpu_seconds() - start;
      } else {
        SkpModel model;
        model.load_layers(open.model);
        model.process_entities_iterative(open.entities, SkpModel::identity_transform(),
                                         SUColor{200, 200, 200, 255}, false);
        traversal += cpu_seconds() - start;
      }
    }
    walk_first = !walk_first;
  }
  state.counters["walk_ms"] = walk * 1e3 / static_cast<double>(state.iterations());
  state.counters["traversal_ms"] = traversal * 1e3 / static_cast<double>(state.iterations());
  state.counters["ratio"] = traversal / walk;
}

BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_TraversalOverWalk)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
