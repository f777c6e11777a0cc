#include "standin/model_parser.h"

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <unordered_map>

#include "standin/file_io.h"
#include "standin/polygon_geometry.h"
#include "standin/texture_image.h"

namespace standin {
namespace {

using json = nlohmann::json;

class Parser {
 public:
  Parser(Model& model, const std::string& folder, std::string* error)
      : model_(model), folder_(folder), error_(error) {}

  bool run(const json& root) {
    if (!root.is_object()) return fail("model", "the top level is not an object");
    const json* value = nullptr;
    if (!optional(root, "layers", json::value_t::array, &value)) return false;
    if (value && !parse_layers(*value)) return false;
    if (!optional(root, "materials", json::value_t::array, &value)) return false;
    if (value && !parse_materials(*value)) return false;
    if (!optional(root, "definitions", json::value_t::array, &value)) return false;
    if (value && !parse_definitions(*value)) return false;
    if (!optional(root, "entities", json::value_t::object, &value)) return false;
    model_.root = value ? parse_entities(*value) : &adopt(model_, model_.entities_store);
    if (model_.root == nullptr) return false;
    if (!optional(root, "scenes", json::value_t::array, &value)) return false;
    if (value && !parse_scenes(*value)) return false;
    if (!optional(root, "faults", json::value_t::object, &value)) return false;
    if (value) {
      const FailSet* faults = nullptr;
      if (!parse_fails(*value, "faults", &faults)) return false;
      if (faults) model_.faults = *faults;
    }
    return true;
  }

 private:
  bool fail(const char* where, const char* what) {
    if (error_->empty()) *error_ = std::string(where) + ": " + what;
    return false;
  }

  // A member of the expected type, or null when absent (or JSON null).
  bool optional(const json& object, const char* key, json::value_t type, const json** out) {
    *out = nullptr;
    const auto it = object.find(key);
    if (it == object.end() || it->is_null()) return true;
    const bool matches = type == json::value_t::number_float ? it->is_number() : it->type() == type;
    if (!matches) return fail(key, "wrong type");
    *out = &*it;
    return true;
  }

  bool optional_string(const json& object, const char* key, std::string* out) {
    const json* value = nullptr;
    if (!optional(object, key, json::value_t::string, &value)) return false;
    if (value) *out = value->get_ref<const std::string&>();
    return true;
  }

  bool optional_bool(const json& object, const char* key, bool* out) {
    const json* value = nullptr;
    if (!optional(object, key, json::value_t::boolean, &value)) return false;
    if (value) *out = value->get<bool>();
    return true;
  }

  bool number(const json& value, const char* where, double* out) {
    if (!value.is_number()) return fail(where, "not a number");
    const double d = value.get<double>();
    if (!std::isfinite(d)) return fail(where, "not a finite number");
    *out = d;
    return true;
  }

  bool optional_number(const json& object, const char* key, double* out) {
    const json* value = nullptr;
    if (!optional(object, key, json::value_t::number_float, &value)) return false;
    return value == nullptr || number(*value, key, out);
  }

  bool unsigned_integer(const json& value, const char* where, uint64_t* out) {
    if (value.is_number_unsigned()) {
      *out = value.get<uint64_t>();
      return true;
    }
    if (value.is_number_integer()) return fail(where, "negative");
    return fail(where, "not an integer");
  }

  bool point(const json& value, const char* where, SUPoint3D* out) {
    if (!value.is_array() || value.size() != 3) return fail(where, "not an [x, y, z] triple");
    return number(value[0], where, &out->x) && number(value[1], where, &out->y) &&
           number(value[2], where, &out->z);
  }

  bool vector(const json& value, const char* where, SUVector3D* out) {
    SUPoint3D p{0, 0, 0};
    if (!point(value, where, &p)) return false;
    *out = SUVector3D{p.x, p.y, p.z};
    return true;
  }

  bool points(const json& value, const char* where, std::vector<SUPoint3D>* out) {
    if (!value.is_array()) return fail(where, "not a list of points");
    out->resize(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
      if (!point(value[i], where, &(*out)[i])) return false;
    }
    return true;
  }

  bool color(const json& value, const char* where, bool alpha_required, SUByte out[4]) {
    if (!value.is_array() || value.size() < (alpha_required ? 4u : 3u) || value.size() > 4) {
      return fail(where, "not a colour list");
    }
    out[3] = 255;
    for (size_t i = 0; i < value.size(); ++i) {
      uint64_t byte = 0;
      if (!unsigned_integer(value[i], where, &byte)) return false;
      if (byte > 255) return fail(where, "colour byte above 255");
      out[i] = static_cast<SUByte>(byte);
    }
    return true;
  }

