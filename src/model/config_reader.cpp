#include "module_api/model/config_reader.h"

#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace velto::model {
namespace {

using velto::model_command::service_entrance::kReadConfigurationItem;

template <typename T>
T Typed(const Variant& answer, T def) {
  if (auto value = As<T>(&answer)) return *value;
  return def;
}

// A configuration item is read by the kind it was declared with: a double item is the answer
// only when the server sent a double. An integer there is a mistyped item (1 where 0.1 was
// meant), not a round number to take over.
double TypedItem(const Variant& answer, double def) { return answer.IsDouble() ? answer.AsDouble() : def; }

}  // namespace

Variant ReadConfigurationItemValue(std::string_view group_id, std::string_view id, const base::Location& from) {
  Variant argument = Variant::Map();
  argument["group_id"] = group_id;
  argument["id"] = id;
  return QueryAnswer(model_id::kServiceEntranceModel, kReadConfigurationItem, &argument, from);
}

bool ReadConfigurationItem(std::string_view group_id, std::string_view id, bool def, const base::Location& from) {
  return Typed(ReadConfigurationItemValue(group_id, id, from), def);
}

int32_t ReadConfigurationItem(std::string_view group_id, std::string_view id, int32_t def,
                              const base::Location& from) {
  return Typed(ReadConfigurationItemValue(group_id, id, from), def);
}

int64_t ReadConfigurationItem(std::string_view group_id, std::string_view id, int64_t def,
                              const base::Location& from) {
  return Typed(ReadConfigurationItemValue(group_id, id, from), def);
}

double ReadConfigurationItem(std::string_view group_id, std::string_view id, double def, const base::Location& from) {
  return TypedItem(ReadConfigurationItemValue(group_id, id, from), def);
}

std::string ReadConfigurationItem(std::string_view group_id, std::string_view id, const std::string& def,
                                  const base::Location& from) {
  return Typed(ReadConfigurationItemValue(group_id, id, from), def);
}

std::string ReadConfigurationItem(std::string_view group_id, std::string_view id, const char* def,
                                  const base::Location& from) {
  return ReadConfigurationItem(group_id, id, std::string(def ? def : ""), from);
}

Variant ReadClientSettingValue(std::string_view key, const Variant& def, int command, const base::Location& from) {
  Variant argument = Variant::Map();
  argument["key"] = key;
  argument["def_value"] = def;
  return QueryAnswer(model_id::kConfigurationModel, command, &argument, from);
}

bool ReadClientSetting(std::string_view key, bool def, int command, const base::Location& from) {
  return Typed(ReadClientSettingValue(key, def, command, from), def);
}

int32_t ReadClientSetting(std::string_view key, int32_t def, int command, const base::Location& from) {
  return Typed(ReadClientSettingValue(key, def, command, from), def);
}

int64_t ReadClientSetting(std::string_view key, int64_t def, int command, const base::Location& from) {
  return Typed(ReadClientSettingValue(key, def, command, from), def);
}

double ReadClientSetting(std::string_view key, double def, int command, const base::Location& from) {
  return Typed(ReadClientSettingValue(key, def, command, from), def);
}

std::string ReadClientSetting(std::string_view key, const std::string& def, int command,
                              const base::Location& from) {
  return Typed(ReadClientSettingValue(key, def, command, from), def);
}

std::string ReadClientSetting(std::string_view key, const char* def, int command, const base::Location& from) {
  return ReadClientSetting(key, std::string(def ? def : ""), command, from);
}

bool WriteClientSetting(std::string_view key, const Variant& value, int command, const base::Location& from) {
  Variant argument = Variant::Map();
  argument[key] = value;
  return Call(model_id::kConfigurationModel, command, &argument, nullptr, from);
}

}  // namespace velto::model
