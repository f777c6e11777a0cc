// A face outline as drawn: a dark line over the faces it lies on (not lost to the depth test),
// under the edge toggle and the layer rule like the standalone edges.
#include <gtest/gtest.h>

#include "gl_fixture.h"

namespace {

TEST_F(GlPixelTest, OutlineShowsOverItsFacesUnlessToggledOffOrOnAHiddenLayer) {
  // Two white squares sharing the outline x = 5 on layer 0, clear of the grid and the axes.
  SkpModel model;
  add_quad(model, {-15, -20, 5}, {5, -20, 5}, {5, 20, 5}, {-15, 20, 5}, kWhite);
  add_quad(model, {5, -20, 5}, {25, -20, 5}, {25, 20, 5}, {5, 20, 5}, kWhite);
  model.outline_edges.push_back(EdgeData{{5, -20, 5}, {5, 20, 5}, 0, -1});
  model.layers.resize(1);
  finish_model(model);
  const Rgb grey = rgb_from_floats(kEdgeGrey, kEdgeGrey, kEdgeGrey), white{255, 255, 255};
  const struct {
    bool show_edges, layer_visible, line;
  } cases[] = {{true, true, true}, {false, true, false}, {true, false, false}};
  for (const auto& c : cases) {
    model.layers[0].visible = c.layer_visible;
    RenderOptions options;
    options.show_lighting = false;
    options.show_edges = c.show_edges;
    const Viewport pane = full_pane(40, 30, 75);
    renderer_.stop();  // record the lists again, under the new layer state
    draw(model, {pane}, options);
    for (float y : {-10.0f, 0.0f, 10.0f}) {
      // The darkest pixel within one of where the outline's point appears.
      int px = 0, py = 0;
      project(model, pane, {5, y, 5}, px, py);
      Rgb darkest = white;
      for (int d = 0; d < 9; ++d) {
        const Rgb p = at(px + d % 3 - 1, py + d / 3 - 1);
        if (p.r + p.g + p.b < darkest.r + darkest.g + darkest.b) darkest = p;
      }
      EXPECT_PRED3(near, darkest, c.line ? grey : white, 40)
          << "edges " << c.show_edges << ", layer " << c.layer_visible << ", y " << y;
    }
  }
}

}  // namespace
