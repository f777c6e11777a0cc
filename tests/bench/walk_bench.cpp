// Walk mode on big models: one blocked Collision-mode update (three wall tests and one ground
// test) with the spatial index and with the plain scans, and the cost of building the index.
// Models are a multi-storey building (tiled floors, walls in panels, stairs) repeated on a grid.
#include <benchmark/benchmark.h>

#include <memory>

#include "model/document.h"
#include "render/camera_math.h"
#include "walk/walk_geometry.h"
#include "walk/walk_ground.h"
#include "walk/walk_index.h"

namespace lumeno {
namespace {

constexpr float kM = 39.3701f;
constexpr int kStoreys = 5;
constexpr float kSide = 20.0f * kM;     // building footprint side
constexpr float kStorey = 3.0f * kM;    // storey height
constexpr float kSpacing = 25.0f * kM;  // building pitch on the site grid

void add_tri(SkpModel& m, const float (&p)[3][3]) {
  Triangle t;
  for (int i = 0; i < 3; ++i) {
    t.vertices[i].x = p[i][0], t.vertices[i].y = p[i][1], t.vertices[i].z = p[i][2];
  }
  m.triangles.push_back(t);
}

void add_quad(SkpModel& m, const float (&a)[3], const float (&b)[3], const float (&c)[3],
              const float (&d)[3]) {
  add_tri(m, {{a[0], a[1], a[2]}, {b[0], b[1], b[2]}, {c[0], c[1], c[2]}});
  add_tri(m, {{a[0], a[1], a[2]}, {c[0], c[1], c[2]}, {d[0], d[1], d[2]}});
}

void add_wall(SkpModel& m, float x0, float y0, float x1, float y1, float z) {
  // 1 m panels, three rows.
  const int panels = static_cast<int>((std::abs(x1 - x0) + std::abs(y1 - y0)) / kM);
  for (int i = 0; i < panels; ++i)
    for (int r = 0; r < 3; ++r) {
      const float t0 = static_cast<float>(i) / panels, t1 = static_cast<float>(i + 1) / panels;
      const float ax = x0 + (x1 - x0) * t0, ay = y0 + (y1 - y0) * t0;
      const float bx = x0 + (x1 - x0) * t1, by = y0 + (y1 - y0) * t1;
      const float z0 = z + r * kM, z1 = z0 + kM;
      add_quad(m, {ax, ay, z0}, {bx, by, z0}, {bx, by, z1}, {ax, ay, z1});
    }
}

void add_building(SkpModel& m, float ox, float oy) {
  const float tile = 0.5f * kM;
  const int tiles = static_cast<int>(kSide / tile);
  for (int s = 0; s < kStoreys; ++s) {
    const float z = s * kStorey;
    for (int i = 0; i < tiles; ++i)
      for (int j = 0; j < tiles; ++j) {
        const float x = ox + i * tile, y = oy + j * tile;
        add_quad(m, {x, y, z}, {x + tile, y, z}, {x + tile, y + tile, z}, {x, y + tile, z});
      }
    add_wall(m, ox, oy, ox + kSide, oy, z);
    add_wall(m, ox + kSide, oy, ox + kSide, oy + kSide, z);
    add_wall(m, ox + kSide, oy + kSide, ox, oy + kSide, z);
    add_wall(m, ox, oy + kSide, ox, oy, z);
    add_wall(m, ox + kSide / 2, oy, ox + kSide / 2, oy + kSide * 0.75f, z);  // inner wall
    // Stairs: 18 steps of 0.1667 m along +Y beside the inner wall.
    const float rise = kStorey / 18, run = 0.28f * kM, sx = ox + kSide / 2 + 0.2f * kM;
    for (int k = 0; k < 18; ++k) {
      const float y = oy + 2 * kM + k * run, zs = z + k * rise;
      add_quad(m, {sx, y, zs}, {sx + kM, y, zs}, {sx + kM, y, zs + rise}, {sx, y, zs + rise});
      add_quad(m, {sx, y, zs + rise}, {sx + kM, y, zs + rise}, {sx + kM, y + run, zs + rise},
               {sx, y + run, zs + rise});
    }
  }
}

// The site for about `triangles` triangles; kept between benchmarks of the same size.
Document& site(size_t triangles) {
  static std::unique_ptr<Document> doc;
  static size_t size = 0;
  if (doc && size == triangles) return *doc;
  doc.reset();
  doc = std::make_unique<Document>();
  SkpModel& m = doc->model;
  m.triangles.reserve(triangles + 20000);
  for (int b = 0; m.triangles.size() < triangles; ++b)
    add_building(m, (b % 16) * kSpacing, (b / 16) * kSpacing);
  for (int k = 0; k < 3; ++k) m.bbox_min[k] = 1e10f, m.bbox_max[k] = -1e10f;
  for (const Triangle& t : m.triangles)
    for (const TriangleVertex& v : t.vertices) {
      const float p[3] = {v.x, v.y, v.z};
      for (int k = 0; k < 3; ++k)
        m.bbox_min[k] = std::min(m.bbox_min[k], p[k]),
        m.bbox_max[k] = std::max(m.bbox_max[k], p[k]);
    }
  m.loaded = true;
  size = triangles;
  return *doc;
}

// A walker on the third storey of the first building, pressed against the inner wall and
// stepping into it: the step and both single reverts stay blocked.
struct BlockedStep {
  float eye[3];
  float prev[3];
};
BlockedStep blocked_step() {
  const float wall_x = kSide / 2, z = 2 * kStorey + 1.65f * kM;
  return BlockedStep{{wall_x - 5.0f, 8 * kM + 3.0f, z}, {wall_x - 8.0f, 8 * kM, z}};
}

void BM_BlockedUpdateIndex(benchmark::State& state) {
  Document& doc = site(static_cast<size_t>(state.range(0)));
  WalkSettings settings;
  settings.set_walk_mode(2);
  WalkGround ground(doc, settings);
  ground.refresh_index();
  const Vec3 c = view_bounds(doc.model).centre();
  const BlockedStep s = blocked_step();
  Camera camera;
  camera.distance = 1.0f, camera.pitch = 0.0f, camera.yaw = 0.0f;
  for (auto _ : state) {
    camera.target_offset[0] = s.eye[0] - c.x;
    camera.target_offset[1] = s.eye[1] + 1.0f - c.y;
    camera.target_offset[2] = s.eye[2] - c.z;
    float velocity[3] = {10.0f, 10.0f, 0.0f};
    ground.apply_walk_constraints(camera, s.prev[0] - c.x, s.prev[1] + 1.0f - c.y, 0.0f, velocity);
    if (velocity[0] != 0.0f || velocity[1] != 0.0f) state.SkipWithError("step was not blocked");
    benchmark::DoNotOptimize(camera.target_offset);
  }
}

void BM_BlockedUpdateScan(benchmark::State& state) {
  const SkpModel& m = site(static_cast<size_t>(state.range(0))).model;
  const BlockedStep s = blocked_step();
  const float band = wall_band(1.65f);
  for (auto _ : state) {
    bool blocked = is_blocked_scan(m, s.eye[0], s.eye[1], s.eye[2], band);
    blocked = is_blocked_scan(m, s.prev[0], s.eye[1], s.eye[2], band) && blocked;
    blocked = is_blocked_scan(m, s.eye[0], s.prev[1], s.eye[2], band) && blocked;
    float g = 0.0f;
    const bool ground =
        find_ground_scan(m, s.prev[0], s.prev[1], s.eye[2] - 1.65f * kM, 0.35f * kM, g);
    if (!blocked || !ground) state.SkipWithError("step was not blocked");
    benchmark::DoNotOptimize(g);
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
BENCHMARK(BM_BlockedUpdateScan)->WALK_SIZES->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace lumeno

BENCHMARK_MAIN();
