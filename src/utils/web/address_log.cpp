#include "utils/web/address_log.h"

#include <cctype>

#include "veltosdk/utils/safety.h"

namespace velto_common::utils::web::internal {
namespace {

bool EqualsNoCase(std::string_view text, std::string_view lower) {
  if (text.size() != lower.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != lower[i]) return false;
  }
  return true;
}

bool EndsWithNoCase(std::string_view text, std::string_view lower) {
  return text.size() >= lower.size() && EqualsNoCase(text.substr(text.size() - lower.size()), lower);
}

// Length of the escape "%XY" (either case) at `at`, or 0.
size_t EscapeAt(std::string_view text, size_t at, char x, char y) {
  if (at + 3 > text.size() || text[at] != '%' || text[at + 1] != x) return 0;
  return std::toupper(static_cast<unsigned char>(text[at + 2])) == y ? 3 : 0;
}

// Where one parameter ends and the next may start: "?", "&", "#" as written or encoded.
size_t SeparatorAt(std::string_view text, size_t at) {
  const char c = text[at];
  if (c == '?' || c == '&' || c == '#') return 1;
  if (size_t n = EscapeAt(text, at, '3', 'F')) return n;
  if (size_t n = EscapeAt(text, at, '2', '6')) return n;
  return EscapeAt(text, at, '2', '3');
}

size_t EqualsAt(std::string_view text, size_t at) {
  if (text[at] == '=') return 1;
  return EscapeAt(text, at, '3', 'D');
}

// The end of a value: a value written plainly ends only at a plain "&" or "#" (an encoded "&"
// belongs to it); an encoded value also ends at the encoded ones.
size_t ValueEnd(std::string_view text, size_t from, bool encoded) {
  for (size_t i = from; i < text.size(); ++i) {
    if (text[i] == '&' || text[i] == '#') return i;
    if (encoded && (EscapeAt(text, i, '2', '6') || EscapeAt(text, i, '2', '3'))) return i;
  }
  return text.size();
}

}  // namespace

bool IsSecretParamName(std::string_view name) {
  for (std::string_view exact : {"ticket", "token", "code", "password"}) {
    if (EqualsNoCase(name, exact)) return true;
  }
  for (std::string_view suffix : {"_key", "_ticket", "_token", "_code"}) {
    if (EndsWithNoCase(name, suffix)) return true;
  }
  return false;
}

std::string AddressForLog(std::string_view address) {
  std::string out;
  out.reserve(address.size());
  size_t i = 0;
  size_t name_start = 0;  // the current parameter's name begins here
  while (i < address.size()) {
    if (const size_t separator = SeparatorAt(address, i)) {
      out.append(address.substr(i, separator));
      i += separator;
      name_start = i;
      continue;
    }
    if (const size_t equals = EqualsAt(address, i)) {
      const std::string_view name = address.substr(name_start, i - name_start);
      out.append(address.substr(i, equals));
      i += equals;
      name_start = i;
      if (IsSecretParamName(name)) {
        const size_t end = ValueEnd(address, i, equals == 3);
        out += veltosdk::utils::safety::ToSafeString(address.substr(i, end - i));
        i = end;
      }
      continue;
    }
    out += address[i++];
  }
  return out;
}

}  // namespace velto_common::utils::web::internal
