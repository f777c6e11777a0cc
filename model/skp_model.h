// The model store: one SketchUp file turned into flat, render-ready arrays.
//
// SkpModel opens a file through the SDK table (SketchUpAPI::instance()), copies out its layers,
// geometry (world-space triangles, standalone edges and face outlines), textures and scenes, and
// releases the SDK's model handle before load_from_file returns. Everything that draws, measures,
// picks or walks afterwards reads only the public arrays below.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/vec_math.h"
#include "sdk/su_types.h"

namespace lumeno {
class LoadProgress;
}

// One corner of a stored triangle, in world space.
struct TriangleVertex {
  float x = 0.0f, y = 0.0f, z = 0.0f;     // position, inches
  float nx = 0.0f, ny = 0.0f, nz = 0.0f;  // unit normal (unnormalised when 0.0001 long or less)
  float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;  // colour, byte / 255
  float u = 0.0f, v = 0.0f;                      // texture coordinates, 0 when untextured
  int32_t texture_index = -1;                    // index into SkpModel::textures, -1 for none
};

struct Triangle {
  TriangleVertex vertices[3];    // in the order of the mesh's index triple
  int32_t face_layer = -1;       // the face's own layer (position in SkpModel::layers), -1 none
  int32_t inherited_layer = -1;  // layer of the enclosing group or instance, -1 none
};

// An edge as a world-space segment: a standalone edge (one bounding no face and on no curve) or
// an outline (an edge of faces or curves that a modeller sees).
struct EdgeData {
  float start[3] = {0.0f, 0.0f, 0.0f};
  float end[3] = {0.0f, 0.0f, 0.0f};
  int32_t edge_layer = -1;
  int32_t inherited_layer = -1;
};

// A texture image copied once out of the model, bytes exactly as the SDK delivers them.
struct TextureData {
  int32_t index = -1;  // the record's own position in SkpModel::textures
  size_t width = 0;    // pixels, 1 to 2048
  size_t height = 0;
  size_t bits_per_pixel = 0;
  std::vector<uint8_t> pixels;
};

struct SceneInfo {
  std::string name;  // UTF-8, empty when unreadable
  SUPoint3D eye = {0.0, 0.0, 0.0};
  SUPoint3D target = {0.0, 0.0, 0.0};
  SUVector3D up = {0.0, 0.0, 0.0};
  bool perspective = true;
  double fov = 35.0;  // degrees
  bool has_camera = false;
};

struct LayerInfo {
  std::string name;           // UTF-8, empty when unreadable
  bool model_visible = true;  // as stored in the model
  bool visible = true;        // the viewer's own switch (layer menu)
};

// A transformation applied to points (the traversal's corners and edge ends): the full
// homogeneous transform, divided by the resulting w when it is not 0 (a uniform scale is stored
// as 1/scale in element 15). Group and instance transformations are nearly always affine (last
// row 0 0 0 1): the divide is then by exactly 1 and is left out, which gives the same result to
// the bit for every finite point; a point that is not finite stays not finite either way.
class PointTransform {
 public:
  explicit PointTransform(const SUTransformation& t)
      : t_(t),
        affine_(t.values[3] == 0.0 && t.values[7] == 0.0 && t.values[11] == 0.0 &&
                t.values[15] == 1.0) {}

  lumeno::Vec3d operator()(double x, double y, double z) const {
    const double* m = t_.values;
    if (!affine_) return lumeno::transform_point(t_.values, lumeno::Vec3d{x, y, z});
    // The three rows written out: built from transform_vector plus the translation (the same
    // sums) this measured slower on the load's hottest path.
    return lumeno::Vec3d{m[0] * x + m[4] * y + m[8] * z + m[12],
                         m[1] * x + m[5] * y + m[9] * z + m[13],
                         m[2] * x + m[6] * y + m[10] * z + m[14]};
  }

 private:
  const SUTransformation& t_;
  bool affine_;
};

// The box cameras look at and fit to (SkpModel::view_box).
struct ViewBox {
  lumeno::Vec3 min;
  lumeno::Vec3 max;
};

// Total bytes of texture images one load copies out of a model. Textures beyond it are drawn in
// their average colour, so a model of thousands of large textures still loads.
constexpr size_t kMaxTextureBytesPerLoad = size_t{1} << 30;  // 1 GiB

// One pending entities list of the traversal.
struct EntityWorkItem {
  SUEntitiesRef entities = {nullptr};
  SUTransformation transform = {};  // entities' own coordinates to world
  SUColor colour = {200, 200, 200, 255};
  bool has_colour = false;  // colour comes from an enclosing group's or instance's material
  int32_t inherited_layer = -1;
  int32_t depth = 0;   // 0 for the model's top level
  double share = 1.0;  // this list's part of the whole traversal, for progress reports
};

