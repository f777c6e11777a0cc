// Reading a model file of the stand-in's JSON format into a Model. Every value is type-checked
// before use; anything malformed rejects the whole file, so a caller never sees a partial model.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "sdk/su_types.h"
#include "standin/model.h"

namespace standin {

constexpr size_t kMaxModelBytes = size_t(512) << 20;
// Deeper JSON is refused before it is parsed (it is no model and would only cost stack).
constexpr int kMaxJsonNesting = 512;

// Builds a model from the file's bytes. `folder` is where relative image paths start. Returns
// SU_ERROR_NONE, or SU_ERROR_MODEL_INVALID with a reason in `error`.
SUResult parse_model(std::string document, const std::string& folder,
                     std::unique_ptr<Model>* out, std::string* error);

// Reads and parses a model file: SU_ERROR_SERIALIZATION when the file cannot be read (missing,
// a folder, larger than kMaxModelBytes), SU_ERROR_MODEL_INVALID when its content is no model.
SUResult load_model_file(const std::string& utf8_path, std::unique_ptr<Model>* out,
                         std::string* error);

// Deepest array/object nesting of a JSON text, counted without parsing; stops counting once
// `limit` is passed.
int json_nesting_depth(const std::string& text, int limit);

}  // namespace standin
