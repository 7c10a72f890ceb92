#include "framework/string_formatter.h"

#include <charconv>

namespace framework {

StringFormatter& StringFormatter::Arg(std::string_view name, std::string_view value) {
  args_.insert_or_assign(std::string(name), std::string(value));
  return *this;
}

StringFormatter& StringFormatter::Arg(std::string_view name, const char* value) {
  return Arg(name, std::string_view(value ? value : ""));
}

StringFormatter& StringFormatter::Arg(std::string_view name, const std::string& value) {
  return Arg(name, std::string_view(value));
}

StringFormatter& StringFormatter::Arg(std::string_view name, long long value) {
  return Arg(name, std::string_view(std::to_string(value)));
}

StringFormatter& StringFormatter::Arg(std::string_view name, unsigned long long value) {
  return Arg(name, std::string_view(std::to_string(value)));
}

StringFormatter& StringFormatter::Arg(std::string_view name, double value) {
  char buffer[64];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof(buffer), value);
  return Arg(name, error == std::errc() ? std::string_view(buffer, end - buffer) : std::string_view("0"));
}

std::string StringFormatter::Str() const {
  std::string out;
  out.reserve(pattern_.size());
  size_t pos = 0;
  while (pos < pattern_.size()) {
    const size_t open = pattern_.find('{', pos);
    if (open == std::string::npos) break;
    const size_t close = pattern_.find('}', open + 1);
    if (close == std::string::npos) break;
    // "{a {b}": the placeholder is the innermost "{b}".
    const size_t inner = pattern_.rfind('{', close);
    out.append(pattern_, pos, inner - pos);
    const std::string_view name(pattern_.data() + inner + 1, close - inner - 1);
    auto it = args_.find(name);
    if (it != args_.end()) {
      out += it->second;
    } else {
      out.append(pattern_, inner, close - inner + 1);
    }
    pos = close + 1;
  }
  out.append(pattern_, pos, std::string::npos);
  return out;
}

}  // namespace framework
