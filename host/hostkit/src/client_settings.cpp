#include "hostkit/client_settings.h"

#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace hostkit {

Variant ClientSettings::Get(const std::string& key) const {
  auto it = store_->find(key);
  return it == store_->end() ? Variant() : it->second;
}

ClientSettings InstallClientSettings() {
  namespace cmd = velto::model_command::configuration;
  auto store = std::make_shared<ClientSettings::Store>();
  ScriptedModel& model = InstallModel(velto::model_id::kConfigurationModel);
  auto read = [store](const Variant& argument, Variant* out) {
    auto it = store->find(argument.GetString("key"));
    if (out) *out = it == store->end() ? argument.Get("def_value") : it->second;
    return true;
  };
  auto write = [store](const Variant& argument, Variant*) {
    if (!argument.IsMap()) return false;
    for (size_t i = 0; i < argument.size(); ++i) (*store)[std::string(argument.KeyAt(i))] = argument.ValueAt(i);
    return true;
  };
  model.Handle(cmd::kClientSettingRead, read)
      .Handle(cmd::kClientSettingReadAlt, read)
      .Handle(cmd::kClientSettingWrite, write)
      .Handle(cmd::kClientSettingWriteAlt, write);
  return ClientSettings(model, std::move(store));
}

}  // namespace hostkit
