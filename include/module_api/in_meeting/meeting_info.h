// Facts about the client the meeting runs in (velto_common::utils::meeting_info).
//
//   std::string version = velto_common::utils::meeting_info::GetProductVersion();   // "3.26.0.100"
#pragma once

#include <string>

#include "module_api/export.h"

namespace velto_common::utils::meeting_info {

// The client's version, dot-separated numbers as the installer names it; "" when unknown.
VELTO_API std::string GetProductVersion();

}  // namespace velto_common::utils::meeting_info
