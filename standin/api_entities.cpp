// Entity lists, groups, component instances and definitions.
#include <cstring>
#include <functional>
#include <unordered_map>

#include "standin/api_support.h"

using namespace standin;

namespace {

// An undirected edge between two exact positions.
struct EdgeKey {
  SUPoint3D a, b;
  bool operator==(const EdgeKey& o) const {
    return std::memcmp(&a, &o.a, sizeof a) == 0 && std::memcmp(&b, &o.b, sizeof b) == 0;
  }
};

struct EdgeKeyHash {
  size_t operator()(const EdgeKey& k) const {
    const double values[6] = {k.a.x, k.a.y, k.a.z, k.b.x, k.b.y, k.b.z};
    size_t h = 1469598103934665603ull;
    for (double v : values) h = (h ^ std::hash<double>()(v)) * 1099511628211ull;
    return h;
  }
};

bool before(const SUPoint3D& p, const SUPoint3D& q) {
  if (p.x != q.x) return p.x < q.x;
  if (p.y != q.y) return p.y < q.y;
  return p.z < q.z;
}

bool same(const SUPoint3D& p, const SUPoint3D& q) { return p.x == q.x && p.y == q.y && p.z == q.z; }

EdgeKey key_of(const SUPoint3D& p, const SUPoint3D& q) {
  return before(p, q) ? EdgeKey{p, q} : EdgeKey{q, p};
}

// The standalone edges followed by every face's loop edges, each shared edge once. A loop edge
// whose end points match a "face_edges" entry is that entry (its flags, layer and faults); an
// entry without a layer takes the face's, like the implicit edges; unmatched entries are unused.
const std::vector<Edge*>& all_edges(Entities& entities) {
  if (entities.all_edges_built) return entities.all_edges;
  Model& model = *entities.model;
  std::vector<Edge*> edges = entities.edges;
  std::unordered_map<EdgeKey, Edge*, EdgeKeyHash> styles;
  for (Edge* style : entities.face_edge_styles) {
    styles.emplace(key_of(style->start->position, style->end->position), style);
  }
  std::unordered_map<EdgeKey, Edge*, EdgeKeyHash> seen;
  for (Face* face : entities.faces) {
    uint32_t start = 0;
    const size_t loops = 1 + face->hole_sizes.size();
    for (size_t loop = 0; loop < loops; ++loop) {
      const uint32_t size = loop == 0 ? face->outer_count : face->hole_sizes[loop - 1];
      for (uint32_t k = 0; size >= 2 && k < size; ++k) {
        Vertex* p = &face->vertices[start + k];
        Vertex* q = &face->vertices[start + (k + 1) % size];
        if (same(p->position, q->position)) continue;
        const EdgeKey key = key_of(p->position, q->position);
        Edge*& edge = seen[key];
        if (edge != nullptr) continue;
        const auto style = styles.find(key);
        edge = style != styles.end() ? style->second : &adopt(model, model.edge_store);
        edge->start = p;
        edge->end = q;
        if (edge->layer == nullptr) edge->layer = face->layer;
        edges.push_back(edge);
      }
      start += size;
    }
  }
  entities.all_edges = std::move(edges);
  entities.all_edges_built = true;
  return entities.all_edges;
}

}  // namespace

