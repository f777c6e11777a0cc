// Fixture for model tests against the stand-in SDK: binds the full stand-in library, writes
// model files (stand-in JSON) into a private temporary folder and loads them.
#pragma once

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "model/skp_model.h"

namespace lumeno {
namespace test {

using json = nlohmann::json;

class StandinModelTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes `model` (or raw text) as <temp>/<name> and returns the path.
  std::string write_file(const std::string& name, const std::string& text);
  std::string write_model(const json& model, const std::string& name = "model.skp");
  // Writes and loads into `model_`.
  bool load(const json& model);

  std::string dir_;
  SkpModel model_;
};

// JSON builders for small models.
json point(double x, double y, double z);
// An axis-aligned square in the plane z, corner (x, y), counter-clockwise seen from above.
json square(double x, double y, double z, double size);
json translation(double x, double y, double z);
json quarter_turn_z();  // 90 degrees about z
json identity_json();
json edge(json start, json end);

// Column-order identity etc. as SUTransformation.
SUTransformation transform_from_json(const json& values);

}  // namespace test
}  // namespace lumeno
