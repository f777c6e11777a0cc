#include "settings/settings_feature.h"

#include "core/bounded_format.h"
#include "core/command_ids.h"
#include "core/viewer_host.h"
#include "model/document.h"
#include "model/sdk_access.h"
#include "render/panes.h"
#include "sdk/sketchup_api.h"
#include "settings/handoff.h"
#include "settings/info_texts.h"
#include "settings/save_as.h"
#include "ui/text_convert.h"

namespace lumeno {
namespace {

constexpr wchar_t kSaveCaption[] = L"另存低版本";
constexpr wchar_t kHandoffCaption[] = L"用 SketchUp 打开";
constexpr wchar_t kOpenFirst[] = L"请先打开一个 SKP 文件。";

}  // namespace

SettingsFeature::SettingsFeature(SettingsServices services) : s_(std::move(services)) {}

SettingsFile SettingsFeature::settings_file() {
  return SettingsFile(s_.platform.profile(), s_.platform.exe_directory(),
                      s_.platform.app_data_directory());
}

void SettingsFeature::load_settings() { settings_file().load(refs()); }

bool SettingsFeature::save_settings() { return settings_file().save(refs()); }

int SettingsFeature::box(const std::wstring& text, const wchar_t* caption, unsigned flags) {
  return s_.host.message_box(text, caption, flags);
}

void SettingsFeature::show_save_lower_version_dialog() {
  const std::wstring source = s_.document.path;
  if (!s_.document.model.loaded || source.empty()) {
    box(kOpenFirst, kSaveCaption, kBoxIconWarning);
    return;
  }
  if (s_.api.SUModelSaveToFileWithVersion == nullptr) {
    box(L"当前 SDK 不支持另存低版本功能。", kSaveCaption, kBoxIconError);
    return;
  }
  // A model being loaded on a worker has the SDK, which takes one caller at a time: the command
  // does nothing until that load has ended.
  std::unique_lock<std::mutex> sdk(model::sdk_lock(), std::try_to_lock);
  if (!sdk.owns_lock()) return;
  const SourceName name = split_source_path(source);
  SaveDialogRequest request;
  request.filter = save_filter();
  request.filter_index = 1;
  request.file_name = default_save_name(name.base);
  request.folder = name.folder;
  request.title = L"另存为低版本 SKP 文件";
  request.default_extension = L"skp";
  SaveDialogResult chosen;
  if (!s_.platform.ask_save_path(request, &chosen)) return;
  const SaveVersion& version = version_for_filter_index(chosen.filter_index);

  const std::string source_utf8 = wide_to_utf8(source);
  const std::string target_utf8 = wide_to_utf8(chosen.path);
  SUModelRef model{};
  if (s_.api.SUModelCreateFromFile == nullptr ||
      s_.api.SUModelCreateFromFile(&model, source_utf8.c_str()) != SU_ERROR_NONE) {
    box(L"无法打开源文件进行转换。", kSaveCaption, kBoxIconError);
    return;
  }
  const SUResult result = s_.api.SUModelSaveToFileWithVersion(
      model, target_utf8.c_str(), static_cast<SUModelVersion>(version.model_version));
  if (s_.api.SUModelRelease != nullptr) s_.api.SUModelRelease(&model);

  if (result != SU_ERROR_NONE) {
    wchar_t text[256] = {};
    format_bounded(text, 256, L"保存失败，错误码：%d", static_cast<int>(result));
    box(text, kSaveCaption, kBoxIconError);
    return;
  }
  wchar_t text[512] = {};
  format_bounded(text, 512, L"文件已成功保存为 %ls 版本。\n\n%ls", version.name,
                 chosen.path.c_str());
  box(text, kSaveCaption, kBoxIconInformation);
}

void SettingsFeature::open_in_sketchup() {
  const std::wstring file = s_.document.path;
  if (!s_.document.model.loaded || file.empty()) {
    box(kOpenFirst, kHandoffCaption, kBoxIconWarning);
    return;
  }
  for (const std::wstring& candidate : sketchup_candidates()) {
    if (s_.platform.is_existing_file(candidate)) {
      // Whether SketchUp then starts is SketchUp's business.
      s_.platform.shell_open(candidate, quoted_parameter(file));
      return;
    }
  }
  if (s_.platform.shell_open(file, L"") <= 32) {
    box(L"未找到 SketchUp 安装。\n\n请确认已安装 SketchUp，或手动关联 .skp 文件。", kHandoffCaption,
        kBoxIconError);
  }
}

void SettingsFeature::show_view_angle_dialog() {
  std::vector<Viewport>& panes = s_.panes.viewports();
  if (panes.empty()) return;
  const int active = s_.panes.active_index();
  Camera& camera =
      panes[active >= 0 && active < static_cast<int>(panes.size()) ? active : 0].camera;
  double typed = 0.0;
  switch (s_.platform.ask_view_angle(camera.fov, &typed)) {
    case DialogOutcome::Cancelled:
      return;
    case DialogOutcome::Failed:
      box(kViewAngleFailedText, kViewAngleCaption, kBoxIconError);
      return;
    case DialogOutcome::Accepted:
      break;
  }
  const float fov = clamp_view_angle(typed);
  camera.perspective = true;
  camera.fov = fov;
  s_.host.update_menu_state();
  s_.host.invalidate();
  if (s_.show_toast) s_.show_toast(view_angle_toast(fov), kViewAngleToastMs);
}

void SettingsFeature::show_preferences_dialog() {
  box(kPreferencesText, kPreferencesCaption, kBoxIconInformation);
}

void SettingsFeature::show_shortcut_dialog() {
  box(kShortcutsText, kShortcutsCaption, kBoxIconInformation);
}

void SettingsFeature::show_about_dialog() { box(about_text(), kAboutCaption, kBoxIconInformation); }

std::vector<Command> SettingsFeature::commands() {
  auto make = [](unsigned id, const wchar_t* text, std::function<void()> run) {
    Command c;
    c.id = id;
    c.text = text;
    c.run = std::move(run);
    return c;
  };
  return {
      make(ID_OPEN_IN_SKETCHUP, L"用 SketchUp 打开", [this] { open_in_sketchup(); }),
      make(ID_SAVE_LOWER_VERSION, L"另存低版本", [this] { show_save_lower_version_dialog(); }),
      make(ID_VIEW_ANGLE, L"视角...", [this] { show_view_angle_dialog(); }),
      make(ID_PREFERENCES, L"偏好设置...", [this] { show_preferences_dialog(); }),
      make(ID_SHORTCUTS, L"快捷键设置...", [this] { show_shortcut_dialog(); }),
      make(ID_ABOUT, L"关于", [this] { show_about_dialog(); }),
  };
}

}  // namespace lumeno
