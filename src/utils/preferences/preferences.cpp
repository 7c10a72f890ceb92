#include "module_api/preferences/preferences.h"

#include <utility>

#include "module_api/analytics.h"
#include "module_api/log.h"
#include "util/file/file_util.h"
#include "util/time/time_util.h"
#include "utils/preferences/preferences_registry.h"

namespace velto_common::utils {
namespace {

using base::variant::Variant;

// The string put's size limit, in MiB.
constexpr int32_t kMaxStringSizeMb = 5;

Variant NeutralValueOf(int kind) {
  switch (kind) {
    case base::tkv::kTypeBool:
      return Variant(false);
    case base::tkv::kTypeInt32:
    case base::tkv::kTypeInt64:
    case base::tkv::kTypeUInt32:
    case base::tkv::kTypeUInt64:
      return Variant(0);
    case base::tkv::kTypeFloat:
    case base::tkv::kTypeDouble:
      return Variant(0.0);
    case base::tkv::kTypeString:
      return Variant("");
    default:
      return Variant();
  }
}

}  // namespace

Preferences::Preferences(std::string name) : name_(std::move(name)) {}

Preferences::~Preferences() = default;

Preferences::Preferences(Preferences&& other) noexcept
    : name_(std::move(other.name_)), store_(std::move(other.store_)) {}

Preferences& Preferences::operator=(Preferences&& other) noexcept {
  if (this != &other) {
    name_ = std::move(other.name_);
    store_ = std::move(other.store_);
  }
  return *this;
}

base::tkv::TKV* Preferences::tkv() {
  if (store_) return store_.get();
  const std::string& dir = preferences_internal::GetRegistry().preferences_dir;
  if (dir.empty()) {
    VELTO_LOG(velto::log::kFailure) << "preferences not initialized!";
    return nullptr;
  }
  base::tkv::TKVConfig config;
  config.expected_key_count = 0;
  config.version = base::tkv::TKVVersionConfig::KeepOldVersionAndUseNewVersionForNewFile(2);
  config.auto_sync.scheduler = preferences_internal::GetScheduler();
  config.auto_sync.interval_ms = preferences_internal::kAutoSyncIntervalMs;
  store_ = base::tkv::TKV::Create(util::file::MakeFilePath(dir, name_), config);
  if (!store_) {
    VELTO_LOG(velto::log::kFailure) << "cannot open preferences " << name_ << " in " << dir;
    return nullptr;
  }
  const base::tkv::TKVStatistics stats = store_->GetStatistics();
  const std::string& path = store_->GetPath();
  analytics::LogEventWithProperties("tkv_init", {{"name", name_},
                                                 {"path", path},
                                                 {"key_count", std::to_string(stats.key_count)},
                                                 {"key_file_size", std::to_string(stats.key_file_size)},
                                                 {"key_file_used_size", std::to_string(stats.key_file_used_size)},
                                                 {"value_file_size", std::to_string(stats.value_file_size)},
                                                 {"value_file_used_size", std::to_string(stats.value_file_used_size)},
                                                 {"value_file_fragment_size",
                                                  std::to_string(stats.value_file_fragment_size)}});
  VELTO_LOG(velto::log::kNotable) << "name = " << name_ << ", path = " << path << ", key_count = " << stats.key_count
                                  << ", key_file_size = " << stats.key_file_size
                                  << ", key_file_used_size = " << stats.key_file_used_size
                                  << ", value_file_size = " << stats.value_file_size
                                  << ", value_file_used_size = " << stats.value_file_used_size
                                  << ", value_file_fragment_size = " << stats.value_file_fragment_size;
  return store_.get();
}

Variant Preferences::Get(const std::string& key, Variant default_value, bool* exists) {
  base::tkv::TKV* store = tkv();
  if (!store) return default_value;
  const int kind = store->GetValueType(key);
  if (exists) *exists = kind != base::tkv::kTypeNone;
  if (default_value.IsNull()) default_value = NeutralValueOf(kind);

  auto mismatch = [&](const char* expected) {
    VELTO_LOG(velto::log::kFailure) << "expected type " << expected << ", got: " << default_value.ToJsonStr();
    return default_value;
  };
  switch (kind) {
    case base::tkv::kTypeBool:
      if (!default_value.IsBool()) return mismatch("boolean");
      return Variant(store->GetBool(key, default_value.AsBoolean()));
    case base::tkv::kTypeInt32:
      if (!default_value.IsInteger()) return mismatch("int");
      return Variant(store->GetInt32(key, default_value.AsInt32()));
    case base::tkv::kTypeInt64:
      if (!default_value.IsInteger()) return mismatch("int");
      return Variant(static_cast<long long>(store->GetInt64(key, default_value.AsInteger())));
    case base::tkv::kTypeUInt32:
      if (!default_value.IsInteger()) return mismatch("int");
      return Variant(store->GetUInt32(key, default_value.AsUint32()));
    case base::tkv::kTypeUInt64:
      if (!default_value.IsInteger()) return mismatch("int");
      return Variant(static_cast<unsigned long long>(store->GetUInt64(key, default_value.AsUint64())));
    case base::tkv::kTypeDouble:
      if (!default_value.IsDouble()) return mismatch("double");
      return Variant(store->GetDouble(key, default_value.AsDouble()));
    case base::tkv::kTypeString:
      if (!default_value.IsString()) return mismatch("string");
      return Variant(store->GetString(key, default_value.AsStringView()));
    case base::tkv::kTypeNone:
      return default_value;
    default:
      VELTO_LOG(velto::log::kFailure) << "unexpected type = " << kind << ": " << key;
      return default_value;
  }
}

bool Preferences::GetBool(const std::string& key, bool default_value) {
  base::tkv::TKV* store = tkv();
  return store ? store->GetBool(key, default_value) : default_value;
}

int32_t Preferences::GetInt32(const std::string& key, int32_t default_value) {
  base::tkv::TKV* store = tkv();
  return store ? store->GetInt32(key, default_value) : default_value;
}

uint32_t Preferences::GetUInt32(const std::string& key, uint32_t default_value) {
  base::tkv::TKV* store = tkv();
  return store ? store->GetUInt32(key, default_value) : default_value;
}

int64_t Preferences::GetInt64(const std::string& key, int64_t default_value) {
  base::tkv::TKV* store = tkv();
  return store ? store->GetInt64(key, default_value) : default_value;
}

uint64_t Preferences::GetUInt64(const std::string& key, uint64_t default_value) {
  base::tkv::TKV* store = tkv();
  return store ? store->GetUInt64(key, default_value) : default_value;
}

double Preferences::GetDouble(const std::string& key, double default_value) {
  base::tkv::TKV* store = tkv();
  return store ? store->GetDouble(key, default_value) : default_value;
}

std::string Preferences::GetString(const std::string& key, const std::string& default_value) {
  base::tkv::TKV* store = tkv();
  return store ? store->GetString(key, default_value) : default_value;
}

bool Preferences::Has(const std::string& key) {
  base::tkv::TKV* store = tkv();
  return store && store->Contains(key);
}

void Preferences::SetBool(const std::string& key, bool value) {
  if (base::tkv::TKV* store = tkv()) store->PutBool(key, value);
}

void Preferences::SetInt32(const std::string& key, int32_t value) {
  if (base::tkv::TKV* store = tkv()) store->PutInt32(key, value);
}

void Preferences::SetUInt32(const std::string& key, uint32_t value) {
  if (base::tkv::TKV* store = tkv()) store->PutUInt32(key, value);
}

void Preferences::SetInt64(const std::string& key, int64_t value) {
  if (base::tkv::TKV* store = tkv()) store->PutInt64(key, value);
}

void Preferences::SetUInt64(const std::string& key, uint64_t value) {
  if (base::tkv::TKV* store = tkv()) store->PutUInt64(key, value);
}

void Preferences::SetDouble(const std::string& key, double value) {
  if (base::tkv::TKV* store = tkv()) store->PutDouble(key, value);
}

void Preferences::SetString(const std::string& key, const std::string& value) {
  if (base::tkv::TKV* store = tkv()) store->PutString(key, value, kMaxStringSizeMb);
}

void Preferences::Sync() {
  if (base::tkv::TKV* store = tkv()) store->Sync();
}

void Preferences::UpdateLastModifiedTime(const std::string& key) {
  if (base::tkv::TKV* store = tkv()) store->PutInt64("#last_modified_time#" + key, util::time::GetTimestampMsec());
}

}  // namespace velto_common::utils
