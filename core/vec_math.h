// The small vector and matrix vocabulary shared by the model's transformations and the cameras.
//
// Vectors and matrices come in single (Vec3, Mat4) and double (Vec3d, Mat4d) precision; each
// keeps its own precision in the vector operations. Matrices are column-major, element
// 4 * column + row, the layout of OpenGL and of SUTransformation. Matrix products and
// transformations sum in double precision whatever the element type, then store the element
// type, so float and double matrices give the results GL-style code expects from each.
//
// The matrix operations also take a plain 16-element array, so a matrix stored elsewhere (an
// SUTransformation's values) is used in place, without a copy.
#pragma once

#include <cmath>

namespace lumeno {

template <typename T>
struct BasicVec3 {
  T x = T(0), y = T(0), z = T(0);
};
using Vec3 = BasicVec3<float>;
using Vec3d = BasicVec3<double>;

template <typename T>
struct BasicMat4 {
  T m[16];
  static BasicMat4 identity() {
    BasicMat4 r = {};
    r.m[0] = r.m[5] = r.m[10] = r.m[15] = T(1);
    return r;
  }
};
using Mat4 = BasicMat4<float>;
using Mat4d = BasicMat4<double>;

template <typename T>
BasicVec3<T> operator+(const BasicVec3<T>& a, const BasicVec3<T>& b) {
  return BasicVec3<T>{a.x + b.x, a.y + b.y, a.z + b.z};
}
template <typename T>
BasicVec3<T> operator-(const BasicVec3<T>& a, const BasicVec3<T>& b) {
  return BasicVec3<T>{a.x - b.x, a.y - b.y, a.z - b.z};
}
template <typename T>
BasicVec3<T> operator-(const BasicVec3<T>& v) {
  return BasicVec3<T>{-v.x, -v.y, -v.z};
}
template <typename T>
BasicVec3<T> operator*(const BasicVec3<T>& v, T s) {
  return BasicVec3<T>{v.x * s, v.y * s, v.z * s};
}
template <typename T>
T dot(const BasicVec3<T>& a, const BasicVec3<T>& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
template <typename T>
BasicVec3<T> cross(const BasicVec3<T>& a, const BasicVec3<T>& b) {
  return BasicVec3<T>{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
template <typename T>
T length(const BasicVec3<T>& v) {
  return std::sqrt(dot(v, v));
}
// The unit vector along `v`; a zero vector stays zero (as GLU's normalize leaves it).
template <typename T>
BasicVec3<T> normalised(const BasicVec3<T>& v) {
  const T r = length(v);
  if (r == T(0)) return v;
  return BasicVec3<T>{v.x / r, v.y / r, v.z / r};
}
template <typename T>
bool is_finite(const BasicVec3<T>& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// out = a * b: a point is transformed by b first, then by a. `out` may not alias a or b.
template <typename T>
void multiply(const T (&a)[16], const T (&b)[16], T (&out)[16]) {
  for (int c = 0; c < 4; ++c) {
    for (int row = 0; row < 4; ++row) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k) {
        sum += static_cast<double>(a[row + 4 * k]) * static_cast<double>(b[k + 4 * c]);
      }
      out[row + 4 * c] = static_cast<T>(sum);
    }
  }
}
template <typename T>
BasicMat4<T> multiply(const BasicMat4<T>& a, const BasicMat4<T>& b) {
  BasicMat4<T> r = {};
  multiply(a.m, b.m, r.m);
  return r;
}

// m applied to the point (x, y, z, 1): the homogeneous result, w in out[3].
template <typename T>
void transform_homogeneous(const T (&m)[16], double x, double y, double z, double out[4]) {
  for (int row = 0; row < 4; ++row) {
    out[row] = static_cast<double>(m[row]) * x + static_cast<double>(m[4 + row]) * y +
               static_cast<double>(m[8 + row]) * z + static_cast<double>(m[12 + row]);
  }
}

// m applied to the point p, divided by the resulting w unless w is 0.
template <typename T>
Vec3d transform_point(const T (&m)[16], const Vec3d& p) {
  double h[4];
  transform_homogeneous(m, p.x, p.y, p.z, h);
  if (h[3] != 0.0) return Vec3d{h[0] / h[3], h[1] / h[3], h[2] / h[3]};
  return Vec3d{h[0], h[1], h[2]};
}
template <typename T>
Vec3d transform_point(const BasicMat4<T>& m, const Vec3d& p) {
  return transform_point(m.m, p);
}

// The rotation and scale part of m applied to the direction v (no translation, no w).
template <typename T>
Vec3d transform_vector(const T (&m)[16], const Vec3d& v) {
  Vec3d r;
  double* out[3] = {&r.x, &r.y, &r.z};
  for (int row = 0; row < 3; ++row) {
    *out[row] = static_cast<double>(m[row]) * v.x + static_cast<double>(m[4 + row]) * v.y +
                static_cast<double>(m[8 + row]) * v.z;
  }
  return r;
}
template <typename T>
Vec3d transform_vector(const BasicMat4<T>& m, const Vec3d& v) {
  return transform_vector(m.m, v);
}

}  // namespace lumeno
