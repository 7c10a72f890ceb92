// How the host's views drive a view model through its life. Not installed; not for modules.
#pragma once

#include <memory>

#include "base/variant/variant.h"
#include "framework/context.h"
#include "framework/viewmodel.h"

namespace host_internal {

struct ViewModelDriver {
  static bool Attach(framework::ViewModel& view_model, const base::variant::Variant* params,
                     std::shared_ptr<const framework::Context> context);
  static bool Detach(framework::ViewModel& view_model);
  static void SetVisible(framework::ViewModel& view_model, bool visible);
  static void Action(framework::ViewModel& view_model, int action_id, const base::variant::Variant* params);
  // Hands the view model its new custom parameters with the ones they replace.
  static void SetCustomParam(framework::ViewModel& view_model, const base::variant::Variant& value);
};

}  // namespace host_internal
