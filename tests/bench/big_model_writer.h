// Writes large stand-in model files for the load benchmarks.
#pragma once

#include <cstddef>
#include <string>

namespace lumeno {
namespace bench {

struct BigModelShape {
  size_t instances = 5000;            // placements of one component
  size_t component_squares = 50;      // 2 triangles each: a 100-triangle component
  size_t group_faces = 500000;        // textured triangles in one group
  size_t textures = 4;                // distinct textured materials in the group
};

// Writes the model to `path`; returns the number of triangles it holds.
size_t write_big_model(const std::string& path, const BigModelShape& shape);

// A top-level face and a definition that places itself twice and holds nothing else: 2^64
// entities lists within the depth limit, so only the work bound ends the walk.
void write_self_containing_model(const std::string& path);

}  // namespace bench
}  // namespace lumeno
