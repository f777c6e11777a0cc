// The SDK calls a model load makes, walked without building any record: the SDK's own cost,
// against which the loader's overhead is measured.
#pragma once

#include <cstddef>
#include <string>

#include "sdk/su_types.h"

namespace lumeno {
namespace bench {

// Opens `path`, walks every face (materials, layer, mesh arrays), edge, group and instance the
// way the loader does, reads layers and scenes, releases the model. Returns the number of mesh
// triangles seen (0 when the file does not open).
size_t walk_sdk(const std::string& path);

// The entities part of the walk on an open model.
size_t walk_entities(SUEntitiesRef entities);

// Opens and releases the model only: the parse cost both walks share.
bool open_and_release(const std::string& path);

}  // namespace bench
}  // namespace lumeno
