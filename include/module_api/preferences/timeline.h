// Client timeline events, forwarded to the platform SDK's timeline service; each call does
// nothing when the service is absent. An event is named by (module, category, name).
#pragma once

#include <map>
#include <string>

#include "module_api/export.h"

namespace velto_common::utils::timeline {

using Properties = std::map<std::string, std::string>;

VELTO_API void LogEvent(const std::string& module, const std::string& category, const std::string& name);
VELTO_API void LogEvent(const std::string& name);
VELTO_API void LogEventWithProperty(const std::string& module, const std::string& category, const std::string& name,
                                    const std::string& key, const std::string& value);
VELTO_API void LogEventWithProperties(const std::string& module, const std::string& category,
                                      const std::string& name, const Properties& properties);
// Skips the service's batching queue.
VELTO_API void LogEventWithPropertiesImmediately(const std::string& name, const Properties& properties);
// As above; the service retries the upload up to `retry_count` more times.
VELTO_API void LogEventWithPropertiesImmediatelyWithRetry(const std::string& name, const Properties& properties,
                                                          int retry_count);

}  // namespace velto_common::utils::timeline
