// Recording the flattened model into display lists.
//
// Triangles go out in chunks of 50,000 indices and edges in chunks of 100,000, one glBegin/glEnd
// per chunk, so that no primitive grows without bound; a hidden triangle or edge counts towards
// its chunk but emits nothing. Texture binds happen only where consecutive emitted triangles
// change texture. The walk is written against a small sink so that the same code records into
// GL and into a test's recorder.
#pragma once

#include <cstddef>
#include <vector>

#include "model/skp_model.h"

constexpr size_t kTriangleChunk = 50000;
constexpr size_t kEdgeChunk = 100000;

// Which faces one list holds. A model without transparent materials is recorded in one list
// (All); otherwise its opaque and transparent faces go to two lists, drawn in that order.
enum class FacePass { All, Opaque, Transparent };

// A face counts as transparent when its colour's alpha byte is below 255. The colour is the same
// on all three corners; the first corner decides.
bool is_transparent_triangle(const Triangle& triangle);

class PrimitiveSink {
 public:
  virtual ~PrimitiveSink() = default;
  virtual void begin_triangles() = 0;
  virtual void begin_lines() = 0;
  virtual void end() = 0;
  // Binds texture `name` with texturing on, or turns texturing off for name 0.
  virtual void set_texture(unsigned int name) = 0;
  // Normal, colour, texture coordinates (only when `textured`), position.
  virtual void triangle_vertex(const TriangleVertex& vertex, bool textured) = 0;
  virtual void line_point(const float point[3]) = 0;
};

// Emits the visible triangles of `pass`. `texture_names` is indexed like the model's textures;
// an index outside it, -1 or a name of 0 draws untextured.
void emit_triangles(const SkpModel& model, const std::vector<unsigned int>& texture_names,
                    FacePass pass, PrimitiveSink& sink);
// Emits the visible standalone and outline edges' end points (colour and width are set at draw
// time).
void emit_edges(const SkpModel& model, PrimitiveSink& sink);

// Compile a new display list with the output of emit_triangles / emit_edges and return its name
// (0 if GL has no list names left). Need a current GL context.
unsigned int record_triangle_list(const SkpModel& model,
                                  const std::vector<unsigned int>& texture_names, FacePass pass);
unsigned int record_edge_list(const SkpModel& model);
