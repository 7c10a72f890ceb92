// Alerts of a join the room refuses: the user's meeting already holds it (13411), the blocking
// meeting's member limit is reached (13420), or the meeting is full.
#include <string>

#include "module_api/alerts/show_join_limit_alert_manager.h"
#include "module_api/analytics.h"
#include "module_api/log.h"
#include "utils/alerts/join_limit_support.h"

namespace velto {
namespace {

using namespace join_limit::internal;

// Editions that never see the owner's version of the room-full alert.
bool IsPaidEdition(int64_t account_type) { return account_type == 2 || account_type == 15 || account_type == 18; }

}  // namespace

bool ShowJoinLimitAlertManager::DoHandleJoinMultiMeetingRoomError(int code, const Variant& info) {
  if (code == join_limit::kErrorInUsingMeeting) {
    UpdateInUsingMeetingInfo(info, false);
  } else if (code == join_limit::kErrorMemberLimitReached) {
    UpdateInUsingMeetingInfo(info, true);
  } else {
    return false;
  }
  return ShowJoinMultiMeetingRoomAlert();
}

void ShowJoinLimitAlertManager::UpdateInUsingMeetingInfo(const Variant& info, bool member_limit_reached) {
  InUsingMeetingInfo& m = in_using_meeting_;
  m.in_using_meeting_code = info.GetString("in_using_meeting_code");
  m.pmi_code = info.GetString("pmi_code");
  m.creator_appid = info.GetString("creator_appid");
  m.creator_uid = info.GetString("creator_uid");
  m.creator_nickname = info.GetString("creator_nickname");
  m.in_using_meeting_subject = info.GetString("in_using_meeting_subject");
  m.in_using_meeting_id = info.GetUint64("in_using_meeting_id", 0);
  m.in_using_meeting_member_limit = info.GetUint32("in_using_meeting_member_limit", 0);
  m.member_limit_reached = member_limit_reached;
  VELTO_LOG(log::kTrace) << "update in using meeting info [code: " << m.in_using_meeting_code
                         << ", pmi_code: " << m.pmi_code << ", creator_appid: " << m.creator_appid
                         << ", creator_uid: " << m.creator_uid << ", subject: " << m.in_using_meeting_subject
                         << ", id: " << m.in_using_meeting_id << ", member_limit: " << m.in_using_meeting_member_limit
                         << ", member_limit_reached: " << m.member_limit_reached << "]";
}

bool ShowJoinLimitAlertManager::ShowJoinMultiMeetingRoomAlert() {
  const InUsingMeetingInfo& m = in_using_meeting_;
  const bool owner = IsMeetingCreateBySelf(m.creator_appid, m.creator_uid);
  VELTO_LOG(log::kTrace) << "is owner " << owner << ", meeting_code " << m.in_using_meeting_code << ", subject "
                         << m.in_using_meeting_subject << ".";
  if (!owner) {
    ShowMemberAlert();
    return true;
  }
  if (m.in_using_meeting_id == 0) return false;
  ShowOwnerAlert();
  return true;
}

void ShowJoinLimitAlertManager::ReportJoinFailAnswer(const char* event) {
  velto_common::utils::analytics::LogEventWith2Properties(event, "join_meeting_code", joining_meeting_.meeting_code,
                                                          "exist_meeting_code", in_using_meeting_.in_using_meeting_code);
}

void ShowJoinLimitAlertManager::ShowOwnerAlert() {
  if (!view_model_) {
    VELTO_LOG(log::kNotable) << "view_model is null.";
    return;
  }
  const InUsingMeetingInfo& m = in_using_meeting_;
  framework::AlertBuilder builder(view_model_);
  if (!m.member_limit_reached) {
    Variant data = Variant::Map();
    data["meeting_code_title"] = view_model_->GetLocalizedString(text::kMeetingCodeLabel);
    data["meeting_code"] = FormatMeetingCodeForDisplay(m.in_using_meeting_code);
    data["subject_title"] = view_model_->GetLocalizedString(text::kSubjectLabel);
    data["subject"] = m.in_using_meeting_subject;
    builder.SetTitle(view_model_->GetLocalizedString(text::kOwnerInUseTitle))
        .SetContent(view_model_->GetLocalizedString(text::kOwnerInUseContent))
        .SetPositiveButtonText(view_model_->GetLocalizedString(text::kOwnerInUsePositive))
        .SetNegativeButtonText(view_model_->GetLocalizedString(text::kCancel))
        .SetCustomView("in_using_meeting_info", std::move(data));
  } else {
    const std::string title =
        m.in_using_meeting_member_limit == 0
            ? view_model_->GetLocalizedString(text::kOwnerLimitTitleNoCount)
            : view_model_->FormatString(text::kOwnerLimitTitle).Arg("member_limit", m.in_using_meeting_member_limit).Str();
    builder.SetTitle(title)
        .SetPositiveButtonText(view_model_->GetLocalizedString(text::kOwnerLimitPositive))
        .SetNegativeButtonText(view_model_->GetLocalizedString(text::kOwnerLimitNegative));
  }
  ShowAlert(builder, [this](int button) {
    VELTO_LOG(log::kTrace) << "ShowJoinMultiMeetingRoomAlert result" << button;
    if (button == framework::AlertButton::kPositive) {
      ReportJoinFailAnswer("inmeeting_owner_join_new_meeting_fail_confirm");
      if (delegate_) delegate_->DissolveCurrentMeetingAndRejoin(in_using_meeting_.in_using_meeting_id);
      return;
    }
    ReportJoinFailAnswer("inmeeting_owner_join_new_meeting_fail_cancel");
    CancelDissolveCurrentMeetingAndQuit();
  });
}

void ShowJoinLimitAlertManager::ShowMemberAlert() {
  if (!view_model_) {
    VELTO_LOG(log::kNotable) << "view_model_ is null.";
    return;
  }
  const InUsingMeetingInfo& m = in_using_meeting_;
  framework::AlertBuilder builder(view_model_);
  if (!m.member_limit_reached) {
    builder.SetTitle(view_model_->GetLocalizedString(text::kMemberInUseTitle))
        .SetContent(view_model_->FormatString(text::kMemberInUseContent).Arg("nickname", m.creator_nickname).Str())
        .SetPositiveButtonText(view_model_->GetLocalizedString(text::kKnown));
  } else {
    const std::string content =
        m.in_using_meeting_member_limit == 0
            ? view_model_->FormatString(text::kMemberLimitContentNoCount).Arg("nickname", m.creator_nickname).Str()
            : view_model_->FormatString(text::kMemberLimitContent)
                  .Arg("nickname", m.creator_nickname)
                  .Arg("member_limit", m.in_using_meeting_member_limit)
                  .Str();
    builder.SetContent(content).SetPositiveButtonText(view_model_->GetLocalizedString(text::kMemberLimitPositive));
  }
  ShowAlert(builder, [this](int /*button*/) {
    ReportJoinFailAnswer("inmeeting_member_join_new_meeting_fail_confirm");
    CancelDissolveCurrentMeetingAndQuit();
  });
}

void ShowJoinLimitAlertManager::ShowMeetingRoomIsFullAlert() {
  if (!view_model_) {
    VELTO_LOG(log::kNotable) << "view_model_ is null.";
    return;
  }
  const bool owner = IsMeetingCreateBySelf(joining_meeting_.creator_appid, joining_meeting_.creator_uid);
  const int64_t account_type = GetAccountType();
  if (owner && !IsPaidEdition(account_type)) {
    const int64_t limit = GetCurMemberLimit();
    VELTO_LOG(log::kTrace) << "show owner alert version " << (account_type == 0 ? "free" : "not free")
                           << ", member count " << limit << ".";
    ShowMeetingRoomIsFullAlertNoPayButton(limit);
    return;
  }
  VELTO_LOG(log::kTrace) << "show member alert.";
  framework::AlertBuilder builder(view_model_);
  builder.SetTitle(view_model_->GetLocalizedString(text::kRoomFullMemberTitle))
      .SetContent(view_model_->GetLocalizedString(text::kRoomFullMemberContent))
      .SetPositiveButtonText(view_model_->GetLocalizedString(text::kKnown));
  ShowAlert(builder, [this](int button) {
    VELTO_LOG(log::kTrace) << "ShowMeetingRoomIsFullAlert result" << button;
    CancelDissolveCurrentMeetingAndQuit();
  });
}

void ShowJoinLimitAlertManager::ShowMeetingRoomIsFullAlertNoPayButton(int64_t member_limit) {
  framework::AlertBuilder builder(view_model_);
  builder.SetTitle(view_model_->GetLocalizedString(text::kRoomFullOwnerTitle))
      .SetContent(view_model_->FormatString(text::kRoomFullOwnerContent).Arg("count", member_limit).Str())
      .SetPositiveButtonText(view_model_->GetLocalizedString(text::kKnown));
  ShowAlert(builder, [this](int button) {
    VELTO_LOG(log::kTrace) << "ShowMeetingRoomIsFullAlertNoPayButton" << button;
    CancelDissolveCurrentMeetingAndQuit();
  });
}

}  // namespace velto
