// Lumeno.exe loading a large model: the window answers messages while the worker loads, the
// title shows the percentage as it grows, and closing the window in the middle of a load ends
// the process cleanly.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/e2e_driver.h"
#include "tests/windows/win_test_util.h"

namespace {

constexpr DWORD kStartTimeout = 60000;
constexpr int kTileSquares = 2000;  // squares in the component definition
constexpr int kInstances = 100;     // placements of it: 400,000 triangles in all
const wchar_t kLoadingPrefix[] = L"Lumeno — 加载中... ";

// One definition of kTileSquares squares, placed kInstances times side by side.
std::string large_model() {
  std::string squares;
  for (int i = 0; i < kTileSquares; ++i) {
    const std::string x = std::to_string((i % 50) * 2), y = std::to_string((i / 50) * 2);
    const std::string x1 = std::to_string((i % 50) * 2 + 1), y1 = std::to_string((i / 50) * 2 + 1);
    squares += std::string(i == 0 ? "" : ",") + "{\"outer\":[[" + x + "," + y + ",0],[" + x1 + "," +
               y + ",0],[" + x1 + "," + y1 + ",0],[" + x + "," + y1 + ",0]]}";
  }
  std::string instances;
  for (int i = 0; i < kInstances; ++i) {
    instances += std::string(i == 0 ? "" : ",") +
                 "{\"definition\":\"tile\",\"transform\":[1,0,0,0,0,1,0,0,0,0,1,0," +
                 std::to_string(i * 110) + ",0,0,1]}";
  }
  return "{\"definitions\":[{\"name\":\"tile\",\"entities\":{\"faces\":[" + squares +
         "]}}],\"entities\":{\"instances\":[" + instances + "]}}";
}

// The percentage of a loading title, or -1 for any other title.
int loading_percent(const std::wstring& title) {
  const std::wstring prefix = kLoadingPrefix;
  if (title.compare(0, prefix.size(), prefix) != 0 || title.back() != L'%') return -1;
  return std::stoi(title.substr(prefix.size()));
}

class LoadE2E : public ::testing::Test {
 protected:
  LoadE2E() : folder_(L"e2e_load") {}
  void SetUp() override {
    model_ = folder_ / L"large.skp";
    ASSERT_TRUE(wintest::write_file(model_, large_model()));
  }
  wintest::TempFolder folder_;
  std::wstring model_;
};

TEST_F(LoadE2E, WindowAnswersWhileLoadingAndTheTitleCountsUpToTheResult) {
  e2e::Process lumeno(e2e::lumeno_exe(), L"\"" + model_ + L"\"", L"");
  ASSERT_TRUE(lumeno.started());
  HWND window = lumeno.wait_for_window(L"TessaryNativeWnd", kStartTimeout);
  ASSERT_NE(window, nullptr);

  const std::wstring counts = L"Lumeno — 顶点: 1200000 | 三角形: 400000 | 边线: 0 | 纹理: 0";
  std::vector<int> percents;
  int answered_while_loading = 0;
  std::wstring title;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 180000) {
    title = e2e::window_text(window);
    const int percent = loading_percent(title);
    if (percent < 0) {
      if (title == counts || !percents.empty()) break;
    } else {
      if (percents.empty() || percents.back() != percent) percents.push_back(percent);
      DWORD_PTR ignored = 0;
      // Answered at once, and the load still running afterwards: it was answered mid-load.
      if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored) != 0 &&
          loading_percent(e2e::window_text(window)) >= 0) {
        ++answered_while_loading;
      }
    }
    Sleep(5);
  }
  EXPECT_EQ(e2e::wait_for_title(window, counts, 60000), counts);
  ASSERT_FALSE(percents.empty()) << "no percentage seen; last title " << title.size();
  EXPECT_GE(answered_while_loading, 1);
  for (size_t i = 1; i < percents.size(); ++i) EXPECT_LT(percents[i - 1], percents[i]);
  EXPECT_LE(percents.back(), 100);

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(lumeno.wait(30000), 0u);
}

TEST_F(LoadE2E, ClosingTheWindowMidLoadEndsTheProcessCleanly) {
  e2e::Process lumeno(e2e::lumeno_exe(), L"\"" + model_ + L"\"", L"");
  ASSERT_TRUE(lumeno.started());
  HWND window = lumeno.wait_for_window(L"TessaryNativeWnd", kStartTimeout);
  ASSERT_NE(window, nullptr);
  // Closed as soon as the loading title is up.
  std::wstring title;
  const DWORD start = GetTickCount();
  do {
    title = e2e::window_text(window);
  } while (loading_percent(title) < 0 && title == L"Lumeno" && GetTickCount() - start < 60000);
  ASSERT_GE(loading_percent(title), 0) << "no loading title before the close";
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(lumeno.wait(60000), 0u);
}

}  // namespace