  bool su_color(const json& value, const char* where, SUColor* out) {
    SUByte bytes[4];
    if (!color(value, where, false, bytes)) return false;
    *out = SUColor{bytes[0], bytes[1], bytes[2], bytes[3]};
    return true;
  }

  bool transform(const json& object, SUTransformation* out) {
    *out = SUTransformation{};
    for (int i = 0; i < 4; ++i) out->values[i * 5] = 1.0;
    const json* value = nullptr;
    if (!optional(object, "transform", json::value_t::array, &value)) return false;
    if (value == nullptr) return true;
    if (value->size() != 16) return fail("transform", "not 16 numbers");
    for (size_t i = 0; i < 16; ++i) {
      if (!number((*value)[i], "transform", &out->values[i])) return false;
    }
    return true;
  }

  bool parse_fails(const json& object, const char* where, const FailSet** out) {
    const json* list = nullptr;
    if (!optional(object, "fail", json::value_t::array, &list)) return false;
    if (list == nullptr || list->empty()) return true;
    FailSet set;
    for (const json& name : *list) {
      if (!name.is_string()) return fail(where, "fail list holds a non-string");
      EntryId id;
      if (entry_id_from_name(name.get_ref<const std::string&>(), &id)) {
        set.set(static_cast<size_t>(id));
      }
    }
    model_.fail_sets.push_back(set);
    *out = &model_.fail_sets.back();
    return true;
  }

  template <class T>
  bool element_fails(const json& object, const char* where, T& element) {
    return parse_fails(object, where, &element.fails);
  }

  bool parse_layers(const json& list) {
    model_.layers.reserve(list.size());
    for (const json& item : list) {
      if (!item.is_object()) return fail("layers", "a layer is not an object");
      Layer& layer = adopt(model_, model_.layer_store);
      if (!optional_string(item, "name", &layer.name) ||
          !optional_bool(item, "visible", &layer.visible) || !element_fails(item, "layer", layer)) {
        return false;
      }
      model_.layers.push_back(&layer);
      layer_names_.emplace(layer.name, &layer);
    }
    return true;
  }

  bool parse_texture(const json& item, Texture& texture) {
    const json* image = nullptr;
    const json* fill = nullptr;
    const json* pixels = nullptr;
    if (!optional(item, "image", json::value_t::string, &image) ||
        !optional(item, "fill", json::value_t::array, &fill) ||
        !optional(item, "pixels", json::value_t::string, &pixels) ||
        !element_fails(item, "texture", texture)) {
      return false;
    }
    if ((image != nullptr) + (fill != nullptr) + (pixels != nullptr) != 1) {
      return fail("texture", "needs exactly one of image, fill and pixels");
    }
    const json* value = nullptr;
    if (!optional(item, "width", json::value_t::number_float, &value)) return false;
    if (value && !unsigned_integer(*value, "texture width", &texture.width)) return false;
    const bool has_width = value != nullptr;
    if (!optional(item, "height", json::value_t::number_float, &value)) return false;
    if (value && !unsigned_integer(*value, "texture height", &texture.height)) return false;
    const bool has_height = value != nullptr;
    if (!optional(item, "average_color", json::value_t::array, &value)) return false;
    if (value) {
      if (!su_color(*value, "average_color", &texture.average)) return false;
      texture.has_average = true;
    }
    if (image) {
      texture.source = Texture::Source::Image;
      texture.image_path = join_path(folder_, image->get_ref<const std::string&>());
      return true;
    }
    if (!has_width || !has_height) return fail("texture", "width and height are required");
    if (fill) {
      texture.source = Texture::Source::Fill;
      texture.fill_channels = fill->size() == 4 ? 4 : 3;
      return color(*fill, "fill", false, texture.fill);
    }
    texture.source = Texture::Source::Pixels;
    if (!optional(item, "bits_per_pixel", json::value_t::number_float, &value)) return false;
    if (value == nullptr) return fail("texture", "pixels need bits_per_pixel");
    if (!unsigned_integer(*value, "bits_per_pixel", &texture.bits_per_pixel)) return false;
    if (!decode_base64(pixels->get_ref<const std::string&>(), &texture.pixels)) {
      return fail("pixels", "not base64");
    }
    return true;
  }

