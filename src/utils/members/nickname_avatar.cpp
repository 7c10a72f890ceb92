#include "module_api/members/nickname_avatar.h"

#include <cctype>
#include <string_view>
#include <vector>

namespace velto_common::utils {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The byte offsets where UTF-8 characters start (continuation bytes skipped).
std::vector<size_t> CharacterStarts(std::string_view text) {
  std::vector<size_t> starts;
  for (size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) starts.push_back(i);
  }
  return starts;
}

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

}  // namespace

std::string GetNicknameAvatar(const std::string& nickname) {
  std::string_view name(nickname);
  while (!name.empty() && IsSpace(name.front())) name.remove_prefix(1);
  while (!name.empty() && IsSpace(name.back())) name.remove_suffix(1);
  if (name.empty()) return {};
  if (static_cast<unsigned char>(name.front()) >= 0x80) {
    const std::vector<size_t> starts = CharacterStarts(name);
    const size_t from = starts.size() > 2 ? starts[starts.size() - 2] : 0;
    return std::string(name.substr(from));
  }
  std::string initials(1, Upper(name.front()));
  const size_t last_space = name.find_last_of(" \t");
  if (last_space != std::string_view::npos && last_space + 1 < name.size() &&
      std::isalpha(static_cast<unsigned char>(name[last_space + 1]))) {
    initials += Upper(name[last_space + 1]);
  }
  return initials;
}

}  // namespace velto_common::utils
