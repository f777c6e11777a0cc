// Speed of the stand-in on large models: loading a file of many faces (parsing, plane geometry)
// and triangulating every face through mesh helpers, as the program's loader does.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "standin/api_support.h"
#include "standin/model_parser.h"
#include "standin/triangulate.h"

namespace {

// `faces` quads (two triangles each) on a grid, written as model JSON.
std::string grid_model(size_t faces) {
  std::string text = "{\"entities\": {\"faces\": [";
  char buffer[256];
  for (size_t i = 0; i < faces; ++i) {
    const double x = static_cast<double>(i % 1000), y = static_cast<double>(i / 1000);
    std::snprintf(buffer, sizeof buffer, "%s{\"outer\": [[%g,%g,0],[%g,%g,0],[%g,%g,0],[%g,%g,0]]}",
                  i ? "," : "", x, y, x + 1, y, x + 1, y + 1, x, y + 1);
    text += buffer;
  }
  return text + "]}}";
}

void BM_LoadAndTriangulateHalfMillionQuads(benchmark::State& state) {
  const std::string document = grid_model(500000);  // one million triangles
  for (auto _ : state) {
    std::unique_ptr<standin::Model> model;
    std::string error;
    if (standin::parse_model(document, "", &model, &error) != SU_ERROR_NONE) {
      state.SkipWithError(error.c_str());
      return;
    }
    SUModelRef ref = standin::adopt_model(std::move(model));
    SUEntitiesRef entities{nullptr};
    SUModelGetEntities(ref, &entities);
    std::vector<SUFaceRef> faces(500000);
    size_t count = 0, triangles = 0, n = 0;
    SUEntitiesGetFaces(entities, faces.size(), faces.data(), &count);
    for (size_t i = 0; i < count; ++i) {
      SUMeshHelperRef mesh{nullptr};
      SUMeshHelperCreate(&mesh, faces[i]);
      SUMeshHelperGetNumTriangles(mesh, &n);
      triangles += n;
      SUMeshHelperRelease(&mesh);
    }
    benchmark::DoNotOptimize(triangles);
    SUModelRelease(&ref);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * document.size()));
}
BENCHMARK(BM_LoadAndTriangulateHalfMillionQuads)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_TriangulateConcaveLoop(benchmark::State& state) {
  const size_t n = static_cast<size_t>(state.range(0));
  std::mt19937 rng(1);
  std::uniform_real_distribution<double> jitter(0.5, 1.0);
  std::vector<standin::Point2> points;
  for (size_t i = 0; i < n; ++i) {
    const double angle = 6.283185307179586 * static_cast<double>(i) / static_cast<double>(n);
    const double r = (i % 2 ? 0.6 : 1.0) * jitter(rng);
    points.push_back({r * std::cos(angle), r * std::sin(angle)});
  }
  const std::vector<uint32_t> loops{static_cast<uint32_t>(n)};
  for (auto _ : state) {
    std::vector<uint32_t> triangles;
    standin::triangulate_2d(points, loops, &triangles);
    benchmark::DoNotOptimize(triangles.data());
  }
}
BENCHMARK(BM_TriangulateConcaveLoop)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
