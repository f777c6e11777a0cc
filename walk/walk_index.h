// A spatial index over the XY footprints of a model's triangles, answering walk mode's ground
// and wall tests with the same results as the plain scans of walk_geometry.h.
//
// A hierarchy of uniform grids (each level's cells twice as wide as the level below) rather than
// a BVH: a query is one cell per level, found by arithmetic, with no tree to descend and no
// pointers to chase; the build is two counting passes over the triangles with no sorting; and
// each triangle goes to the finest level whose cells are at least as wide as its footprint grown
// by the wall radius, so it sits in at most four cells whatever its size. Levels keep a long
// wall or a floor slab from filling thousands of small cells, which is what a single uniform
// grid suffers from. Footprints are grown by the wall radius so one cell answers both tests.
//
// Layer visibility is tested at query time, so the index stays right when a layer is hidden
// after it was built. Triangles whose footprint is not finite are kept in a list tested on every
// query, and a query point that is not finite, or a model that no longer matches the index,
// falls back to the scans.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/skp_model.h"

namespace lumeno {

class WalkIndex {
 public:
  // Indexes every triangle of `model` (visible or not).
  void build(const SkpModel& model);
  void clear();

  // As find_ground_scan and is_blocked_scan for the model the index was built from.
  bool find_ground(const SkpModel& model, float x, float y, float feet_z, float step_up,
                   float& ground_z) const;
  bool is_blocked(const SkpModel& model, float x, float y, float z, float band) const;

  // Bytes held by the index.
  size_t bytes() const;
  size_t triangle_count() const { return triangle_count_; }
  size_t level_count() const { return levels_.size(); }

 private:
  struct Level {
    float cell = 1.0f;  // cell width, model units
    float inv = 1.0f;   // 1 / cell
    int32_t nx = 1, ny = 1;
    uint32_t base = 0;  // first cell of this level in offsets_
  };

  bool matches(const SkpModel& model) const;
  int column(const Level& level, float x) const;
  int row(const Level& level, float y) const;
  // The cell list of `level` holding the point.
  void cell_range(const Level& level, float x, float y, const uint32_t*& first,
                  const uint32_t*& last) const;

  float origin_x_ = 0.0f, origin_y_ = 0.0f;
  std::vector<Level> levels_;
  std::vector<uint32_t> offsets_;  // start of each cell's entries, one past the last at the end
  std::vector<uint32_t> entries_;  // triangle indices, ascending within a cell
  std::vector<uint32_t> loose_;    // triangles with a footprint that is not finite
  size_t triangle_count_ = 0;
  bool built_ = false;
};

}  // namespace lumeno
