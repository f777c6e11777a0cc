// String objects: created and released by the caller, filled by the name getters, read as UTF-8.
#include <cstring>

#include "standin/api_support.h"

using namespace standin;

namespace {

// Longest prefix of `text` of at most `limit` bytes that does not end inside a UTF-8 sequence.
size_t utf8_prefix(const std::string& text, size_t limit) {
  if (limit >= text.size()) return text.size();
  size_t cut = limit;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return cut;
}

}  // namespace

extern "C" {

SUResult SUStringCreate(SUStringRef* string) {
  return guarded([&] {
    if (string == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    if (string->ptr != nullptr) return SU_ERROR_OVERWRITE_VALID;
    auto* object = new StringObject;
    registry_add(object);
    string->ptr = object;
    return SU_ERROR_NONE;
  });
}

SUResult SUStringRelease(SUStringRef* string) {
  return guarded([&] {
    if (string == nullptr) return SU_ERROR_NULL_POINTER_INPUT;
    StringObject* object = lookup<StringObject>(string->ptr);
    if (object == nullptr) return SU_ERROR_INVALID_INPUT;
    registry_destroy(object);
    string->ptr = nullptr;
    return SU_ERROR_NONE;
  });
}

SUResult SUStringGetUTF8Length(SUStringRef string, size_t* length) {
  return guarded([&] {
    StringObject* object = lookup<StringObject>(string.ptr);
    if (object == nullptr) return SU_ERROR_INVALID_INPUT;
    return report_count(object->value.size(), length);
  });
}

// Writes at most buffer_length - 1 bytes (never splitting a character) and a terminator;
// `copied` is the number of bytes written before the terminator.
SUResult SUStringGetUTF8(SUStringRef string, size_t buffer_length, char* buffer, size_t* copied) {
  return guarded([&] {
    StringObject* object = lookup<StringObject>(string.ptr);
    if (object == nullptr) return SU_ERROR_INVALID_INPUT;
    if (buffer == nullptr || copied == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    if (buffer_length == 0) {
      *copied = 0;
      return SU_ERROR_NONE;
    }
    const size_t n = utf8_prefix(object->value, buffer_length - 1);
    std::memcpy(buffer, object->value.data(), n);
    buffer[n] = '\0';
    *copied = n;
    return SU_ERROR_NONE;
  });
}

}  // extern "C"
