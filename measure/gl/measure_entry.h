// The window's one call to set measurement up: builds the feature with the GL depth picker,
// registers its commands and its drawing in every pane. Call once at start-up, after the GL
// renderer exists; keep the returned object for the life of the window.
#pragma once

#include <memory>

#include "core/app_context.h"
#include "measure/gl/depth_picker.h"
#include "measure/measure_feature.h"

class GlRenderer;
class GlyphSource;

namespace lumeno {

class MeasureModule : private MeasureSink {
 public:
  // `glyphs` draws the labels (null: lines and fills only); it must outlive the module.
  MeasureModule(AppContext& context, GlRenderer& renderer, GlyphSource* glyphs);
  MeasureFeature& feature() { return feature_; }

 private:
  void show_toast(const std::wstring& text, int duration_ms) override;
  void invalidate() override;

  AppContext& context_;
  GlDepthPicker picker_;
  MeasureFeature feature_;
};

std::unique_ptr<MeasureModule> make_measure(AppContext& context, GlRenderer& renderer,
                                            GlyphSource* glyphs);

}  // namespace lumeno
