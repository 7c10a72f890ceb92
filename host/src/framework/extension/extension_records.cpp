#include "framework/extension/extension_records.h"

#include <chrono>
#include <cstring>
#include <utility>

#include "base/log/log.h"
#include "base/threading/looper.h"
#include "host_internal.h"

namespace host_internal::extension {
namespace {

struct Records {
  std::vector<Message> messages;
  std::vector<Timing> module_loads;
  std::vector<Timing> activations;
  std::vector<View> views;
};

Records& TheRecords() {
  static auto* records = new Records();
  return *records;
}

int64_t SteadyMicros() {
  return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void ResetRecords() { TheRecords() = Records(); }
const bool kRegistered = host_internal::RegisterReset(&ResetRecords);

}  // namespace

void Log(int level, const char* file, int line, const char* function, const std::string& text) {
  if (base::log::GetLogLevel() < level) return;
  const char* slash = std::strrchr(file, '/');
  base::log::PrintLog("Extension", slash ? slash + 1 : file, line, function, level, text);
}

void RecordMessage(Message message) {
  message.at_ms = base::threading::NowTicksMs();
  TheRecords().messages.push_back(std::move(message));
}
const std::vector<Message>& Messages() { return TheRecords().messages; }
void ClearMessages() { TheRecords().messages.clear(); }

void RecordModuleLoad(Timing timing) { TheRecords().module_loads.push_back(std::move(timing)); }
const std::vector<Timing>& ModuleLoads() { return TheRecords().module_loads; }
void RecordActivation(Timing timing) { TheRecords().activations.push_back(std::move(timing)); }
const std::vector<Timing>& Activations() { return TheRecords().activations; }
void RecordView(View view) { TheRecords().views.push_back(std::move(view)); }
const std::vector<View>& Views() { return TheRecords().views; }

Stopwatch::Stopwatch() : started_ms_(base::threading::NowTicksMs()), started_us_(SteadyMicros()) {}

void Stopwatch::Stop(Timing& timing) const {
  timing.started_at_ms = started_ms_;
  timing.duration_ms = base::threading::NowTicksMs() - started_ms_;
  timing.duration_us = SteadyMicros() - started_us_;
}

}  // namespace host_internal::extension
