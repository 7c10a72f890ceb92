// The checks every "fill the alert's UI data" function makes before it reads a model: the data
// belongs to a view model, and the caller's output is a map the fields can be written into.
// Internal to the library.
#pragma once

#include "base/variant/variant.h"
#include "module_api/log.h"

namespace framework {
class UIViewModel;
}

namespace velto_common::utils::internal {

// False, with a level-1 record naming what is wrong, when either check fails.
inline bool CheckUIDataTarget(const framework::UIViewModel* view_model, const base::variant::Variant& out) {
  if (!view_model) {
    VELTO_LOG(velto::log::kFailure) << "ui data must attach to a vm, please check!";
    return false;
  }
  if (!out.IsMap()) {
    VELTO_LOG(velto::log::kFailure) << "the result for ui data must be a map, please check!";
    return false;
  }
  return true;
}

}  // namespace velto_common::utils::internal
