// The cost of one frame of the renderer against the bare GL it is built on, offscreen (OSMesa):
//   BM_FrameVsBare/N   a model of N triangles (a gently waving sheet of coloured tiles seen
//                      whole from above at an angle, lit, materials on, edges on, navigator
//                      off), drawn by GlRenderer::render through a FrameInput, against the same
//                      triangles recorded as one glBegin/glEnd display list and drawn with the
//                      same camera, light and colour tracking after a clear.
// Each iteration draws one renderer frame and one bare frame, each finished with glFinish, so
// that the load of a busy machine falls on both alike. Times are the process's CPU time (the
// GL rasteriser may run threads of its own) and wall time; the counters give both per frame
// and their ratios renderer / bare.
#include <GL/osmesa.h>
#include <benchmark/benchmark.h>
#include <time.h>

#include <chrono>
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

constexpr int kWidth = 800;
constexpr int kHeight = 600;

double process_cpu_seconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double wall_seconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// A square sheet of `count` triangles (two per tile) of side 2000 inches, its height waving so
// that the normals and the lighting vary, tiles in eight colours.
void fill_sheet(SkpModel& model, size_t count) {
  const size_t tiles = count / 2;
  const size_t side = static_cast<size_t>(std::ceil(std::sqrt(static_cast<double>(tiles))));
  const float step = 2000.0f / static_cast<float>(side);
  auto height = [](float x, float y) { return 20.0f * std::sin(x * 0.01f) * std::cos(y * 0.013f); };
  auto corner = [&](float x, float y, const float colour[3]) {
    TriangleVertex v;
    v.x = x;
    v.y = y;
    v.z = height(x, y);
    // The normal of the height field, unit length.
    const float dx = -0.2f * std::cos(x * 0.01f) * std::cos(y * 0.013f);
    const float dy = 0.26f * std::sin(x * 0.01f) * std::sin(y * 0.013f);
    const float length = std::sqrt(dx * dx + dy * dy + 1.0f);
    v.nx = -dx / length;
    v.ny = -dy / length;
    v.nz = 1.0f / length;
    v.r = colour[0];
    v.g = colour[1];
    v.b = colour[2];
    v.a = 1.0f;
    return v;
  };
  static const float kColours[8][3] = {{0.9f, 0.2f, 0.2f}, {0.2f, 0.8f, 0.3f}, {0.2f, 0.3f, 0.9f},
                                       {0.9f, 0.8f, 0.2f}, {0.7f, 0.3f, 0.8f}, {0.3f, 0.8f, 0.8f},
                                       {0.6f, 0.6f, 0.6f}, {0.9f, 0.5f, 0.1f}};
  model.triangles.reserve(count);
  for (size_t i = 0; model.triangles.size() < count; ++i) {
    const float x = -1000.0f + step * static_cast<float>(i % side);
    const float y = -1000.0f + step * static_cast<float>(i / side);
    const float* colour = kColours[i % 8];
    Triangle a;
    a.vertices[0] = corner(x, y, colour);
    a.vertices[1] = corner(x + step, y, colour);
    a.vertices[2] = corner(x + step, y + step, colour);
    model.triangles.push_back(a);
    if (model.triangles.size() == count) break;
    Triangle b;
    b.vertices[0] = corner(x, y, colour);
    b.vertices[1] = corner(x + step, y + step, colour);
    b.vertices[2] = corner(x, y + step, colour);
    model.triangles.push_back(b);
  }
  for (int axis = 0; axis < 3; ++axis) {
    model.bbox_min[axis] = axis < 2 ? -1000.0f : -20.0f;
    model.bbox_max[axis] = axis < 2 ? 1000.0f + step : 20.0f;
  }
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
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
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
    pane.width = kWidth;
    pane.height = kHeight;
    pane.is_main = true;
    pane.camera.pitch = 45.0f;
    pane.camera.yaw = -30.0f;
    pane.camera.distance = 3500.0f;
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
  frame.model = &scene->model;
  frame.viewports = &scene->panes;
  frame.client_width = kWidth;
  frame.client_height = kHeight;
  frame.options.show_navigator = false;
  const lumeno::Vec3 centre = lumeno::view_bounds(scene->model).centre();
  // One of each first: the driver's first draw of a list does work of its own.
  scene->renderer.render(frame);
  draw_bare(scene->bare_list, scene->panes[0], centre);

  double renderer_cpu = 0.0, bare_cpu = 0.0, renderer_wall = 0.0, bare_wall = 0.0;
  for (auto _ : state) {
    double cpu = process_cpu_seconds(), wall = wall_seconds();
    scene->renderer.render(frame);
    glFinish();
    renderer_cpu += process_cpu_seconds() - cpu;
    renderer_wall += wall_seconds() - wall;
    cpu = process_cpu_seconds();
    wall = wall_seconds();
    draw_bare(scene->bare_list, scene->panes[0], centre);
    bare_cpu += process_cpu_seconds() - cpu;
    bare_wall += wall_seconds() - wall;
  }
  const double frames = static_cast<double>(state.iterations());
  state.counters["renderer_cpu_ms"] = renderer_cpu / frames * 1e3;
  state.counters["bare_cpu_ms"] = bare_cpu / frames * 1e3;
  state.counters["ratio_cpu"] = renderer_cpu / bare_cpu;
  state.counters["renderer_wall_ms"] = renderer_wall / frames * 1e3;
  state.counters["bare_wall_ms"] = bare_wall / frames * 1e3;
  state.counters["ratio_wall"] = renderer_wall / bare_wall;
}

BENCHMARK(BM_FrameVsBare)
    ->Arg(1000000)
    ->Arg(5000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
