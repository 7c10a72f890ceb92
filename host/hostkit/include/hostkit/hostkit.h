// hostkit: script the host stand-in from a test or a simulator.
//
//   hostkit::Reset();                                   // a clean host, manual clock at 0
//   auto& meeting = hostkit::InstallModel(514);
//   meeting.Answer(3, hostkit::Json(R"({"meeting_item": {"meeting_type": 2}})"));
//   EXPECT_EQ(velto_common::utils::inmeeting::GetCurrentMeetingType(), 2);
//   meeting.Fail(3);                                    // Call now returns false
//   EXPECT_EQ(velto_common::utils::inmeeting::GetCurrentMeetingType(), -1);
//   EXPECT_TRUE(hostkit::HasLog(1, "meeting"));
//   meeting.Fire(7, hostkit::Json(R"({"in_meeting": true})"));
//
// Every entry point is for the UI thread. Reset() drops models, recorded calls, logs, analytics,
// texts, SDK settings and pending tasks, tears down lazily made singletons, and puts the manual
// clock back to its start.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/model.h"
#include "veltosdk/sdk_environment.h"

namespace hostkit {

using base::variant::Variant;

// Parses JSON for scripting; aborts the test binary on an invalid literal (a test bug).
Variant Json(std::string_view text);

struct CallRecord {
  enum class Kind { kCall, kP2P, kAsync };
  Kind kind;
  int command_id;
  Variant argument;     // null when the caller passed none
  uint64_t target = 0;  // P2P only
};

// A model whose commands answer what the test scripted. Unscripted commands fail (Call returns
// false). Every Call, P2PCall and AsyncCall is recorded, scripted or not, unless recording is
// turned off.
class ScriptedModel : public framework::ModelImpl {
 public:
  using Handler = std::function<bool(const Variant& argument, Variant* answer)>;
  explicit ScriptedModel(int model_id) : ModelImpl(model_id) {}

  ScriptedModel& Answer(int command_id, Variant answer);  // succeeds with this answer
  ScriptedModel& Succeed(int command_id);                 // succeeds, answer left as given
  ScriptedModel& Fail(int command_id);                    // returns false
  ScriptedModel& Handle(int command_id, Handler handler);
  // The handler scripted for a command, null when there is none (e.g. to wrap what a fixture
  // answers).
  std::shared_ptr<const Handler> HandlerOf(int command_id) const;
  // AsyncCall answers stay pending until CompleteAsync; by default they complete at once.
  ScriptedModel& HoldAsync(int command_id);
  bool CompleteAsync(int command_id, Variant answer);  // completes the oldest held call

  void Fire(int event_id, const Variant& payload);
  void FireNull(int event_id);  // fires with a null payload pointer

  const std::vector<CallRecord>& calls() const { return calls_; }
  size_t CallCount(int command_id) const;
  size_t CallCount() const { return calls_.size(); }
  // The argument of the last call of this command (null when never called).
  Variant LastArgument(int command_id) const;
  void ClearCalls() { calls_.clear(); }
  // On by default. A load run over thousands of users turns it off: each record copies the
  // argument, and a member list makes a few hundred thousand calls to place 10,000 users.
  void RecordCalls(bool on) { record_calls_ = on; }

  bool Call(int command_id, const Variant* in, Variant* out) override;
  bool P2PCall(int command_id, uint64_t target, const Variant* in, Variant* out) override;
  framework::Future<Variant> AsyncCall(int command_id, const Variant* in) override;

 private:
  bool Run(int command_id, const Variant* in, Variant* out);
  void Record(CallRecord::Kind kind, int command_id, const Variant* in, uint64_t target);
  // Shared so that a call keeps its handler alive while the handler rescripts its own command,
  // without copying the handler on every call.
  std::map<int, std::shared_ptr<const Handler>> handlers_;
  std::map<int, bool> held_;
  std::map<int, std::vector<framework::Promise<Variant>>> pending_;
  std::vector<CallRecord> calls_;
  bool record_calls_ = true;
};

void Reset();

// Models: installing replaces any model of the same id (the old one is destroyed).
ScriptedModel& InstallModel(int model_id);
// Installs a model of the caller's own class.
void InstallCustomModel(int model_id, std::unique_ptr<framework::Model> model);
void RemoveModel(int model_id);
ScriptedModel* FindModel(int model_id);
// Subscribers left on all installed models (a detached view model should leave none).
size_t TotalSubscribers();

// Time: a manual clock drives the main, worker and file loopers.
int64_t NowMs();
// Runs every task that is due now, including tasks those tasks post; returns how many ran.
size_t RunUntilIdle();
// Moves the clock forward in steps to each due task and runs it, up to now + ms. The clock ends
// at INT64_MAX: a target past it stops there, and a task whose delay reaches past it never
// runs. The clock never goes backwards (a negative `ms` counts as 0).
size_t AdvanceClock(int64_t ms);
// Real-time mode (the simulator): loopers follow the steady clock; RunFor sleeps between tasks.
// The worker and file loopers then run on threads of their own; RunUntilIdle, AdvanceClock and
// RunFor drive the main looper only. UseRealTime(false) and Reset() stop those threads.
void UseRealTime(bool real_time);
size_t RunFor(int64_t ms);

// Texts. SetLanguage sets the interface language: the resource texts' and the SDK settings'
// app_language alike.
void SetLanguage(const std::string& language);
void SetLocalizedString(int32_t id, std::string text, const std::string& language = "");

// Logs. Capture is always on under hostkit; the level defaults to 6.
struct LogRecord {
  int level;
  std::string tag;
  std::string file;
  int line;
  std::string function;
  std::string text;
};
void SetLogLevel(int level);
const std::vector<LogRecord>& Logs();
void ClearLogs();
// True when a record of exactly this level contains `substring`.
bool HasLog(int level, std::string_view substring);
size_t CountLogs(int level, std::string_view substring);

// Analytics.
struct AnalyticsEvent {
  std::string name;
  std::map<std::string, std::string> properties;
};
const std::vector<AnalyticsEvent>& AnalyticsEvents();
size_t CountAnalytics(std::string_view name);
const AnalyticsEvent* LastAnalytics(std::string_view name);  // null when none
struct ABTest {
  std::string experiment;
  std::string group;
};
const std::vector<ABTest>& ActiveABTests();
void ClearAnalytics();

// Platform SDK settings.
using SdkEnvironment = veltosdk::SdkEnvironment;
SdkEnvironment& Environment();  // edit in place
void SetFeatureSwitch(const std::string& name, bool on);
void SetSelfId(const std::string& id);
void InstallPlugin(const std::string& plugin, const std::string& interface_name, void* instance);

}  // namespace hostkit
