#include "tests/native/model/standin_fixture.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tests/native/support/sdk_binding.h"

namespace lumeno {
namespace test {

void StandinModelTest::SetUp() {
  ASSERT_TRUE(bind_full_sdk(LUMENO_STANDIN_FULL_DIR)) << "stand-in SDK not loadable";
  char pattern[] = "/tmp/lumeno_model_XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  dir_ = pattern;
}

void StandinModelTest::TearDown() {
  model_.unload();
  std::error_code ignored;
  if (!dir_.empty()) std::filesystem::remove_all(dir_, ignored);
}

std::string StandinModelTest::write_file(const std::string& name, const std::string& text) {
  const std::string path = dir_ + "/" + name;
  std::ofstream out(path, std::ios::binary);
  out << text;
  return path;
}

std::string StandinModelTest::write_model(const json& model, const std::string& name) {
  return write_file(name, model.dump());
}

bool StandinModelTest::load(const json& model) {
  return model_.load_from_file(write_model(model));
}

json point(double x, double y, double z) { return json::array({x, y, z}); }

json square(double x, double y, double z, double size) {
  return json{{"outer", json::array({point(x, y, z), point(x + size, y, z),
                                     point(x + size, y + size, z), point(x, y + size, z)})}};
}

json identity_json() {
  return json::array({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
}

json translation(double x, double y, double z) {
  json t = identity_json();
  t[12] = x;
  t[13] = y;
  t[14] = z;
  return t;
}

json quarter_turn_z() {
  // Column order: x axis goes to (0, 1, 0), y axis to (-1, 0, 0).
  return json::array({0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
}

json edge(json start, json end) { return json{{"start", start}, {"end", end}}; }

SUTransformation transform_from_json(const json& values) {
  SUTransformation t = {};
  for (int i = 0; i < 16; ++i) t.values[i] = values[static_cast<size_t>(i)].get<double>();
  return t;
}

}  // namespace test
}  // namespace lumeno
