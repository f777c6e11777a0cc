#include "tests/native/model/standin_fixture.h"

#include <stdlib.h>

#include <algorithm>
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
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

const Triangle* StandinModelTest::triangle_at(float x) const {
  for (const Triangle& t : model_.triangles) {
    if (std::min({t.vertices[0].x, t.vertices[1].x, t.vertices[2].x}) == x) return &t;
  }
  return nullptr;
}

json point(double x, double y, double z) { return json::array({x, y, z}); }

json square(double x, double y, double z, double size) {
  return json{{"outer", json::array({point(x, y, z), point(x + size, y, z),
                                     point(x + size, y + size, z), point(x, y + size, z)})}};
}

json with_faces(const json& faces) {
  return {{"entities", {{"faces", faces.is_array() ? faces : json::array({faces})}}}};
}

json translation(double x, double y, double z) {
  return json::array({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1});
}

json quarter_turn_z() {
  // Column order: x axis goes to (0, 1, 0), y axis to (-1, 0, 0).
  return json::array({0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
}

json edge(json start, json end) { return json{{"start", start}, {"end", end}}; }

}  // namespace test
}  // namespace lumeno
