// The hand-over from base::log to hostkit's record capture. Not installed; not for modules.
#pragma once

#include <string_view>

namespace host_internal {

// Called by PrintLog for every record, on the printing thread. Null texts arrive as "".
void CaptureLogRecord(int level, std::string_view tag, std::string_view file, int line,
                      std::string_view function, std::string_view text);
void ClearCapturedLogs();

}  // namespace host_internal
