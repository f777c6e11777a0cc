// Fixture for model tests against the stand-in SDK: binds the full stand-in library, writes
// model files (stand-in JSON) into a private temporary folder and loads them.
#pragma once

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "model/skp_model.h"
#include "tests/native/support/byte_fed_sdk.h"

namespace lumeno {
namespace test {

using json = nlohmann::json;

class StandinModelTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Writes `text` as <temp>/<name> and returns the path.
  std::string write_file(const std::string& name, const std::string& text);
  std::string write_model(const json& model) { return write_file("model.skp", model.dump()); }
  // Writes and loads into `model_`.
  bool load(const json& model) { return model_.load_from_file(write_model(model)); }
  // The first triangle whose smallest x is `x`, or null.
  const Triangle* triangle_at(float x) const;

  std::string dir_;
  SkpModel model_;
};

json point(double x, double y, double z);
// An axis-aligned square in the plane z, corner (x, y), counter-clockwise seen from above.
json square(double x, double y, double z, double size);
// `faces` (a face or an array of them) as a model's top-level entities.
json with_faces(const json& faces);
json translation(double x, double y, double z);
json quarter_turn_z();  // 90 degrees about z
json edge(json start, json end);

}  // namespace test
}  // namespace lumeno
