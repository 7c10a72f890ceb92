// The local user's authorization record (authorization model 504, kCallFuncQueryAuthData),
// shared by the web and account families. Internal to the library.
#pragma once

#include "base/location.h"
#include "base/variant/variant.h"
#include "module_api/model_commands.h"

namespace velto_common::utils::internal {

using velto::model_command::authorization::kCallFuncQueryAuthData;

// The answer map; null when the model is missing, the call fails or the answer is not a map
// (logged at the caller).
base::variant::Variant QueryAuthData(const base::Location& from = base::Location::Current());

}  // namespace velto_common::utils::internal
