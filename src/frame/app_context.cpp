#include "module_api/app_context.h"

#include "module_api/runtime.h"

namespace velto_common::utils::context {

namespace {
constexpr int kAppNameId = 0x56A00001;
}  // namespace

std::string GetAppName() { return GetLocalizedString(kAppNameId); }

}  // namespace velto_common::utils::context
