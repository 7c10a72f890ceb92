// framework::StringFormatter fills the named placeholders of a localized text.
//
//   std::string text = framework::StringFormatter("{nickname} invited you to {subject}")
//                          .Arg("nickname", "Alice")
//                          .Arg("subject", "Weekly")
//                          .Str();                   // "Alice invited you to Weekly"
//
// A placeholder is a name in braces. Placeholders without a bound argument stay as they are;
// binding a name twice keeps the last value. Bound values are inserted literally (a value that
// itself contains "{name}" is not expanded again).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace framework {

class StringFormatter {
 public:
  explicit StringFormatter(std::string pattern = {}) : pattern_(std::move(pattern)) {}

  StringFormatter& Arg(std::string_view name, std::string_view value);
  StringFormatter& Arg(std::string_view name, const char* value);
  StringFormatter& Arg(std::string_view name, const std::string& value);
  StringFormatter& Arg(std::string_view name, int value) { return Arg(name, static_cast<long long>(value)); }
  StringFormatter& Arg(std::string_view name, long value) { return Arg(name, static_cast<long long>(value)); }
  StringFormatter& Arg(std::string_view name, long long value);
  StringFormatter& Arg(std::string_view name, unsigned value) {
    return Arg(name, static_cast<unsigned long long>(value));
  }
  StringFormatter& Arg(std::string_view name, unsigned long value) {
    return Arg(name, static_cast<unsigned long long>(value));
  }
  StringFormatter& Arg(std::string_view name, unsigned long long value);
  StringFormatter& Arg(std::string_view name, double value);  // shortest text that reads back

  std::string Str() const;
  const std::string& pattern() const { return pattern_; }

 private:
  std::string pattern_;
  std::map<std::string, std::string, std::less<>> args_;
};

}  // namespace framework
