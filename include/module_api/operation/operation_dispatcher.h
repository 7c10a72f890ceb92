// Operation alerts (promotions, activity pop-ups) that modules want to show, arbitrated by the
// host's operation alert model (1000041) (velto_common::utils::operation_dispatcher).
//
//   namespace op = velto_common::utils::operation_dispatcher;
//   op::InitOperationDispatcher();                                  // once, at start-up
//   op::CheckAndAddOperationAlert(op::kOperationAlertActivity, "velto://page/activity",
//                                 [] { ShowActivityPopup(); });     // runs when the model says so
//
// An alert is dropped while the client was opened for a meeting (by a scheme into the in-meeting
// page, or by a scheme or push while the experience has priority over advertising) until the
// first meeting is left, and whenever its type is on the model's ignore list. Otherwise it is
// handed to the model, and its callback runs once, when the model's show event names its type;
// a later alert of the same type replaces a waiting one. UI thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/variant/variant.h"
#include "module_api/export.h"

namespace velto_common::utils::operation_dispatcher {

// Kinds of operation alert. The model names them by these numbers in its events.
enum OperationAlertType : int32_t {
  kOperationAlertNone = 0,
  kOperationAlertPromotion = 1,  // a purchase or upgrade offer
  kOperationAlertActivity = 2,   // an activity pop-up of the home page
  kOperationAlertCorpManagerGuide = 3,
  kOperationAlertPayGuide = 4,
  kOperationAlertNewFeature = 5,
  kOperationAlertQuestionnaire = 6,
};

// Why the show rules are pulled again.
enum PullOperationAlertRuleReason : int32_t {
  kPullRuleStartUp = 0,
  kPullRuleAuthorizeStateUpdate = 1,
  kPullRuleMeetingLeft = 2,
  kPullRuleModuleRequest = 3,
};

// Values of the client setting "operating_activities.op_dispatcher.ad_priotity".
enum AdPriorityType : int32_t {
  kAdPriorityTypeNone = 0,
  kAdPriorityTypeExperience = 1,  // the user's task first: no operation alert on a scheme start
  kAdPriorityTypeAdvertising = 2,
};

// Where a start scheme leads (see SaveParseSchemeParams).
enum InMeetingPathType : int32_t {
  kInMeetingPathNone = 0,  // no start scheme
  kInMeetingPathInMeeting = 1,
  kInMeetingPathOther = 2,
};

using ShowCallback = std::function<void()>;

// Makes the manager and subscribes it to the authorization state, the meeting's end and the
// operation alert model's ignore-list and show events. A later call subscribes only to models
// that were missing (or have been replaced) since.
VELTO_API void InitOperationDispatcher();
VELTO_API void CheckAndAddOperationAlert(OperationAlertType type, const std::string& scheme_path, ShowCallback show);
// Only logs on this platform.
VELTO_API void ShowOperationAlert(OperationAlertType type);
VELTO_API void PullOperationAlertShowRules(PullOperationAlertRuleReason reason);
// `params`: the start scheme as parsed, {"scheme_url": ...}. A non-empty scheme marks the
// client as started by a scheme.
VELTO_API void SaveParseSchemeParams(const base::variant::Variant& params);
// The client was started or pulled up by a push of this type.
VELTO_API void SavePushType(int32_t type);
VELTO_API bool IsStartUpByScheme();
// The start scheme (saved, else the app state model's pending mission) leads into a meeting.
VELTO_API bool IsInMeetingPath();
// The client setting names kAdPriorityTypeExperience.
VELTO_API bool IsAdvertisingPriorityExperience();

}  // namespace velto_common::utils::operation_dispatcher