extern "C" {

SUResult SUEntitiesGetNumFaces(SUEntitiesRef entities, size_t* count) {
  return with_object<Entities>(entities.ptr, EntryId::SUEntitiesGetNumFaces,
                               [&](Entities& e) { return report_count(e.faces.size(), count); });
}

SUResult SUEntitiesGetFaces(SUEntitiesRef entities, size_t len, SUFaceRef* faces, size_t* count) {
  return with_object<Entities>(entities.ptr, EntryId::SUEntitiesGetFaces,
                               [&](Entities& e) { return copy_refs(e.faces, len, faces, count); });
}

SUResult SUEntitiesGetNumEdges(SUEntitiesRef entities, bool standalone_only, size_t* count) {
  return with_object<Entities>(entities.ptr, EntryId::SUEntitiesGetNumEdges, [&](Entities& e) {
    if (count == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    return report_count(standalone_only ? e.edges.size() : all_edges(e).size(), count);
  });
}

SUResult SUEntitiesGetEdges(SUEntitiesRef entities, bool standalone_only, size_t len,
                            SUEdgeRef* edges, size_t* count) {
  return with_object<Entities>(entities.ptr, EntryId::SUEntitiesGetEdges, [&](Entities& e) {
    return copy_refs(standalone_only ? e.edges : all_edges(e), len, edges, count);
  });
}

SUResult SUEntitiesGetNumGroups(SUEntitiesRef entities, size_t* count) {
  return with_object<Entities>(entities.ptr, EntryId::SUEntitiesGetNumGroups,
                               [&](Entities& e) { return report_count(e.groups.size(), count); });
}

SUResult SUEntitiesGetGroups(SUEntitiesRef entities, size_t len, SUGroupRef* groups,
                             size_t* count) {
  return with_object<Entities>(entities.ptr, EntryId::SUEntitiesGetGroups, [&](Entities& e) {
    return copy_refs(e.groups, len, groups, count);
  });
}

SUResult SUEntitiesGetNumInstances(SUEntitiesRef entities, size_t* count) {
  return with_object<Entities>(entities.ptr, EntryId::SUEntitiesGetNumInstances, [&](Entities& e) {
    return report_count(e.instances.size(), count);
  });
}

SUResult SUEntitiesGetInstances(SUEntitiesRef entities, size_t len,
                                SUComponentInstanceRef* instances, size_t* count) {
  return with_object<Entities>(entities.ptr, EntryId::SUEntitiesGetInstances, [&](Entities& e) {
    return copy_refs(e.instances, len, instances, count);
  });
}

SUResult SUGroupGetEntities(SUGroupRef group, SUEntitiesRef* entities) {
  return with_object<Group>(group.ptr, EntryId::SUGroupGetEntities,
                            [&](Group& g) { return report_ref(g.entities, entities); });
}

SUResult SUGroupGetTransform(SUGroupRef group, SUTransformation* transform) {
  return with_object<Group>(group.ptr, EntryId::SUGroupGetTransform,
                            [&](Group& g) { return report_value(transform, g.transform); });
}

SUResult SUGroupGetName(SUGroupRef group, SUStringRef* name) {
  return with_object<Group>(group.ptr, EntryId::SUGroupGetName,
                            [&](Group& g) { return write_name(name, g.name); });
}

SUResult SUComponentInstanceGetDefinition(SUComponentInstanceRef instance,
                                          SUComponentDefinitionRef* definition) {
  return with_object<Instance>(
      instance.ptr, EntryId::SUComponentInstanceGetDefinition,
      [&](Instance& i) { return report_present_ref(i.definition, definition); });
}

SUResult SUComponentInstanceGetTransform(SUComponentInstanceRef instance,
                                         SUTransformation* transform) {
  return with_object<Instance>(instance.ptr, EntryId::SUComponentInstanceGetTransform,
                               [&](Instance& i) { return report_value(transform, i.transform); });
}

SUResult SUComponentInstanceGetName(SUComponentInstanceRef instance, SUStringRef* name) {
  return with_object<Instance>(instance.ptr, EntryId::SUComponentInstanceGetName,
                               [&](Instance& i) { return write_name(name, i.name); });
}

SUResult SUComponentDefinitionGetEntities(SUComponentDefinitionRef definition,
                                          SUEntitiesRef* entities) {
  return with_object<Definition>(definition.ptr, EntryId::SUComponentDefinitionGetEntities,
                                 [&](Definition& d) { return report_ref(d.entities, entities); });
}

SUResult SUComponentDefinitionGetName(SUComponentDefinitionRef definition, SUStringRef* name) {
  return with_object<Definition>(definition.ptr, EntryId::SUComponentDefinitionGetName,
                                 [&](Definition& d) { return write_name(name, d.name); });
}

}  // extern "C"