// How one face looks, decided from its front and back materials.
struct FaceAppearance {
  SUColor colour = {200, 200, 200, 255};
  int32_t texture_index = -1;
  bool textured = false;
};

class SkpModel {
 public:
  // Hard limits of one load. The defaults are the program's; tests lower them to reach the
  // limits with small models.
  struct Limits {
    size_t triangles = 5000000;       // no face is processed once this many are stored
    size_t edges = 2000000;           // no edge is added once this many (both kinds) are stored
    int32_t depth = 64;               // entities nested deeper than this are ignored
    size_t mesh_vertices = 99999;     // a face mesh with more vertices is skipped
    size_t mesh_triangles = 99999;    // a face mesh with more triangles is skipped
    size_t edges_per_list = 500000;   // edges requested from one entities list, per request
    size_t texture_dimension = 2048;  // largest texture width and height
    size_t texture_bytes = 16777216;  // largest texture image (16 MiB)
    size_t texture_bytes_per_load = kMaxTextureBytesPerLoad;  // all texture images together
    size_t scenes = 100;
    size_t layers = 500;
    // Faces, groups or instances requested from one entities list. Bounds a single handle
    // array; no list in a model that fits the triangle limit is longer.
    size_t list_entries = 5000000;
    // Entities lists visited in one load: the top level plus one per group or instance
    // placement. A definition that contains itself, or a very wide and deep instance tree,
    // would otherwise be walked for ages once the triangle limit stops the faces but edges are
    // still sought. Four million placements is far beyond any model the triangle limit lets
    // the viewer show, and hitting it costs about a second.
    size_t work_items = 4000000;
  };

  // Public data, read by the renderer, the window, measurement and walk mode.
  std::vector<Triangle> triangles;
  std::vector<EdgeData> edges;  // standalone edges; their count is the one the window shows
  // Edges of faces and curves that are neither soft, smooth nor hidden, each once per entities
  // list. Drawn with the standalone edges; never counted as standalone.
  std::vector<EdgeData> outline_edges;
  std::vector<TextureData> textures;
  float bbox_min[3];  // reset to 1e10 each
  float bbox_max[3];  // reset to -1e10 each
  std::vector<SceneInfo> scenes;
  std::vector<LayerInfo> layers;
  std::vector<SULayerRef> layer_refs;  // parallel to layers; meaningful only while loading
  size_t vertex_count;                 // 3 × triangles.size()
  bool has_transparency;               // a front material's opacity is below 0.99
  bool loaded;                         // the last load produced a triangle or any edge
  std::string file_path;               // UTF-8 path of the last file the SDK opened
  std::map<void*, int> texture_cache;  // texture handle value -> index in textures

  Limits limits;

  SkpModel();
  ~SkpModel();
  SkpModel(const SkpModel&) = delete;
  SkpModel& operator=(const SkpModel&) = delete;

  // Loads `path` (UTF-8, handed to the SDK unchanged). Returns `loaded`.
  // With `progress`, the load reports how far it has come and stops at the next check once
  // cancelled: the SDK's model is released and this model is left empty (returns false).
  bool load_from_file(const std::string& path, lumeno::LoadProgress* progress = nullptr);
  // Exchanges everything loaded (arrays, box, flags, path) with `other`; the limits stay.
  void swap(SkpModel& other);
  // Back to the empty state.
  void unload();

  // Column-order 4×4 transformations (element 4·column + row).
  // parent × local: a point is transformed by `local` first, then by `parent`.
  static SUTransformation multiply_transforms(const SUTransformation& parent,
                                              const SUTransformation& local);
  // Rotation/scale part only; the caller normalises.
  static void transform_normal(const SUTransformation& t, float& x, float& y, float& z) {
    const lumeno::Vec3d n = lumeno::transform_vector(t.values, lumeno::Vec3d{x, y, z});
    x = static_cast<float>(n.x);
    y = static_cast<float>(n.y);
    z = static_cast<float>(n.z);
  }
  static SUTransformation identity_transform();

