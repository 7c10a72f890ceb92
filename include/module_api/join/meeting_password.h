// The input rules of a meeting password box, for dialogs that ask for one.
//
//   Variant state = Variant::Map();
//   velto_common::utils::meetingpassword::AddEnPWDConfigToParam(state);
//   // state["pwd_min_length"] == 4, state["pwd_max_length"] == 6, state["pwd_digits_only"] == true
#pragma once

#include "base/variant/variant.h"
#include "module_api/export.h"

namespace velto_common::utils::meetingpassword {

// Meeting passwords are 4 to 6 digits.
inline constexpr int kMinLength = 4;
inline constexpr int kMaxLength = 6;

// Adds "pwd_min_length", "pwd_max_length" and "pwd_digits_only" to a map (a non-map is made one).
VELTO_API void AddEnPWDConfigToParam(base::variant::Variant& param);

}  // namespace velto_common::utils::meetingpassword
