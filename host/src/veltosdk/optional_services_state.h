// The objects the optional SDK service getters hand out; hostkit fills them in. Not installed.
#pragma once

#include "veltosdk/utils/optional_services.h"

namespace host_internal::sdk {

// Emptied by hostkit::Reset().
veltosdk::OptionalServiceSet& TheOptionalServices();

}  // namespace host_internal::sdk
