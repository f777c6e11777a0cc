// Model files: reading one from disk (with its size cap) and the nesting check that runs before
// any JSON is parsed.
#include <string>

#include "standin/file_io.h"
#include "standin/model_parser.h"

namespace standin {

int json_nesting_depth(const std::string& text, int limit) {
  int depth = 0;
  int deepest = 0;
  bool in_string = false;
  bool escaped = false;
  for (const char c : text) {
    if (in_string) {
      if (escaped) {
        escaped = false;
      } else if (c == '\\') {
        escaped = true;
      } else if (c == '"') {
        in_string = false;
      }
      continue;
    }
    if (c == '"') {
      in_string = true;
    } else if (c == '[' || c == '{') {
      if (++depth > deepest) {
        deepest = depth;
        if (deepest > limit) return deepest;
      }
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return deepest;
}

SUResult load_model_file(const std::string& utf8_path, std::unique_ptr<Model>* out,
                         std::string* error) {
  std::string document;
  switch (read_file(utf8_path, kMaxModelBytes, &document)) {
    case ReadStatus::Ok:
      break;
    case ReadStatus::NotFound:
      *error = "no such file";
      return SU_ERROR_SERIALIZATION;
    case ReadStatus::NotAFile:
      *error = "not a regular file";
      return SU_ERROR_SERIALIZATION;
    case ReadStatus::TooLarge:
      *error = "file too large";
      return SU_ERROR_SERIALIZATION;
    case ReadStatus::Failed:
      *error = "read failed";
      return SU_ERROR_SERIALIZATION;
  }
  return parse_model(std::move(document), folder_of(utf8_path), out, error);
}

}  // namespace standin
