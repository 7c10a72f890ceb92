// hostkit: the configuration model (517) as a plain store of client settings, for tests and
// scenarios that need settings without a whole meeting (hostkit::MeetingFixture has its own).
//
//   hostkit::ClientSettings settings = hostkit::InstallClientSettings();
//   settings.Set("vtracker.vtracker_enable_ability", true);
//   ... the library reads {"key", "def_value"} and writes {key: value} ...
//   EXPECT_EQ(settings.Get("vtracker.last_resource_dir").AsStr(), dir);
//
// Reads (commands 1 and 3) answer the stored value, or the "def_value" sent when the key is not
// stored; writes (commands 2 and 4) store every key of the map sent. Both stores are one. The
// store lives with the model: installing another model 517 (or hostkit::Reset) ends it.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "hostkit/hostkit.h"

namespace hostkit {

class ClientSettings {
 public:
  using Store = std::map<std::string, Variant>;
  explicit ClientSettings(ScriptedModel& model, std::shared_ptr<Store> store)
      : model_(&model), store_(std::move(store)) {}

  void Set(const std::string& key, Variant value) { (*store_)[key] = std::move(value); }
  void Erase(const std::string& key) { store_->erase(key); }
  // Null when the key is not stored.
  Variant Get(const std::string& key) const;
  const Store& values() const { return *store_; }
  ScriptedModel& model() const { return *model_; }

 private:
  ScriptedModel* model_;
  std::shared_ptr<Store> store_;
};

ClientSettings InstallClientSettings();

}  // namespace hostkit
