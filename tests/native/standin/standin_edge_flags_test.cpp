// Soft, smooth and hidden edges: flags of standalone edges, and through "face_edges" of the edges
// bounding faces; edges without them are hard and shown.
#include "standin_test_support.h"

namespace {

using namespace standin_test;

TEST(StandinEdgeFlags, FaceEdgesTakeFlagsAndLayerFromTheEntryTheyMatch) {
  SketchUpAPI& a = api();
  ModelFile file(R"({"layers": [{"name": "L"}], "entities": {
    "faces": [{"outer": [[0,0,0],[1,0,0],[1,1,0],[0,1,0]]},
              {"outer": [[1,0,0],[2,0,0],[2,1,0],[1,1,0]]}],
    "edges": [{"start": [5,0,0], "end": [6,0,0], "hidden": true}],
    "face_edges": [{"start": [1,1,0], "end": [1,0,0], "soft": true, "smooth": true, "layer": "L"},
                   {"start": [0,0,0], "end": [1,0,0], "hidden": true},
                   {"start": [9,9,9], "end": [8,8,8], "soft": true}]}})");
  const std::vector<SUEdgeRef> edges = edges_of(file.entities(), false);
  ASSERT_EQ(edges.size(), 8u) << "the shared edge once; an unmatched entry adds no edge";
  int soft = 0, smooth = 0, hidden = 0, on_layer = 0;
  for (const SUEdgeRef& e : edges) {
    bool s = false, m = false, h = false;
    SULayerRef layer{nullptr};
    const SUDrawingElementRef element = a.SUEdgeToDrawingElement(e);
    ASSERT_EQ(a.SUEdgeGetSoft(e, &s) | a.SUEdgeGetSmooth(e, &m) |
                  a.SUDrawingElementGetHidden(element, &h) |
                  a.SUDrawingElementGetLayer(element, &layer),
              SU_ERROR_NONE);
    soft += s;
    smooth += m;
    hidden += h;
    on_layer += layer.ptr != nullptr;
    EXPECT_EQ(s, layer.ptr != nullptr) << "the soft entry is the one on L";
  }
  EXPECT_EQ(soft, 1);
  EXPECT_EQ(smooth, 1);
  EXPECT_EQ(hidden, 2) << "the standalone edge and one face edge";
  EXPECT_EQ(on_layer, 1);
  bool h = true;
  EXPECT_EQ(a.SUDrawingElementGetHidden(a.SUFaceToDrawingElement(faces_of(file.entities())[0]), &h),
            SU_ERROR_NONE);
  EXPECT_FALSE(h);
  EXPECT_EQ(a.SUEdgeGetSoft(edges[0], nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
}

TEST(StandinEdgeFlags, MalformedFlagsRefuseTheFile) {
  for (const char* text :
       {R"({"entities": {"edges": [{"start": [0,0,0], "end": [1,0,0], "soft": 1}]}})",
        R"({"entities": {"face_edges": [{"start": [0,0,0], "end": [1,0,0], "hidden": "yes"}]}})",
        R"({"entities": {"face_edges": [{"start": [0,0,0]}]}})",
        R"({"entities": {"face_edges": {}}})"}) {
    ModelFile(text, SU_ERROR_MODEL_INVALID);
  }
}

}  // namespace
