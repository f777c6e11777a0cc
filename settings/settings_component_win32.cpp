// The settings feature as the window creates it: platform, feature, commands, load and save.
#include "core/app_context.h"
#include "model/document.h"
#include "sdk/sketchup_api.h"
#include "settings/settings_win32.h"
#include "core/status_toast.h"

namespace lumeno {

SettingsComponent::SettingsComponent(AppContext& ctx, WalkSettings& walk, HWND owner)
    : platform(owner),
      feature(SettingsServices{
          ctx.document, ctx.panes, ctx.display, ctx.navigation, walk, ctx.host,
          [&status = ctx.status](const std::wstring& text, int ms) { status.show_toast(text, ms); },
          SketchUpAPI::instance(), platform}) {}

std::unique_ptr<SettingsComponent> make_settings(AppContext& ctx, WalkSettings& walk,
                                                 HWND main_window) {
  auto component = std::make_unique<SettingsComponent>(ctx, walk, main_window);
  SettingsFeature& feature = component->feature;
  for (Command& command : feature.commands()) ctx.commands.add(std::move(command));
  feature.load_settings();
  ctx.on_destroy.push_back([&feature] { feature.save_settings(); });
  return component;
}

}  // namespace lumeno
