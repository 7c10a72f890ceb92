// The small rules around joining a meeting: join stages, join results of a meeting query,
// the limit check before a join, where the join came from, room switching and leaving.
//
//   using namespace velto_common::utils;
//   int stage = join::ConvertSDKJoinStepToJoinStage(step);        // 3..6, 0 for a strange step
//   Variant result = join::GetJoinResultFromQueryMeetingResult(answer);
//   if (result.GetInt32("error") != 0) ShowError(result.GetString("error_msg"));
//   join::PreCheckMeetingItemLimitBeforeJoin(item, this, [this] { DoJoin(); });
//   VELTO_LOG(6) << "joining " << join::LogNecessaryMeetingItem(item);   // no secrets in logs
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/variant/variant.h"
#include "framework/ui_viewmodel.h"
#include "module_api/export.h"
#include "module_api/join/join_types.h"
#include "veltosdk/meeting_types.h"

namespace velto_common::utils::join {

// Steps 0..3 give stages 3..6; any other step is logged ("illegal join step: ") and gives 0.
VELTO_API velto::Room::JoinStage ConvertSDKJoinStepToJoinStage(veltosdk::MeetingJoinResult::Step step);
// {"error", "error_msg"} for a meeting query's answer: "meeting_item"/"state" 1 is error 22
// (not started), 3 is error 21 (ended), anything else error 0 with an empty message.
VELTO_API base::variant::Variant GetJoinResultFromQueryMeetingResult(const base::variant::Variant& result);
// The item's text for a log, without its passwords, host and member lists, menus and periods.
VELTO_API std::string LogNecessaryMeetingItem(const base::variant::Variant& item);
// Where the current join came from (meeting model "join_from"); -1 when unknown.
VELTO_API int32_t GetJoinFrom();
// Whether the client is moving between rooms (room switch model, command 1).
VELTO_API bool IsRoomSwitching();
// The account facts alert reports carry ("report_param": "account_role", "corp_id", "uid",
// "creator_uid", "creator_appid", "creator_corp_id"); an empty map when unknown.
VELTO_API base::variant::Variant GetJoinAlertReportParam(const std::string& creator_uid,
                                                         const std::string& creator_appid);
// Leaves the meeting (or the join under way) with `reason`; nothing when there is none.
VELTO_API void LeaveMeetingIfNeeded(int32_t reason);

// Runs `continuation` when the item's "join_rejected_type" lets the join go on (0 or absent);
// otherwise shows the limit alert on `view_model` and answers true (the join was stopped).
VELTO_API bool PreCheckMeetingItemLimitBeforeJoin(const base::variant::Variant& item,
                                                  framework::UIViewModel* view_model,
                                                  const std::function<void()>& continuation);

}  // namespace velto_common::utils::join
