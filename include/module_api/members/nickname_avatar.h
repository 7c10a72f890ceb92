// The short text an avatar shows when a user has no picture.
//
//   velto_common::utils::GetNicknameAvatar("alice smith");   // "AS"
//   velto_common::utils::GetNicknameAvatar("张伟芳");         // "伟芳"
#pragma once

#include <string>

#include "module_api/export.h"

namespace velto_common::utils {

// Latin nicknames give the upper-cased initials of their first and last words (the last only
// when it starts with a letter); others (Chinese nicknames) their last two characters. Surrounding spaces are ignored; "" for an empty name.
VELTO_API std::string GetNicknameAvatar(const std::string& nickname);

}  // namespace velto_common::utils
