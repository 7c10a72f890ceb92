#include "format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

#include "sim.h"

namespace sim {

using base::variant::Variant;

Field Field::Required() const {
  Field copy = *this;
  copy.required = true;
  return copy;
}

Field Field::OneOf(std::vector<std::string> values) const {
  Field copy = *this;
  copy.choices = std::move(values);
  return copy;
}

Field Field::Of(Names kind) const {
  Field copy = *this;
  copy.names = kind;
  return copy;
}

namespace {

Field Make(std::string name, Type type, std::string help) {
  Field field;
  field.name = std::move(name);
  field.type = type;
  field.help = std::move(help);
  return field;
}

}  // namespace

Field Str(std::string name, std::string help) { return Make(std::move(name), Type::kString, std::move(help)); }
Field Bool(std::string name, std::string help) { return Make(std::move(name), Type::kBoolean, std::move(help)); }
Field Value(std::string name, std::string help) { return Make(std::move(name), Type::kValue, std::move(help)); }
Field Record(std::string name, std::string help) { return Make(std::move(name), Type::kRecord, std::move(help)); }
Field Strs(std::string name, std::string help) { return Make(std::move(name), Type::kStrings, std::move(help)); }

Field Int(std::string name, int64_t min, int64_t max, std::string help) {
  Field field = Make(std::move(name), Type::kInteger, std::move(help));
  field.min = min;
  field.max = max;
  return field;
}

Field Ints(std::string name, int64_t min, int64_t max, std::string help) {
  Field field = Int(std::move(name), min, max, std::move(help));
  field.type = Type::kIntegers;
  return field;
}

Field List(std::string name, std::vector<Field> fields, std::string help) {
  Field field = Make(std::move(name), Type::kList, std::move(help));
  field.fields = std::move(fields);
  return field;
}

Field Object(std::string name, std::vector<Field> fields, std::string help) {
  Field field = Make(std::move(name), Type::kObject, std::move(help));
  field.fields = std::move(fields);
  return field;
}

Field IdMap(std::string name, int64_t min, int64_t max, Field item, std::string help) {
  Field field = Int(std::move(name), min, max, std::move(help));
  field.type = Type::kIdMap;
  field.fields = {std::move(item)};
  return field;
}

const std::vector<Field>& DocumentFields() {
  static const auto* fields = new std::vector<Field>{
      Str("name", "a title, printed before the timeline plays"),
      IdMap("models", 0, kMaxId,
            Object("", {IdMap("answers", 0, kMaxId, Value("", "the answer"), "what each command answers"),
                        Ints("succeed", 0, kMaxId, "commands that succeed and leave the answer as given"),
                        Ints("fail", 0, kMaxId, "commands whose call fails")},
                   "how one model answers"),
            "models installed before the timeline starts, keyed by model id"),
      List("timeline", {}, "the steps, played in order of \"at\" (steps at one time keep their order)").Required(),
  };
  return *fields;
}

const std::vector<Field>& StepFields() {
  static const auto* fields = new std::vector<Field>{
      Int("at", 0, kMaxAtMs, "simulated milliseconds from the start").Required(),
      Str("do", "the action (velto-sim --list-actions)").Required(),
  };
  return *fields;
}

std::string Describe(const Variant& value) {
  switch (value.kind()) {
    case Variant::Kind::kNull:
      return "null";
    case Variant::Kind::kBool:
      return value.AsBoolean() ? "true" : "false";
    case Variant::Kind::kString: {
      std::string text = value.AsStr();
      if (text.size() > 40) text = text.substr(0, 40) + "...";
      return "the string " + Variant(text).ToJsonStr();
    }
    case Variant::Kind::kInteger:
      return "the number " + value.ToJsonStr();
    case Variant::Kind::kDouble: {
      char text[64];
      const double number = value.AsDouble();
      std::snprintf(text, sizeof text, "%.17g", number);
      // 1e3 and 1000.0 read as the double 1000: say why it is not the whole number it looks like.
      const bool whole = std::isfinite(number) && std::floor(number) == number;
      return "the number " + std::string(text) + (whole ? " written with a fraction or an exponent" : "");
    }
    case Variant::Kind::kArray:
      return "an array";
    case Variant::Kind::kMap:
      return "an object";
    default:
      return "a value of kind " + std::to_string(value.type());
  }
}

namespace {

std::string Range(int64_t min, int64_t max) {
  return "from " + std::to_string(min) + " to " + std::to_string(max);
}

std::string Quoted(std::string_view text) { return JsonQuote(text); }

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text.empty() ? "nothing" : text;
}

// What a field expects, in words, for errors and the format page.
std::string Expected(const Field& field) {
  switch (field.type) {
    case Type::kString:
      if (!field.choices.empty()) return "one of " + Joined(field.choices);
      return field.names == Names::kQuery ? "a query name" : "a string";
    case Type::kInteger:
      return "a whole number " + Range(field.min, field.max);
    case Type::kBoolean:
      return "true or false";
    case Type::kValue:
      return "any JSON value";
    case Type::kRecord:
      return "an object";
    case Type::kStrings:
      return field.names == Names::kQuery ? "an array of query names" : "an array of strings";
    case Type::kIntegers:
      return "an array of whole numbers " + Range(field.min, field.max);
    case Type::kList:
      return "an array of objects";
    case Type::kObject:
      return "an object";
    case Type::kIdMap:
      return "an object keyed by ids " + Range(field.min, field.max);
  }
  return "?";
}

class Validator {
 public:
  std::string error;

