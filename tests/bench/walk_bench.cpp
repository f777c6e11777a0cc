// Walk mode on big models: one blocked Collision-mode update (three wall tests and one ground
// test) through the spatial index, and the time and bytes of building the index.
// Models are a multi-storey building (tiled floors, walls in panels, stairs) repeated on a grid.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "model/document.h"
#include "render/camera_math.h"
#include "walk/walk_ground.h"
#include "walk/walk_index.h"

namespace lumeno {
namespace {

constexpr float kM = 39.3701f;
constexpr int kStoreys = 5;
constexpr float kSide = 20.0f * kM;     // building footprint side
constexpr float kStorey = 3.0f * kM;    // storey height
constexpr float kSpacing = 25.0f * kM;  // building pitch on the site grid

struct P {
  float x, y, z;
};

// Two triangles; the model's box grows with them.
void add_quad(SkpModel& m, P a, P b, P c, P d) {
  const P corners[2][3] = {{a, b, c}, {a, c, d}};
  for (const auto& corner : corners) {
    Triangle t;
    for (int i = 0; i < 3; ++i) {
      const float p[3] = {t.vertices[i].x = corner[i].x, t.vertices[i].y = corner[i].y,
                          t.vertices[i].z = corner[i].z};
      for (int k = 0; k < 3; ++k) {
        m.bbox_min[k] = std::min(m.bbox_min[k], p[k]);
        m.bbox_max[k] = std::max(m.bbox_max[k], p[k]);
      }
    }
    m.triangles.push_back(t);
  }
}

void add_wall(SkpModel& m, float x0, float y0, float x1, float y1, float z) {  // 1 m panels
  const int panels = static_cast<int>((std::abs(x1 - x0) + std::abs(y1 - y0)) / kM);
  for (int i = 0; i < panels; ++i) {
    const float t0 = static_cast<float>(i) / panels, t1 = static_cast<float>(i + 1) / panels;
    const float ax = x0 + (x1 - x0) * t0, ay = y0 + (y1 - y0) * t0;
    const float bx = x0 + (x1 - x0) * t1, by = y0 + (y1 - y0) * t1;
    for (int row = 0; row < 3; ++row) {
      const float z0 = z + row * kM, z1 = z0 + kM;
      add_quad(m, {ax, ay, z0}, {bx, by, z0}, {bx, by, z1}, {ax, ay, z1});
    }
  }
}

void add_building(SkpModel& m, float ox, float oy) {
  const float tile = 0.5f * kM;
  const int tiles = static_cast<int>(kSide / tile);
  for (int s = 0; s < kStoreys; ++s) {
    const float z = s * kStorey;
    for (int i = 0; i < tiles * tiles; ++i) {
      const float x = ox + (i / tiles) * tile, y = oy + (i % tiles) * tile;
      add_quad(m, {x, y, z}, {x + tile, y, z}, {x + tile, y + tile, z}, {x, y + tile, z});
    }
    const float x1 = ox + kSide, y1 = oy + kSide, mid = ox + kSide / 2;
    const float walls[5][4] = {{ox, oy, x1, oy},
                               {x1, oy, x1, y1},
                               {x1, y1, ox, y1},
                               {ox, y1, ox, oy},
                               {mid, oy, mid, oy + kSide * 0.75f}};  // 4 + inner
    for (const auto& w : walls) add_wall(m, w[0], w[1], w[2], w[3], z);
    // Stairs: 18 steps of 0.1667 m along +Y beside the inner wall.
    const float rise = kStorey / 18, run = 0.28f * kM, sx = mid + 0.2f * kM;
    for (int k = 0; k < 18; ++k) {
      const float y = oy + 2 * kM + k * run, zs = z + k * rise, zt = zs + rise;
      add_quad(m, {sx, y, zs}, {sx + kM, y, zs}, {sx + kM, y, zt}, {sx, y, zt});
      add_quad(m, {sx, y, zt}, {sx + kM, y, zt}, {sx + kM, y + run, zt}, {sx, y + run, zt});
    }
  }
}

// The site for about `triangles` triangles; kept between benchmarks of the same size.
Document& site(size_t triangles) {
  static std::unique_ptr<Document> doc;
  static size_t size = 0;
  if (doc && size == triangles) return *doc;
  doc.reset();  // free the old site first
  doc = std::make_unique<Document>();
  SkpModel& m = doc->model;  // its box starts reset
  m.triangles.reserve(triangles + 20000);
  for (int b = 0; m.triangles.size() < triangles; ++b) {
    add_building(m, (b % 16) * kSpacing, (b / 16) * kSpacing);
  }
  m.loaded = true, size = triangles;
  return *doc;
}

// A walker on the third storey of the first building, pressed against the inner wall and
// stepping into it: the step and both single reverts stay blocked.
constexpr float kEyeZ = 2 * kStorey + 1.65f * kM;
constexpr float kEye[3] = {kSide / 2 - 5.0f, 8 * kM + 3.0f, kEyeZ};
constexpr float kPrev[3] = {kSide / 2 - 8.0f, 8 * kM, kEyeZ};

void BM_BlockedUpdateIndex(benchmark::State& state) {
  Document& doc = site(static_cast<size_t>(state.range(0)));
  WalkSettings settings;
  settings.set_walk_mode(2);
  WalkGround ground(doc, settings);
  ground.refresh_index();
  const Vec3 c = view_bounds(doc.model).centre();
  const float offset[3] = {kEye[0] - c.x, kEye[1] + 1.0f - c.y, kEye[2] - c.z};
  Camera camera;
  camera.distance = 1.0f, camera.pitch = 0.0f, camera.yaw = 0.0f;
  for (auto _ : state) {
    std::copy(offset, offset + 3, camera.target_offset);
    float velocity[3] = {10.0f, 10.0f, 0.0f};
    ground.apply_walk_constraints(camera, kPrev[0] - c.x, kPrev[1] + 1.0f - c.y, 0.0f, velocity);
    if (velocity[0] != 0.0f || velocity[1] != 0.0f) state.SkipWithError("step was not blocked");
    benchmark::DoNotOptimize(camera.target_offset);
  }
}

void BM_IndexBuild(benchmark::State& state) {
  const SkpModel& m = site(static_cast<size_t>(state.range(0))).model;
  WalkIndex index;
  for (auto _ : state) index.build(m);
  state.counters["bytes_per_triangle"] =
      static_cast<double>(index.bytes()) / static_cast<double>(m.triangles.size());
  state.counters["levels"] = static_cast<double>(index.level_count());
}

#define WALK_SIZES Arg(100000)->Arg(1000000)->Arg(5000000)
BENCHMARK(BM_IndexBuild)->WALK_SIZES->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BlockedUpdateIndex)->WALK_SIZES->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lumeno

BENCHMARK_MAIN();
