// Lumeno.exe driven like a user: keys, menu commands, mouse drags and the wheel change the
// picture; scenes, layers and the model information box.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/e2e/e2e_driver.h"
#include "tests/windows/win_test_util.h"

namespace {

constexpr DWORD kStartTimeout = 60000;
constexpr DWORD kSettle = 600;  // time for a repaint after a message

// A red cube from 300 to 700 on every axis, on layer "Walls", with its twelve edges drawn as
// standalone edges, and a scene looking straight down on it.
std::string cube_model() {
  const char* faces[] = {
      "[[300,300,300],[300,700,300],[700,700,300],[700,300,300]]",
      "[[300,300,700],[700,300,700],[700,700,700],[300,700,700]]",
      "[[300,300,300],[700,300,300],[700,300,700],[300,300,700]]",
      "[[300,700,300],[300,700,700],[700,700,700],[700,700,300]]",
      "[[300,300,300],[300,300,700],[300,700,700],[300,700,300]]",
      "[[700,300,300],[700,700,300],[700,700,700],[700,300,700]]"};
  std::string json =
      R"({"layers":[{"name":"Walls"}],"materials":[{"name":"red","color":[230,20,20,255]}],)"
      R"("entities":{"faces":[)";
  for (int i = 0; i < 6; ++i) {
    json += std::string(i ? "," : "") + R"({"outer":)" + faces[i] +
            R"(,"front":"red","layer":"Walls"})";
  }
  json += R"(],"edges":[)";
  const int lo = 300, hi = 700;
  int n = 0;
  for (int axis = 0; axis < 3; ++axis) {
    for (int a : {lo, hi}) {
      for (int b : {lo, hi}) {
        int s[3], e[3];
        s[axis] = lo;
        e[axis] = hi;
        s[(axis + 1) % 3] = e[(axis + 1) % 3] = a;
        s[(axis + 2) % 3] = e[(axis + 2) % 3] = b;
        json += std::string(n++ ? "," : "") + "{\"start\":[" + std::to_string(s[0]) + "," +
                std::to_string(s[1]) + "," + std::to_string(s[2]) + "],\"end\":[" +
                std::to_string(e[0]) + "," + std::to_string(e[1]) + "," + std::to_string(e[2]) +
                "]}";
      }
    }
  }
  json += R"(]},"scenes":[{"name":"俯视","camera":{"eye":[500,500,3000],"target":[500,500,500],)"
          R"("up":[0,1,0]}}]})";
  return json;
}

bool reddish(const e2e::Screenshot::Rgb& c) { return c.r > 50 && c.r > 2 * c.g + 30 && c.r > 2 * c.b + 30; }
bool edge_black(const e2e::Screenshot::Rgb& c) { return c.r < 45 && c.g < 45 && c.b < 45; }
bool unlit_red(const e2e::Screenshot::Rgb& c) { return e2e::near_colour(c, 230, 20, 20, 12); }
bool plain_grey(const e2e::Screenshot::Rgb& c) {
  return c.r > 60 && abs(c.r - c.g) < 12 && abs(c.g - c.b) < 12 && (c.r < 205 || c.b < 220);
}

class InteractionE2E : public ::testing::Test {
 protected:
  InteractionE2E() : folder_(L"e2e_interaction") {}
  void SetUp() override {
    const std::wstring model = folder_ / L"cube.skp";
    ASSERT_TRUE(wintest::write_file(model, cube_model()));
    lumeno_.reset(new e2e::Process(e2e::lumeno_exe(), L"\"" + model + L"\"", L""));
    ASSERT_TRUE(lumeno_->started());
    window_ = lumeno_->wait_for_window(L"TessaryNativeWnd", kStartTimeout);
    ASSERT_NE(window_, nullptr);
    ASSERT_NE(e2e::wait_for_title(window_, L"Lumeno — 顶点: 36 | 三角形: 12 | 边线: 12 | 纹理: 0", 20000),
              L"Lumeno — 加载失败");
    GetClientRect(window_, &client_);
    Sleep(kSettle);
  }
  void TearDown() override {
    if (window_ != nullptr) {
      PostMessageW(window_, WM_CLOSE, 0, 0);
      EXPECT_EQ(lumeno_->wait(30000), 0u);
    }
  }
  void post(UINT message, WPARAM w, LPARAM l) {
    PostMessageW(window_, message, w, l);
    Sleep(kSettle);
  }
  void key(unsigned vk) { post(WM_KEYDOWN, vk, 0); }
  void command(unsigned id) { post(WM_COMMAND, id, 0); }
  // Pixels of the client rectangle [left, right) x [top, bottom) that satisfy `test`.
  int count(const e2e::Screenshot& shot, int left, int top, int right, int bottom,
            bool (*test)(const e2e::Screenshot::Rgb&)) {
    return e2e::count_client_pixels(window_, shot, left, top, right, bottom, test);
  }
  // The part of the client area left of the navigator, where the model is drawn.
  int count_model(const e2e::Screenshot& shot, bool (*test)(const e2e::Screenshot::Rgb&)) {
    return count(shot, 0, 0, client_.right - 200, client_.bottom, test);
  }
  int changed(const e2e::Screenshot& a, const e2e::Screenshot& b, int left, int top, int right,
              int bottom) {
    const POINT origin = e2e::client_to_screen(window_, 0, 0);
    int n = 0;
    for (int y = top; y < bottom; y += 2) {
      for (int x = left; x < right; x += 2) {
        const auto ca = a.at(origin.x + x, origin.y + y), cb = b.at(origin.x + x, origin.y + y);
        if (abs(ca.r - cb.r) + abs(ca.g - cb.g) + abs(ca.b - cb.b) > 60) ++n;
      }
    }
    return n;
  }

