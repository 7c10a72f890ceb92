// Reading the text of a scenario: a syntax error names its line and column, and a key given twice
// in one object is an error (the reader would otherwise keep one of them without a word).
#include <rapidjson/document.h>
#include <rapidjson/error/en.h>

#include <set>
#include <string>

#include "format.h"

namespace sim {
namespace {

std::string Position(std::string_view text, size_t offset) {
  size_t line = 1;
  size_t column = 1;
  for (size_t i = 0; i < offset && i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// The first key given twice in one object, as "path: ..." or "".
std::string DuplicateKey(const rapidjson::Value& value, const std::string& path, int depth) {
  if (depth > 200) return "";
  if (value.IsObject()) {
    std::set<std::string> seen;
    for (auto it = value.MemberBegin(); it != value.MemberEnd(); ++it) {
      const std::string key(it->name.GetString(), it->name.GetStringLength());
      const std::string item = path.empty() ? PathKey(key) : path + "." + PathKey(key);
      if (!seen.insert(key).second) return (path.empty() ? "the document" : path) + ": the key " + JsonQuote(key) + " is given twice";
      std::string error = DuplicateKey(it->value, item, depth + 1);
      if (!error.empty()) return error;
    }
  } else if (value.IsArray()) {
    for (rapidjson::SizeType i = 0; i < value.Size(); ++i) {
      std::string error = DuplicateKey(value[i], path + "[" + std::to_string(i) + "]", depth + 1);
      if (!error.empty()) return error;
    }
  }
  return "";
}

}  // namespace

std::string ParseDocument(std::string_view text, base::variant::Variant* document) {
  rapidjson::Document checked;
  checked.Parse<rapidjson::kParseIterativeFlag | rapidjson::kParseValidateEncodingFlag>(text.data(), text.size());
  if (checked.HasParseError()) {
    return std::string("not valid JSON at ") + Position(text, checked.GetErrorOffset()) + ": " +
           rapidjson::GetParseError_En(checked.GetParseError());
  }
  std::string duplicate = DuplicateKey(checked, "", 0);
  if (!duplicate.empty()) return duplicate;
  bool ok = false;
  *document = base::variant::Variant::ParseJson(text, &ok);
  if (!ok) return "not valid JSON (the host's reader refuses it)";
  return "";
}

}  // namespace sim
