// A face outline as drawn: a dark line over the faces it lies on, under the edge toggle and the
// layer rule like the standalone edges.
#include <gtest/gtest.h>

#include "gl_fixture.h"

namespace {

class OutlinePixels : public GlPixelTest {
 protected:
  // Two white squares sharing the outline x = 5 on layer 0, clear of the grid and the axes.
  void SetUp() override {
    GlPixelTest::SetUp();
    add_quad(model_, {-15, -20, 5}, {5, -20, 5}, {5, 20, 5}, {-15, 20, 5}, kWhite);
    add_quad(model_, {5, -20, 5}, {25, -20, 5}, {25, 20, 5}, {5, 20, 5}, kWhite);
    EdgeData outline = {{5, -20, 5}, {5, 20, 5}, 0, -1};
    outline.edge_layer = 0;
    model_.outline_edges.push_back(outline);
    model_.layers.resize(1);
    finish_model(model_);
  }
  // The darkest pixel within one of where the outline's point (5, y) appears.
  Rgb darkest_near(const Viewport& pane, float y) const {
    int px = 0, py = 0;
    project(model_, pane, {5, y, 5}, px, py);
    Rgb darkest{255, 255, 255};
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy) {
        const Rgb c = at(px + dx, py + dy);
        if (c.r + c.g + c.b < darkest.r + darkest.g + darkest.b) darkest = c;
      }
    }
    return darkest;
  }
  SkpModel model_;
};

TEST_F(OutlinePixels, LineShowsOverItsFacesUnlessToggledOffOrOnAHiddenLayer) {
  const struct {
    bool show_edges, layer_visible, line;
  } cases[] = {{true, true, true}, {false, true, false}, {true, false, false}};
  const Rgb edge_grey = rgb_from_floats(kEdgeGrey, kEdgeGrey, kEdgeGrey), white{255, 255, 255};
  for (const auto& c : cases) {
    for (const Viewport& pane : {full_pane(89, 0, 75), full_pane(40, 30, 75)}) {
      model_.layers[0].visible = c.layer_visible;
      RenderOptions options;
      options.show_lighting = false;
      options.show_edges = c.show_edges;
      renderer_.stop();  // the lists are recorded again, under the new layer state
      draw(model_, {pane}, options);
      for (float y : {-10.0f, 0.0f, 10.0f}) {
        EXPECT_PRED3(near, darkest_near(pane, y), c.line ? edge_grey : white, 40)
            << "edges " << c.show_edges << ", layer " << c.layer_visible << ", y " << y;
      }
    }
  }
}

}  // namespace
