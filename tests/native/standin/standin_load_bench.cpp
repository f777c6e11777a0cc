// Speed of the stand-in on a large model: loading a file of half a million quads and
// triangulating every face through mesh helpers, as the program's loader does.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "standin/api_support.h"
#include "standin/model_parser.h"

void BM_LoadAndTriangulateHalfMillionQuads(benchmark::State& state) {
  std::string document = "{\"entities\": {\"faces\": [";
  for (int i = 0; i < 500000; ++i) {
    const std::string x = std::to_string(i % 1000), y = std::to_string(i / 1000);
    const std::string x1 = std::to_string(i % 1000 + 1), y1 = std::to_string(i / 1000 + 1);
    document += std::string(i ? "," : "") + "{\"outer\": [[" + x + "," + y + ",0],[" + x1 + "," +
                y + ",0],[" + x1 + "," + y1 + ",0],[" + x + "," + y1 + ",0]]}";
  }
  document += "]}}";
  for (auto _ : state) {
    std::unique_ptr<standin::Model> model;
    std::string error;
    if (standin::parse_model(document, "", &model, &error) != SU_ERROR_NONE) {
      return state.SkipWithError(error.c_str());
    }
    SUModelRef ref = standin::adopt_model(std::move(model));
    SUEntitiesRef entities{nullptr};
    SUModelGetEntities(ref, &entities);
    std::vector<SUFaceRef> faces(500000);
    size_t count = 0, triangles = 0, n = 0;
    SUEntitiesGetFaces(entities, faces.size(), faces.data(), &count);
    for (size_t i = 0; i < count; ++i, triangles += n) {
      SUMeshHelperRef mesh{nullptr};
      SUMeshHelperCreate(&mesh, faces[i]);
      SUMeshHelperGetNumTriangles(mesh, &n);
      SUMeshHelperRelease(&mesh);
    }
    benchmark::DoNotOptimize(triangles);
    SUModelRelease(&ref);
  }
}
BENCHMARK(BM_LoadAndTriangulateHalfMillionQuads)->Unit(benchmark::kMillisecond)->Iterations(2);

BENCHMARK_MAIN();
