// The GL side of the viewer that needs no window system: fixed state, the display lists the
// model is recorded in, the GL textures made from its texture records, and the frame.
//
// The Win32 shell creates and makes current the context, then calls start(); WM_PAINT calls
// render() and swaps buffers; WM_DESTROY calls stop() before the context goes. Everything the
// frame depends on (model, panes, toggles, overlays) is passed in, so that the same object draws
// offscreen in tests.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/app_context.h"
#include "model/skp_model.h"
#include "render/camera_math.h"
#include "render/gl/glyph_source.h"
#include "render/gl/render_options.h"
#include "render/navigator.h"
#include "render/viewport.h"

// One frame's input.
struct FrameInput {
  const SkpModel* model = nullptr;                    // null draws as no model loaded
  // The document revision `model` belongs to: the display lists and textures are built again
  // whenever it differs from the revision they were built for.
  uint64_t model_revision = 1;
  const std::vector<Viewport>* viewports = nullptr;   // panes in drawing order
  int client_width = 0;
  int client_height = 0;
  DisplayOptions options;
  // Drawn in every pane after the model and edges, with the pane's camera (measurements).
  const std::vector<lumeno::PaneOverlay>* pane_overlays = nullptr;
  // The axis navigator, rebuilt and drawn from `active_camera` when both are set and
  // options.show_navigator is on, with or without a model.
  lumeno::AxisNavigator* navigator = nullptr;
  const Camera* active_camera = nullptr;
  // Drawn over everything while not empty.
  std::wstring toast_text;
  // Font for labels and toasts; null draws no text (the navigator then shows its icon).
  GlyphSource* glyphs = nullptr;
};

// Light 0: a directional light fixed in world space, mirrored by the reverse toggle.
constexpr float kLightDirection[4] = {0.5f, 1.0f, 0.8f, 0.0f};
constexpr float kReversedLightDirection[4] = {-0.5f, -1.0f, -0.8f, 0.0f};
constexpr float kLightAmbient[4] = {0.3f, 0.3f, 0.3f, 1.0f};
constexpr float kLightDiffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
// Face material while materials are off.
constexpr float kPlainMaterialGrey = 0.9f;
constexpr float kEdgeGrey = 0.1f;
constexpr float kEdgeWidth = 1.2f;
constexpr float kPerformanceEdgeWidth = 1.0f;

class GlRenderer {
 public:
  GlRenderer() = default;
  ~GlRenderer() = default;  // GL objects die with their context; call stop() while it lives
  GlRenderer(const GlRenderer&) = delete;
  GlRenderer& operator=(const GlRenderer&) = delete;

  // Fixed state once the context is current: depth test, normalisation, colour tracking of
  // ambient and diffuse on both sides, day clear colour, line width 1.
  void start();
  // Deletes the display lists and textures. Safe to call twice; calls no GL when there is
  // nothing to delete.
  void stop();

  // The next frame with a model re-records the lists and re-uploads the textures whatever its
  // revision (a context that lost its objects). Display toggles never need this.
  void invalidate_display_list() { built_revision_ = 0; }
  bool display_list_valid() const { return built_revision_ != 0; }

  // Uploads the textures and records the lists from `model`, remembering its revision.
  void build_display_list(const SkpModel& model, uint64_t revision = 1);
  void upload_textures(const SkpModel& model);
  void cleanup_textures();

  // One frame into the current draw buffer: clear, panes (building the lists first when
  // stale), what comes after the panes, navigator, toast.
  void render(const FrameInput& frame);

  // One pane: GL viewport and scissor box (client rectangle converted to GL's bottom-left
  // origin), camera, grid, axes, model, edges. A pane of zero width or height draws nothing.
  void render_viewport(const Viewport& viewport, const lumeno::Vec3& centre, int client_height,
                       const DisplayOptions& options,
                       const std::vector<lumeno::PaneOverlay>* overlays = nullptr);
  // Draws one pane again into the depth buffer only (colour writes off, the pane's depth cleared
  // first), as the last frame drew it: a depth read then sees what the user sees even where the
  // driver discarded the depth buffer when the buffers were swapped. Leaves the pane's GL
  // viewport and camera loaded.
  void render_pane_depth(const Viewport& viewport, const lumeno::Vec3& centre, int client_height,
                         const DisplayOptions& options);
  // The faces, with the camera loaded: opaque ones first with depth writes, then the
  // transparent ones blended without depth writes.
  void render_model(const DisplayOptions& options);
  void render_edges(const DisplayOptions& options);

  unsigned int model_list() const { return model_list_; }
  unsigned int transparent_list() const { return transparent_list_; }
  unsigned int edge_list() const { return edge_list_; }
  const std::vector<unsigned int>& texture_names() const { return texture_names_; }

 private:
  void delete_lists();

  unsigned int model_list_ = 0;        // opaque faces (all faces when none is transparent)
  unsigned int transparent_list_ = 0;  // 0 when the model has no transparent material
  unsigned int edge_list_ = 0;
  uint64_t built_revision_ = 0;  // revision the lists were built for; 0 for none
  // Faces are pushed back behind their outlines when drawn for the eye; the depth pass for
  // picking draws them where they are, so a picked point lies on its face.
  bool offset_faces_ = true;
  std::vector<unsigned int> texture_names_;  // per texture record; 0 where unusable
};
