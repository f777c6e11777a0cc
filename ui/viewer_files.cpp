#include "ui/viewer_files.h"

#include "core/bounded_format.h"
#include "model/skp_model.h"
#include "render/camera_math.h"
#include "ui/text_convert.h"
#include "ui/viewer.h"

namespace lumeno {

const wchar_t kLoadingStatus[] = L"正在加载...";
const wchar_t kLoadingProgressStatus[] = L"加载中...";
const wchar_t kLoadFailedStatus[] = L"加载失败";
const wchar_t kLoadErrorText[] = L"无法打开模型文件。\n请确认文件格式正确且 SDK DLL 已就位。";
const wchar_t kLoadErrorCaption[] = L"加载错误";
const wchar_t kModelInfoCaption[] = L"模型信息";
const wchar_t kOpenModelFirst[] = L"请先打开一个模型文件。";

namespace {
constexpr size_t kTitleChars = 256;
constexpr size_t kInfoChars = 1024;
}  // namespace

std::wstring path_extension_lower(const std::wstring& path) {
  const size_t dot = path.rfind(L'.');
  if (dot == std::wstring::npos) return std::wstring();
  std::wstring ext = path.substr(dot);
  // ASCII only: the accepted extensions are ASCII, and no other character may fold into one.
  for (wchar_t& c : ext) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return ext;
}

bool accepts_dropped_path(const std::wstring& path) {
  const std::wstring ext = path_extension_lower(path.substr(0, kMaxPathChars));
  return ext == L".skp" || ext == L".3dm";
}

std::wstring open_dialog_filter() {
  static const wchar_t kFilter[] =
      L"SketchUp (*.skp)\0*.skp\0Rhino (*.3dm)\0*.3dm\0所有支持的文件\0*.skp;*.3dm\0";
  // sizeof includes the literal's own terminator: the list's closing second NUL.
  return std::wstring(kFilter, sizeof(kFilter) / sizeof(kFilter[0]));
}

std::wstring loading_progress_text(int percent) {
  return std::wstring(kLoadingProgressStatus) + L" " + std::to_wstring(percent) + L"%";
}

std::wstring load_result_text(const SkpModel& model) {
  wchar_t buffer[kTitleChars];
  format_bounded(buffer, kTitleChars, L"顶点: %zu | 三角形: %zu | 边线: %zu | 纹理: %zu%ls",
                 model.vertex_count, model.triangles.size(), model.edges.size(),
                 model.textures.size(), model.has_transparency ? L" | 含透明材质" : L"");
  return buffer;
}

std::wstring model_info_text(const SkpModel& model) {
  // The model's box, or for a model of standalone edges (whose box stays at its reset values)
  // the box of its edges, so the numbers describe the model.
  const ViewBounds b = view_bounds(model);
  wchar_t buffer[kInfoChars];
  format_bounded(buffer, kInfoChars,
                 L"模型统计信息\n\n顶点数: %zu\n三角形数: %zu\n边线数: %zu\n纹理数: %zu\n"
                 L"场景页: %zu\n图层数: %zu\n透明材质: %ls\n\n包围盒:\n  X: %.1f ~ %.1f\n"
                 L"  Y: %.1f ~ %.1f\n  Z: %.1f ~ %.1f\n  对角线: %.1f",
                 model.vertex_count, model.triangles.size(), model.edges.size(),
                 model.textures.size(), model.scenes.size(), model.layers.size(),
                 model.has_transparency ? L"是" : L"否", static_cast<double>(b.min.x),
                 static_cast<double>(b.max.x), static_cast<double>(b.min.y),
                 static_cast<double>(b.max.y), static_cast<double>(b.min.z),
                 static_cast<double>(b.max.z), static_cast<double>(b.diagonal()));
  return buffer;
}

bool Viewer::open_file(const std::wstring& path) {
  document.path = path;
  return open_file_utf8(wide_to_utf8(path));
}

bool Viewer::open_file_utf8(const std::string& path) {
  // The synchronous load: no worker may be using the SDK meanwhile.
  cancel_load();
  loader_.stop();
  status.set_title_status(kLoadingStatus);
  // The previous model is emptied by the load whatever its outcome: what is derived from it is
  // stale either way.
  const bool ok = document.model.load_from_file(path);
  finish_load(ok);
  return ok;
}

void Viewer::finish_load(bool ok) {
  SkpModel& model = document.model;
  document.touch();
  if (ok) {
    if (model.loaded) fit_view();
    status.show_load_result(load_result_text(model));
    host_.rebuild_scene_menu();
    host_.update_menu_state();
  } else {
    // The failure stays in the title: a load result still waiting from an earlier load must
    // not clear it, not even while the box below runs its own message loop.
    status.show_lasting_status(kLoadFailedStatus);
    host_.message_box(kLoadErrorText, kLoadErrorCaption, kBoxIconError | kBoxOk);
  }
  host_.invalidate();
}

void Viewer::show_model_info() {
  const SkpModel& model = document.model;
  if (!model.loaded) {
    host_.message_box(kOpenModelFirst, kModelInfoCaption, kBoxIconInformation | kBoxOk);
    return;
  }
  host_.message_box(model_info_text(model), kModelInfoCaption, kBoxIconInformation | kBoxOk);
}

}  // namespace lumeno
