// The open document: the model, the path it came from, the scene last chosen and a revision
// number. Anything derived from the model (GL display lists and textures, spatial indexes)
// remembers the revision it was built for and rebuilds when the number has changed: a load and a
// change of layer visibility both bump it.
#pragma once

#include <cstdint>
#include <string>

#include "model/skp_model.h"

namespace lumeno {

struct Document {
  SkpModel model;
  std::wstring path;       // the file the model was opened from; empty before any
  int current_scene = -1;  // the scene last chosen; -1 before any
  uint64_t revision = 1;   // bumped whenever the model or its layer visibility changes

  void touch() { ++revision; }
};

}  // namespace lumeno