  bool Fail(const std::string& path, const std::string& text) {
    if (error.empty()) error = (path.empty() ? "the document" : path) + ": " + text;
    return false;
  }

  bool Mismatch(const std::string& path, const std::string& expected, const Variant& found) {
    return Fail(path, "expected " + expected + ", found " + Describe(found));
  }

  bool Integer(const std::string& path, const Variant& value, int64_t min, int64_t max) {
    const std::string expected = "a whole number " + Range(min, max);
    if (!value.IsInteger()) return Mismatch(path, expected, value);
    if (value.IsUnsigned() && value.AsUint64() > static_cast<uint64_t>(INT64_MAX)) {
      return Mismatch(path, expected, value);
    }
    const int64_t number = value.AsInteger();
    if (number < min || number > max) return Mismatch(path, expected, value);
    return true;
  }

  // A decimal id key: digits only, no sign, no leading zero, within the range.
  bool Key(const std::string& path, std::string_view key, int64_t min, int64_t max) {
    const std::string expected = "keys that are ids " + Range(min, max);
    const bool digits = !key.empty() && key.size() <= 18 &&
                        std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
                        (key.size() == 1 || key[0] != '0');
    if (!digits) return Fail(path, "expected " + expected + ", found the key " + Quoted(key));
    const int64_t number = std::stoll(std::string(key));
    if (number < min || number > max) {
      return Fail(path, "expected " + expected + ", found the key " + Quoted(key));
    }
    return true;
  }

  bool Check(const std::string& path, const Field& field, const Variant& value) {
    switch (field.type) {
      case Type::kString:
        if (!value.IsString()) return Mismatch(path, Expected(field), value);
        if (!field.choices.empty() &&
            std::find(field.choices.begin(), field.choices.end(), value.AsStr()) == field.choices.end()) {
          return Mismatch(path, Expected(field), value);
        }
        if (field.names == Names::kQuery && !Queries().count(value.AsStr())) {
          return Fail(path, "unknown query " + Quoted(value.AsStr()) + " (velto-sim --list-queries shows them)");
        }
        return true;
      case Type::kInteger:
        return Integer(path, value, field.min, field.max);
      case Type::kBoolean:
        return value.IsBool() || Mismatch(path, Expected(field), value);
      case Type::kValue:
        return true;
      case Type::kRecord:
        return value.IsMap() || Mismatch(path, Expected(field), value);
      case Type::kStrings: {
        if (!value.IsArray()) return Mismatch(path, Expected(field), value);
        Field item = field;
        item.type = Type::kString;
        for (size_t i = 0; i < value.size(); ++i) {
          if (!Check(path + "[" + std::to_string(i) + "]", item, value.At(i))) return false;
        }
        return true;
      }
      case Type::kIntegers:
        if (!value.IsArray()) return Mismatch(path, Expected(field), value);
        for (size_t i = 0; i < value.size(); ++i) {
          if (!Integer(path + "[" + std::to_string(i) + "]", value.At(i), field.min, field.max)) return false;
        }
        return true;
      case Type::kList:
        if (!value.IsArray()) return Mismatch(path, Expected(field), value);
        for (size_t i = 0; i < value.size(); ++i) {
          const std::string item = path + "[" + std::to_string(i) + "]";
          if (!value.At(i).IsMap()) return Mismatch(item, "an object", value.At(i));
          if (!Fields(item, field.fields, value.At(i), "")) return false;
        }
        return true;
      case Type::kObject:
        if (!value.IsMap()) return Mismatch(path, Expected(field), value);
        return Fields(path, field.fields, value, "");
      case Type::kIdMap:
        if (!value.IsMap()) return Mismatch(path, Expected(field), value);
        for (size_t i = 0; i < value.size(); ++i) {
          const std::string item = path + "." + PathKey(value.KeyAt(i));
          if (!Key(item, value.KeyAt(i), field.min, field.max)) return false;
          if (!Check(item, field.fields.front(), value.ValueAt(i))) return false;
        }
        return true;
    }
    return true;
  }

