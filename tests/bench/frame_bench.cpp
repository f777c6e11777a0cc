// One renderer frame (GlRenderer::render: lit, materials and edges on, navigator off) against the
// same triangles as one bare glBegin/glEnd display list with the same camera and light, offscreen.
// Each iteration draws both, each ended by glFinish; counters give process CPU and wall time per
// frame and the ratios renderer / bare.
#include <GL/osmesa.h>
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "model/skp_model.h"
#include "render/camera_math.h"
#include "render/gl/camera_gl.h"
#include "render/gl/gl_api.h"
#include "render/gl/renderer.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;

double seconds(clockid_t clock) {
  timespec t{};
  return clock_gettime(clock, &t), static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

// A flat square sheet of `count` triangles (two per tile) of side 2000 inches facing up, tiles in
// eight colours.
void fill_sheet(SkpModel& model, size_t count) {
  const size_t side = static_cast<size_t>(std::ceil(std::sqrt(count / 2.0)));
  const float step = 2000.0f / static_cast<float>(side);
  model.triangles.reserve(count);
  for (size_t i = 0; model.triangles.size() < count; ++i) {
    const float x = -1000.0f + step * (i % side), y = -1000.0f + step * (i / side);
    const float corners[4][2] = {{x, y}, {x + step, y}, {x + step, y + step}, {x, y + step}};
    for (int half = 0; half < 2 && model.triangles.size() < count; ++half) {
      Triangle t;
      for (int k = 0; k < 3; ++k) {  // corners 0 1 2, then 0 2 3
        TriangleVertex& v = t.vertices[k];
        const int c = k == 0 ? 0 : k + half;
        v.x = corners[c][0], v.y = corners[c][1], v.nz = 1.0f, v.a = 1.0f;
        v.r = (50 + i % 8 * 25) / 255.0f, v.g = (230 - i % 8 * 20) / 255.0f;
        v.b = i % 2 ? 0.9f : 0.25f;
      }
      model.triangles.push_back(t);
    }
  }
  const float low[3] = {-1000.0f, -1000.0f, 0.0f}, high[3] = {1000.0f, 1000.0f, 0.0f};
  std::copy(low, low + 3, model.bbox_min), std::copy(high, high + 3, model.bbox_max);
  model.vertex_count = model.triangles.size() * 3;
  model.loaded = true;
}

// The same triangles as the least GL that shows them: one list, one primitive.
unsigned int record_bare_list(const SkpModel& model) {
  const GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  glBegin(GL_TRIANGLES);
  for (const Triangle& triangle : model.triangles) {
    for (const TriangleVertex& v : triangle.vertices) {
      glNormal3f(v.nx, v.ny, v.nz);
      glColor4f(v.r, v.g, v.b, v.a);
      glVertex3f(v.x, v.y, v.z);
    }
  }
  glEnd();
  glEndList();
  return list;
}

void draw_bare(unsigned int list, const Viewport& viewport, const lumeno::Vec3& centre) {
  glDisable(GL_SCISSOR_TEST);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glViewport(0, 0, kWidth, kHeight);
  setup_camera(viewport.camera, viewport, centre);
  glEnable(GL_LIGHTING), glEnable(GL_LIGHT0);
  glLightfv(GL_LIGHT0, GL_POSITION, kLightDirection);
  glLightfv(GL_LIGHT0, GL_AMBIENT, kLightAmbient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, kLightDiffuse);
  glCallList(list);
  glDisable(GL_LIGHTING);
  glFinish();
}

// One context, one model and both sets of lists; made again for each model size.
struct Scene {
  OSMesaContext context = nullptr;
  std::vector<unsigned char> buffer;
  SkpModel model;
  GlRenderer renderer;
  std::vector<Viewport> panes;
  unsigned int bare_list = 0;

  explicit Scene(size_t triangles) : buffer(static_cast<size_t>(kWidth) * kHeight * 4) {
    context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 8, 0, nullptr);
    if (context == nullptr ||
        !OSMesaMakeCurrent(context, buffer.data(), GL_UNSIGNED_BYTE, kWidth, kHeight)) {
      std::abort();
    }
    fill_sheet(model, triangles);
    Viewport pane;
    pane.width = kWidth, pane.height = kHeight, pane.is_main = true;
    pane.camera.pitch = 45.0f, pane.camera.yaw = -30.0f, pane.camera.distance = 3500.0f;
    panes.push_back(pane);
    renderer.start();
    renderer.build_display_list(model);
    bare_list = record_bare_list(model);
  }
  ~Scene() {
    renderer.stop();
    glDeleteLists(bare_list, 1);
    OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
    OSMesaDestroyContext(context);
  }
};

void BM_FrameVsBare(benchmark::State& state) {
  const auto scene = std::make_unique<Scene>(static_cast<size_t>(state.range(0)));
  FrameInput frame;
  frame.model = &scene->model, frame.viewports = &scene->panes;
  frame.client_width = kWidth, frame.client_height = kHeight;
  frame.options.show_navigator = false;
  const lumeno::Vec3 centre = lumeno::view_bounds(scene->model).centre();
  // One of each first: the driver's first draw of a list does work of its own.
  scene->renderer.render(frame);
  draw_bare(scene->bare_list, scene->panes[0], centre);

  double cpu[2] = {0, 0}, wall[2] = {0, 0};  // renderer, bare
  auto timed = [&](int i, auto draw) {
    const double c = seconds(CLOCK_PROCESS_CPUTIME_ID), w = seconds(CLOCK_MONOTONIC);
    draw();
    cpu[i] += seconds(CLOCK_PROCESS_CPUTIME_ID) - c, wall[i] += seconds(CLOCK_MONOTONIC) - w;
  };
  for (auto _ : state) {
    timed(0, [&] { scene->renderer.render(frame), glFinish(); });
    timed(1, [&] { draw_bare(scene->bare_list, scene->panes[0], centre); });
  }
  const double ms = 1e3 / static_cast<double>(state.iterations());
  state.counters["renderer_cpu_ms"] = cpu[0] * ms, state.counters["bare_cpu_ms"] = cpu[1] * ms;
  state.counters["renderer_wall_ms"] = wall[0] * ms, state.counters["bare_wall_ms"] = wall[1] * ms;
  state.counters["ratio_cpu"] = cpu[0] / cpu[1], state.counters["ratio_wall"] = wall[0] / wall[1];
}

BENCHMARK(BM_FrameVsBare)->Arg(1000000)->Arg(5000000)->Iterations(10)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
