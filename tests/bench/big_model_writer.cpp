#include "tests/bench/big_model_writer.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace lumeno {
namespace bench {

namespace {

void write_point(std::ostream& out, double x, double y, double z) {
  out << '[' << x << ',' << y << ',' << z << ']';
}

}  // namespace

size_t write_big_model(const std::string& path, const BigModelShape& shape) {
  std::ofstream out(path, std::ios::binary);
  out << "{\"layers\":[{\"name\":\"Layer0\"},{\"name\":\"Parts\"}],\"materials\":[";
  out << "{\"name\":\"steel\",\"color\":[120,130,140,255]}";
  for (size_t t = 0; t < shape.textures; ++t) {
    out << ",{\"name\":\"tex" << t << "\",\"color\":[200,180," << (t * 40) % 256
        << ",255],\"texture\":{\"width\":64,\"height\":64,\"fill\":[" << (t * 60) % 256
        << ",90,30]}}";
  }
  // The component: a row of squares, every tenth painted.
  out << "],\"definitions\":[{\"name\":\"part\",\"entities\":{\"faces\":[";
  for (size_t i = 0; i < shape.component_squares; ++i) {
    const double x = static_cast<double>(i % 10), y = static_cast<double>(i / 10);
    if (i > 0) out << ',';
    out << "{\"outer\":[";
    write_point(out, x, y, 0);
    out << ',';
    write_point(out, x + 1, y, 0);
    out << ',';
    write_point(out, x + 1, y + 1, 0.5);
    out << ',';
    write_point(out, x, y + 1, 0.5);
    out << "],\"layer\":\"Parts\"";
    if (i % 10 == 0) out << ",\"front\":\"steel\"";
    out << '}';
  }
  out << "]}}],\"entities\":{\"instances\":[";
  for (size_t i = 0; i < shape.instances; ++i) {
    if (i > 0) out << ',';
    // A quarter turn on every other placement.
    const double x = static_cast<double>(i % 100) * 12, y = static_cast<double>(i / 100) * 12;
    if (i % 2 == 0) {
      out << "{\"definition\":\"part\",\"transform\":[1,0,0,0,0,1,0,0,0,0,1,0," << x << ','
          << y << ",0,1]}";
    } else {
      out << "{\"definition\":\"part\",\"transform\":[0,1,0,0,-1,0,0,0,0,0,1,0," << x << ','
          << y << ",0,1]}";
    }
  }
  out << "],\"groups\":[{\"transform\":[1,0,0,0,0,1,0,0,0,0,1,0,0,0,-100,1],\"entities\":{"
         "\"faces\":[";
  for (size_t i = 0; i < shape.group_faces; ++i) {
    const double x = static_cast<double>(i % 1000), y = static_cast<double>(i / 1000);
    if (i > 0) out << ',';
    out << "{\"outer\":[";
    write_point(out, x, y, 0);
    out << ',';
    write_point(out, x + 1, y, 0);
    out << ',';
    write_point(out, x, y + 1, 0);
    out << "],\"front\":\"tex" << i % shape.textures << "\",\"stq\":[[0,0,1],[1,0,1],[0,1,1]]}";
  }
  out << "]}}]},\"scenes\":[{\"name\":\"overview\",\"camera\":{\"eye\":[-500,-500,500],"
         "\"target\":[500,500,0],\"up\":[0,0,1]}}]}";
  return shape.instances * shape.component_squares * 2 + shape.group_faces;
}

void write_self_containing_model(const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  out << "{\"definitions\":[{\"name\":\"D\",\"entities\":{"
         "\"instances\":[{\"definition\":\"D\",\"transform\":[1,0,0,0,0,1,0,0,0,0,1,0,1,0,0,1]},"
         "{\"definition\":\"D\",\"transform\":[1,0,0,0,0,1,0,0,0,0,1,0,0,1,0,1]}]}}],"
         "\"entities\":{\"faces\":[{\"outer\":[[0,0,0],[1,0,0],[1,1,0],[0,1,0]]}],"
         "\"instances\":[{\"definition\":\"D\"}]}}";
}

}  // namespace bench
}  // namespace lumeno
