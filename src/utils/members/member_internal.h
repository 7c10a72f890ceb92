// Member lookups shared inside the library without the notices the public forms carry.
#pragma once

#include <string>

#include "base/location.h"
#include "base/variant/variant.h"

namespace velto_common::utils::member::internal {

// The record of an account identity (user model command 73) into |info|; false when the model
// fails or knows no such user. Unlike GetUserInfoByAppIdAndAppUid it writes no deprecation
// notice, which is meant for module code.
bool FindUserByIdentity(const std::string& app_id, const std::string& app_uid, base::variant::Variant& info,
                        const base::Location& from = base::Location::Current());

}  // namespace velto_common::utils::member::internal
