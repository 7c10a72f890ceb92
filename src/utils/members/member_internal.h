// Member lookups shared inside the library without the notices the public forms carry.
#pragma once

#include <string>
#include <string_view>

#include "base/location.h"
#include "base/variant/variant.h"

namespace velto_common::utils::member::internal {

// The record of an account identity (user model command 73) into |info|; false when the model
// fails or knows no such user. Unlike GetUserInfoByAppIdAndAppUid it writes no deprecation
// notice, which is meant for module code.
bool FindUserByIdentity(const std::string& app_id, const std::string& app_uid, base::variant::Variant& info,
                        const base::Location& from = base::Location::Current());

// The collation key of a nickname in the current language, from the keys SortUser keeps across
// sorts. Two keys compared bytewise answer as the nicknames compared by the collator, so a long
// run of member-order comparisons can compare keys instead of asking the collator each time.
std::string NicknameSortKey(std::string_view nickname);

}  // namespace velto_common::utils::member::internal
