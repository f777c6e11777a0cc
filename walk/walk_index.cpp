#include "walk/walk_index.h"

#include <algorithm>
#include <cmath>

#include "walk/walk_geometry.h"

namespace lumeno {

namespace {

// A footprint grown by the wall radius, computed exactly as the wall test computes its bounds,
// so any point either test accepts lies inside it.
struct Grown {
  float lo_x, hi_x, lo_y, hi_y;
  bool finite() const {
    return std::isfinite(lo_x) && std::isfinite(hi_x) && std::isfinite(lo_y) && std::isfinite(hi_y);
  }
  float extent() const { return std::max(hi_x - lo_x, hi_y - lo_y); }
};

Grown grown_footprint(const Triangle& t) {
  const Footprint f = footprint(t);
  return Grown{f.min_x - kWallRadius, f.max_x + kWallRadius, f.min_y - kWallRadius,
               f.max_y + kWallRadius};
}

bool finite_point(float x, float y, float z) {
  return std::isfinite(x) && std::isfinite(y) && std::isfinite(z);
}

}  // namespace

void WalkIndex::clear() {
  levels_.clear();
  offsets_.clear();
  entries_.clear();
  loose_.clear();
  triangle_count_ = 0;
  built_ = false;
}

int WalkIndex::column(const Level& level, float x) const {
  // Subtraction and multiplication by a positive number round monotonically, so a point between
  // two bounds always lands in a cell between theirs.
  const float f = (x - origin_x_) * level.inv;
  if (!(f > 0.0f)) return 0;
  if (f >= static_cast<float>(level.nx)) return level.nx - 1;
  return std::min(static_cast<int>(f), level.nx - 1);
}

int WalkIndex::row(const Level& level, float y) const {
  const float f = (y - origin_y_) * level.inv;
  if (!(f > 0.0f)) return 0;
  if (f >= static_cast<float>(level.ny)) return level.ny - 1;
  return std::min(static_cast<int>(f), level.ny - 1);
}

void WalkIndex::build(const SkpModel& model) {
  clear();
  const std::vector<Triangle>& tris = model.triangles;
  triangle_count_ = tris.size();
  built_ = true;
  if (tris.empty() || tris.size() > 0xFFFFFFFFu) {
    if (!tris.empty()) built_ = false;  // beyond 32-bit indices: the scans answer
    return;
  }

  // Pass 1: grown footprints and their bounds.
  std::vector<Grown> grown(tris.size());
  float min_x = 0.0f, max_x = 0.0f, min_y = 0.0f, max_y = 0.0f;
  bool any = false;
  for (size_t i = 0; i < tris.size(); ++i) {
    grown[i] = grown_footprint(tris[i]);
    const Grown& g = grown[i];
    if (!g.finite()) {
      loose_.push_back(static_cast<uint32_t>(i));
      continue;
    }
    if (!any) {
      min_x = g.lo_x, max_x = g.hi_x, min_y = g.lo_y, max_y = g.hi_y;
      any = true;
    }
    min_x = std::min(min_x, g.lo_x), max_x = std::max(max_x, g.hi_x);
    min_y = std::min(min_y, g.lo_y), max_y = std::max(max_y, g.hi_y);
  }
  if (!any) return;

  // Level 0 aims at about two triangles per cell; no cell is narrower than a grown footprint
  // can be, and no row or column has more cells than half the triangle count.
  origin_x_ = min_x;
  origin_y_ = min_y;
  const double width = static_cast<double>(max_x) - min_x;
  const double height = static_cast<double>(max_y) - min_y;
  const double half = std::max(1.0, static_cast<double>(tris.size() - loose_.size()) / 2.0);
  double cell = std::max(
      {std::sqrt(width * height / half), 2.0 * kWallRadius, std::max(width, height) / half});
  uint32_t cells = 0;
  for (;;) {
    Level level;
    level.cell = static_cast<float>(cell);
    level.inv = static_cast<float>(1.0 / cell);
    level.nx = static_cast<int32_t>(std::min(width / cell, 1e9)) + 1;
    level.ny = static_cast<int32_t>(std::min(height / cell, 1e9)) + 1;
    level.base = cells;
    cells += static_cast<uint32_t>(level.nx) * static_cast<uint32_t>(level.ny);
    levels_.push_back(level);
    if (level.nx <= 2 && level.ny <= 2) break;
    cell *= 2.0;
  }

  // The finest level whose cells are at least as wide as the footprint: at most 2 × 2 cells.
  auto level_of = [this](const Grown& g) {
    const float extent = g.extent();
    for (size_t l = 0; l + 1 < levels_.size(); ++l)
      if (levels_[l].cell >= extent) return l;
    return levels_.size() - 1;
  };
  auto for_each_cell = [this](const Level& level, const Grown& g, auto&& visit) {
    const int x0 = column(level, g.lo_x), x1 = column(level, g.hi_x);
    const int y0 = row(level, g.lo_y), y1 = row(level, g.hi_y);
    for (int cy = y0; cy <= y1; ++cy)
      for (int cx = x0; cx <= x1; ++cx)
        visit(level.base + static_cast<uint32_t>(cy) * static_cast<uint32_t>(level.nx) +
              static_cast<uint32_t>(cx));
  };

  // Pass 2: count the entries of each cell; pass 3: place them in triangle order.
  offsets_.assign(static_cast<size_t>(cells) + 1, 0);
  std::vector<uint8_t> level_index(tris.size(), 0);
  for (size_t i = 0; i < tris.size(); ++i) {
    if (!grown[i].finite()) continue;
    level_index[i] = static_cast<uint8_t>(level_of(grown[i]));
    for_each_cell(levels_[level_index[i]], grown[i], [this](uint32_t c) { ++offsets_[c + 1]; });
  }
  for (size_t c = 1; c < offsets_.size(); ++c) offsets_[c] += offsets_[c - 1];
  entries_.resize(offsets_.back());
  std::vector<uint32_t> cursor(offsets_.begin(), offsets_.end() - 1);
  for (size_t i = 0; i < tris.size(); ++i) {
    if (!grown[i].finite()) continue;
    for_each_cell(levels_[level_index[i]], grown[i],
                  [&](uint32_t c) { entries_[cursor[c]++] = static_cast<uint32_t>(i); });
  }
  entries_.shrink_to_fit();
  loose_.shrink_to_fit();
}

bool WalkIndex::matches(const SkpModel& model) const {
  return built_ && model.triangles.size() == triangle_count_;
}

void WalkIndex::cell_range(const Level& level, float x, float y, const uint32_t*& first,
                           const uint32_t*& last) const {
  const uint32_t c = level.base +
                     static_cast<uint32_t>(row(level, y)) * static_cast<uint32_t>(level.nx) +
                     static_cast<uint32_t>(column(level, x));
  first = entries_.data() + offsets_[c];
  last = entries_.data() + offsets_[c + 1];
}

bool WalkIndex::find_ground(const SkpModel& model, float x, float y, float feet_z, float step_up,
                            float& ground_z) const {
  if (!model.loaded) return false;
  if (!matches(model) || !finite_point(x, y, 0.0f))
    return find_ground_scan(model, x, y, feet_z, step_up, ground_z);
  // The answer is the highest qualifying height, which does not depend on the order the
  // candidates are met in (the scan's first-in-list-order rule picks among equal heights).
  const float limit = feet_z + step_up;
  float best = kLowestFloat;
  bool found = false;
  auto consider = [&](uint32_t i) {
    const Triangle& t = model.triangles[i];
    if (!model.is_geometry_visible(t.face_layer, t.inherited_layer)) return;
    float z = 0.0f;
    if (ground_height(t, x, y, limit, z) && z > best) {
      best = z;
      found = true;
    }
  };
  for (const Level& level : levels_) {
    const uint32_t *first = nullptr, *last = nullptr;
    cell_range(level, x, y, first, last);
    for (const uint32_t* p = first; p != last; ++p) consider(*p);
  }
  for (uint32_t i : loose_) consider(i);
  if (found) ground_z = best;
  return found;
}

bool WalkIndex::is_blocked(const SkpModel& model, float x, float y, float z, float band) const {
  if (!model.loaded) return false;
  if (!matches(model) || !finite_point(x, y, z)) return is_blocked_scan(model, x, y, z, band);
  auto blocks = [&](uint32_t i) {
    const Triangle& t = model.triangles[i];
    return model.is_geometry_visible(t.face_layer, t.inherited_layer) &&
           blocks_eye(t, x, y, z, band);
  };
  for (const Level& level : levels_) {
    const uint32_t *first = nullptr, *last = nullptr;
    cell_range(level, x, y, first, last);
    for (const uint32_t* p = first; p != last; ++p)
      if (blocks(*p)) return true;
  }
  for (uint32_t i : loose_)
    if (blocks(i)) return true;
  return false;
}

size_t WalkIndex::bytes() const {
  return sizeof(*this) + levels_.capacity() * sizeof(Level) +
         offsets_.capacity() * sizeof(uint32_t) + entries_.capacity() * sizeof(uint32_t) +
         loose_.capacity() * sizeof(uint32_t);
}

}  // namespace lumeno
