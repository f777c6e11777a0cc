// Profile files kept in memory, in write order, with folders that refuse writes.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "settings/profile_store.h"

struct MemoryProfileStore : lumeno::ProfileStore {
  struct Entry {
    std::wstring section, key, value;
  };
  std::map<std::wstring, std::vector<Entry>> files;
  std::set<std::wstring> read_only_folders;  // a path under one of these cannot be written
  std::set<std::wstring> folders;

  std::wstring get(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                   const wchar_t* default_text) override {
    for (const Entry& e : files[path]) {
      if (e.section == section && e.key == key) return e.value;
    }
    return default_text;
  }
  bool put(const std::wstring& path, const wchar_t* section, const wchar_t* key,
           const std::wstring& value) override {
    for (const std::wstring& folder : read_only_folders) {
      if (path.rfind(folder + L"\\", 0) == 0) return false;
    }
    for (Entry& e : files[path]) {
      if (e.section == section && e.key == key) return e.value = value, true;
    }
    files[path].push_back({section, key, value});
    return true;
  }
  bool file_exists(const std::wstring& path) override { return files.count(path) != 0; }
  bool make_folder(const std::wstring& path) override { return folders.insert(path), true; }
};
