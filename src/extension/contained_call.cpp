#include "extension/contained_call.h"

#include <exception>

#include "module_api/log.h"

namespace velto::extension_support {

bool Contain(const char* what, const Culprit& culprit, const std::function<void()>& call) {
  std::string reason;
  try {
    call();
    return true;
  } catch (const std::exception& e) {
    reason = e.what();
  } catch (...) {
    reason = "unknown exception";
  }
  VELTO_LOG(log::kFailure) << what << " threw, module:" << culprit.module << " extension:" << culprit.extension_id
                           << " contributes:" << culprit.contributes_id << ": " << reason;
  return false;
}

}  // namespace velto::extension_support
