// base::analytics: the host's analytics reporter. The stand-in records every event for hostkit
// (hostkit::AnalyticsEvents()) and writes nothing to the network.
#pragma once

#include <map>
#include <string>

namespace base::analytics {

using Properties = std::map<std::string, std::string>;

void LogEvent(const std::string& name);
void LogEventWithProperty(const std::string& name, const std::string& key, const std::string& value);
void LogEventWith2Properties(const std::string& name, const std::string& key1, const std::string& value1,
                             const std::string& key2, const std::string& value2);
void LogEventWithProperties(const std::string& name, Properties properties);
void ActiveABTest(const std::string& experiment, const std::string& group);

}  // namespace base::analytics
