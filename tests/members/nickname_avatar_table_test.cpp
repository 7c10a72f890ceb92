// The avatar text of a nickname: computed from the name alone, the same with or without models.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module_api/members/nickname_avatar.h"
#include "query_table.h"

namespace {

using velto_common::utils::GetNicknameAvatar;
using namespace query_table;

std::vector<Row> AvatarRows() {
  return {
      {"GetNicknameAvatar", None(),
       [] { return GetNicknameAvatar(" alice  smith ") + "|" + GetNicknameAvatar("张伟芳") + "|" + GetNicknameAvatar(""); },
       "AS|伟芳|", ""},
  };
}

QUERY_TABLE_TEST(NicknameAvatarTable, InitialsOrLastTwoCharacters, "", AvatarRows)

}  // namespace
