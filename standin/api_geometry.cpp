// Faces, vertices, edges and the mesh helper that triangulates a face.
#include "standin/api_support.h"
#include "standin/triangulate.h"

using namespace standin;

namespace {

// Index triples of the face's loops, computed once per face.
const std::vector<uint32_t>& face_triangles(Face& face) {
  if (face.triangulated) return face.triangles;
  face.triangles.clear();
  {
    std::vector<uint32_t> loops;
    loops.reserve(1 + face.hole_sizes.size());
    loops.push_back(face.outer_count);
    loops.insert(loops.end(), face.hole_sizes.begin(), face.hole_sizes.end());
    std::vector<SUPoint3D> points(face.vertex_count);
    for (uint32_t i = 0; i < face.vertex_count; ++i) points[i] = face.vertices[i].position;
    triangulate_3d(points.data(), loops, face.normal, &face.triangles);
  }
  face.triangles.shrink_to_fit();
  face.triangulated = true;
  return face.triangles;
}

void fill_mesh(Face& face, MeshHelper& mesh) {
  if (face.mesh != nullptr) {
    const ExplicitMesh& given = *face.mesh;
    mesh.vertices = given.vertices;
    mesh.normals = given.normals;
    mesh.indices = given.indices;
    mesh.stq = given.stq;
    mesh.has_stq = given.has_stq;
    return;
  }
  mesh.vertices.resize(face.vertex_count);
  for (uint32_t i = 0; i < face.vertex_count; ++i) mesh.vertices[i] = face.vertices[i].position;
  mesh.normals.assign(face.vertex_count, face.normal);
  if (face.outer_count == 3 && face.hole_sizes.empty()) {
    // A triangle is wound counter-clockwise about its own normal; nothing to cache.
    if (face.area > 0) mesh.indices = {0, 1, 2};
  } else {
    const std::vector<uint32_t>& triangles = face_triangles(face);
    mesh.indices.assign(triangles.begin(), triangles.end());
  }
  mesh.stq = face.stq;
  mesh.has_stq = face.has_stq;
}

SUResult edge_vertex(SUEdgeRef edge, SUVertexRef* vertex, EntryId id, bool start) {
  return with_object<Edge>(edge.ptr, id,
                           [&](Edge& e) { return report_ref(start ? e.start : e.end, vertex); });
}

}  // namespace