  // Entity traversal (model/traversal.cpp).
  void process_entities_iterative(SUEntitiesRef entities, const SUTransformation& transform,
                                  const SUColor& colour, bool has_colour);
  // One face of the list being traversed; the traversal clears mesh_scratch_.normal_known
  // whenever it starts another list, since the remembered normal is only true for one
  // transformation.
  void process_face(SUFaceRef face, const SUTransformation& transform, const SUColor& colour,
                    bool has_colour, int inherited_layer);
  // Stores the list's first edges_per_list standalone edges; `standalone` (when given) receives
  // every standalone edge handle the list reported (up to list_entries), stored or not.
  void process_edges(SUEntitiesRef entities, const SUTransformation& transform, int inherited_layer,
                     std::vector<SUEdgeRef>* standalone = nullptr);
  // Stores the list's other edges that are drawn (not soft, smooth or hidden), leaving out the
  // handles in `standalone`.
  void process_outlines(SUEntitiesRef entities, const SUTransformation& transform,
                        int inherited_layer, std::vector<SUEdgeRef> standalone);
  // Standalone and outline edges together, the number the edge limit bounds.
  size_t stored_edge_count() const { return edges.size() + outline_edges.size(); }

  // Materials and textures (model/materials.cpp).
  FaceAppearance face_appearance(SUFaceRef face, const SUColor& colour, bool has_colour);
  // The texture's index in `textures`, copying the image on first use; -1 when it cannot be
  // copied. `over_budget` (when given) tells whether that was because the images already copied
  // leave no room for this one under limits.texture_bytes_per_load.
  int load_or_find_texture(SUTextureRef texture, bool* over_budget = nullptr);

  // Scenes and layers (model/scenes_layers.cpp).
  void load_scenes(SUModelRef model);
  void load_layers(SUModelRef model);
  int find_layer_index(SULayerRef layer) const;
  int get_drawing_element_layer_index(SUDrawingElementRef element) const;
  int get_face_layer_index(SUFaceRef face) const;
  bool is_layer_visible(int index) const;
  bool is_geometry_visible(int face_layer, int inherited_layer) const;
  void set_layer_visibility(size_t index, bool visible);

  // The box cameras look at and fit to: the bounding box when it is finite and not inverted;
  // otherwise the box of the edges' finite end points (a model of standalone edges only keeps
  // the reset box); otherwise the single point at the origin. Measured once at the end of each
  // load, so drawing does not walk millions of edges per frame; a model filled in by hand
  // instead of loaded is measured on each call.
  ViewBox view_box() const;
  ViewBox measure_view_box() const;

  // Entities lists visited by the last traversal (for tests of the work bound).
  size_t work_items_visited() const { return work_items_visited_; }

 private:
  // load_from_file with progress_ set: open, walk, copy out, release.
  bool read_file(const std::string& path);
  bool cancel_requested() const;
  // Progress of the traversal, `fraction` (0 to 1) of the entity walk done.
  void report_traversal(double fraction);

  lumeno::LoadProgress* progress_ = nullptr;  // set while a load with progress runs
  // process_face's arrays, kept from face to face so that a load does not allocate for every
  // face; emptied when a traversal ends and on unload.
  struct MeshScratch {
    std::vector<SUPoint3D> positions;
    std::vector<SUVector3D> normals;
    std::vector<size_t> indices;
    std::vector<SUPoint3D> stq;
    std::vector<TriangleVertex> corners;  // each mesh vertex once, in world space
    // The last normal turned into world space, as read and as stored; valid within one entities
    // list (one transformation), where flat faces facing the same way repeat it.
    bool normal_known = false;
    lumeno::Vec3 normal_in, normal_out;
    // The texture found last, so that a run of faces in one material skips the cache lookup.
    void* texture_handle = nullptr;
    int texture_position = -1;
  };
  MeshScratch mesh_scratch_;
  // Layer handle -> position in layers, the first position where a handle repeats; filled with
  // layer_refs so that a face or edge finds its layer without a search. The last hit is kept
  // apart: faces and edges read one after the other nearly always share a layer.
  class LayerPositions {
   public:
    void add(void* handle, int position) { positions_.emplace(handle, position); }
    int find(void* handle) const {
      if (handle == last_handle_) return last_position_;
      const auto found = positions_.find(handle);
      if (found == positions_.end()) return -1;
      last_handle_ = handle;
      last_position_ = found->second;
      return last_position_;
    }
    void clear() { *this = LayerPositions{}; }

   private:
    std::unordered_map<void*, int> positions_;
    // A position never changes once added, so a remembered hit stays true until clear().
    mutable void* last_handle_ = nullptr;
    mutable int last_position_ = -1;
  };
  LayerPositions layer_positions_;
  size_t work_items_visited_ = 0;
  size_t texture_bytes_copied_ = 0;
  ViewBox view_box_;
  bool view_box_measured_ = false;
};
