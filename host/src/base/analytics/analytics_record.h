// The hand-over from base::analytics to hostkit's event recording. Not installed; not for modules.
#pragma once

#include <map>
#include <string>

namespace host_internal {

void RecordAnalyticsEvent(std::string name, std::map<std::string, std::string> properties);
void RecordABTest(std::string experiment, std::string group);

}  // namespace host_internal
