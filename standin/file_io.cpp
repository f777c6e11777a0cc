#include "standin/file_io.h"

#include <cerrno>
#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#include <sys/stat.h>
#include <sys/types.h>
#else
#include <sys/stat.h>
#endif

namespace standin {
namespace {

#ifdef _WIN32
bool to_wide(const std::string& utf8, std::wstring* wide) {
  if (utf8.empty()) return false;
  const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                         static_cast<int>(utf8.size()), nullptr, 0);
  if (length <= 0) return false;
  wide->assign(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                      &(*wide)[0], length);
  return true;
}

FILE* open_file(const std::string& path, const wchar_t* mode) {
  std::wstring wide;
  if (!to_wide(path, &wide)) return nullptr;
  return _wfopen(wide.c_str(), mode);
}

ReadStatus inspect(const std::string& path, unsigned long long* size) {
  std::wstring wide;
  if (!to_wide(path, &wide)) return ReadStatus::NotFound;
  struct _stat64 info;
  if (_wstat64(wide.c_str(), &info) != 0) return ReadStatus::NotFound;
  if ((info.st_mode & _S_IFMT) != _S_IFREG) return ReadStatus::NotAFile;
  *size = static_cast<unsigned long long>(info.st_size);
  return ReadStatus::Ok;
}

void remove_file(const std::string& path) {
  std::wstring wide;
  if (to_wide(path, &wide)) _wremove(wide.c_str());
}
#else
FILE* open_file(const std::string& path, const char* mode) {
  if (path.empty()) return nullptr;
  return std::fopen(path.c_str(), mode);
}

ReadStatus inspect(const std::string& path, unsigned long long* size) {
  if (path.empty()) return ReadStatus::NotFound;
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return ReadStatus::NotFound;
  if (!S_ISREG(info.st_mode)) return ReadStatus::NotAFile;
  *size = static_cast<unsigned long long>(info.st_size);
  return ReadStatus::Ok;
}

void remove_file(const std::string& path) { std::remove(path.c_str()); }
#endif

#ifdef _WIN32
#define LUMENO_STANDIN_MODE(m) L##m
#else
#define LUMENO_STANDIN_MODE(m) m
#endif

bool is_separator(char c) {
#ifdef _WIN32
  return c == '/' || c == '\\';
#else
  return c == '/';
#endif
}

}  // namespace

ReadStatus read_file(const std::string& utf8_path, size_t max_bytes, std::string* contents) {
  unsigned long long size = 0;
  const ReadStatus status = inspect(utf8_path, &size);
  if (status != ReadStatus::Ok) return status;
  if (size > max_bytes) return ReadStatus::TooLarge;
  FILE* file = open_file(utf8_path, LUMENO_STANDIN_MODE("rb"));
  if (file == nullptr) return ReadStatus::Failed;
  contents->clear();
  contents->reserve(static_cast<size_t>(size));
  // Read to the end rather than trusting the size: the file may change underneath us.
  char buffer[1 << 16];
  bool ok = true;
  for (;;) {
    const size_t got = std::fread(buffer, 1, sizeof buffer, file);
    if (got > 0) {
      if (contents->size() + got > max_bytes) {
        std::fclose(file);
        contents->clear();
        return ReadStatus::TooLarge;
      }
      contents->append(buffer, got);
    }
    if (got < sizeof buffer) {
      ok = std::ferror(file) == 0;
      break;
    }
  }
  std::fclose(file);
  if (!ok) {
    contents->clear();
    return ReadStatus::Failed;
  }
  return ReadStatus::Ok;
}

bool write_file(const std::string& utf8_path, const char* data, size_t size) {
  FILE* file = open_file(utf8_path, LUMENO_STANDIN_MODE("wb"));
  if (file == nullptr) return false;
  bool ok = size == 0 || std::fwrite(data, 1, size, file) == size;
  if (std::fclose(file) != 0) ok = false;
  if (!ok) remove_file(utf8_path);
  return ok;
}

std::string folder_of(const std::string& utf8_path) {
  for (size_t i = utf8_path.size(); i-- > 0;) {
    if (is_separator(utf8_path[i])) return utf8_path.substr(0, i == 0 ? 1 : i);
  }
  return std::string();
}

std::string join_path(const std::string& folder, const std::string& relative) {
  if (relative.empty()) return folder;
  if (is_separator(relative[0])) return relative;
#ifdef _WIN32
  if (relative.size() >= 2 && relative[1] == ':') return relative;
#endif
  if (folder.empty()) return relative;
  if (is_separator(folder.back())) return folder + relative;
  return folder + "/" + relative;
}

}  // namespace standin
