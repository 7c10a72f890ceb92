// framework::Resource: the process's localized string provider. Texts come from the JSON files
// of the resource directory ({"zh-cn": {"<id>": "text"}, "en-us": {...}}); every file found is
// merged. The current language defaults to "zh-cn".
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <unordered_map>

namespace framework {

class Resource {
 public:
  static Resource* GetInstance();

  // The text of `id` in the current language. An unknown id gives "" and is logged once at
  // level 1 as "not found string :<id>"; the empty text is remembered for it.
  std::string GetString(int32_t id);

  void SetLanguage(const std::string& language);
  std::string GetLanguage() const;
  // Changes with every SetLanguage: a reader that keeps something per language (a collator)
  // asks this instead of comparing the language on every use.
  uint64_t GetLanguageSerial() const { return language_serial_.load(std::memory_order_acquire); }
  // Merges one JSON resource file; false (and a log line) when it is unreadable or invalid.
  bool LoadFile(const std::string& path);
  // Loads every *.json file of a directory; returns how many loaded.
  int LoadDirectory(const std::string& dir);
  void SetString(const std::string& language, int32_t id, std::string text);
  void Clear();

 private:
  Resource();
  mutable std::mutex mutex_;
  std::string language_ = "zh-cn";
  std::atomic<uint64_t> language_serial_{1};
  std::map<std::string, std::unordered_map<int32_t, std::string>> texts_;
  std::map<std::string, std::unordered_map<int32_t, bool>> missing_;
};

}  // namespace framework
