// Lumeno.exe loading a model of 400,000 triangles: the window answers messages while the worker
// loads and the title shows the percentage as it grows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/e2e_driver.h"
#include "tests/windows/win_test_util.h"

namespace {

// The percentage of a loading title, or -1 for any other title.
int loading_percent(const std::wstring& title) {
  const std::wstring prefix = L"Lumeno — 加载中... ";
  if (title.compare(0, prefix.size(), prefix) != 0 || title.back() != L'%') return -1;
  return std::stoi(title.substr(prefix.size()));
}

class LoadE2E : public e2e::LumenoTest {};

TEST_F(LoadE2E, WindowAnswersWhileLoadingAndTheTitleCountsUpToTheResult) {
  // One definition of 2000 squares, placed 100 times side by side: 400,000 triangles.
  std::string json = R"({"definitions":[{"name":"tile","entities":{"faces":[)";
  char part[160];
  for (int i = 0; i < 2000; ++i) {
    const int x = i % 50 * 2, y = i / 50 * 2;
    snprintf(part, sizeof part, R"(%s{"outer":[[%d,%d,0],[%d,%d,0],[%d,%d,0],[%d,%d,0]]})",
             i ? "," : "", x, y, x + 1, y, x + 1, y + 1, x, y + 1);
    json += part;
  }
  json += R"(]}}],"entities":{"instances":[)";
  for (int i = 0; i < 100; ++i) {
    snprintf(part, sizeof part,
             R"(%s{"definition":"tile","transform":[1,0,0,0,0,1,0,0,0,0,1,0,%d,0,0,1]})",
             i ? "," : "", i * 110);
    json += part;
  }
  wintest::TempFolder folder(L"e2e_load");
  ASSERT_TRUE(wintest::write_file(folder / L"large.skp", json + "]}}"));
  lumeno_ =
      std::make_unique<e2e::Process>(e2e::lumeno_exe(), L"\"" + folder / L"large.skp" + L"\"");
  ASSERT_NE(window_ = lumeno_->wait_for_window(L"TessaryNativeWnd", 60000), nullptr);
  const std::wstring counts = L"Lumeno — 顶点: 1200000 | 三角形: 400000 | 边线: 0 | 纹理: 0";
  std::vector<int> percents;
  int answered_while_loading = 0;
  for (const DWORD start = GetTickCount(); GetTickCount() - start < 180000;) {
    Sleep(5);
    const std::wstring title = e2e::window_text(window_);
    const int percent = loading_percent(title);
    if (percent < 0 && (title == counts || !percents.empty())) break;
    if (percent < 0) continue;
    if (percents.empty() || percents.back() != percent) percents.push_back(percent);
    // Answered at once, and the load still running afterwards: it was answered mid-load.
    DWORD_PTR ignored = 0;
    answered_while_loading +=
        SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored) != 0 &&
        loading_percent(e2e::window_text(window_)) >= 0;
  }
  EXPECT_TRUE(wintest::wait_until([&] { return e2e::window_text(window_) == counts; }, 60000));
  ASSERT_FALSE(percents.empty()) << "no percentage seen";
  EXPECT_GE(answered_while_loading, 1);
  EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()) && percents.back() <= 100);
  close();  // before the folder goes
}

}  // namespace