  // Every key of `value` must be one of `fields`; required ones must be present.
  bool Fields(const std::string& path, const std::vector<Field>& fields, const Variant& value,
              const std::string& owner) {
    for (size_t i = 0; i < value.size(); ++i) {
      const std::string key(value.KeyAt(i));
      const std::string item = path.empty() ? PathKey(key) : path + "." + PathKey(key);
      auto it = std::find_if(fields.begin(), fields.end(), [&](const Field& f) { return f.name == key; });
      if (it == fields.end()) {
        std::vector<std::string> names;
        for (const Field& f : fields) names.push_back(f.name);
        return Fail(item, "unknown field" + (owner.empty() ? "" : " for " + owner) + " (allowed: " + Joined(names) + ")");
      }
      if (!Check(item, *it, value.ValueAt(i))) return false;
    }
    for (const Field& field : fields) {
      if (field.required && !value.Has(field.name)) {
        return Fail(path, "missing " + Quoted(field.name) + " (" + Expected(field) + ")");
      }
    }
    return true;
  }

  bool Step(const std::string& path, const Variant& step) {
    if (!step.IsMap()) return Mismatch(path, "a step object with \"at\" and \"do\"", step);
    for (const Field& field : StepFields()) {
      if (!step.Has(field.name)) return Fail(path, "missing " + Quoted(field.name) + " (" + Expected(field) + ")");
      if (!Check(path + "." + field.name, field, step.Get(field.name))) return false;
    }
    const std::string name = step.GetString("do");
    const auto& actions = ActionSpecs();
    auto it = actions.find(name);
    if (it == actions.end()) {
      return Fail(path + ".do", "unknown action " + Quoted(name) + " (velto-sim --list-actions shows them)");
    }
    const ActionSpec& spec = it->second;
    if (!spec.declared) return true;
    std::vector<Field> fields = StepFields();
    fields.insert(fields.end(), spec.fields.begin(), spec.fields.end());
    std::string owner = Quoted(name);
    if (!spec.ops.empty()) {
      std::vector<std::string> names;
      for (const OpSpec& op : spec.ops) names.push_back(op.name);
      const Field op_field = Str("op", "what to do").OneOf(names);
      if (!step.Has("op")) return Fail(path, "missing \"op\" (" + Expected(op_field) + ")");
      if (!Check(path + ".op", op_field, step.Get("op"))) return false;
      const std::string op = step.GetString("op");
      const OpSpec& chosen = *std::find_if(spec.ops.begin(), spec.ops.end(), [&](const OpSpec& o) { return o.name == op; });
      fields.push_back(op_field);
      fields.insert(fields.end(), chosen.fields.begin(), chosen.fields.end());
      owner += " op " + Quoted(op);
    }
    return Fields(path, fields, step, owner);
  }

  bool Document(const Variant& document) {
    if (!document.IsMap()) return Mismatch("", "an object with \"timeline\"", document);
    std::vector<Field> top = DocumentFields();
    for (Field& field : top) {
      if (field.name == "timeline") {
        field.type = Type::kValue;  // steps are checked below, each against its action
        field.required = false;
      }
    }
    if (!Fields("", top, document, "")) return false;
    if (!document.Has("timeline")) return Fail("", "missing \"timeline\" (an array of steps)");
    const Variant& timeline = document.Get("timeline");
    if (!timeline.IsArray()) return Mismatch("timeline", "an array of steps", timeline);
    for (size_t i = 0; i < timeline.size(); ++i) {
      if (!Step("timeline[" + std::to_string(i) + "]", timeline.At(i))) return false;
    }
    return true;
  }
};

}  // namespace

std::string JsonQuote(std::string_view text) { return Variant(text).ToJsonStr(); }

std::string PathKey(std::string_view key) {
  const bool word = !key.empty() && std::all_of(key.begin(), key.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
  });
  return word ? std::string(key) : "[" + JsonQuote(key) + "]";
}

std::string Validate(const Variant& document) {
  Validator validator;
  validator.Document(document);
  return validator.error;
}

std::string ListActions() {
  std::string text;
  auto arguments = [](const std::vector<Field>& fields) {
    std::string line;
    for (const Field& field : fields) {
      line += " " + field.name + (field.required ? "" : "?") + "=<" + Expected(field) + ">";
    }
    return line;
  };
  for (const auto& [name, spec] : ActionSpecs()) {
    if (!spec.declared) {
      text += name + "  (arguments not declared)\n";
      continue;
    }
    text += name + arguments(spec.fields) + "\n    " + spec.summary + "\n";
    for (const OpSpec& op : spec.ops) {
      text += "  op=" + op.name + arguments(op.fields) + "\n      " + op.summary + "\n";
    }
  }
  return text;
}

}  // namespace sim
