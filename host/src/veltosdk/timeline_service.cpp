// The stand-in's timeline service records every event for hostkit and uploads nothing.
#include "veltosdk/utils/timeline_service.h"

#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

#include "host_internal.h"
#include "veltosdk/sdk_services.h"

namespace {

using Properties = std::map<std::string, std::string>;

class TimeLineService : public veltosdk::ITimeLineService {
 public:
  void LogEvent(const std::string& module, const std::string& category, const std::string& name) override {
    Record({1, module, category, name, {}, 0});
  }
  void LogEvent(const std::string& name) override { Record({2, "", "", name, {}, 0}); }
  void LogEventWithProperty(const std::string& module, const std::string& category, const std::string& name,
                            const std::string& key, const std::string& value) override {
    Record({3, module, category, name, {{key, value}}, 0});
  }
  void LogEventWithProperties(const std::string& module, const std::string& category, const std::string& name,
                              const Properties& properties) override {
    Record({4, module, category, name, properties, 0});
  }
  void LogEventWithPropertiesImmediately(const std::string& name, const Properties& properties) override {
    Record({5, "", "", name, properties, 0});
  }
  void LogEventWithPropertiesImmediatelyWithRetry(const std::string& name, const Properties& properties,
                                                  int retry_count) override {
    Record({6, "", "", name, properties, retry_count});
  }

  std::vector<veltosdk::TimelineEventRecord> Events() {
    std::lock_guard lock(mutex_);
    return events_;
  }
  void Clear() {
    std::lock_guard lock(mutex_);
    events_.clear();
  }

 private:
  void Record(veltosdk::TimelineEventRecord event) {
    std::lock_guard lock(mutex_);
    events_.push_back(std::move(event));
  }

  std::mutex mutex_;
  std::vector<veltosdk::TimelineEventRecord> events_;
};

TimeLineService& Service() {
  static auto* service = new TimeLineService;  // events logged at exit still land
  return *service;
}

std::atomic<bool> g_available{true};

void ResetTimeLineService() {
  Service().Clear();
  g_available = true;
}

const bool kRegistered = host_internal::RegisterReset(&ResetTimeLineService);

}  // namespace

namespace veltosdk::utils::service {
ITimeLineService* GetTimeLineService() { return g_available ? &Service() : nullptr; }
}  // namespace veltosdk::utils::service

namespace host_internal::sdk {
void SetTimeLineServiceAvailable(bool available) { g_available = available; }
std::vector<veltosdk::TimelineEventRecord> TimelineEvents() { return Service().Events(); }
void ClearTimelineEvents() { Service().Clear(); }
}  // namespace host_internal::sdk
