// Files dropped on the main window: a real drop handle handed to the window's handler.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include "tests/windows/bound_sdk_fixture.h"
#include "tests/windows/win_test_util.h"
#include "ui/viewer_window.h"

namespace {

const char kSquare[] = R"({"entities":{"faces":[{"outer":[[0,0,0],[10,0,0],[10,10,0],[0,10,0]]}]}})";

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
  std::wstring model_file(const std::wstring& relative) {
    const std::wstring path = folder_ / relative;
    EXPECT_TRUE(wintest::write_file(path, kSquare));
    return path;
  }
  wintest::TempFolder folder_;
  ViewerWindow window_;  // never created: the handler needs no window for a good model
};

TEST_F(DropFiles, UpperCaseSkpOpens) {
  const std::wstring path = model_file(L"MODEL.SKP");
  window_.on_drop_files(make_drop({path}));
  EXPECT_EQ(window_.viewer.document.path, path);
  EXPECT_TRUE(window_.viewer.document.model.loaded);
  EXPECT_EQ(window_.viewer.document.model.triangles.size(), 2u);
}

TEST_F(DropFiles, OtherExtensionsAndPeriodsInFolderNamesAreIgnored) {
  CreateDirectoryW((folder_ / L"v1.2").c_str(), nullptr);
  const std::wstring cases[] = {model_file(L"plan.dwg"), model_file(L"v1.2\\model"),
                                model_file(L"model.skp.bak")};
  for (const auto& path : cases) {
    window_.on_drop_files(make_drop({path}));
    EXPECT_EQ(window_.viewer.document.path, L"") << std::string(path.begin(), path.end());
    EXPECT_FALSE(window_.viewer.document.model.loaded);
  }
}

TEST_F(DropFiles, OnlyTheFirstOfSeveralFilesCounts) {
  window_.on_drop_files(make_drop({model_file(L"first.dwg"), model_file(L"second.skp")}));
  EXPECT_EQ(window_.viewer.document.path, L"");
  const std::wstring rhino = model_file(L"house.3dm");
  window_.on_drop_files(make_drop({rhino, model_file(L"other.dwg")}));
  EXPECT_EQ(window_.viewer.document.path, rhino);
}

}  // namespace
