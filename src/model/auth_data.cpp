#include "model/auth_data.h"

#include "module_api/model/model_call.h"
#include "module_api/model_ids.h"

namespace velto_common::utils::internal {

base::variant::Variant QueryAuthData(const base::Location& from) {
  return velto::model::QueryRecord(velto::model_id::kAuthorizationModel, kCallFuncQueryAuthData, nullptr, from);
}

}  // namespace velto_common::utils::internal
