#include "core/triangulate.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>

namespace lumeno {
namespace {

struct Node {
  uint32_t i = 0;
  double x = 0, y = 0;
  Node* prev = nullptr;
  Node* next = nullptr;
  int32_t z = 0;
  Node* prev_z = nullptr;
  Node* next_z = nullptr;
  bool steiner = false;
};

// Splits beyond this depth are abandoned: pathological self-intersecting input then gets a
// partial triangulation instead of exhausting the stack.
constexpr int kMaxSplitDepth = 64;

class Earcut {
 public:
  Earcut(const std::vector<Point2>& points, std::vector<uint32_t>* out)
      : points_(points), out_(out) {}

  void run(const std::vector<uint32_t>& loop_sizes) {
    if (loop_sizes.empty()) return;
    const uint32_t outer_len = loop_sizes[0];
    Node* outer = linked_list(0, outer_len, true);
    if (outer == nullptr || outer->next == outer->prev) return;
    if (loop_sizes.size() > 1) outer = eliminate_holes(loop_sizes, outer);
    if (outer == nullptr) return;

    if (points_.size() > 80) {
      double min_x = points_[0].x, max_x = min_x, min_y = points_[0].y, max_y = min_y;
      for (uint32_t k = 1; k < outer_len; ++k) {
        min_x = std::min(min_x, points_[k].x);
        max_x = std::max(max_x, points_[k].x);
        min_y = std::min(min_y, points_[k].y);
        max_y = std::max(max_y, points_[k].y);
      }
      min_x_ = min_x;
      min_y_ = min_y;
      const double size = std::max(max_x - min_x, max_y - min_y);
      inv_size_ = (size > 0 && std::isfinite(size)) ? 32767.0 / size : 0.0;
    }
    earcut_linked(outer, 0, 0);
  }

 private:
  Node* make_node(uint32_t i, double x, double y) {
    nodes_.emplace_back();
    Node* p = &nodes_.back();
    p->i = i;
    p->x = x;
    p->y = y;
    return p;
  }

  Node* insert_node(uint32_t i, Node* last) {
    Node* p = make_node(i, points_[i].x, points_[i].y);
    if (last == nullptr) {
      p->prev = p;
      p->next = p;
    } else {
      p->next = last->next;
      p->prev = last;
      last->next->prev = p;
      last->next = p;
    }
    return p;
  }

  static void remove_node(Node* p) {
    p->next->prev = p->prev;
    p->prev->next = p->next;
    if (p->prev_z) p->prev_z->next_z = p->next_z;
    if (p->next_z) p->next_z->prev_z = p->prev_z;
  }

  double signed_area(uint32_t start, uint32_t end) const {
    double sum = 0;
    for (uint32_t i = start, j = end - 1; i < end; j = i++) {
      sum += (points_[j].x - points_[i].x) * (points_[i].y + points_[j].y);
    }
    return sum;
  }

  // Circular doubly linked list of a loop in the requested winding.
  Node* linked_list(uint32_t start, uint32_t end, bool clockwise) {
    if (end <= start) return nullptr;
    Node* last = nullptr;
    if (clockwise == (signed_area(start, end) > 0)) {
      for (uint32_t i = start; i < end; ++i) last = insert_node(i, last);
    } else {
      for (uint32_t i = end; i-- > start;) last = insert_node(i, last);
    }
    if (last && equals(last, last->next)) {
      remove_node(last);
      last = last->next;
    }
    return last;
  }

  static double area(const Node* p, const Node* q, const Node* r) {
    return (q->y - p->y) * (r->x - q->x) - (q->x - p->x) * (r->y - q->y);
  }
  static bool equals(const Node* a, const Node* b) { return a->x == b->x && a->y == b->y; }
  static int sign(double v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }

  static bool on_segment(const Node* p, const Node* q, const Node* r) {
    return q->x <= std::max(p->x, r->x) && q->x >= std::min(p->x, r->x) &&
           q->y <= std::max(p->y, r->y) && q->y >= std::min(p->y, r->y);
  }

  static bool intersects(const Node* p1, const Node* q1, const Node* p2, const Node* q2) {
    const int o1 = sign(area(p1, q1, p2));
    const int o2 = sign(area(p1, q1, q2));
    const int o3 = sign(area(p2, q2, p1));
    const int o4 = sign(area(p2, q2, q1));
    if (o1 != o2 && o3 != o4) return true;
    if (o1 == 0 && on_segment(p1, p2, q1)) return true;
    if (o2 == 0 && on_segment(p1, q2, q1)) return true;
    if (o3 == 0 && on_segment(p2, p1, q2)) return true;
    if (o4 == 0 && on_segment(p2, q1, q2)) return true;
    return false;
  }

