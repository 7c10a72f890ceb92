#include "framework/resource.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "base/log/log.h"
#include "base/variant/variant.h"
#include "framework/resource_dir.h"
#include "host_internal.h"

namespace framework {
namespace {

using base::variant::Variant;
using Texts = std::map<std::string, std::unordered_map<int32_t, std::string>>;

constexpr char kTag[] = "Resource";
constexpr char kDefaultLanguage[] = "zh-cn";

void Log(int level, int line, const char* function, std::string_view text) {
  if (base::log::GetLogLevel() >= level) base::log::PrintLog(kTag, __FILE__, line, function, level, text);
}

// Texts are optional for the host, but an installation without them shows every label empty:
// say where they were looked for, and how to point elsewhere.
void LoadResourceDir(Resource* resource) {
  static constexpr char kNoTexts[] =
      "every text reads as \"\"; VELTO_RESOURCE_DIR names the strings directory to use instead";
  const host_internal::ResourceDir dir = host_internal::FindResourceDir();
  if (dir.path.empty()) {
    Log(1, __LINE__, __func__, "resource directory unknown (" + dir.origin + "): " + kNoTexts);
    return;
  }
  std::error_code error;
  std::filesystem::directory_iterator probe(dir.path, error);
  if (error) {
    Log(1, __LINE__, __func__, "resource directory unusable: " + dir.path + " (" + dir.origin + ": " +
                                   error.message() + "): " + kNoTexts);
    return;
  }
  resource->LoadDirectory(dir.path);
}

std::optional<int32_t> ParseId(std::string_view text) {
  int32_t id = 0;
  const char* end = text.data() + text.size();
  auto [rest, error] = std::from_chars(text.data(), end, id);
  if (text.empty() || error != std::errc() || rest != end) return std::nullopt;
  return id;
}

// Reads a whole resource document, or says why it cannot be used. All or nothing: a file with
// one bad entry contributes no text at all, so that a half-applied file never hides the error.
std::string ParseTexts(const Variant& document, Texts* texts) {
  if (!document.IsMap()) return "the document is not an object";
  for (size_t i = 0; i < document.size(); ++i) {
    const std::string language(document.KeyAt(i));
    const Variant& entries = document.ValueAt(i);
    if (!entries.IsMap()) return "language \"" + language + "\" is not an object";
    auto& table = (*texts)[language];
    for (size_t j = 0; j < entries.size(); ++j) {
      const std::string_view key = entries.KeyAt(j);
      const std::optional<int32_t> id = ParseId(key);
      if (!id) return "id \"" + std::string(key) + "\" of \"" + language + "\" is not a decimal id";
      const Variant& text = entries.ValueAt(j);
      if (!text.IsString()) return "text of id " + std::string(key) + " of \"" + language + "\" is not a string";
      table[*id] = text.AsStr();
    }
  }
  return {};
}

}  // namespace

Resource* Resource::GetInstance() {
  static Resource* const instance = new Resource();  // used until the process ends
  return instance;
}

Resource::Resource() { LoadResourceDir(this); }

std::string Resource::GetString(int32_t id) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto table = texts_.find(language_);
    if (table != texts_.end()) {
      auto text = table->second.find(id);
      if (text != table->second.end()) return text->second;
    }
    // Remembered once per language, so a text shown in a list does not flood the log.
    if (!missing_[language_].emplace(id, true).second) return {};
  }
  // Logged outside the lock: a log sink may well ask for a text itself.
  if (base::log::GetLogLevel() >= 1) Log(1, __LINE__, __func__, "not found string :" + std::to_string(id));
  return {};
}

void Resource::SetLanguage(const std::string& language) {
  std::lock_guard<std::mutex> lock(mutex_);
  language_ = language;
  language_serial_.fetch_add(1, std::memory_order_acq_rel);
}

std::string Resource::GetLanguage() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return language_;
}

bool Resource::LoadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  if (in) content << in.rdbuf();
  if (!in || in.bad()) {
    Log(1, __LINE__, __func__, "resource file unreadable: " + path);
    return false;
  }
  bool ok = false;
  const Variant document = Variant::ParseJson(content.str(), &ok);
  Texts texts;
  std::string reason = ok ? ParseTexts(document, &texts) : "not valid JSON";
  if (!reason.empty()) {
    Log(1, __LINE__, __func__, "resource file invalid, nothing loaded: " + path + " (" + reason + ")");
    return false;
  }

  std::lock_guard<std::mutex> lock(mutex_);
  for (auto& [language, table] : texts) {
    auto& target = texts_[language];
    auto& missing = missing_[language];
    for (auto& [id, text] : table) {
      missing.erase(id);
      target.insert_or_assign(id, std::move(text));
    }
  }
  return true;
}

int Resource::LoadDirectory(const std::string& dir) {
  std::error_code error;
  std::vector<std::filesystem::path> files;
  for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
    std::error_code kind_error;
    if (it->path().extension() == ".json" && it->is_regular_file(kind_error)) files.push_back(it->path());
  }
  if (error) {
    Log(3, __LINE__, __func__, "resource directory not readable: " + dir + " (" + error.message() + ")");
    return 0;
  }
  // A fixed order makes "the later file wins" on a duplicate id the same on every machine.
  std::sort(files.begin(), files.end());
  int loaded = 0;
  for (const auto& file : files) {
    if (LoadFile(file.string())) ++loaded;
  }
  return loaded;
}

void Resource::SetString(const std::string& language, int32_t id, std::string text) {
  std::lock_guard<std::mutex> lock(mutex_);
  texts_[language].insert_or_assign(id, std::move(text));
  missing_[language].erase(id);
}

void Resource::Clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  texts_.clear();
  missing_.clear();
}

}  // namespace framework

namespace host_internal {

void ResetResources() {
  framework::Resource* resource = framework::Resource::GetInstance();
  resource->Clear();
  resource->SetLanguage(framework::kDefaultLanguage);
  framework::LoadResourceDir(resource);
}

}  // namespace host_internal
