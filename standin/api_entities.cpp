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

// The standalone edges followed by every face's loop edges, each shared edge once.
const std::vector<Edge*>& all_edges(Entities& entities) {
  if (entities.all_edges_built) return entities.all_edges;
  Model& model = *entities.model;
  std::vector<Edge*> edges = entities.edges;
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
        EdgeKey key = before(p->position, q->position) ? EdgeKey{p->position, q->position}
                                                       : EdgeKey{q->position, p->position};
        Edge*& edge = seen[key];
        if (edge != nullptr) continue;
        edge = &adopt(model, model.edge_store);
        edge->start = p;
        edge->end = q;
        edge->layer = face->layer;
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
  return guarded([&] {
    Entities* e = nullptr;
    if (SUResult r = resolve(entities.ptr, EntryId::SUEntitiesGetNumFaces, &e)) return r;
    return report_count(e->faces.size(), count);
  });
}

SUResult SUEntitiesGetFaces(SUEntitiesRef entities, size_t len, SUFaceRef* faces, size_t* count) {
  return guarded([&] {
    Entities* e = nullptr;
    if (SUResult r = resolve(entities.ptr, EntryId::SUEntitiesGetFaces, &e)) return r;
    return copy_refs(e->faces, len, faces, count);
  });
}

SUResult SUEntitiesGetNumEdges(SUEntitiesRef entities, bool standalone_only, size_t* count) {
  return guarded([&] {
    Entities* e = nullptr;
    if (SUResult r = resolve(entities.ptr, EntryId::SUEntitiesGetNumEdges, &e)) return r;
    if (count == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    return report_count(standalone_only ? e->edges.size() : all_edges(*e).size(), count);
  });
}

SUResult SUEntitiesGetEdges(SUEntitiesRef entities, bool standalone_only, size_t len,
                            SUEdgeRef* edges, size_t* count) {
  return guarded([&] {
    Entities* e = nullptr;
    if (SUResult r = resolve(entities.ptr, EntryId::SUEntitiesGetEdges, &e)) return r;
    return copy_refs(standalone_only ? e->edges : all_edges(*e), len, edges, count);
  });
}

SUResult SUEntitiesGetNumGroups(SUEntitiesRef entities, size_t* count) {
  return guarded([&] {
    Entities* e = nullptr;
    if (SUResult r = resolve(entities.ptr, EntryId::SUEntitiesGetNumGroups, &e)) return r;
    return report_count(e->groups.size(), count);
  });
}

SUResult SUEntitiesGetGroups(SUEntitiesRef entities, size_t len, SUGroupRef* groups,
                             size_t* count) {
  return guarded([&] {
    Entities* e = nullptr;
    if (SUResult r = resolve(entities.ptr, EntryId::SUEntitiesGetGroups, &e)) return r;
    return copy_refs(e->groups, len, groups, count);
  });
}

SUResult SUEntitiesGetNumInstances(SUEntitiesRef entities, size_t* count) {
  return guarded([&] {
    Entities* e = nullptr;
    if (SUResult r = resolve(entities.ptr, EntryId::SUEntitiesGetNumInstances, &e)) return r;
    return report_count(e->instances.size(), count);
  });
}

SUResult SUEntitiesGetInstances(SUEntitiesRef entities, size_t len,
                                SUComponentInstanceRef* instances, size_t* count) {
  return guarded([&] {
    Entities* e = nullptr;
    if (SUResult r = resolve(entities.ptr, EntryId::SUEntitiesGetInstances, &e)) return r;
    return copy_refs(e->instances, len, instances, count);
  });
}

SUResult SUGroupGetEntities(SUGroupRef group, SUEntitiesRef* entities) {
  return guarded([&] {
    Group* g = nullptr;
    if (SUResult r = resolve(group.ptr, EntryId::SUGroupGetEntities, &g)) return r;
    if (entities == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    entities->ptr = g->entities;
    return SU_ERROR_NONE;
  });
}

SUResult SUGroupGetTransform(SUGroupRef group, SUTransformation* transform) {
  return guarded([&] {
    Group* g = nullptr;
    if (SUResult r = resolve(group.ptr, EntryId::SUGroupGetTransform, &g)) return r;
    if (transform == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    *transform = g->transform;
    return SU_ERROR_NONE;
  });
}

SUResult SUGroupGetName(SUGroupRef group, SUStringRef* name) {
  return guarded([&] {
    Group* g = nullptr;
    if (SUResult r = resolve(group.ptr, EntryId::SUGroupGetName, &g)) return r;
    return write_name(name, g->name);
  });
}

SUResult SUComponentInstanceGetDefinition(SUComponentInstanceRef instance,
                                          SUComponentDefinitionRef* definition) {
  return guarded([&] {
    Instance* i = nullptr;
    if (SUResult r = resolve(instance.ptr, EntryId::SUComponentInstanceGetDefinition, &i)) return r;
    if (definition == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    if (i->definition == nullptr) return SU_ERROR_NO_DATA;
    definition->ptr = i->definition;
    return SU_ERROR_NONE;
  });
}

SUResult SUComponentInstanceGetTransform(SUComponentInstanceRef instance,
                                         SUTransformation* transform) {
  return guarded([&] {
    Instance* i = nullptr;
    if (SUResult r = resolve(instance.ptr, EntryId::SUComponentInstanceGetTransform, &i)) return r;
    if (transform == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    *transform = i->transform;
    return SU_ERROR_NONE;
  });
}

SUResult SUComponentInstanceGetName(SUComponentInstanceRef instance, SUStringRef* name) {
  return guarded([&] {
    Instance* i = nullptr;
    if (SUResult r = resolve(instance.ptr, EntryId::SUComponentInstanceGetName, &i)) return r;
    return write_name(name, i->name);
  });
}

SUResult SUComponentDefinitionGetEntities(SUComponentDefinitionRef definition,
                                          SUEntitiesRef* entities) {
  return guarded([&] {
    Definition* d = nullptr;
    if (SUResult r = resolve(definition.ptr, EntryId::SUComponentDefinitionGetEntities, &d)) return r;
    if (entities == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    entities->ptr = d->entities;
    return SU_ERROR_NONE;
  });
}

SUResult SUComponentDefinitionGetName(SUComponentDefinitionRef definition, SUStringRef* name) {
  return guarded([&] {
    Definition* d = nullptr;
    if (SUResult r = resolve(definition.ptr, EntryId::SUComponentDefinitionGetName, &d)) return r;
    return write_name(name, d->name);
  });
}

}  // extern "C"
