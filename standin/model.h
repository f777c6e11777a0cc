// The in-memory model the stand-in SDK serves. Every SDK handle is a pointer to one of these
// objects; each starts with an ObjectHeader so that a handle of the wrong kind (or a stale string)
// is recognised and answered with an error code instead of being misread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "sdk/su_types.h"
#include "standin/entry_ids.h"

namespace standin {

enum class Kind : uint16_t {
  Model = 1,
  Entities,
  Face,
  Edge,
  Vertex,
  Group,
  Instance,
  Definition,
  Material,
  Texture,
  Layer,
  Scene,
  Camera,
  MeshHelper,
  String
};

constexpr uint32_t kLiveTag = 0x4E53544Cu;  // marks a live stand-in object

struct Model;

struct ObjectHeader {
  explicit ObjectHeader(Kind k) : kind(k) {}
  ~ObjectHeader() { tag = 0; }
  ObjectHeader(const ObjectHeader&) = delete;
  ObjectHeader& operator=(const ObjectHeader&) = delete;

  uint32_t tag = kLiveTag;
  Kind kind;
  Model* model = nullptr;           // owning model; null for strings and mesh helpers
  const FailSet* fails = nullptr;   // this element's own failing entry points, null when none
};

struct Layer : ObjectHeader {
  Layer() : ObjectHeader(Kind::Layer) {}
  std::string name;
  bool visible = true;
};

struct Texture : ObjectHeader {
  Texture() : ObjectHeader(Kind::Texture) {}
  enum class Source { Image, Fill, Pixels };
  Source source = Source::Fill;
  uint64_t width = 0;   // as written (image textures: the decoded image's size once read)
  uint64_t height = 0;
  std::string image_path;          // resolved path of an image file
  SUByte fill[4] = {0, 0, 0, 255};
  int fill_channels = 3;           // 3: BGR 24-bit, 4: BGRA 32-bit
  std::vector<SUByte> pixels;      // exact bytes of a "pixels" texture
  uint64_t bits_per_pixel = 0;     // as written for "pixels"
  bool has_average = false;
  SUColor average{0, 0, 0, 0};

