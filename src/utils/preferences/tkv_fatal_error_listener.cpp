#include "utils/preferences/tkv_fatal_error_listener.h"

#include <string>

#include "module_api/analytics.h"

namespace velto_common::utils {

// Runs on whichever thread hit the error (the file looper for a background synchronisation);
// the analytics functions may be called from any thread.
void TKVFatalErrorListener::OnFatalError(base::tkv::TKV* tkv, const base::tkv::TKVFatalError& error) {
  analytics::LogEventWithProperties("tkv_fatal_error", {{"path", tkv ? tkv->GetPath() : std::string()},
                                                        {"src", error.file},
                                                        {"func", error.function},
                                                        {"line", std::to_string(error.line)},
                                                        {"content", error.content}});
}

}  // namespace velto_common::utils
