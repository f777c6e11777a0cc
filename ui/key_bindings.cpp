#include "ui/key_bindings.h"

namespace lumeno {

std::vector<KeyBinding> default_key_bindings() {
  struct Default {
    uint32_t key;
    const char* action;
  };
  static const Default kDefaults[] = {
      {0x4F, "open"},            // O
      {0x46, "fit"},             // F
      {0x4B, "edges"},           // K
      {0x4D, "materials"},       // M
      {0x47, "lighting"},        // G
      {0x53, "shadows"},         // S
      {0x48, "reverse_shadow"},  // H
      {0x43, "section"},         // C
      {0x77, "perspective"},     // F8
      {0x50, "performance"},     // P
      {0x54, "measure_dist"},    // T
      {0x41, "measure_area"},    // A
      {0x4C, "lock"},            // L
      {0x31, "layout_1"},        // 1
      {0x32, "layout_2"},        // 2
      {0x33, "layout_3"},        // 3
      {0x34, "layout_4"},        // 4
      {0x72, "list"},            // F3
  };
  std::vector<KeyBinding> bindings;
  bindings.reserve(sizeof(kDefaults) / sizeof(kDefaults[0]));
  for (const Default& d : kDefaults) bindings.push_back(KeyBinding{d.key, false, false, d.action});
  return bindings;
}

const KeyBinding* find_key_binding(const std::vector<KeyBinding>& bindings, uint32_t key,
                                   bool shift, bool ctrl) {
  for (const KeyBinding& b : bindings) {
    if (b.key == key && b.shift == shift && b.ctrl == ctrl) return &b;
  }
  return nullptr;
}

}  // namespace lumeno
