#include "module_api/in_meeting/meeting_info.h"

#include "veltosdk/utils/environment.h"

namespace velto_common::utils::meeting_info {

std::string GetProductVersion() { return veltosdk::utils::environment::PackageVersion(); }

}  // namespace velto_common::utils::meeting_info
