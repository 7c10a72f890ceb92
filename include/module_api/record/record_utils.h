// Questions about the meeting's recordings.
//
//   if (velto_common::utils::record::IsQuickRecordRunning()) AskBeforeLeaving();
#pragma once

#include "module_api/export.h"

namespace velto_common::utils::record {

// Record model (1000018), command 63: a quick (local) recording runs. False when the model is
// missing or cannot say (logged).
VELTO_API bool IsQuickRecordRunning();

}  // namespace velto_common::utils::record