  static bool point_in_triangle(double ax, double ay, double bx, double by, double cx, double cy,
                                double px, double py) {
    return (cx - px) * (ay - py) >= (ax - px) * (cy - py) &&
           (ax - px) * (by - py) >= (bx - px) * (ay - py) &&
           (bx - px) * (cy - py) >= (cx - px) * (by - py);
  }

  static bool locally_inside(const Node* a, const Node* b) {
    return area(a->prev, a, a->next) < 0 ? area(a, b, a->next) >= 0 && area(a, a->prev, b) >= 0
                                         : area(a, b, a->prev) < 0 || area(a, a->next, b) < 0;
  }

  static bool middle_inside(const Node* a, const Node* b) {
    const Node* p = a;
    bool inside = false;
    const double px = (a->x + b->x) / 2, py = (a->y + b->y) / 2;
    do {
      if (((p->y > py) != (p->next->y > py)) && p->next->y != p->y &&
          (px < (p->next->x - p->x) * (py - p->y) / (p->next->y - p->y) + p->x)) {
        inside = !inside;
      }
      p = p->next;
    } while (p != a);
    return inside;
  }

  static bool intersects_polygon(const Node* a, const Node* b) {
    const Node* p = a;
    do {
      if (p->i != a->i && p->next->i != a->i && p->i != b->i && p->next->i != b->i &&
          intersects(p, p->next, a, b)) {
        return true;
      }
      p = p->next;
    } while (p != a);
    return false;
  }

  static bool is_valid_diagonal(const Node* a, const Node* b) {
    return a->next->i != b->i && a->prev->i != b->i && !intersects_polygon(a, b) &&
           ((locally_inside(a, b) && locally_inside(b, a) && middle_inside(a, b) &&
             (area(a->prev, a, b->prev) != 0 || area(a, b->prev, b) != 0)) ||
            (equals(a, b) && area(a->prev, a, a->next) > 0 && area(b->prev, b, b->next) > 0));
  }

  // Removes duplicate and collinear points between start and end.
  Node* filter_points(Node* start, Node* end = nullptr) {
    if (start == nullptr) return start;
    if (end == nullptr) end = start;
    Node* p = start;
    bool again;
    do {
      again = false;
      if (!p->steiner && (equals(p, p->next) || area(p->prev, p, p->next) == 0)) {
        remove_node(p);
        p = end = p->prev;
        if (p == p->next) break;
        again = true;
      } else {
        p = p->next;
      }
    } while (again || p != end);
    return end;
  }

  void emit(const Node* a, const Node* b, const Node* c) {
    out_->push_back(a->i);
    out_->push_back(b->i);
    out_->push_back(c->i);
  }

  void earcut_linked(Node* ear, int pass, int depth) {
    if (ear == nullptr) return;
    if (pass == 0 && inv_size_ != 0) index_curve(ear);
    Node* stop = ear;
    while (ear->prev != ear->next) {
      Node* prev = ear->prev;
      Node* next = ear->next;
      if (inv_size_ != 0 ? is_ear_hashed(ear) : is_ear(ear)) {
        emit(prev, ear, next);
        remove_node(ear);
        ear = next->next;
        stop = next->next;
        continue;
      }
      ear = next;
      if (ear == stop) {
        if (pass == 0) {
          earcut_linked(filter_points(ear), 1, depth);
        } else if (pass == 1) {
          ear = cure_local_intersections(filter_points(ear));
          earcut_linked(ear, 2, depth);
        } else if (pass == 2 && depth < kMaxSplitDepth) {
          split_earcut(ear, depth + 1);
        }
        break;
      }
    }
  }

  // A candidate ear: the corner at `ear`, its neighbours and the bounding box of the three.
  struct Corner {
    const Node *a, *b, *c;
    double x0, y0, x1, y1;
  };

  // The corner at `ear`; false when it is reflex or flat, which is never an ear.
  static bool convex_corner(const Node* ear, Corner* out) {
    const Node* a = ear->prev;
    const Node* b = ear;
    const Node* c = ear->next;
    if (area(a, b, c) >= 0) return false;
    *out = Corner{a,
                  b,
                  c,
                  std::min({a->x, b->x, c->x}),
                  std::min({a->y, b->y, c->y}),
                  std::max({a->x, b->x, c->x}),
                  std::max({a->y, b->y, c->y})};
    return true;
  }

  // Whether the reflex point `p` lies inside the corner's triangle, which then cannot be cut.
  static bool blocks(const Node* p, const Corner& k) {
    return p->x >= k.x0 && p->x <= k.x1 && p->y >= k.y0 && p->y <= k.y1 && p != k.a && p != k.c &&
           point_in_triangle(k.a->x, k.a->y, k.b->x, k.b->y, k.c->x, k.c->y, p->x, p->y) &&
           area(p->prev, p, p->next) >= 0;
  }

