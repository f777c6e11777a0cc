#include "render/gl/renderer.h"

#include "render/gl/camera_gl.h"
#include "render/gl/display_lists.h"
#include "render/gl/gl_api.h"
#include "render/gl/overlays.h"
#include "render/gl/texture_upload.h"

void GlRenderer::start() {
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_NORMALIZE);
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glClearColor(kDayClearColour.r, kDayClearColour.g, kDayClearColour.b, kDayClearColour.a);
  glLineWidth(1.0f);
}

void GlRenderer::stop() {
  cleanup_textures();
  delete_lists();
  built_revision_ = 0;
}

void GlRenderer::delete_lists() {
  for (unsigned int* list : {&model_list_, &transparent_list_, &edge_list_}) {
    if (*list != 0) glDeleteLists(*list, 1);
    *list = 0;
  }
}

void GlRenderer::cleanup_textures() {
  for (unsigned int name : texture_names_)
    if (name != 0) glDeleteTextures(1, &name);
  texture_names_.clear();
}

void GlRenderer::upload_textures(const SkpModel& model) {
  cleanup_textures();
  if (model.textures.empty()) return;
  texture_names_.assign(model.textures.size(), 0);
  for (size_t i = 0; i < model.textures.size(); ++i)
    texture_names_[i] = upload_texture(model.textures[i]);
  glBindTexture(GL_TEXTURE_2D, 0);
}

void GlRenderer::build_display_list(const SkpModel& model, uint64_t revision) {
  delete_lists();
  upload_textures(model);
  if (model.has_transparency) {
    model_list_ = record_triangle_list(model, texture_names_, FacePass::Opaque);
    transparent_list_ = record_triangle_list(model, texture_names_, FacePass::Transparent);
  } else {
    model_list_ = record_triangle_list(model, texture_names_, FacePass::All);
  }
  edge_list_ = record_edge_list(model);
  built_revision_ = revision;
}

void GlRenderer::render(const FrameInput& frame) {
  const ClearColour clear = clear_colour(frame.options);
  glClearColor(clear.r, clear.g, clear.b, clear.a);
  glDisable(GL_SCISSOR_TEST);
  glDepthMask(GL_TRUE);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  if (frame.model != nullptr && frame.model->loaded) {
    if (built_revision_ == 0 || built_revision_ != frame.model_revision)
      build_display_list(*frame.model, frame.model_revision);
    if (frame.viewports != nullptr) {
      // One centre for every pane of the frame.
      const lumeno::Vec3 centre = lumeno::view_bounds(*frame.model).centre();
      for (const Viewport& viewport : *frame.viewports)
        render_viewport(viewport, centre, frame.client_height, frame.options,
                        frame.pane_overlays);
    }
  }

  if (frame.options.show_navigator && frame.navigator != nullptr &&
      frame.active_camera != nullptr)
    render_axis_navigator(*frame.navigator, *frame.active_camera, frame.client_width,
                          frame.client_height, frame.glyphs);

  if (!frame.toast_text.empty())
    render_toast(frame.toast_text, frame.client_width, frame.client_height, frame.glyphs);
}

void GlRenderer::render_viewport(const Viewport& viewport, const lumeno::Vec3& centre,
                                 int client_height, const DisplayOptions& options,
                                 const std::vector<lumeno::PaneOverlay>* overlays) {
  // A pane with no pixels (a minimised window, a strip narrower than the list panel) draws
  // nothing. GL refuses a negative size, which would leave the previous pane's viewport and
  // scissor box in force and draw this camera over that pane.
  if (viewport.width <= 0 || viewport.height <= 0) return;
  const GLint bottom = client_height - viewport.y - viewport.height;
  glViewport(viewport.x, bottom, viewport.width, viewport.height);
  glScissor(viewport.x, bottom, viewport.width, viewport.height);
  glEnable(GL_SCISSOR_TEST);

  setup_camera(viewport.camera, viewport, centre);
  render_grid();
  render_axes();
  render_model(options);
  if (options.show_edges && edge_list_ != 0) render_edges(options);
  if (overlays != nullptr)
    for (const lumeno::PaneOverlay& overlay : *overlays)
      if (overlay) overlay(viewport);

  glDisable(GL_SCISSOR_TEST);
}

void GlRenderer::render_pane_depth(const Viewport& viewport, const lumeno::Vec3& centre,
                                   int client_height, const DisplayOptions& options) {
  if (viewport.width <= 0 || viewport.height <= 0) return;
  glScissor(viewport.x, client_height - viewport.y - viewport.height, viewport.width,
            viewport.height);
  glEnable(GL_SCISSOR_TEST);
  glDepthMask(GL_TRUE);
  glClear(GL_DEPTH_BUFFER_BIT);
  glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  offset_faces_ = false;
  render_viewport(viewport, centre, client_height, options);
  offset_faces_ = true;
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

void GlRenderer::render_model(const DisplayOptions& options) {
  glEnable(GL_COLOR_MATERIAL);
  if (!options.show_materials) {
    // Set while colour tracking is on, the grey becomes the ambient and diffuse material; with
    // tracking then off, the colours recorded in the list no longer change it.
    glColor4f(kPlainMaterialGrey, kPlainMaterialGrey, kPlainMaterialGrey, 1.0f);
    glDisable(GL_COLOR_MATERIAL);
  }

  if (options.show_lighting) {
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    // Given under the view matrix: the direction stays fixed in the world as the camera turns.
    glLightfv(GL_LIGHT0, GL_POSITION,
              options.reverse_shadow ? kReversedLightDirection : kLightDirection);
    glLightfv(GL_LIGHT0, GL_AMBIENT, kLightAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kLightDiffuse);
  } else {
    glDisable(GL_LIGHTING);
  }

  glDisable(GL_BLEND);
  glDepthMask(GL_TRUE);
  // Faces sit a little behind their own outlines, which lie exactly on them and would otherwise
  // lose half their pixels to the depth test.
  if (offset_faces_) glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(1.0f, 1.0f);
  if (model_list_ != 0) glCallList(model_list_);
  if (transparent_list_ != 0) {
    // Glass over what is behind it, without hiding the faces behind from one another.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glCallList(transparent_list_);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
  }
  glDisable(GL_POLYGON_OFFSET_FILL);

  glDisable(GL_LIGHTING);
  glEnable(GL_COLOR_MATERIAL);
}

void GlRenderer::render_edges(const DisplayOptions& options) {
  if (edge_list_ == 0) return;
  glDisable(GL_LIGHTING);
  glColor4f(kEdgeGrey, kEdgeGrey, kEdgeGrey, 1.0f);
  glLineWidth(options.performance_mode ? kPerformanceEdgeWidth : kEdgeWidth);
  glCallList(edge_list_);
}
