// Whole-file reads and writes by UTF-8 path. On Windows the path is converted to UTF-16 and opened
// with the wide-character API, so folders and names outside the ANSI code page work.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace standin {

enum class ReadStatus { Ok, NotFound, NotAFile, TooLarge, Failed };

// Reads a regular file of at most `max_bytes` bytes.
ReadStatus read_file(const std::string& utf8_path, size_t max_bytes, std::string* contents);

// Creates or replaces the file with `size` bytes; a partial file is removed on failure.
bool write_file(const std::string& utf8_path, const char* data, size_t size);

// Folder part of a path ("" when there is none), without the trailing separator.
std::string folder_of(const std::string& utf8_path);

// `relative` resolved against `folder`, unless it is already absolute.
std::string join_path(const std::string& folder, const std::string& relative);

}  // namespace standin
