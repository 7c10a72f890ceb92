// Questions about webinars.
#pragma once

#include <cstdint>

#include "base/variant/variant.h"
#include "module_api/export.h"

namespace velto_common::utils::webinar {

// Bit 0 of the meeting type flags.
VELTO_API bool IsMeetingWebinar(uint64_t meeting_type_flags);
// Applies the flag test to "meeting_type_flags" of a meeting item; false for null.
VELTO_API bool IsMeetingWebinar(const base::variant::Variant* meeting_item);
// Asks the meeting model whether the current meeting is a webinar.
VELTO_API bool IsMeetingWebinar();

}  // namespace velto_common::utils::webinar
