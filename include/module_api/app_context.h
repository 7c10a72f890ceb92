// Facts about the running client application.
#pragma once

#include <string>

#include "module_api/export.h"

namespace velto_common::utils::context {

// The product's display name in the current language.
VELTO_API std::string GetAppName();

}  // namespace velto_common::utils::context
