// Files dropped on the main window: a real drop handle handed to the window's handler. (Which
// names are accepted is proven by the native suite.)
#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "tests/windows/bound_sdk_fixture.h"
#include "tests/windows/win_test_util.h"
#include "ui/viewer_window.h"

namespace {

// A drop handle as the shell makes it: a DROPFILES header followed by the wide paths, each
// NUL-terminated, and one more NUL.
HDROP make_drop(const std::vector<std::wstring>& paths) {
  size_t chars = 1;
  for (const auto& p : paths) chars += p.size() + 1;
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  auto* text = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(header) + sizeof(DROPFILES));
  for (const auto& p : paths) {
    std::copy(p.begin(), p.end(), text);
    text += p.size() + 1;
  }
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

class DropFiles : public BoundSdkTest {
 protected:
  DropFiles() : folder_(L"drop") {}
  std::wstring model_file(const std::wstring& name) {
    const std::wstring path = folder_ / name;
    EXPECT_TRUE(wintest::write_file(
        path, R"({"entities":{"faces":[{"outer":[[0,0,0],[10,0,0],[10,10,0],[0,10,0]]}]}})"));
    return path;
  }
  wintest::TempFolder folder_;
  ViewerWindow window_;  // never created: the handler needs no window for a good model
};

TEST_F(DropFiles, OnlyTheFirstOfSeveralFilesCounts) {
  window_.on_drop_files(make_drop({model_file(L"first.dwg"), model_file(L"second.skp")}));
  EXPECT_EQ(window_.viewer.document.path, L"");
  EXPECT_FALSE(window_.viewer.document.model.loaded);
  const std::wstring model = model_file(L"模型.SKP");
  window_.on_drop_files(make_drop({model, model_file(L"other.dwg")}));
  EXPECT_EQ(window_.viewer.document.path, model);
  EXPECT_EQ(window_.viewer.document.model.triangles.size(), 2u);
}

}  // namespace