  bool parse_materials(const json& list) {
    model_.materials.reserve(list.size());
    for (const json& item : list) {
      if (!item.is_object()) return fail("materials", "a material is not an object");
      Material& material = adopt(model_, model_.material_store);
      if (!optional_string(item, "name", &material.name) ||
          !element_fails(item, "material", material)) {
        return false;
      }
      const json* value = nullptr;
      if (!optional(item, "color", json::value_t::array, &value)) return false;
      if (value) {
        if (!su_color(*value, "color", &material.color)) return false;
        material.has_color = true;
      }
      if (!optional_number(item, "opacity", &material.opacity)) return false;
      if (material.opacity < 0.0) material.opacity = 0.0;
      if (material.opacity > 1.0) material.opacity = 1.0;
      if (!optional(item, "texture", json::value_t::object, &value)) return false;
      if (value) {
        Texture& texture = adopt(model_, model_.texture_store);
        if (!parse_texture(*value, texture)) return false;
        material.texture = &texture;
      }
      model_.materials.push_back(&material);
      material_names_.emplace(material.name, &material);
    }
    return true;
  }

  bool parse_definitions(const json& list) {
    // Names first, so that instances anywhere (also inside definitions) can refer to any of them.
    model_.definitions.reserve(list.size());
    for (const json& item : list) {
      if (!item.is_object()) return fail("definitions", "a definition is not an object");
      Definition& definition = adopt(model_, model_.definition_store);
      if (!optional_string(item, "name", &definition.name) ||
          !element_fails(item, "definition", definition)) {
        return false;
      }
      model_.definitions.push_back(&definition);
      definition_names_.emplace(definition.name, &definition);
    }
    for (size_t i = 0; i < list.size(); ++i) {
      const json* value = nullptr;
      if (!optional(list[i], "entities", json::value_t::object, &value)) return false;
      Entities* entities = value ? parse_entities(*value) : &adopt(model_, model_.entities_store);
      if (entities == nullptr) return false;
      model_.definitions[i]->entities = entities;
    }
    return true;
  }

  // The optional name at `key`: the listed element of that name, else the model's orphan of that
  // name, made on first use. False when the value is not a string.
  template <class T>
  bool named_reference(const json& object, const char* key,
                       const std::unordered_map<std::string, T*>& listed,
                       std::unordered_map<std::string, T*>& orphans, std::deque<T>& store,
                       T** out) {
    const json* value = nullptr;
    if (!optional(object, key, json::value_t::string, &value)) return false;
    if (value == nullptr) return true;
    const std::string& name = value->get_ref<const std::string&>();
    const auto known = listed.find(name);
    if (known != listed.end()) {
      *out = known->second;
      return true;
    }
    T*& orphan = orphans[name];
    if (orphan == nullptr) {
      orphan = &adopt(model_, store);
      orphan->name = name;
    }
    *out = orphan;
    return true;
  }

  bool layer_reference(const json& object, Layer** out) {
    return named_reference(object, "layer", layer_names_, model_.orphan_layers, model_.layer_store,
                           out);
  }

  bool material_reference(const json& object, const char* key, Material** out) {
    return named_reference(object, key, material_names_, model_.orphan_materials,
                           model_.material_store, out);
  }

  bool loop_into(const json& list, const char* where, Vertex* vertices) {
    for (size_t i = 0; i < list.size(); ++i) {
      vertices[i].model = &model_;
      if (!point(list[i], where, &vertices[i].position)) return false;
    }
    return true;
  }

  bool parse_mesh(const json& item, Face& face) {
    auto mesh = std::make_unique<ExplicitMesh>();
    const json* value = nullptr;
    if (!optional(item, "vertices", json::value_t::array, &value)) return false;
    if (value && !points(*value, "mesh vertices", &mesh->vertices)) return false;
    if (!optional(item, "normals", json::value_t::array, &value)) return false;
    if (value) {
      std::vector<SUPoint3D> normals;
      if (!points(*value, "mesh normals", &normals)) return false;
      mesh->normals.reserve(normals.size());
      for (const SUPoint3D& n : normals) mesh->normals.push_back(SUVector3D{n.x, n.y, n.z});
    }
    if (!optional(item, "indices", json::value_t::array, &value)) return false;
    if (value) {
      mesh->indices.reserve(value->size());
      for (const json& index : *value) {
        uint64_t i = 0;
        if (!unsigned_integer(index, "mesh indices", &i)) return false;
        if (i > std::numeric_limits<size_t>::max()) return fail("mesh indices", "too large");
        mesh->indices.push_back(static_cast<size_t>(i));
      }
    }
    if (!optional(item, "stq", json::value_t::array, &value)) return false;
    if (value) {
      if (!points(*value, "mesh stq", &mesh->stq)) return false;
      mesh->has_stq = true;
    }
    face.mesh = std::move(mesh);
    return true;
  }

