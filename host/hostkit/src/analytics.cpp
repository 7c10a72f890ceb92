// Analytics recording for hostkit. Events may be sent from any thread; the readers are for the
// UI thread. Recorded events sit in a deque so that LastAnalytics stays valid as more arrive.
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/analytics/analytics_record.h"
#include "host_internal.h"
#include "hostkit/hostkit.h"

namespace {

struct Recorder {
  std::mutex mutex;
  std::deque<hostkit::AnalyticsEvent> events;
  std::vector<hostkit::ABTest> ab_tests;
  std::vector<hostkit::AnalyticsEvent> events_snapshot;  // what AnalyticsEvents() last handed out
  std::vector<hostkit::ABTest> ab_snapshot;
};

Recorder& TheRecorder() {
  static auto* recorder = new Recorder;  // events sent by destructors at exit still land
  return *recorder;
}

}  // namespace

namespace host_internal {

void RecordAnalyticsEvent(std::string name, std::map<std::string, std::string> properties) {
  Recorder& recorder = TheRecorder();
  std::lock_guard<std::mutex> lock(recorder.mutex);
  recorder.events.push_back({std::move(name), std::move(properties)});
}

void RecordABTest(std::string experiment, std::string group) {
  Recorder& recorder = TheRecorder();
  std::lock_guard<std::mutex> lock(recorder.mutex);
  recorder.ab_tests.push_back({std::move(experiment), std::move(group)});
}

void ResetAnalytics() { hostkit::ClearAnalytics(); }

}  // namespace host_internal

namespace hostkit {

const std::vector<AnalyticsEvent>& AnalyticsEvents() {
  Recorder& recorder = TheRecorder();
  std::lock_guard<std::mutex> lock(recorder.mutex);
  recorder.events_snapshot.assign(recorder.events.begin(), recorder.events.end());
  return recorder.events_snapshot;
}

size_t CountAnalytics(std::string_view name) {
  Recorder& recorder = TheRecorder();
  std::lock_guard<std::mutex> lock(recorder.mutex);
  size_t count = 0;
  for (const AnalyticsEvent& event : recorder.events) count += event.name == name ? 1 : 0;
  return count;
}

const AnalyticsEvent* LastAnalytics(std::string_view name) {
  Recorder& recorder = TheRecorder();
  std::lock_guard<std::mutex> lock(recorder.mutex);
  for (auto it = recorder.events.rbegin(); it != recorder.events.rend(); ++it) {
    if (it->name == name) return &*it;
  }
  return nullptr;
}

const std::vector<ABTest>& ActiveABTests() {
  Recorder& recorder = TheRecorder();
  std::lock_guard<std::mutex> lock(recorder.mutex);
  recorder.ab_snapshot = recorder.ab_tests;
  return recorder.ab_snapshot;
}

void ClearAnalytics() {
  Recorder& recorder = TheRecorder();
  std::lock_guard<std::mutex> lock(recorder.mutex);
  recorder.events.clear();
  recorder.ab_tests.clear();
  recorder.events_snapshot.clear();
  recorder.ab_snapshot.clear();
}

}  // namespace hostkit
