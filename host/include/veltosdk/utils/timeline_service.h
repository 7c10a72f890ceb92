// The platform SDK's timeline service: client timeline events that travel with the diagnostic
// logs. An event is (module, category, name) with optional properties; "immediately" events
// skip the batching queue, and the retrying form tries the upload `retry_count` more times.
#pragma once

#include <map>
#include <string>

namespace veltosdk {

class ITimeLineService {
 public:
  virtual ~ITimeLineService() = default;
  virtual void LogEvent(const std::string& module, const std::string& category, const std::string& name) = 0;
  virtual void LogEvent(const std::string& name) = 0;
  virtual void LogEventWithProperty(const std::string& module, const std::string& category,
                                    const std::string& name, const std::string& key,
                                    const std::string& value) = 0;
  virtual void LogEventWithProperties(const std::string& module, const std::string& category,
                                      const std::string& name,
                                      const std::map<std::string, std::string>& properties) = 0;
  virtual void LogEventWithPropertiesImmediately(const std::string& name,
                                                 const std::map<std::string, std::string>& properties) = 0;
  virtual void LogEventWithPropertiesImmediatelyWithRetry(const std::string& name,
                                                          const std::map<std::string, std::string>& properties,
                                                          int retry_count) = 0;
};

namespace utils::service {
// Null when the service is not loaded.
ITimeLineService* GetTimeLineService();
}  // namespace utils::service

}  // namespace veltosdk