extern "C" {

SUResult SUFaceGetNumVertices(SUFaceRef face, size_t* count) {
  return with_object<Face>(face.ptr, EntryId::SUFaceGetNumVertices,
                           [&](Face& f) { return report_count(f.vertex_count, count); });
}

SUResult SUFaceGetVertices(SUFaceRef face, size_t len, SUVertexRef* vertices, size_t* count) {
  return with_object<Face>(face.ptr, EntryId::SUFaceGetVertices, [&](Face& f) {
    if (count == nullptr || (len > 0 && vertices == nullptr)) return SU_ERROR_NULL_POINTER_OUTPUT;
    const size_t n = std::min<size_t>(len, f.vertex_count);
    for (size_t i = 0; i < n; ++i) vertices[i].ptr = &f.vertices[i];
    *count = n;
    return SU_ERROR_NONE;
  });
}

SUResult SUFaceGetNormal(SUFaceRef face, SUVector3D* normal) {
  return with_object<Face>(face.ptr, EntryId::SUFaceGetNormal,
                           [&](Face& f) { return report_value(normal, f.normal); });
}

SUResult SUFaceGetArea(SUFaceRef face, double* area) {
  return with_object<Face>(face.ptr, EntryId::SUFaceGetArea,
                           [&](Face& f) { return report_value(area, f.area); });
}

SUResult SUVertexGetPosition(SUVertexRef vertex, SUPoint3D* position) {
  return with_object<Vertex>(vertex.ptr, EntryId::SUVertexGetPosition,
                             [&](Vertex& v) { return report_value(position, v.position); });
}

SUResult SUEdgeGetStart(SUEdgeRef edge, SUVertexRef* vertex) {
  return edge_vertex(edge, vertex, EntryId::SUEdgeGetStart, true);
}

SUResult SUEdgeGetEnd(SUEdgeRef edge, SUVertexRef* vertex) {
  return edge_vertex(edge, vertex, EntryId::SUEdgeGetEnd, false);
}

SUResult SUEdgeGetStartVertex(SUEdgeRef edge, SUVertexRef* vertex) {
  return edge_vertex(edge, vertex, EntryId::SUEdgeGetStartVertex, true);
}

SUResult SUEdgeGetEndVertex(SUEdgeRef edge, SUVertexRef* vertex) {
  return edge_vertex(edge, vertex, EntryId::SUEdgeGetEndVertex, false);
}

SUResult SUEdgeGetSoft(SUEdgeRef edge, bool* soft) {
  return with_object<Edge>(edge.ptr, EntryId::SUEdgeGetSoft,
                           [&](Edge& e) { return report_value(soft, e.soft); });
}

SUResult SUEdgeGetSmooth(SUEdgeRef edge, bool* smooth) {
  return with_object<Edge>(edge.ptr, EntryId::SUEdgeGetSmooth,
                           [&](Edge& e) { return report_value(smooth, e.smooth); });
}

SUResult SUMeshHelperCreate(SUMeshHelperRef* mesh, SUFaceRef face) {
  return guarded([&] {
    Face* f = nullptr;
    if (SUResult r = resolve(face.ptr, EntryId::SUMeshHelperCreate, &f)) return r;
    if (mesh == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    if (mesh->ptr != nullptr) return SU_ERROR_OVERWRITE_VALID;
    auto helper = std::make_unique<MeshHelper>();
    // Faults listed for the model or the face also apply to the helper's own calls.
    helper->own_fails = f->model->faults;
    if (f->fails != nullptr) helper->own_fails |= *f->fails;
    fill_mesh(*f, *helper);
    registry_add(helper.get());
    mesh->ptr = helper.release();
    return SU_ERROR_NONE;
  });
}

SUResult SUMeshHelperRelease(SUMeshHelperRef* mesh) {
  return guarded([&] {
    if (mesh == nullptr) return SU_ERROR_NULL_POINTER_INPUT;
    MeshHelper* m = nullptr;
    if (SUResult r = resolve(mesh->ptr, EntryId::SUMeshHelperRelease, &m)) return r;
    registry_destroy(m);
    mesh->ptr = nullptr;
    return SU_ERROR_NONE;
  });
}

SUResult SUMeshHelperGetNumVertices(SUMeshHelperRef mesh, size_t* count) {
  return with_object<MeshHelper>(mesh.ptr, EntryId::SUMeshHelperGetNumVertices, [&](MeshHelper& m) {
    return report_count(m.vertices.size(), count);
  });
}

SUResult SUMeshHelperGetNumTriangles(SUMeshHelperRef mesh, size_t* count) {
  return with_object<MeshHelper>(
      mesh.ptr, EntryId::SUMeshHelperGetNumTriangles,
      [&](MeshHelper& m) { return report_count(m.indices.size() / 3, count); });
}

SUResult SUMeshHelperGetVertices(SUMeshHelperRef mesh, size_t len, SUPoint3D* vertices,
                                 size_t* count) {
  return with_object<MeshHelper>(mesh.ptr, EntryId::SUMeshHelperGetVertices, [&](MeshHelper& m) {
    return copy_values(m.vertices, len, vertices, count);
  });
}

SUResult SUMeshHelperGetNormals(SUMeshHelperRef mesh, size_t len, SUVector3D* normals,
                                size_t* count) {
  return with_object<MeshHelper>(mesh.ptr, EntryId::SUMeshHelperGetNormals, [&](MeshHelper& m) {
    return copy_values(m.normals, len, normals, count);
  });
}

SUResult SUMeshHelperGetVertexIndices(SUMeshHelperRef mesh, size_t len, size_t* indices,
                                      size_t* count) {
  return with_object<MeshHelper>(
      mesh.ptr, EntryId::SUMeshHelperGetVertexIndices,
      [&](MeshHelper& m) { return copy_values(m.indices, len, indices, count); });
}

SUResult SUMeshHelperGetFrontSTQCoords(SUMeshHelperRef mesh, size_t len, SUPoint3D* stq,
                                       size_t* count) {
  return with_object<MeshHelper>(mesh.ptr, EntryId::SUMeshHelperGetFrontSTQCoords,
                                 [&](MeshHelper& m) {
                                   if (!m.has_stq) return SU_ERROR_NO_DATA;
                                   return copy_values(m.stq, len, stq, count);
                                 });
}

}  // extern "C"
