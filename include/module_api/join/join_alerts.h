// The dialogs of a join that cannot go on as asked: the server's common failure tips, the guest
// hint, the overseas privacy-data notice, meetings of another account, and meetings for invited
// members only. Each shows on the given view model (nothing without one) and reports the
// button the user pressed (framework::AlertButton) to `done`.
//
//   join::ShowCommonJoinFailedAlert(__FILE__, __LINE__, answer["tips"], this,
//                                   [this](int button, const Variant&) { ... }, extra);
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/variant/variant.h"
#include "framework/context.h"
#include "framework/ui_viewmodel.h"
#include "module_api/export.h"

namespace velto_common::utils::join {

using JoinAlertDone = std::function<void(int button, const base::variant::Variant& data)>;

// Button actions of the server's failure tips ("button_list"/"action").
inline constexpr int32_t kTipActionClose = 0;
inline constexpr int32_t kTipActionOpenUrl = 1;  // opens "url_info"/"url"
inline constexpr int32_t kTipActionBuy = 2;      // a purchase: opens "url_info"/"url", reported

// The server's tips for a failed join: "title", "content_list" ([{"content", "content_color"}],
// drawn by the custom view "join_failed_common_tips"), "button_list" ([{"text", "action",
// "url_info": {"url"}}], the last one positive, the one before it negative) and "error_code".
// Logs at the caller's `file` and `line`; reports "join_meeting_failed_common_tips_explore",
// and "e#meeting_limit_buy_pop#all#exposure" (with "creator_uid" and "creator_appid" of
// `extra`) when a button buys. `done` gets the pressed button's entry of "button_list".
VELTO_API void ShowCommonJoinFailedAlert(const char* file, int line, const base::variant::Variant& data,
                                         framework::UIViewModel* view_model, JoinAlertDone done,
                                         const base::variant::Variant& extra);
// The hint for a guest who joins; `json_data` holds "title", "left_button_text" and
// "right_button_text", each falling back to "local_title", "local_negative", "local_positive".
// Logs "json data error" (level 1) and shows nothing when the text is not a JSON object.
VELTO_API void ShowCommonGuestJoinHintAlert(const char* file, int line, const std::string& json_data,
                                            framework::UIViewModel* view_model, JoinAlertDone done);
// The notice that the meeting's data is kept overseas (custom view "privacy_data_oversea" with
// "meeting_code", "meeting_id", "security_verify_type"); never in the enterprise messaging SDK.
VELTO_API void ShowPrivacyDataOverseaAlert(const base::variant::Variant& item, framework::UIViewModel* view_model,
                                           JoinAlertDone done);

// Asks the user to confirm a meeting of another account ("cross_account_type" 1 call, 2
// booking, 3 about to start; "remind_kind" 0 meeting, 1 recording, 2 sharing, 3 recording
// outside). Confirming registers the join to run after the switch and switches to "corp_id".
// False (nothing shown) for another type or without a view model.
VELTO_API bool PrepareJoinCrossAccountMeeting(const base::variant::Variant& params, framework::UIViewModel* view_model,
                                              std::shared_ptr<const framework::Context> context);
// Registers with the account switch model the join to run once the switch is done.
VELTO_API bool RegisterSwitchAccountAfterCallback(const base::variant::Variant& params);
// The dialog of a meeting for invited members only; with "is_exit_invited_account" it offers
// to switch to the invited account ("corp_id"). `done` gets whether a switch started.
VELTO_API void OnEventShowInvitedMemberOnlyDialog(const base::variant::Variant* params,
                                                  framework::UIViewModel* view_model,
                                                  std::shared_ptr<const framework::Context> context,
                                                  std::function<void(bool switched)> done);
// Switches to the account of `corp_id` and rejoins `meeting_code` after it; false (logged
// "get switch account params error.") when the account switch model has no such account.
VELTO_API bool HandleSwitchAccountWhenShowInvitedMemberOnlyDialog(const std::string& meeting_code,
                                                                  const std::string& corp_id);
// The toast after a switch (switch account toast model: the pending toast, then show it);
// `flag` goes into its "flags".
VELTO_API void ShowSwitchAccountSuccessToast(bool flag);

}  // namespace velto_common::utils::join