  Face* parse_face(const json& item) {
    if (!item.is_object()) return fail("faces", "a face is not an object"), nullptr;
    Face& face = adopt(model_, model_.face_store);
    const json* outer = nullptr;
    const json* holes = nullptr;
    const json* mesh = nullptr;
    if (!optional(item, "outer", json::value_t::array, &outer) ||
        !optional(item, "holes", json::value_t::array, &holes) ||
        !optional(item, "mesh", json::value_t::object, &mesh)) {
      return nullptr;
    }
    if (mesh == nullptr && (outer == nullptr || outer->size() < 3)) {
      return fail("face", "outer needs at least 3 points"), nullptr;
    }
    size_t total = outer ? outer->size() : 0;
    if (holes) {
      face.hole_sizes.reserve(holes->size());
      for (const json& hole : *holes) {
        if (!hole.is_array()) return fail("holes", "a hole is not a list of points"), nullptr;
        face.hole_sizes.push_back(static_cast<uint32_t>(hole.size()));
        total += hole.size();
      }
    }
    if (total > std::numeric_limits<uint32_t>::max())
      return fail("face", "too many points"), nullptr;
    face.vertex_count = static_cast<uint32_t>(total);
    face.outer_count = static_cast<uint32_t>(outer ? outer->size() : 0);
    face.vertices = model_.vertex_arena.allocate(total);
    if (outer && !loop_into(*outer, "outer", face.vertices)) return nullptr;
    if (holes) {
      size_t offset = face.outer_count;
      for (const json& hole : *holes) {
        if (!loop_into(hole, "holes", face.vertices + offset)) return nullptr;
        offset += hole.size();
      }
    }
    if (!material_reference(item, "front", &face.front) ||
        !material_reference(item, "back", &face.back) || !layer_reference(item, &face.layer) ||
        !element_fails(item, "face", face)) {
      return nullptr;
    }
    const json* stq = nullptr;
    if (!optional(item, "stq", json::value_t::array, &stq)) return nullptr;
    if (stq) {
      if (!points(*stq, "stq", &face.stq)) return nullptr;
      face.has_stq = true;
    }
    if (mesh && !parse_mesh(*mesh, face)) return nullptr;

    // Plane geometry from the loops as written.
    scratch_points(face, &scratch_);
    face.normal = unit_or_zero(newell_vector(scratch_.data(), face.outer_count));
    face.area = polygon_area(scratch_.data(), face.outer_count, face.hole_sizes.data(),
                             face.hole_sizes.size(), face.normal);
    return &face;
  }

  void scratch_points(const Face& face, std::vector<SUPoint3D>* out) {
    out->resize(face.vertex_count);
    for (uint32_t i = 0; i < face.vertex_count; ++i) (*out)[i] = face.vertices[i].position;
  }

  Edge* parse_edge(const json& item) {
    if (!item.is_object()) return fail("edges", "an edge is not an object"), nullptr;
    Edge& edge = adopt(model_, model_.edge_store);
    const auto start = item.find("start");
    const auto end = item.find("end");
    if (start == item.end() || end == item.end())
      return fail("edge", "needs start and end"), nullptr;
    Vertex* ends = model_.vertex_arena.allocate(2);
    ends[0].model = &model_;
    ends[1].model = &model_;
    if (!point(*start, "edge start", &ends[0].position) ||
        !point(*end, "edge end", &ends[1].position) || !layer_reference(item, &edge.layer) ||
        !material_reference(item, "material", &edge.material) ||
        !optional_bool(item, "soft", &edge.soft) || !optional_bool(item, "smooth", &edge.smooth) ||
        !optional_bool(item, "hidden", &edge.hidden) || !element_fails(item, "edge", edge)) {
      return nullptr;
    }
    edge.start = &ends[0];
    edge.end = &ends[1];
    return &edge;
  }

  Group* parse_group(const json& item) {
    if (!item.is_object()) return fail("groups", "a group is not an object"), nullptr;
    Group& group = adopt(model_, model_.group_store);
    const json* value = nullptr;
    if (!optional_string(item, "name", &group.name) || !transform(item, &group.transform) ||
        !material_reference(item, "material", &group.material) ||
        !layer_reference(item, &group.layer) || !element_fails(item, "group", group) ||
        !optional(item, "entities", json::value_t::object, &value)) {
      return nullptr;
    }
    group.entities = value ? parse_entities(*value) : &adopt(model_, model_.entities_store);
    return group.entities ? &group : nullptr;
  }

