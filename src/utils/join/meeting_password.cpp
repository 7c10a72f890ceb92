#include "module_api/join/meeting_password.h"

namespace velto_common::utils::meetingpassword {

void AddEnPWDConfigToParam(base::variant::Variant& param) {
  if (!param.IsMap()) param = base::variant::Variant::Map();
  param["pwd_min_length"] = kMinLength;
  param["pwd_max_length"] = kMaxLength;
  param["pwd_digits_only"] = true;
}

}  // namespace velto_common::utils::meetingpassword
