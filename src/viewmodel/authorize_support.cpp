#include "viewmodel/authorize_support.h"

#include <utility>

#include "framework/module/module.h"
#include "framework/viewmodel.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_ids.h"
#include "module_api/runtime.h"

namespace velto::authorize {
namespace {

framework::Model* RuntimeModel(int model_id) {
  framework::module::IModuleRuntime* runtime = velto_common::utils::GetAppModuleRuntime();
  return runtime ? runtime->GetModel(model_id) : nullptr;
}

// A key may come at the top level or, as callers of HandleActionWithAuthStateMachine pass it,
// inside the end state's parameters.
const Variant& FlowValue(const Variant& params, std::string_view key) {
  if (const Variant* value = params.Find(key)) return *value;
  return params.Get("end_state_params").Get(key);
}

}  // namespace

FlowParams ReadFlowParams(const Variant& params) {
  FlowParams flow;
  flow.auth_type = params.GetInteger("auth_type");
  flow.end_event = params.GetUint32("end_state_transition_event");
  flow.end_params = params.Get("end_state_params");
  flow.scheme_param = FlowValue(params, "scheme_param");
  const Variant& user_code = FlowValue(params, "user_code");
  if (user_code.IsString()) {
    flow.user_code = user_code.AsStr();
  } else if (user_code.IsInteger()) {
    flow.user_code = std::to_string(user_code.AsInteger());
  }
  flow.quick_auth_param = FlowValue(params, "quick_auth_param");
  return flow;
}

Variant MakeStartParams(int auth_type, uint32_t end_event, const Variant* end_params) {
  Variant params = Variant::Map();
  params["auth_type"] = auth_type;
  params["end_state_transition_event"] = end_event;
  params["end_state_params"] = end_params ? *end_params : Variant();
  return params;
}

bool QueryAuthState(AuthData* out, const base::Location& from) {
  const Variant answer =
      model::QueryAnswer(model_id::kAuthorizationModel, cmd::kCallFuncQueryAuthData, nullptr, from);
  // Either field of the wrong kind reads as the failure value: neither authorized nor cancelled.
  out->state = model::Read<int64_t>(answer, {"auth_state"}).value_or(kUnreadable);
  out->type = model::Read<int64_t>(answer, {"auth_type"}).value_or(kUnreadable);
  if (answer.IsMap()) return true;
  VELTO_LOG_AT(log::kFailure, from) << kLogPrefix << "call kCallFuncQueryAuthData failed";
  return false;
}

bool Subscribe(framework::ViewModel& view_model, int64_t observer_id, int model_id, int event_id,
               framework::EventCallback callback, const base::Location& location) {
  framework::Model* model = RuntimeModel(model_id);
  if (!model) {
    VELTO_LOG_AT(log::kFailure, location) << kLogPrefix << "model " << model_id << " not found, event " << event_id;
    return false;
  }
  view_model.RecordSubscribe(model, observer_id);
  return model->SubscribeWithLocation(event_id, observer_id, std::move(callback), location);
}

bool SubscribePriority(framework::ViewModel& view_model, int64_t observer_id, int model_id, int event_id,
                       uint32_t priority, framework::PriorityEventCallback callback,
                       const base::Location& location) {
  framework::Model* model = RuntimeModel(model_id);
  framework::PrioritySubscribable* source = framework::AsPrioritySubscribable(model);
  if (!source) {
    VELTO_LOG_AT(log::kFailure, location) << kLogPrefix << "model " << model_id
                                          << " offers no priority event " << event_id;
    return false;
  }
  view_model.RecordPrioritySubscribe(model, observer_id);
  return source->SubscribePriority(event_id, observer_id, priority, std::move(callback), location);
}

void ClearSubscriptions(framework::ViewModel& view_model, int64_t observer_id, int model_id) {
  // A model the host removed meanwhile is skipped when the host releases the records itself.
  framework::Model* model = RuntimeModel(model_id);
  if (!model) return;
  view_model.RecordClearSubscribe(model, observer_id);
  view_model.RecordClearPrioritySubscribe(model, observer_id);
}

Variant BuildAuthorizeUpdate(int64_t auth_state) {
  const Variant last = model::QueryAnswer(model_id::kAuthorizationModel, cmd::kLastAuthResult);
  Variant update = model::QueryAnswer(model_id::kAuthorizationModel, cmd::kCallFuncQueryAuthData);
  if (!update.IsMap()) update = Variant::Map();
  for (const char* key : {"auth_result", "auth_message", "time_stamp"}) update[key] = last.Get(key);
  update["auth_state"] = auth_state;
  if (const Variant* appeal = last.Find("appeal_code")) update["appeal_code"] = *appeal;
  return update;
}

Failure ReadFailure(const Variant* event) {
  Failure failure;
  const Variant last = model::QueryAnswer(model_id::kAuthorizationModel, cmd::kLastAuthResult);
  failure.data = event && event->IsMap() ? *event : Variant::Map();
  for (size_t i = 0; i < last.size() && last.IsMap(); ++i) {
    if (!failure.data.Has(last.KeyAt(i))) failure.data.Set(last.KeyAt(i), last.ValueAt(i));
  }
  if (const auto code = model::Read<int64_t>(last, {"auth_result"})) {
    failure.code = *code;
  } else if (const auto from_event = model::Read<int64_t>(failure.data, {"auth_result"})) {
    // The model could not tell; the event's own code is the best we have.
    failure.code = *from_event;
  } else {
    VELTO_LOG(log::kFailure) << kLogPrefix << "auth failed without a result code";
  }
  failure.data["auth_result"] = failure.code;
  failure.quiet = !failure.data.GetBoolean("need_show_alert", true);
  failure.auth_type = failure.data.GetInteger("auth_type");
  return failure;
}

}  // namespace velto::authorize