  Instance* parse_instance(const json& item) {
    if (!item.is_object()) return fail("instances", "an instance is not an object"), nullptr;
    Instance& instance = adopt(model_, model_.instance_store);
    std::string definition;
    if (!optional_string(item, "definition", &definition) ||
        !optional_string(item, "name", &instance.name) || !transform(item, &instance.transform) ||
        !material_reference(item, "material", &instance.material) ||
        !layer_reference(item, &instance.layer) || !element_fails(item, "instance", instance)) {
      return nullptr;
    }
    const auto found = definition_names_.find(definition);
    if (item.contains("definition") && found != definition_names_.end()) {
      instance.definition = found->second;
    }
    return &instance;
  }

  template <class T, class Parse>
  bool parse_list(const json& object, const char* key, std::vector<T*>* out, Parse parse) {
    const json* list = nullptr;
    if (!optional(object, key, json::value_t::array, &list)) return false;
    if (list == nullptr) return true;
    out->reserve(list->size());
    for (const json& item : *list) {
      T* element = (this->*parse)(item);
      if (element == nullptr) return false;
      out->push_back(element);
    }
    return true;
  }

  Entities* parse_entities(const json& object) {
    Entities& entities = adopt(model_, model_.entities_store);
    if (!parse_list(object, "faces", &entities.faces, &Parser::parse_face) ||
        !parse_list(object, "edges", &entities.edges, &Parser::parse_edge) ||
        !parse_list(object, "face_edges", &entities.face_edge_styles, &Parser::parse_edge) ||
        !parse_list(object, "groups", &entities.groups, &Parser::parse_group) ||
        !parse_list(object, "instances", &entities.instances, &Parser::parse_instance)) {
      return nullptr;
    }
    return &entities;
  }

  bool parse_scenes(const json& list) {
    model_.scenes.reserve(list.size());
    for (const json& item : list) {
      if (!item.is_object()) return fail("scenes", "a scene is not an object");
      Scene& scene = adopt(model_, model_.scene_store);
      const json* value = nullptr;
      if (!optional_string(item, "name", &scene.name) || !element_fails(item, "scene", scene) ||
          !optional(item, "camera", json::value_t::object, &value)) {
        return false;
      }
      if (value) {
        Camera& camera = adopt(model_, model_.camera_store);
        if (!parse_camera(*value, camera)) return false;
        scene.camera = &camera;
      }
      model_.scenes.push_back(&scene);
    }
    return true;
  }

  bool parse_camera(const json& item, Camera& camera) {
    const auto eye = item.find("eye");
    const auto target = item.find("target");
    if (eye == item.end() || target == item.end()) return fail("camera", "needs eye and target");
    if (!point(*eye, "camera eye", &camera.eye) ||
        !point(*target, "camera target", &camera.target)) {
      return false;
    }
    const auto up = item.find("up");
    if (up != item.end() && !up->is_null() && !vector(*up, "camera up", &camera.up)) return false;
    return optional_bool(item, "perspective", &camera.perspective) &&
           optional_number(item, "fov", &camera.fov) && element_fails(item, "camera", camera);
  }

  Model& model_;
  const std::string& folder_;
  std::string* error_;
  std::unordered_map<std::string, Layer*> layer_names_;
  std::unordered_map<std::string, Material*> material_names_;
  std::unordered_map<std::string, Definition*> definition_names_;
  std::vector<SUPoint3D> scratch_;  // reused for every face's plane computation
};

}  // namespace

SUResult parse_model(std::string document, const std::string& folder, std::unique_ptr<Model>* out,
                     std::string* error) {
  error->clear();
  if (document.size() > kMaxModelBytes) {
    *error = "file too large";
    return SU_ERROR_SERIALIZATION;
  }
  if (json_nesting_depth(document, kMaxJsonNesting) > kMaxJsonNesting) {
    *error = "nested too deeply";
    return SU_ERROR_MODEL_INVALID;
  }
  auto model = std::make_unique<Model>();
  {
    const json root = json::parse(document.begin(), document.end(), nullptr, false);
    if (root.is_discarded()) {
      *error = "not JSON";
      return SU_ERROR_MODEL_INVALID;
    }
    Parser parser(*model, folder, error);
    if (!parser.run(root)) return SU_ERROR_MODEL_INVALID;
  }
  model->document = std::move(document);
  *out = std::move(model);
  return SU_ERROR_NONE;
}

}  // namespace standin
