#include "measure/gl/measure_entry.h"

#include "core/command_registry.h"
#include "measure/gl/measure_draw.h"
#include "model/document.h"
#include "core/status_toast.h"
#include "core/viewer_host.h"

namespace lumeno {

MeasureModule::MeasureModule(AppContext& context, GlRenderer& renderer, GlyphSource* glyphs)
    : context_(context),
      picker_(renderer, context.document.model, context.display),
      feature_(*this, context.panes, context.navigator, context.host, context.tools, picker_) {
  for (Command& command : feature_.commands()) context.commands.add(std::move(command));
  const Measurement& state = feature_.measurement();
  context.pane_overlays.push_back(
      [&state, glyphs](const Viewport&) { render_measurements(state, glyphs); });
}

void MeasureModule::show_toast(const std::wstring& text, int duration_ms) {
  context_.status.show_toast(text, duration_ms);
}

void MeasureModule::invalidate() { context_.host.invalidate(); }

std::unique_ptr<MeasureModule> make_measure(AppContext& context, GlRenderer& renderer,
                                            GlyphSource* glyphs) {
  return std::make_unique<MeasureModule>(context, renderer, glyphs);
}

}  // namespace lumeno
