// A table runner for query families: every row runs against the answers its Part names and
// against a missing source, a failing call and an answer of the wrong kind, each time in a
// freshly installed meeting (hostkit::MeetingFixture).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

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
};

struct Row {
  std::string name;
  Source source;
  std::function<std::string()> run;
  std::string expected;  // with the good answers
  std::string failure;   // missing source, and failing call or wrong kind unless given below
  std::string on_fail = "=";   // "=": same as failure
  std::string on_wrong = "=";
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

// Whatever the fixture answers already is the good answer.
inline Source Fixture(int model_id, int command, Variant wrong = Variant("wrong kind"), bool logs_when_wrong = true) {
  Source source = Answered(model_id, command, Variant(), std::move(wrong), logs_when_wrong);
  source.good = [](hostkit::MeetingFixture&) {};
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

enum class Condition { kGood, kMissing, kFailing, kWrongKind };

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
  }
  return "";
}

// Runs one row in one condition on a fresh host; false when the condition does not apply.
inline bool RunRow(const Row& row, Condition condition) {
  const Source& source = row.source;
  const bool sourced = static_cast<bool>(source.remove);
  if (condition != Condition::kGood && !sourced) return false;
  if (condition == Condition::kWrongKind && !source.wrong) return false;

  hostkit::Reset();
  hostkit::MeetingFixture fixture;
  fixture.Install();
  if (source.good) source.good(fixture);
  switch (condition) {
    case Condition::kGood:
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
  }
  hostkit::ClearLogs();
  const std::string result = row.run();
  hostkit::RunUntilIdle();

  std::string expected = row.expected;
  if (condition == Condition::kMissing) expected = row.failure;
  if (condition == Condition::kFailing) expected = row.on_fail == "=" ? row.failure : row.on_fail;
  if (condition == Condition::kWrongKind) expected = row.on_wrong == "=" ? row.failure : row.on_wrong;
  EXPECT_EQ(result, expected) << row.name << " with " << ConditionName(condition);

  bool should_log = false;
  if (condition == Condition::kMissing) should_log = source.logs_when_missing;
  if (condition == Condition::kFailing) should_log = source.fail ? source.logs_when_failing : source.logs_when_missing;
  if (condition == Condition::kWrongKind) should_log = source.logs_when_wrong;
  if (should_log) {
    EXPECT_GE(hostkit::CountLogs(1, ""), 1u) << row.name << " with " << ConditionName(condition)
                                             << " leaves no failure record";
  }
  return true;
}

// Every row in every condition that applies; returns how many runs took place.
inline size_t RunTable(const std::vector<Row>& rows) {
  size_t runs = 0;
  for (const Row& row : rows) {
    for (Condition condition :
         {Condition::kGood, Condition::kMissing, Condition::kFailing, Condition::kWrongKind}) {
      runs += RunRow(row, condition);
    }
  }
  return runs;
}

}  // namespace query_table
