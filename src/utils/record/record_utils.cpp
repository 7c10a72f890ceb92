#include "module_api/record/record_utils.h"

#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace velto_common::utils::record {

bool IsQuickRecordRunning() {
  return velto::model::QueryValue<bool>(velto::model_id::kRecordModel,
                                        velto::model_command::record::kQuickRecordRunning, nullptr, {}, false);
}

}  // namespace velto_common::utils::record
