#include "standin/model.h"

namespace standin {

Vertex* VertexArena::allocate(size_t count) {
  if (count == 0) return nullptr;
  if (count > kBlock / 4) {
    // Large loops get a block of their own so that small faces keep filling the shared block.
    blocks_.emplace_back(new Vertex[count]);
    return blocks_.back().get();
  }
  if (current_ == nullptr || used_ + count > kBlock) {
    blocks_.emplace_back(new Vertex[kBlock]);
    current_ = blocks_.back().get();
    used_ = 0;
  }
  Vertex* run = current_ + used_;
  used_ += count;
  return run;
}

}  // namespace standin