  // Decoded image, filled on first use.
  bool image_tried = false;
  SUResult image_status = SU_ERROR_NONE;
  std::vector<SUByte> image_data;
  uint64_t image_width = 0;
  uint64_t image_height = 0;
  size_t image_bits = 0;
};

struct Material : ObjectHeader {
  Material() : ObjectHeader(Kind::Material) {}
  std::string name;
  bool has_color = false;
  SUColor color{0, 0, 0, 255};
  double opacity = 1.0;
  Texture* texture = nullptr;
};

struct Vertex : ObjectHeader {
  Vertex() : ObjectHeader(Kind::Vertex) {}
  SUPoint3D position{0, 0, 0};
};

// An explicit triangle mesh written in the file; reported exactly as given.
struct ExplicitMesh {
  std::vector<SUPoint3D> vertices;
  std::vector<SUVector3D> normals;
  std::vector<size_t> indices;
  std::vector<SUPoint3D> stq;
  bool has_stq = false;
};

struct Face : ObjectHeader {
  Face() : ObjectHeader(Kind::Face) {}
  Vertex* vertices = nullptr;  // outer loop first, then every hole in order
  uint32_t vertex_count = 0;
  uint32_t outer_count = 0;
  std::vector<uint32_t> hole_sizes;
  Material* front = nullptr;
  Material* back = nullptr;
  Layer* layer = nullptr;
  std::vector<SUPoint3D> stq;
  bool has_stq = false;
  std::unique_ptr<ExplicitMesh> mesh;
  SUVector3D normal{0, 0, 0};  // unit normal of the outer loop; zero when degenerate
  double area = 0.0;
  // Triangulation, computed on the first mesh helper and reused afterwards.
  bool triangulated = false;
  std::vector<uint32_t> triangles;
};

struct Edge : ObjectHeader {
  Edge() : ObjectHeader(Kind::Edge) {}
  Vertex* start = nullptr;
  Vertex* end = nullptr;
  Layer* layer = nullptr;
  Material* material = nullptr;
  bool soft = false;
  bool smooth = false;
  bool hidden = false;
};

struct Group;
struct Instance;

struct Entities : ObjectHeader {
  Entities() : ObjectHeader(Kind::Entities) {}
  std::vector<Face*> faces;
  std::vector<Edge*> edges;  // standalone edges as written
  // "face_edges": the properties of the faces' boundary edges they match by end points.
  std::vector<Edge*> face_edge_styles;
  std::vector<Group*> groups;
  std::vector<Instance*> instances;
  // Standalone edges followed by the faces' boundary edges, built on first request.
  bool all_edges_built = false;
  std::vector<Edge*> all_edges;
};

struct Group : ObjectHeader {
  Group() : ObjectHeader(Kind::Group) {}
  std::string name;
  SUTransformation transform{};
  Material* material = nullptr;
  Layer* layer = nullptr;
  Entities* entities = nullptr;
};

struct Definition : ObjectHeader {
  Definition() : ObjectHeader(Kind::Definition) {}
  std::string name;
  Entities* entities = nullptr;
};

struct Instance : ObjectHeader {
  Instance() : ObjectHeader(Kind::Instance) {}
  std::string name;
  SUTransformation transform{};
  Definition* definition = nullptr;  // null when the named definition does not exist
  Material* material = nullptr;
  Layer* layer = nullptr;
};

struct Camera : ObjectHeader {
  Camera() : ObjectHeader(Kind::Camera) {}
  SUPoint3D eye{0, 0, 0};
  SUPoint3D target{0, 0, 0};
  SUVector3D up{0, 0, 1};
  bool perspective = true;
  double fov = 35.0;
};

struct Scene : ObjectHeader {
  Scene() : ObjectHeader(Kind::Scene) {}
  std::string name;
  Camera* camera = nullptr;
};

// Fixed-size blocks of vertices; a face's loop vertices are one contiguous run, and no vertex
// ever moves, so vertex handles stay valid for the model's life.
class VertexArena {
 public:
  Vertex* allocate(size_t count);

 private:
  static constexpr size_t kBlock = 4096;
  std::vector<std::unique_ptr<Vertex[]>> blocks_;
  size_t used_ = kBlock;  // of the last block of kBlock vertices
  Vertex* current_ = nullptr;
};

struct Model : ObjectHeader {
  Model() : ObjectHeader(Kind::Model) { model = this; }

  // Storage: deques keep every element at a fixed address.
  std::deque<Layer> layer_store;
  std::deque<Material> material_store;
  std::deque<Texture> texture_store;
  std::deque<Face> face_store;
  std::deque<Edge> edge_store;
  std::deque<Group> group_store;
  std::deque<Instance> instance_store;
  std::deque<Definition> definition_store;
  std::deque<Entities> entities_store;
  std::deque<Scene> scene_store;
  std::deque<Camera> camera_store;
  std::deque<FailSet> fail_sets;
  VertexArena vertex_arena;

  // What the model's lists report, in file order.
  std::vector<Layer*> layers;
  std::vector<Material*> materials;
  std::vector<Definition*> definitions;
  std::vector<Scene*> scenes;
  Entities* root = nullptr;

  // Names referenced by elements but missing from the model's lists.
  std::unordered_map<std::string, Layer*> orphan_layers;
  std::unordered_map<std::string, Material*> orphan_materials;

  FailSet faults;          // model-wide failing entry points
  std::string document;    // the file's bytes, written back by the save functions
};

// Lays out `object` as an element of `owner`.
template <class T>
T& adopt(Model& owner, std::deque<T>& store) {
  store.emplace_back();
  T& object = store.back();
  object.model = &owner;
  return object;
}

}  // namespace standin
