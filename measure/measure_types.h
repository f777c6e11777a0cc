// The records of a measurement: clicked world points, a finished (or running) measurement with
// its lengths and area, and the measuring mode.
#pragma once

#include <cstdint>
#include <vector>

// A world point in model coordinates (inches).
struct MeasurePoint {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
};

struct MeasureResult {
  std::vector<MeasurePoint> points;     // clicked points in click order
  double total_length = 0.0;            // sum of segment_lengths, model units
  std::vector<double> segment_lengths;  // point i to i + 1; a closed outline ends with the
                                        // closing segment back to the first point
  double area = 0.0;                    // closed outline only, square model units
  bool closed = false;                  // closed with Enter
};

enum class MeasureMode : int32_t { None = 0, Distance = 1, Continuous = 2, Area = 3 };
