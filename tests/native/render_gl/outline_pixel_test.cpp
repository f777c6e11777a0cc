// A face outline as drawn: a dark line over the faces it lies on, under the edge toggle and the
// layer rule like the standalone edges.
#include <gtest/gtest.h>

#include <algorithm>

#include "gl_fixture.h"

namespace {

class OutlinePixels : public GlPixelTest {
 protected:
  // Two white squares sharing the outline x = 0 on layer 0, seen from above at two angles.
  void SetUp() override {
    GlPixelTest::SetUp();
    add_quad(model_, {-20, -20, 0}, {0, -20, 0}, {0, 20, 0}, {-20, 20, 0}, kWhite);
    add_quad(model_, {0, -20, 0}, {20, -20, 0}, {20, 20, 0}, {0, 20, 0}, kWhite);
    EdgeData outline;
    outline.start[1] = -20.0f;
    outline.end[1] = 20.0f;
    outline.edge_layer = 0;
    model_.outline_edges.push_back(outline);
    model_.layers.resize(1);
    finish_model(model_);
  }
  // The darkest grey within a pixel of where the outline's point (0, y) appears.
  int darkest_near(const Viewport& pane, float y) const {
    int px = 0, py = 0, darkest = 255;
    project(model_, pane, {0, y, 0}, px, py);
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy) darkest = std::min(darkest, at(px + dx, py + dy).r);
    return darkest;
  }
  SkpModel model_;
};

TEST_F(OutlinePixels, LineShowsOverItsFacesUnlessToggledOffOrOnAHiddenLayer) {
  const struct {
    bool show_edges, layer_visible, line;
  } cases[] = {{true, true, true}, {false, true, false}, {true, false, false}};
  const int edge_grey = static_cast<int>(kEdgeGrey * 255.0f + 0.5f);
  for (const auto& c : cases) {
    for (const Viewport& pane : {full_pane(89, 0, 75), full_pane(40, 30, 75)}) {
      model_.layers[0].visible = c.layer_visible;
      RenderOptions options;
      options.show_lighting = false;
      options.show_edges = c.show_edges;
      draw(model_, {pane}, options);
      for (float y : {-10.0f, 0.0f, 10.0f}) {
        EXPECT_NEAR(darkest_near(pane, y), c.line ? edge_grey : 255, 40)
            << "edges " << c.show_edges << ", layer " << c.layer_visible << ", y " << y;
      }
    }
  }
}

}  // namespace