  wintest::TempFolder folder_;
  std::unique_ptr<e2e::Process> lumeno_;
  HWND window_ = nullptr;
  RECT client_ = {};
};

TEST_F(InteractionE2E, EdgeMaterialAndLightingToggles) {
  const auto start = e2e::capture_screen();
  ASSERT_TRUE(start.valid());
  EXPECT_GT(count_model(start, reddish), 2000);
  EXPECT_GT(count_model(start, edge_black), 100);

  key('K');  // edges off
  const auto no_edges = e2e::capture_screen();
  EXPECT_LT(count_model(no_edges, edge_black), 10);
  command(1401);  // and on again through the menu command
  EXPECT_GT(count_model(e2e::capture_screen(), edge_black), 100);

  key('M');  // materials off, lighting on: one lit grey
  const auto grey = e2e::capture_screen();
  EXPECT_LT(count_model(grey, reddish), 20);
  EXPECT_GT(count_model(grey, plain_grey), 2000);
  key('M');
  key('G');  // lighting off: the recorded colour itself
  const auto unlit = e2e::capture_screen();
  EXPECT_GT(count_model(unlit, unlit_red), 2000);
}

TEST_F(InteractionE2E, FourPanesEachDrawTheModel) {
  key('4');
  const auto shot = e2e::capture_screen();
  const int w = client_.right, h = client_.bottom;
  const int panes[4][4] = {{0, 0, w / 2, h / 2},
                           {w / 2, 0, w - 200, h / 2},  // left of the navigator
                           {0, h / 2, w / 2, h},
                           {w / 2, h / 2, w, h}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_GT(count(shot, panes[i][0], panes[i][1], panes[i][2], panes[i][3], reddish), 300)
        << "pane " << i;
  }
  key('1');
  const auto single = e2e::capture_screen();
  EXPECT_GT(changed(shot, single, 0, 0, w - 200, h), 1000);
}

TEST_F(InteractionE2E, RightDragOrbitsWheelZoomsAndFFits) {
  const auto start = e2e::capture_screen();
  const int cx = client_.right / 2, cy = client_.bottom / 2;
  post(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(cx, cy));
  for (int step = 1; step <= 4; ++step) {
    post(WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(cx + 40 * step, cy + 10 * step));
  }
  post(WM_RBUTTONUP, 0, MAKELPARAM(cx + 160, cy + 40));
  const auto orbited = e2e::capture_screen();
  EXPECT_GT(changed(start, orbited, 0, 0, client_.right - 200, client_.bottom), 1000);

  key('F');
  for (int i = 0; i < 8; ++i) {
    const POINT screen = e2e::client_to_screen(window_, cx, cy);
    PostMessageW(window_, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(screen.x, screen.y));
  }
  Sleep(kSettle);
  const auto zoomed = e2e::capture_screen();
  EXPECT_GT(count_model(zoomed, reddish), count_model(orbited, reddish) + 2000);
  key('F');
  const auto fitted = e2e::capture_screen();
  EXPECT_LT(changed(orbited, fitted, 0, 0, client_.right - 200, client_.bottom), 200);
}

TEST_F(InteractionE2E, TabShowsTheSceneToastAndTurnsTheView) {
  const auto start = e2e::capture_screen();
  key(VK_TAB);
  const auto scene = e2e::capture_screen();
  // The toast: a box in the lower middle of the window.
  const int w = client_.right, h = client_.bottom;
  EXPECT_GT(changed(start, scene, w / 2 - 60, h - 120, w / 2 + 60, h - 20), 50);
  // Seen from straight above, the cube is a lit square: no front face in shadow, no left face.
  EXPECT_GT(changed(start, scene, 0, 0, w - 200, h - 140), 1000);
  // Tab again: the model has one scene, so the same view comes back without a change.
  key(VK_TAB);
  EXPECT_LT(changed(scene, e2e::capture_screen(), 0, 0, w - 200, h - 140), 100);
}

TEST_F(InteractionE2E, LayerCommandHidesThatLayersWalls) {
  ASSERT_GT(count_model(e2e::capture_screen(), reddish), 2000);
  command(1200);
  EXPECT_LT(count_model(e2e::capture_screen(), reddish), 20);
  command(1200);
  EXPECT_GT(count_model(e2e::capture_screen(), reddish), 2000);
}

TEST_F(InteractionE2E, ModelInformationBox) {
  PostMessageW(window_, WM_COMMAND, 1429, 0);
  HWND box = lumeno_->wait_for_window(L"#32770", 20000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(e2e::window_text(box), L"模型信息");
  EXPECT_EQ(e2e::message_box_text(box),
            L"模型统计信息\n\n顶点数: 36\n三角形数: 12\n边线数: 12\n纹理数: 0\n场景页: 1\n图层数: 1\n"
            L"透明材质: 否\n\n包围盒:\n  X: 300.0 ~ 700.0\n  Y: 300.0 ~ 700.0\n  Z: 300.0 ~ 700.0\n"
            L"  对角线: 692.8");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  Sleep(kSettle);
}

}  // namespace
