// Lumeno.exe driven like a user on a red cube: keys, menu commands, mouse drags and the wheel
// reach the viewer and change the picture.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/e2e_driver.h"
#include "tests/windows/win_test_util.h"

namespace {

// A red cube from 300 to 700 on every axis, on layer "Walls", with its twelve edges as
// standalone edges, and a scene looking straight down on it.
std::string cube_model() {
  std::string faces, edges;
  auto corner = [](int bits) {
    auto c = [&](int i) { return std::to_string(bits >> i & 1 ? 700 : 300); };
    return "[" + c(0) + "," + c(1) + "," + c(2) + "]";
  };
  for (int axis = 0; axis < 3; ++axis) {
    const int u = 1 << (axis + 1) % 3, v = 1 << (axis + 2) % 3;
    for (int side : {0, 1 << axis}) {  // wound so that the front faces outwards
      const int a = side ? u : v, b = side ? v : u;
      faces += std::string(faces.empty() ? "" : ",") + R"({"outer":[)" + corner(side) + "," +
               corner(side | a) + "," + corner(side | u | v) + "," + corner(side | b) +
               R"(],"front":"red","layer":"Walls"})";
    }
    for (int other : {0, u, v, u | v}) {
      edges += std::string(edges.empty() ? "" : ",") + R"({"start":)" + corner(other) +
               R"(,"end":)" + corner(other | 1 << axis) + "}";
    }
  }
  return R"({"layers":[{"name":"Walls"}],"materials":[{"name":"red","color":[230,20,20,255]}],)"
         R"("entities":{"faces":[)" +
         faces + R"(],"edges":[)" + edges +
         R"(]},"scenes":[{"name":"俯视","camera":{"eye":[500,500,3000],"target":[500,500,500],)"
         R"("up":[0,1,0]}}]})";
}

bool reddish(const e2e::Rgb& c) { return c.r > 50 && c.r > 2 * c.g + 30 && c.r > 2 * c.b + 30; }
bool edge_black(const e2e::Rgb& c) { return c.r < 45 && c.g < 45 && c.b < 45; }

class InteractionE2E : public e2e::LumenoTest {
 protected:
  void SetUp() override {
    const std::wstring model = folder_ / L"cube.skp";
    ASSERT_TRUE(wintest::write_file(model, cube_model()));
    ASSERT_NO_FATAL_FAILURE(start(model));
  }
  // Sampled pixels of the model area that differ clearly between two pictures.
  int changed(const e2e::Screenshot& a, const e2e::Screenshot& b, int bottom = 0) const {
    int n = 0;
    for (int y = 0; y < (bottom ? bottom : h_); y += 2) {
      for (int x = 0; x < w_ - 220; x += 2) {
        const e2e::Rgb ca = at(a, x, y), cb = at(b, x, y);
        n += abs(ca.r - cb.r) + abs(ca.g - cb.g) + abs(ca.b - cb.b) > 60;
      }
    }
    return n;
  }
  wintest::TempFolder folder_{L"e2e_interaction"};
};

TEST_F(InteractionE2E, KeysAndCommandsToggleEdgesAndLayers) {
  const auto start = e2e::capture_screen();
  EXPECT_GT(count(start, reddish), 2000);
  EXPECT_GT(count(start, edge_black), 100);
  key('K');
  EXPECT_LT(count(e2e::capture_screen(), edge_black), 10);
  command(1401);  // edges on again through the menu command
  EXPECT_GT(count(e2e::capture_screen(), edge_black), 100);

  command(1200);  // the layer "Walls" hidden, then shown
  EXPECT_LT(count(e2e::capture_screen(), reddish), 20);
  command(1200);
  EXPECT_GT(count(e2e::capture_screen(), reddish), 2000);

  command(1429, 0);
  EXPECT_NE(box_text(L"模型信息"), L"<no box>");
}

TEST_F(InteractionE2E, RightDragOrbitsWheelZoomsFFitsAndTabShowsTheScene) {
  const auto start = e2e::capture_screen();
  const int cx = w_ / 2, cy = h_ / 2;
  PostMessageW(window_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(cx, cy));
  for (int step = 1; step <= 4; ++step) {
    PostMessageW(window_, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(cx + 40 * step, cy + 10 * step));
  }
  PostMessageW(window_, WM_RBUTTONUP, 0, MAKELPARAM(cx + 160, cy + 40));
  Sleep(1500);  // a loaded machine may take a while to draw the last of the drag
  const auto orbited = e2e::capture_screen();
  EXPECT_GT(changed(start, orbited), 1000);

  key('F');
  POINT screen = {cx, cy};
  ClientToScreen(window_, &screen);
  for (int i = 0; i < 8; ++i) {
    PostMessageW(window_, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA),
                 MAKELPARAM(screen.x, screen.y));
  }
  Sleep(600);
  EXPECT_GT(count(e2e::capture_screen(), reddish), count(orbited, reddish) + 2000);
  key('F');
  const auto fitted = e2e::capture_screen();
  EXPECT_LT(changed(orbited, fitted), 200);

  // The scene from straight above turns the view (the toast below is left out); the model has
  // one scene, so Tab again brings the same view.
  key(VK_TAB);
  const auto scene = e2e::capture_screen();
  EXPECT_GT(changed(fitted, scene, h_ - 140), 1000);
  key(VK_TAB);
  EXPECT_LT(changed(scene, e2e::capture_screen(), h_ - 140), 100);
}

}  // namespace
