// The free functions of velto_common::utils::operation_dispatcher over the single manager.
#include "module_api/operation/operation_dispatcher.h"

#include <utility>

#include "frame/scope_singleton.h"
#include "module_api/log.h"
#include "module_api/model/config_reader.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "utils/operation/operation_dispatcher_manager.h"

namespace velto_common::utils::operation_dispatcher {

namespace {

constexpr char kAdPrioritySetting[] = "operating_activities.op_dispatcher.ad_priotity";

// Start-up facts are saved before InitOperationDispatcher runs: the manager is made on first use.
ScopeSingleton<OperationDispatcherManager> g_manager;

OperationDispatcherManager& Manager() { return *g_manager.Get(); }

}  // namespace

void InitOperationDispatcher() { Manager().Init(); }

void CheckAndAddOperationAlert(OperationAlertType type, const std::string& scheme_path, ShowCallback show) {
  Manager().CheckAndAddOperationAlert(type, scheme_path, std::move(show));
}

void ShowOperationAlert(OperationAlertType type) {
  VELTO_LOG(velto::log::kTrace) << "operation_type:" << static_cast<int32_t>(type);
}

void PullOperationAlertShowRules(PullOperationAlertRuleReason reason) {
  base::variant::Variant argument = base::variant::Variant::Map();
  argument["reason"] = static_cast<int32_t>(reason);
  velto::model::Call(velto::model_id::kOperationAlertModel, velto::model_command::operation_alert::kPullShowRules, &argument,
                     nullptr);
}

void SaveParseSchemeParams(const base::variant::Variant& params) { Manager().SaveParseSchemeParams(params); }

void SavePushType(int32_t type) { Manager().SavePushType(type); }

bool IsStartUpByScheme() { return Manager().IsStartUpByScheme(); }

bool IsInMeetingPath() { return Manager().IsInMeetingPath(); }

bool IsAdvertisingPriorityExperience() {
  const int32_t priority = velto::model::ReadClientSetting(kAdPrioritySetting, int32_t{kAdPriorityTypeNone});
  VELTO_LOG(velto::log::kTrace) << "get db value, advertising_priority:" << priority;
  return priority == kAdPriorityTypeExperience;
}

}  // namespace velto_common::utils::operation_dispatcher
