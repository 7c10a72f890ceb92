// The scenario format as one table: what a scenario document may hold, field by field, and the
// arguments of every action. The validator, the JSON Schema (--schema) and the format page
// (--format-doc, committed as docs/scenario.md) are all read from this table, so they cannot
// drift apart.
//
//   sim::ActionSpec spec{"Shows a card.", {sim::Str("title", "the card's title").Required(),
//                                          sim::Int("timeout", 0, 600000, "ms before it closes")}};
//   sim::RegisterAction("notify_show", spec, ShowCard);
//
// An action with "ops" takes a required "op" naming one of them, plus that op's own fields.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/variant/variant.h"

namespace sim {

enum class Type {
  kString,
  kInteger,
  kBoolean,
  kValue,     // any JSON value, handed to the host as it is (answers, payloads)
  kRecord,    // an object with free keys (a user record, a changes map)
  kStrings,   // an array of strings
  kIntegers,  // an array of whole numbers in [min, max]
  kList,      // an array of objects with the declared fields
  kObject,    // an object with the declared fields
  kIdMap,     // an object keyed by whole numbers in [min, max], each value of the declared item
};

// Extra checks on string values.
enum class Names { kAny, kQuery };

struct Field {
  std::string name;
  Type type = Type::kString;
  std::string help;
  bool required = false;
  int64_t min = 0;
  int64_t max = 0;
  std::vector<std::string> choices;  // strings: the only values allowed, when not empty
  Names names = Names::kAny;
  std::vector<Field> fields;  // kList items, kObject fields, kIdMap item (one unnamed field)

  Field Required() const;
  Field OneOf(std::vector<std::string> values) const;
  Field Of(Names kind) const;
};

Field Str(std::string name, std::string help);
Field Int(std::string name, int64_t min, int64_t max, std::string help);
Field Bool(std::string name, std::string help);
Field Value(std::string name, std::string help);
Field Record(std::string name, std::string help);
Field Strs(std::string name, std::string help);
Field Ints(std::string name, int64_t min, int64_t max, std::string help);
Field List(std::string name, std::vector<Field> fields, std::string help);
Field Object(std::string name, std::vector<Field> fields, std::string help);
Field IdMap(std::string name, int64_t min, int64_t max, Field item, std::string help);

struct OpSpec {
  std::string name;
  std::string summary;
  std::vector<Field> fields;
};

struct ActionSpec {
  ActionSpec() = default;
  ActionSpec(std::string summary_text, std::vector<Field> own_fields, std::vector<OpSpec> own_ops = {})
      : summary(std::move(summary_text)), fields(std::move(own_fields)), ops(std::move(own_ops)) {}

  std::string summary;
  std::vector<Field> fields;
  std::vector<OpSpec> ops;
  bool declared = true;  // false for actions registered without their arguments
};

// Limits shared by the table and the runner.
inline constexpr int64_t kMaxAtMs = 24LL * 60 * 60 * 1000;  // a scenario covers a day at most
inline constexpr int64_t kMaxId = 2147483647;               // model, command and event ids

// The top-level fields of a scenario document; "timeline" steps are checked per action.
const std::vector<Field>& DocumentFields();
// The fields every step has ("at", "do").
const std::vector<Field>& StepFields();

// The first error of a scenario document, as "path: expected ..., found ...", or "" when the
// document is valid. Reads the actions and queries registered so far.
std::string Validate(const base::variant::Variant& document);

// Checks the JSON text itself (syntax with line and column, keys given twice) and parses it.
// Returns "" and fills `document` when the text is a JSON document.
std::string ParseDocument(std::string_view text, base::variant::Variant* document);

// "the string \"soon\"", "the number 1500.5", "an array", ...: what a value is, for errors.
std::string Describe(const base::variant::Variant& value);

// A key as it appears in an error's path: plain when it is a word, else quoted as JSON, so that
// an error stays one line whatever the document's keys hold.
std::string PathKey(std::string_view key);
// A string quoted as JSON.
std::string JsonQuote(std::string_view text);

// The generated descriptions of the table.
std::string JsonSchema();
std::string FormatDoc();
// One line per action (and op) with its arguments, for --list-actions.
std::string ListActions();

}  // namespace sim
