// Persistent typed settings, by string key, in named stores under one preferences directory.
//
//   velto_common::utils::InitializePreferences(profile_dir + "/prefs");   // once, at start-up
//   auto prefs = velto_common::utils::Preferences::Open("meeting_ui");
//   prefs->SetInt32("gallery_page_size", 25);
//   int32_t size = prefs->GetInt32("gallery_page_size", 16);            // 25
//   prefs->Sync();   // otherwise written in the background within 30 s, or when closed
//
// A store's file is opened on first use. Until InitializePreferences (and after
// UnInitializePreferences) every use fails softly: getters answer the default, setters do
// nothing, Has is false, and "preferences not initialized!" is logged each time.
// Call everything on the UI thread; one Preferences object is used by one thread at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/tkv/tkv.h"
#include "base/variant/variant.h"
#include "module_api/export.h"

namespace velto_common::utils {

// The first non-empty directory wins; it is created when missing.
VELTO_API void InitializePreferences(const std::string& directory);
// Releases the default and user stores and forgets the directory. Stores still held keep
// their files open.
VELTO_API void UnInitializePreferences();

class VELTO_API Preferences {
 public:
  // The live store of that name, or a new unopened one: at most one per name at a time.
  static std::shared_ptr<Preferences> Open(const std::string& name);
  // The process's default store, kept until UnInitializePreferences.
  static std::shared_ptr<Preferences> GetDefault();
  // The signed-in user's store; empty while no user identity is set.
  static std::shared_ptr<Preferences> GetUser();
  // A different identity makes the next GetUser open that user's store; "" signs out.
  static void SetUserUniqueId(const std::string& user_unique_id);

  explicit Preferences(std::string name);
  ~Preferences();
  Preferences(Preferences&& other) noexcept;
  Preferences& operator=(Preferences&& other) noexcept;
  Preferences(const Preferences&) = delete;
  Preferences& operator=(const Preferences&) = delete;

  // The stored value in the stored kind. A null `default_value` takes the stored kind's neutral
  // value; a default of another kind than the stored one is logged and returned.
  base::variant::Variant Get(const std::string& key, base::variant::Variant default_value,
                             bool* exists = nullptr);
  bool GetBool(const std::string& key, bool default_value);
  int32_t GetInt32(const std::string& key, int32_t default_value);
  uint32_t GetUInt32(const std::string& key, uint32_t default_value);
  int64_t GetInt64(const std::string& key, int64_t default_value);
  uint64_t GetUInt64(const std::string& key, uint64_t default_value);
  double GetDouble(const std::string& key, double default_value);
  std::string GetString(const std::string& key, const std::string& default_value);
  bool Has(const std::string& key);

  void SetBool(const std::string& key, bool value);
  void SetInt32(const std::string& key, int32_t value);
  void SetUInt32(const std::string& key, uint32_t value);
  void SetInt64(const std::string& key, int64_t value);
  void SetUInt64(const std::string& key, uint64_t value);
  void SetDouble(const std::string& key, double value);
  void SetString(const std::string& key, const std::string& value);

  // Writes every change to disk now.
  void Sync();
  // Stores the wall-clock milliseconds under "#last_modified_time#" + key.
  void UpdateLastModifiedTime(const std::string& key);

  // The opened store, opening it on first use; null while the service is uninitialised or the
  // file cannot be opened.
  base::tkv::TKV* tkv();
  const std::string& name() const { return name_; }

 private:
  std::string name_;
  std::unique_ptr<base::tkv::TKV> store_;
};

}  // namespace velto_common::utils
