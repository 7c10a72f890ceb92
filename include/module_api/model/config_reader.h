// Shared readers of the two configuration sources the host keeps for the library:
//
// - configuration items: server-delivered switches of the service entrance model (539), asked
//   with command 1 and {"group_id": group, "id": item};
// - client settings: values the client stores locally, in the configuration model (517), read
//   with {"key": key, "def_value": default} and written with {key: value}.
//
//   bool on = velto::model::ReadConfigurationItem("profile", "enable_create_organizations", false);
//   std::string lang = velto::model::ReadClientSetting("meeting.setting.language", "");
//   velto::model::WriteClientSetting("meeting.setting.language", "en-us");
//
// An answer of another kind than the default's gives the default (an integer never reads as a
// bool, nor a bool as an integer). Client settings read an integer as a double; configuration
// items do not: a double item is the answer only when it is a double. A missing model or a
// failed call gives the default too, logged at level 1 at the caller's line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/location.h"
#include "base/variant/variant.h"
#include "module_api/export.h"
#include "module_api/model_commands.h"

namespace velto::model {

// The configuration model answers reads on two commands and takes writes on two; most settings
// live on the first pair, the audio family's on the second.
using velto::model_command::configuration::kClientSettingRead;
using velto::model_command::configuration::kClientSettingWrite;
using velto::model_command::configuration::kClientSettingReadAlt;
using velto::model_command::configuration::kClientSettingWriteAlt;

// The raw answer for a configuration item; null on failure.
VELTO_API base::variant::Variant ReadConfigurationItemValue(std::string_view group_id, std::string_view id,
                                                            const base::Location& from = base::Location::Current());
VELTO_API bool ReadConfigurationItem(std::string_view group_id, std::string_view id, bool def,
                                     const base::Location& from = base::Location::Current());
VELTO_API int32_t ReadConfigurationItem(std::string_view group_id, std::string_view id, int32_t def,
                                        const base::Location& from = base::Location::Current());
VELTO_API int64_t ReadConfigurationItem(std::string_view group_id, std::string_view id, int64_t def,
                                        const base::Location& from = base::Location::Current());
VELTO_API double ReadConfigurationItem(std::string_view group_id, std::string_view id, double def,
                                       const base::Location& from = base::Location::Current());
VELTO_API std::string ReadConfigurationItem(std::string_view group_id, std::string_view id, const std::string& def,
                                            const base::Location& from = base::Location::Current());
VELTO_API std::string ReadConfigurationItem(std::string_view group_id, std::string_view id, const char* def,
                                            const base::Location& from = base::Location::Current());

// The raw answer for a client setting (`def` is sent as "def_value"); null on failure.
VELTO_API base::variant::Variant ReadClientSettingValue(std::string_view key, const base::variant::Variant& def,
                                                        int command = kClientSettingRead,
                                                        const base::Location& from = base::Location::Current());
VELTO_API bool ReadClientSetting(std::string_view key, bool def, int command = kClientSettingRead,
                                 const base::Location& from = base::Location::Current());
VELTO_API int32_t ReadClientSetting(std::string_view key, int32_t def, int command = kClientSettingRead,
                                    const base::Location& from = base::Location::Current());
VELTO_API int64_t ReadClientSetting(std::string_view key, int64_t def, int command = kClientSettingRead,
                                    const base::Location& from = base::Location::Current());
VELTO_API double ReadClientSetting(std::string_view key, double def, int command = kClientSettingRead,
                                   const base::Location& from = base::Location::Current());
VELTO_API std::string ReadClientSetting(std::string_view key, const std::string& def, int command = kClientSettingRead,
                                        const base::Location& from = base::Location::Current());
VELTO_API std::string ReadClientSetting(std::string_view key, const char* def, int command = kClientSettingRead,
                                        const base::Location& from = base::Location::Current());

// Stores {key: value}; false (logged) when the model is missing or refuses.
VELTO_API bool WriteClientSetting(std::string_view key, const base::variant::Variant& value,
                                  int command = kClientSettingWrite,
                                  const base::Location& from = base::Location::Current());

}  // namespace velto::model
