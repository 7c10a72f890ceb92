// A table runner for query families: every row runs against the answers its Part names and
// against a missing source, a failing call and an answer of the wrong kind, each time in a
// freshly installed meeting (hostkit::MeetingFixture). A row whose source answers a command
// (Answered, Fixture, ConfigurationItem) also runs with that answer replaced by every kind a model
// can send that its good answers never had: null, bool, string, integer, double, pointer, array,
// map, and a map missing the key. A row without any source runs once more with no model
// installed at all, and must give its good answer there as well.
//
// Tables register with QUERY_TABLE_TEST, which also names the namespace of their rows' functions:
// the sweep (query_sweep_test.cpp) checks that every exported velto_common::utils function has a
// row or an excluded entry with its reason.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/module/module.h"
#include "hostkit/hostkit.h"
#include "hostkit/media_engine.h"
#include "hostkit/meeting_fixture.h"
#include "hostkit/meeting_service.h"

namespace query_table {

using hostkit::Variant;

// What a row's question depends on, and how each condition breaks it.
struct Source {
  std::function<void(hostkit::MeetingFixture&)> good;  // the answers the Part names
  std::function<void()> remove;                        // the source is missing
  std::function<void()> fail;                          // the call fails; null: same as remove
  std::function<void()> wrong;                         // a wrong-kind answer; null: not read
  bool logs_when_missing = true;
  bool logs_when_failing = true;
  bool logs_when_wrong = true;
  // A map without the keys read: a query that reads a flat map key by key with defaults takes the
  // defaults without a record of its own.
  bool logs_when_key_missing = true;
  // The command whose answer is replaced by each wrong kind; none when swept_model is 0.
  int swept_model = 0;
  int swept_command = 0;
  // Kinds the query takes besides the good answer's own (e.g. a flag that may come bare).
  std::vector<Variant::Kind> right_kinds;
  // The failure record expected: its level and a text it contains. A query that checks what its
  // caller hands in rejects it in its own words, not always at level 1.
  int log_level = 1;
  std::string log_text;
};

struct Row {
  std::string name;
  Source source;
  std::function<std::string()> run;
  std::string expected;  // with the good answers
  std::string failure;   // missing source, and failing call or wrong kind unless given below
  std::string on_fail = "=";   // "=": same as failure
  std::string on_wrong = "=";
  std::string on_missing_key = "=";  // "=": same as on_wrong
};

inline hostkit::ScriptedModel& ModelFor(int model_id) {
  hostkit::ScriptedModel* model = hostkit::FindModel(model_id);
  return model ? *model : hostkit::InstallModel(model_id);
}

// A command whose answer is read.
inline Source Answered(int model_id, int command, Variant good, Variant wrong = Variant("wrong kind"),
                       bool logs_when_wrong = true) {
  Source source;
  source.good = [=](hostkit::MeetingFixture&) { ModelFor(model_id).Answer(command, good); };
  source.remove = [=] { hostkit::RemoveModel(model_id); };
  source.fail = [=] { ModelFor(model_id).Fail(command); };
  source.wrong = [=] { ModelFor(model_id).Answer(command, wrong); };
  source.logs_when_wrong = logs_when_wrong;
  source.swept_model = model_id;
  source.swept_command = command;
  return source;
}

// A record read key by key with defaults: a map without the keys gives the defaults unrecorded.
inline Source Flat(Source source) {
  source.logs_when_key_missing = false;
  return source;
}

// A command answered by the call's own result.
inline Source CallResult(int model_id, int command, bool logs_when_failing = false) {
  Source source;
  source.good = [=](hostkit::MeetingFixture&) { ModelFor(model_id).Succeed(command); };
  source.remove = [=] { hostkit::RemoveModel(model_id); };
  source.fail = [=] { ModelFor(model_id).Fail(command); };
  source.logs_when_failing = logs_when_failing;
  return source;
}

// What a caller got from a model command and hands to the query (a user record, a meeting
// query's answer): the row asks for it with Asked() and passes it on. A missing model or a failing
// call hands in null; every wrong kind of answer is swept as for Answered. By default the query
// is expected to take it quietly; give the record it must leave with Logs().
inline Source Handed(int model_id, int command, Variant good) {
  Source source = Answered(model_id, command, std::move(good));
  source.logs_when_missing = source.logs_when_failing = source.logs_when_wrong = false;
  return source;
}

// The record a source's failures must leave: every condition, or all but a map missing the key.
inline Source Logs(Source source, int level, std::string text, bool when_key_missing = true) {
  source.logs_when_missing = source.logs_when_failing = source.logs_when_wrong = true;
  source.logs_when_key_missing = when_key_missing;
  source.log_level = level;
  source.log_text = std::move(text);
  return source;
}

// The answer of a command as a module would fetch it before handing it on; null when the model
// is missing or the call fails.
inline Variant Asked(int model_id, int command) {
  Variant answer;
  framework::Model* model = framework::module::GetAppModuleModel(model_id);
  if (!model || !model->Call(command, nullptr, &answer)) return Variant();
  return answer;
}

// Whatever the fixture answers already is the good answer.
inline Source Fixture(int model_id, int command, Variant wrong = Variant("wrong kind"), bool logs_when_wrong = true) {
  Source source = Answered(model_id, command, Variant(), std::move(wrong), logs_when_wrong);
  source.good = [](hostkit::MeetingFixture&) {};
  return source;
}

// A configuration item of the service entrance model (group, item); an unexpected kind reads as
// the item's default, without a record.
inline Source ConfigurationItem(const std::string& group, const std::string& item, Variant good,
                                Variant wrong = Variant("wrong kind")) {
  constexpr int kServiceEntranceModel = 539;
  constexpr int kReadItem = 1;
  Source source = Answered(kServiceEntranceModel, kReadItem, Variant(), std::move(wrong), false);
  source.good = [=](hostkit::MeetingFixture& meeting) { meeting.SetConfigurationItem(group, item, good); };
  return source;
}

// A client setting of the configuration model, read with {"key", "def_value"}; an unexpected
// kind reads as the setting's default, without a record.
inline Source ClientSetting(const std::string& key, Variant good, int command = 1) {
  constexpr int kConfigurationModel = 517;
  Source source = Answered(kConfigurationModel, command, Variant(), Variant("wrong kind"), false);
  source.good = [=](hostkit::MeetingFixture& meeting) { meeting.SetClientSetting(key, good); };
  return source;
}

// The platform meeting service.
inline Source Platform(std::function<void(hostkit::MeetingFixture&)> good) {
  Source source;
  source.good = std::move(good);
  source.remove = [] { hostkit::SetMeetingServiceAvailable(false); };
  source.logs_when_missing = false;
  return source;
}

// The media engine's audio device: failing means the operation answers an error code.
inline Source Engine(std::function<void(hostkit::MeetingFixture&)> good, std::string operation = {}) {
  Source source;
  source.good = std::move(good);
  source.remove = [] { hostkit::SetMediaEngineAvailable(false); };
  if (!operation.empty()) source.fail = [operation] { hostkit::SetMediaEngineResult(operation, -5); };
  return source;
}

// Adds setup to a source's good answers (it runs in every condition, before the breaking).
inline Source With(Source source, std::function<void(hostkit::MeetingFixture&)> extra) {
  auto good = source.good;
  source.good = [good, extra](hostkit::MeetingFixture& fixture) {
    if (good) good(fixture);
    extra(fixture);
  };
  return source;
}

// No source: the answer is fixed or computed from the arguments.
inline Source None() { return Source(); }

inline std::string Text(bool value) { return value ? "true" : "false"; }
inline std::string Text(int value) { return std::to_string(value); }
inline std::string Text(long value) { return std::to_string(value); }
inline std::string Text(long long value) { return std::to_string(value); }
inline std::string Text(unsigned value) { return std::to_string(value); }
inline std::string Text(unsigned long value) { return std::to_string(value); }
inline std::string Text(const std::string& value) { return value; }
inline std::string Text(const Variant& value) { return value.ToJsonStr(); }

// The argument of the last call of a command, as JSON; "none" when the model has none.
inline std::string LastArgument(int model_id, int command) {
  hostkit::ScriptedModel* model = hostkit::FindModel(model_id);
  if (!model || model->CallCount(command) == 0) return "none";
  return model->LastArgument(command).ToJsonStr();
}

enum class Condition { kGood, kMissing, kFailing, kWrongKind, kAnswerKind, kNoModels };

// The kinds of answer a model can send in place of the one a query expects.
enum class AnswerKind { kNull, kBool, kString, kInteger, kDouble, kPointer, kArray, kMap, kMapMissingKey };

inline constexpr AnswerKind kAnswerKinds[] = {
    AnswerKind::kNull,    AnswerKind::kBool,  AnswerKind::kString, AnswerKind::kInteger,      AnswerKind::kDouble,
    AnswerKind::kPointer, AnswerKind::kArray, AnswerKind::kMap,    AnswerKind::kMapMissingKey};

inline const char* AnswerKindName(AnswerKind kind) {
  switch (kind) {
    case AnswerKind::kNull:
      return "null";
    case AnswerKind::kBool:
      return "bool";
    case AnswerKind::kString:
      return "string";
    case AnswerKind::kInteger:
      return "integer";
    case AnswerKind::kDouble:
      return "double";
    case AnswerKind::kPointer:
      return "pointer";
    case AnswerKind::kArray:
      return "array";
    case AnswerKind::kMap:
      return "map";
    case AnswerKind::kMapMissingKey:
      return "map missing the key";
  }
  return "";
}

// A sample answer of a kind. The pointer points at a real Variant, so that a query that wrongly
// follows it reads a string rather than stray memory (the sanitizer build still sees any misuse).
inline Variant AnswerOf(AnswerKind kind) {
  static const Variant pointee("pointed-at text");
  switch (kind) {
    case AnswerKind::kNull:
      return Variant();
    case AnswerKind::kBool:
      return Variant(true);
    case AnswerKind::kString:
      return Variant("wrong kind");
    case AnswerKind::kInteger:
      return Variant(7);
    case AnswerKind::kDouble:
      return Variant(2.5);
    case AnswerKind::kPointer:
      return Variant::FromPointer(&pointee);
    case AnswerKind::kArray:
      return hostkit::Json("[1, 2]");
    case AnswerKind::kMap:
    case AnswerKind::kMapMissingKey:
      return hostkit::Json(R"({"unrelated_key": 1})");
  }
  return Variant();
}

// The kinds that are wrong for a command whose good answers had the kinds in `good`. An integer
// is a number wherever a double is read; a map answer is tried without its keys.
inline std::vector<AnswerKind> WrongKinds(const std::set<Variant::Kind>& good) {
  using K = Variant::Kind;
  auto had = [&good](K kind) { return good.count(kind) > 0; };
  std::vector<AnswerKind> kinds;
  for (AnswerKind kind : kAnswerKinds) {
    bool wrong = false;
    switch (kind) {
      case AnswerKind::kNull:
        wrong = !had(K::kNull);
        break;
      case AnswerKind::kBool:
        wrong = !had(K::kBool);
        break;
      case AnswerKind::kString:
        wrong = !had(K::kString);
        break;
      case AnswerKind::kInteger:
        wrong = !had(K::kInteger) && !had(K::kDouble);
        break;
      case AnswerKind::kDouble:
        wrong = !had(K::kDouble);
        break;
      case AnswerKind::kPointer:
        wrong = !had(K::kPointer);
        break;
      case AnswerKind::kArray:
        wrong = !had(K::kArray);
        break;
      case AnswerKind::kMap:
        wrong = !had(K::kMap);
        break;
      case AnswerKind::kMapMissingKey:
        wrong = had(K::kMap);
        break;
    }
    if (wrong) kinds.push_back(kind);
  }
  return kinds;
}

inline const char* ConditionName(Condition condition) {
  switch (condition) {
    case Condition::kGood:
      return "good answers";
    case Condition::kMissing:
      return "missing source";
    case Condition::kFailing:
      return "failing call";
    case Condition::kWrongKind:
      return "wrong-kind answer";
    case Condition::kAnswerKind:
      return "an answer of the kind";
    case Condition::kNoModels:
      return "no model installed";
  }
  return "";
}

// Wraps the swept command's handler: `edit` sees every answer the handler gave successfully.
inline bool WrapSweptCommand(const Source& source, std::function<void(Variant*)> edit) {
  hostkit::ScriptedModel* model = hostkit::FindModel(source.swept_model);
  if (!model) return false;
  std::shared_ptr<const hostkit::ScriptedModel::Handler> handler = model->HandlerOf(source.swept_command);
  if (!handler) return false;
  model->Handle(source.swept_command, [handler, edit](const Variant& argument, Variant* answer) {
    if (!(*handler)(argument, answer)) return false;
    if (answer) edit(answer);
    return true;
  });
  return true;
}

// Runs one row in one condition on a fresh host; false when the condition does not apply. In
// the good condition, `good_kinds` (when given) collects the kinds the swept command answered.
inline bool RunRow(const Row& row, Condition condition, AnswerKind kind = AnswerKind::kNull,
                   std::set<Variant::Kind>* good_kinds = nullptr) {
  const Source& source = row.source;
  const bool sourced = static_cast<bool>(source.remove);
  const bool swept = source.swept_model != 0;
  if ((condition == Condition::kMissing || condition == Condition::kFailing) && !sourced) return false;
  if (condition == Condition::kWrongKind && (!sourced || !source.wrong)) return false;
  if (condition == Condition::kAnswerKind && !swept) return false;
  if (condition == Condition::kNoModels && (sourced || source.good)) return false;

  hostkit::Reset();
  hostkit::MeetingFixture fixture;
  if (condition != Condition::kNoModels) fixture.Install();
  if (source.good) source.good(fixture);
  switch (condition) {
    case Condition::kGood:
      if (swept && good_kinds) {
        WrapSweptCommand(source, [good_kinds](Variant* answer) { good_kinds->insert(answer->kind()); });
      }
      break;
    case Condition::kMissing:
      source.remove();
      break;
    case Condition::kFailing:
      (source.fail ? source.fail : source.remove)();
      break;
    case Condition::kWrongKind:
      source.wrong();
      break;
    case Condition::kAnswerKind:
      if (!WrapSweptCommand(source, [kind](Variant* answer) { *answer = AnswerOf(kind); })) {
        ADD_FAILURE() << row.name << ": the swept command " << source.swept_command << " of model "
                      << source.swept_model << " has no answer to replace";
        return false;
      }
      break;
    case Condition::kNoModels:
      break;
  }
  hostkit::ClearLogs();
  const std::string result = row.run();
  hostkit::RunUntilIdle();

  std::string expected = row.expected;
  if (condition == Condition::kMissing) expected = row.failure;
  if (condition == Condition::kFailing) expected = row.on_fail == "=" ? row.failure : row.on_fail;
  const bool key_missing = condition == Condition::kAnswerKind && kind == AnswerKind::kMapMissingKey;
  if (condition == Condition::kWrongKind || condition == Condition::kAnswerKind) {
    expected = row.on_wrong == "=" ? row.failure : row.on_wrong;
  }
  if (key_missing && row.on_missing_key != "=") expected = row.on_missing_key;
  std::string with = ConditionName(condition);
  if (condition == Condition::kAnswerKind) with += std::string(" ") + AnswerKindName(kind);
  EXPECT_EQ(result, expected) << row.name << " with " << with;

  bool should_log = false;
  if (condition == Condition::kMissing) should_log = source.logs_when_missing;
  if (condition == Condition::kFailing) should_log = source.fail ? source.logs_when_failing : source.logs_when_missing;
  if (condition == Condition::kWrongKind || condition == Condition::kAnswerKind) should_log = source.logs_when_wrong;
  if (key_missing) should_log = source.logs_when_wrong && source.logs_when_key_missing;
  if (should_log) {
    EXPECT_GE(hostkit::CountLogs(source.log_level, source.log_text), 1u)
        << row.name << " with " << with << " leaves no level-" << source.log_level << " record \"" << source.log_text
        << "\"";
  }
  return true;
}

// Every row in every condition that applies, and every wrong kind of its swept answer; returns
// how many runs took place.
inline size_t RunTable(const std::vector<Row>& rows) {
  size_t runs = 0;
  for (const Row& row : rows) {
    std::set<Variant::Kind> good_kinds;
    runs += RunRow(row, Condition::kGood, AnswerKind::kNull, &good_kinds);
    const bool answered = !good_kinds.empty();
    good_kinds.insert(row.source.right_kinds.begin(), row.source.right_kinds.end());
    for (Condition condition :
         {Condition::kMissing, Condition::kFailing, Condition::kWrongKind, Condition::kNoModels}) {
      runs += RunRow(row, condition);
    }
    if (row.source.swept_model == 0) continue;
    if (!answered) {
      ADD_FAILURE() << row.name << " never asked command " << row.source.swept_command << " of model "
                    << row.source.swept_model << " with its good answers";
      continue;
    }
    for (AnswerKind kind : WrongKinds(good_kinds)) runs += RunRow(row, Condition::kAnswerKind, kind);
  }
  return runs;
}

// Tables and the namespace of their rows' functions, for the sweep over the exported queries.
using RowsFunction = std::vector<Row> (*)();

struct Table {
  std::string name_space;  // under velto_common::utils; empty for its top level
  RowsFunction rows;
};

inline std::vector<Table>& Tables() {
  static std::vector<Table> tables;
  return tables;
}

struct Registration {
  Registration(std::string name_space, RowsFunction rows) { Tables().push_back({std::move(name_space), rows}); }
};

// The exported function a row stands for: its name under the table's namespace, or a name that
// already carries its namespace below velto_common::utils ("audio_exception::IsFinalAction").
inline std::string QualifiedName(const std::string& name_space, const std::string& row_name) {
  std::string name = "velto_common::utils::";
  if (row_name.find("::") == std::string::npos && !name_space.empty()) name += name_space + "::";
  return name + row_name;
}

}  // namespace query_table

// Registers a table for the sweep and runs it as TEST(suite, name).
#define QUERY_TABLE_TEST(suite, name, name_space, rows)                                     \
  static const ::query_table::Registration suite##_##name##_registration(name_space, rows); \
  TEST(suite, name) { EXPECT_GT(::query_table::RunTable(rows()), 0u); }
