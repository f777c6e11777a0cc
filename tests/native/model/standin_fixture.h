// Binds the full stand-in SDK and loads stand-in JSON models written to a temporary folder.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "model/skp_model.h"
#include "tests/native/support/byte_fed_sdk.h"
#include "tests/native/support/sdk_binding.h"

namespace lumeno {
namespace test {

using json = nlohmann::json;

class StandinModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(bind_full_sdk(LUMENO_STANDIN_FULL_DIR)) << "stand-in SDK not loadable";
    char pattern[] = "/tmp/lumeno_model_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  std::string write_file(const std::string& name, const std::string& text) {
    std::ofstream(dir_ + "/" + name, std::ios::binary) << text;
    return dir_ + "/" + name;
  }
  std::string write_model(const json& model) { return write_file("model.skp", model.dump()); }
  bool load(const json& model) { return model_.load_from_file(write_model(model)); }
  // The first triangle whose smallest x is `x`, or null.
  const Triangle* triangle_at(float x) const {
    for (const Triangle& t : model_.triangles) {
      if (std::min({t.vertices[0].x, t.vertices[1].x, t.vertices[2].x}) == x) return &t;
    }
    return nullptr;
  }

  std::string dir_;
  SkpModel model_;
};

// One channel (0 red ... 3 alpha) of a triangle's colour as the byte it came from.
inline int colour_byte(const Triangle& t, int channel) {
  const TriangleVertex& v = t.vertices[0];
  const float channels[4] = {v.r, v.g, v.b, v.a};
  return static_cast<int>(std::lround(channels[channel] * 255.0f));
}

inline json point(double x, double y, double z) { return json::array({x, y, z}); }
// `element` with `keys` added or replaced.
inline json with(json element, const json& keys) {
  element.update(keys);
  return element;
}
// Square in plane z from corner (x, y), counter-clockwise seen from above.
inline json square(double x, double y, double z, double size) {
  return {{"outer", json::array({point(x, y, z), point(x + size, y, z),
                                 point(x + size, y + size, z), point(x, y + size, z)})}};
}
// `faces` (a face or an array of them) as a model's top-level entities.
inline json with_faces(const json& faces) {
  return {{"entities", {{"faces", faces.is_array() ? faces : json::array({faces})}}}};
}
// A group holding the unit square at (x, 0, 0).
inline json group_at(double x) {
  return {{"entities", with_faces(square(x, 0, 0, 1))["entities"]}};
}
inline json translation(double x, double y, double z) {
  return json::array({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1});
}
// 90 degrees about z, column order: x axis to (0, 1, 0), y axis to (-1, 0, 0).
inline json quarter_turn_z() {
  return json::array({0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
}
inline json edge(json start, json end) { return {{"start", start}, {"end", end}}; }

}  // namespace test
}  // namespace lumeno