  bool is_ear(const Node* ear) const {
    Corner k;
    if (!convex_corner(ear, &k)) return false;
    for (const Node* p = k.c->next; p != k.a; p = p->next) {
      if (blocks(p, k)) return false;
    }
    return true;
  }

  bool is_ear_hashed(const Node* ear) const {
    Corner k;
    if (!convex_corner(ear, &k)) return false;
    const int32_t min_z = z_order(k.x0, k.y0);
    const int32_t max_z = z_order(k.x1, k.y1);
    const Node* p = ear->prev_z;
    const Node* n = ear->next_z;
    while (p && p->z >= min_z && n && n->z <= max_z) {
      if (blocks(p, k)) return false;
      p = p->prev_z;
      if (blocks(n, k)) return false;
      n = n->next_z;
    }
    while (p && p->z >= min_z) {
      if (blocks(p, k)) return false;
      p = p->prev_z;
    }
    while (n && n->z <= max_z) {
      if (blocks(n, k)) return false;
      n = n->next_z;
    }
    return true;
  }

  Node* cure_local_intersections(Node* start) {
    if (start == nullptr) return nullptr;
    Node* p = start;
    do {
      Node* a = p->prev;
      Node* b = p->next->next;
      if (!equals(a, b) && intersects(a, p, p->next, b) && locally_inside(a, b) &&
          locally_inside(b, a)) {
        emit(a, p, b);
        remove_node(p);
        remove_node(p->next);
        p = start = b;
      }
      p = p->next;
    } while (p != start);
    return filter_points(p);
  }

  Node* split_polygon(Node* a, Node* b) {
    Node* a2 = make_node(a->i, a->x, a->y);
    Node* b2 = make_node(b->i, b->x, b->y);
    Node* an = a->next;
    Node* bp = b->prev;
    a->next = b;
    b->prev = a;
    a2->next = an;
    an->prev = a2;
    b2->next = a2;
    a2->prev = b2;
    bp->next = b2;
    b2->prev = bp;
    return b2;
  }

  void split_earcut(Node* start, int depth) {
    if (start == nullptr) return;
    Node* a = start;
    do {
      Node* b = a->next->next;
      while (b != a->prev) {
        if (a->i != b->i && is_valid_diagonal(a, b)) {
          Node* c = split_polygon(a, b);
          a = filter_points(a, a->next);
          c = filter_points(c, c->next);
          earcut_linked(a, 0, depth);
          earcut_linked(c, 0, depth);
          return;
        }
        b = b->next;
      }
      a = a->next;
    } while (a != start);
  }

  static Node* leftmost(Node* start) {
    Node* p = start;
    Node* left = start;
    do {
      if (p->x < left->x || (p->x == left->x && p->y < left->y)) left = p;
      p = p->next;
    } while (p != start);
    return left;
  }

  Node* eliminate_holes(const std::vector<uint32_t>& loop_sizes, Node* outer) {
    std::vector<Node*> queue;
    uint32_t start = loop_sizes[0];
    for (size_t h = 1; h < loop_sizes.size(); ++h) {
      const uint32_t end = start + loop_sizes[h];
      if (loop_sizes[h] >= 3) {
        Node* list = linked_list(start, end, false);
        if (list != nullptr) {
          if (list == list->next) list->steiner = true;
          queue.push_back(leftmost(list));
        }
      }
      start = end;
    }
    std::sort(queue.begin(), queue.end(), [](const Node* a, const Node* b) {
      return a->x < b->x || (a->x == b->x && a->y < b->y);
    });
    for (Node* hole : queue) outer = eliminate_hole(hole, outer);
    return outer;
  }

  Node* eliminate_hole(Node* hole, Node* outer) {
    Node* bridge = find_hole_bridge(hole, outer);
    if (bridge == nullptr) return outer;
    Node* bridge_reverse = split_polygon(bridge, hole);
    filter_points(bridge_reverse, bridge_reverse->next);
    return filter_points(bridge, bridge->next);
  }

  static bool sector_contains_sector(const Node* m, const Node* p) {
    return area(m->prev, m, p->prev) < 0 && area(p->next, m, m->next) < 0;
  }

