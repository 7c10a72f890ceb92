// Pieces of the authorization view model and its states that do not depend on the view-model
// base: the authorization model's commands and events, the start parameters of the
// authorization machine, event subscriptions in the host's shape, and the maps handed to the
// hooks. Internal to the library.
#pragma once

#include <cstdint>
#include <string>

#include "base/location.h"
#include "base/variant/variant.h"
#include "framework/model.h"
#include "module_api/model_commands.h"

namespace framework {
class ViewModel;
}

namespace velto::authorize {

using base::variant::Variant;

// Authorization model (504).
namespace cmd {
using velto::model_command::authorization::kLogout;
using velto::model_command::authorization::kCallFuncQueryAuthData;
using velto::model_command::authorization::kLastAuthResult;
using velto::model_command::authorization::kMayActNow;
using velto::model_command::authorization::kSchemeMission;
using velto::model_command::authorization::kStartAuthorize;
using velto::model_command::authorization::kRetryAuthorize;
}  // namespace cmd

namespace event {
using velto::model_event::authorization::kAuthResult;
using velto::model_event::authorization::kNotifyLogout;
using velto::model_event::authorization::kNetworkBreakup;
using velto::model_event::authorization::kAuthFailed;
using velto::model_event::authorization::kReconnectSuccess;
using velto::model_event::authorization::kReconnectFailed;
using velto::model_event::authorization::kReconnecting;
using velto::model_event::authorization::kReconnectStop;
using velto::model_event::authorization::kCorpRealNameVerifyNotify;
using velto::model_event::authorization::kCloseCorpRealNameVerifyAlert;
using velto::model_event::authorization::kAuthorizeStateUpdate;
using velto::model_event::profile::kProfileViolation;  // of the profile model
}  // namespace event

// "auth_state" values.
inline constexpr int64_t kStateUnauthorized = 1;
inline constexpr int64_t kStateAuthorized = 2;
inline constexpr int64_t kStateReconnecting = 5;
inline constexpr int64_t kStateReconnectFailed = 6;
inline constexpr int64_t kStateCancelled = 8;

inline constexpr char kLogPrefix[] = "[login-module] ";

// The start parameters of the authorization machine, as both of its states read them.
struct FlowParams {
  int64_t auth_type = 0;
  uint32_t end_event = 0;
  Variant end_params;
  Variant scheme_param;
  std::string user_code;
  Variant quick_auth_param;
};
FlowParams ReadFlowParams(const Variant& params);
Variant MakeStartParams(int auth_type, uint32_t end_event, const Variant* end_params);

// "auth_state" and "auth_type" of kCallFuncQueryAuthData. When the data cannot be read (false,
// logged at level 1 at the caller) or a field has the wrong kind, that field is kUnreadable, so
// the callers' steps run on: not authorized, not cancelled.
inline constexpr int64_t kUnreadable = -1;
struct AuthData {
  int64_t state = kUnreadable;
  int64_t type = kUnreadable;
};
bool QueryAuthState(AuthData* out, const base::Location& from = base::Location::Current());

// Subscriptions in the host's shape: the model from the application module runtime, the record
// with the view model first, then the subscription under `observer_id`. False when the model is
// missing (nothing is subscribed then).
bool Subscribe(framework::ViewModel& view_model, int64_t observer_id, int model_id, int event_id,
               framework::EventCallback callback, const base::Location& location = base::Location::Current());
bool SubscribePriority(framework::ViewModel& view_model, int64_t observer_id, int model_id, int event_id,
                       uint32_t priority, framework::PriorityEventCallback callback,
                       const base::Location& location = base::Location::Current());
// Clears the view model's ordinary and priority records on the model, when it is still there.
void ClearSubscriptions(framework::ViewModel& view_model, int64_t observer_id, int model_id);

// What OnAuthorizeStateUpdate receives: the authorization data with the last result's
// "auth_result", "auth_message", "time_stamp" (and "appeal_code" when present) and the
// event's "auth_state".
Variant BuildAuthorizeUpdate(int64_t auth_state);

// An authorization failure as HandleAuthFailedErrCode needs it: the code of the last result,
// whether an alert may be shown, the authorization kind, and the data (the event's map over the
// last result's map, with "auth_result" set to the code).
struct Failure {
  int64_t code = -1;
  int64_t auth_type = 0;
  bool quiet = false;
  Variant data;
};
Failure ReadFailure(const Variant* event);

}  // namespace velto::authorize
