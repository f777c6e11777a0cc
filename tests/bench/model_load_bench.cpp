// Load speed and memory of the model store on a generated model of about a million triangles
// (5,000 placements of a 100-triangle component and one group of 500,000 textured faces),
// through the stand-in SDK:
//   BM_OpenOnly         the SDK parsing and releasing the file, shared by every load
//   BM_SdkWalk          the SDK calls of a load without building records (the SDK's own cost)
//   BM_LoadFromFile     SkpModel::load_from_file; counters give triangles per second, bytes
//                       per stored triangle and the peak heap growth during the load
//   BM_TraversalOnly    the loader's traversal on a model the SDK already holds open
//   BM_SdkWalkOnly      the same SDK calls on the open model without building records
//   BM_WorkBound        a self-placing definition walked until the default work bound
// The loader's overhead over the SDK's own cost is TraversalOnly / SdkWalkOnly.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "model/skp_model.h"
#include "sdk/sketchup_api.h"
#include "tests/bench/big_model_writer.h"
#include "tests/bench/heap_tracking.h"
#include "tests/bench/sdk_walk.h"
#include "tests/native/support/sdk_binding.h"

namespace {

struct Files {
  std::string dir;
  std::string big;
  std::string self_containing;
  size_t big_triangles = 0;

  Files() {
    char pattern[] = "/tmp/lumeno_bench_XXXXXX";
    if (mkdtemp(pattern) == nullptr) std::abort();
    dir = pattern;
    big = dir + "/big.skp";
    self_containing = dir + "/self.skp";
    big_triangles = lumeno::bench::write_big_model(big, lumeno::bench::BigModelShape());
    lumeno::bench::write_self_containing_model(self_containing);
    if (!lumeno::test::bind_full_sdk(LUMENO_STANDIN_FULL_DIR)) std::abort();
  }
  ~Files() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
};

const Files& files() {
  static Files instance;
  return instance;
}

void BM_OpenOnly(benchmark::State& state) {
  const Files& f = files();
  const size_t before = lumeno::bench::heap_live_bytes();
  lumeno::bench::heap_reset_peak();
  for (auto _ : state) {
    if (!lumeno::bench::open_and_release(f.big)) state.SkipWithError("stand-in did not open");
  }
  state.counters["peak_open_MiB"] =
      static_cast<double>(lumeno::bench::heap_peak_bytes() - before) / (1024.0 * 1024.0);
}

void BM_SdkWalk(benchmark::State& state) {
  const Files& f = files();
  size_t triangles = 0;
  for (auto _ : state) {
    triangles = lumeno::bench::walk_sdk(f.big);
    benchmark::DoNotOptimize(triangles);
  }
  state.counters["triangles"] = static_cast<double>(triangles);
  state.counters["triangles_per_s"] =
      benchmark::Counter(static_cast<double>(triangles), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_LoadFromFile(benchmark::State& state) {
  const Files& f = files();
  SkpModel model;
  size_t peak_growth = 0;
  for (auto _ : state) {
    state.PauseTiming();
    model.unload();
    const size_t before = lumeno::bench::heap_live_bytes();
    lumeno::bench::heap_reset_peak();
    state.ResumeTiming();
    model.load_from_file(f.big);
    state.PauseTiming();
    const size_t growth = lumeno::bench::heap_peak_bytes() - before;
    if (growth > peak_growth) peak_growth = growth;
    state.ResumeTiming();
  }
  const double triangles = static_cast<double>(model.triangles.size());
  if (model.triangles.size() != f.big_triangles) state.SkipWithError("triangle count differs");
  state.counters["triangles"] = triangles;
  state.counters["triangles_per_s"] =
      benchmark::Counter(triangles, benchmark::Counter::kIsIterationInvariantRate);
  size_t stored = model.triangles.capacity() * sizeof(Triangle) +
                  model.edges.capacity() * sizeof(EdgeData);
  for (const TextureData& t : model.textures) stored += t.pixels.capacity();
  state.counters["bytes_per_triangle"] = static_cast<double>(stored) / triangles;
  state.counters["sizeof_Triangle"] = static_cast<double>(sizeof(Triangle));
  // Peak heap growth during the load: the stand-in's parsed model and the arrays together.
  state.counters["peak_load_MiB"] = static_cast<double>(peak_growth) / (1024.0 * 1024.0);
  state.counters["model_arrays_MiB"] = static_cast<double>(stored) / (1024.0 * 1024.0);
}

// The traversal alone on a model the SDK holds open: the loader against the bare SDK calls,
// without the file parse that dominates the whole load.
struct OpenModel {
  SUModelRef model = {nullptr};
  SUEntitiesRef entities = {nullptr};
  OpenModel() {
    const SketchUpAPI& api = SketchUpAPI::instance();
    if (api.SUModelCreateFromFile(&model, files().big.c_str()) != SU_ERROR_NONE ||
        api.SUModelGetEntities(model, &entities) != SU_ERROR_NONE) {
      std::abort();
    }
  }
  ~OpenModel() { SketchUpAPI::instance().SUModelRelease(&model); }
};

void BM_TraversalOnly(benchmark::State& state) {
  OpenModel open;
  size_t triangles = 0;
  for (auto _ : state) {
    SkpModel model;
    model.load_layers(open.model);
    model.process_entities_iterative(open.entities, SkpModel::identity_transform(),
                                     SUColor{200, 200, 200, 255}, false);
    triangles = model.triangles.size();
    state.PauseTiming();
    model.unload();
    state.ResumeTiming();
  }
  state.counters["triangles_per_s"] =
      benchmark::Counter(static_cast<double>(triangles), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_SdkWalkOnly(benchmark::State& state) {
  OpenModel open;
  size_t triangles = 0;
  for (auto _ : state) {
    triangles = lumeno::bench::walk_entities(open.entities);
    benchmark::DoNotOptimize(triangles);
  }
  state.counters["triangles_per_s"] =
      benchmark::Counter(static_cast<double>(triangles), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_WorkBound(benchmark::State& state) {
  const Files& f = files();
  SkpModel model;
  for (auto _ : state) model.load_from_file(f.self_containing);
  state.counters["lists_visited"] = static_cast<double>(model.work_items_visited());
}

BENCHMARK(BM_OpenOnly)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_SdkWalk)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_TraversalOnly)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_SdkWalkOnly)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_WorkBound)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