  // David Eberly's bridge: the outer vertex visible from the hole's leftmost point.
  Node* find_hole_bridge(const Node* hole, Node* outer) {
    Node* p = outer;
    const double hx = hole->x, hy = hole->y;
    double qx = -std::numeric_limits<double>::infinity();
    Node* m = nullptr;
    do {
      if (hy <= p->y && hy >= p->next->y && p->next->y != p->y) {
        const double x = p->x + (hy - p->y) * (p->next->x - p->x) / (p->next->y - p->y);
        if (x <= hx && x > qx) {
          qx = x;
          m = p->x < p->next->x ? p : p->next;
          if (x == hx) return m;
        }
      }
      p = p->next;
    } while (p != outer);
    if (m == nullptr) return nullptr;

    const Node* stop = m;
    const double mx = m->x, my = m->y;
    double tan_min = std::numeric_limits<double>::infinity();
    p = m;
    do {
      if (hx >= p->x && p->x >= mx && hx != p->x &&
          point_in_triangle(hy < my ? hx : qx, hy, mx, my, hy < my ? qx : hx, hy, p->x, p->y)) {
        const double tan = std::fabs(hy - p->y) / (hx - p->x);
        if (locally_inside(p, hole) &&
            (tan < tan_min ||
             (tan == tan_min && (p->x > m->x || (p->x == m->x && sector_contains_sector(m, p)))))) {
          m = p;
          tan_min = tan;
        }
      }
      p = p->next;
    } while (p != stop);
    return m;
  }

  int32_t z_order(double px, double py) const {
    auto scaled = [this](double v) -> uint32_t {
      const double s = v * inv_size_;
      if (!(s > 0)) return 0;
      return s >= 32767.0 ? 32767u : static_cast<uint32_t>(s);
    };
    uint32_t x = scaled(px - min_x_);
    uint32_t y = scaled(py - min_y_);
    x = (x | (x << 8)) & 0x00FF00FFu;
    x = (x | (x << 4)) & 0x0F0F0F0Fu;
    x = (x | (x << 2)) & 0x33333333u;
    x = (x | (x << 1)) & 0x55555555u;
    y = (y | (y << 8)) & 0x00FF00FFu;
    y = (y | (y << 4)) & 0x0F0F0F0Fu;
    y = (y | (y << 2)) & 0x33333333u;
    y = (y | (y << 1)) & 0x55555555u;
    return static_cast<int32_t>(x | (y << 1));
  }

  void index_curve(Node* start) {
    Node* p = start;
    do {
      if (p->z == 0) p->z = z_order(p->x, p->y);
      p->prev_z = p->prev;
      p->next_z = p->next;
      p = p->next;
    } while (p != start);
    p->prev_z->next_z = nullptr;
    p->prev_z = nullptr;
    sort_linked(p);
  }

  // Simon Tatham's merge sort of the z-order list.
  static Node* sort_linked(Node* list) {
    int in_size = 1;
    int merges;
    do {
      Node* p = list;
      list = nullptr;
      Node* tail = nullptr;
      merges = 0;
      while (p) {
        ++merges;
        Node* q = p;
        int p_size = 0;
        for (int k = 0; k < in_size; ++k) {
          ++p_size;
          q = q->next_z;
          if (!q) break;
        }
        int q_size = in_size;
        while (p_size > 0 || (q_size > 0 && q)) {
          Node* e;
          if (p_size != 0 && (q_size == 0 || !q || p->z <= q->z)) {
            e = p;
            p = p->next_z;
            --p_size;
          } else {
            e = q;
            q = q->next_z;
            --q_size;
          }
          if (tail) {
            tail->next_z = e;
          } else {
            list = e;
          }
          e->prev_z = tail;
          tail = e;
        }
        p = q;
      }
      if (tail) tail->next_z = nullptr;
      in_size *= 2;
    } while (merges > 1);
    return list;
  }

  const std::vector<Point2>& points_;
  std::vector<uint32_t>* out_;
  std::deque<Node> nodes_;
  double min_x_ = 0, min_y_ = 0, inv_size_ = 0;
};

double signed_area2(const Point2& a, const Point2& b, const Point2& c) {
  return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

}  // namespace

void triangulate_2d(const std::vector<Point2>& points, const std::vector<uint32_t>& loop_sizes,
                    std::vector<uint32_t>* triangles) {
  size_t total = 0;
  for (uint32_t size : loop_sizes) total += size;
  if (loop_sizes.empty() || loop_sizes[0] < 3 || total > points.size()) return;
  for (const Point2& p : points) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
  }
  const size_t first = triangles->size();
  std::vector<uint32_t> raw;
  Earcut(points, &raw).run(loop_sizes);
  triangles->reserve(first + raw.size());
  for (size_t t = 0; t + 2 < raw.size(); t += 3) {
    uint32_t a = raw[t], b = raw[t + 1], c = raw[t + 2];
    const double s = signed_area2(points[a], points[b], points[c]);
    if (!(s != 0) || !std::isfinite(s)) continue;
    if (s < 0) std::swap(b, c);
    triangles->push_back(a);
    triangles->push_back(b);
    triangles->push_back(c);
  }
}

}  // namespace lumeno
