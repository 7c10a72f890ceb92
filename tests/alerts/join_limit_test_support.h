// The join screen and the host the join limit alert tests share: scripted meeting,
// authorization, profile, record and voice print models, marker texts for every alert text, and
// a screen that is the manager's view model and delegate.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/alert_builder.h"
#include "framework/module/ticket_provider.h"
#include "framework/stateful_viewmodel.h"
#include "hostkit/hostkit.h"
#include "hostkit/platform.h"
#include "hostkit/texts.h"
#include "hostkit/viewmodel.h"
#include "module_api/alerts/show_join_limit_alert_manager.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace join_limit_test {

using hostkit::Json;
using hostkit::MarkerText;
using hostkit::Variant;
using velto::ShowJoinLimitAlertManager;
namespace model_id = velto::model_id;
namespace cmd = velto::model_command;
namespace event = velto::model_event;
using Button = framework::AlertButton;

constexpr int32_t Id(uint32_t id) { return static_cast<int32_t>(id); }

// Every text of the manager, with the named arguments it is formatted with.
inline const std::vector<std::pair<int32_t, std::vector<std::string>>> kTexts = {
    {Id(0x603250b0), {}}, {Id(0xdc47e441), {}}, {Id(0xc4e46e2d), {}}, {Id(0x1bd019d5), {}},
    {Id(0x9d414f75), {}}, {Id(0x3c058b95), {}}, {Id(0x73c2189f), {}}, {Id(0xdbba6356), {}},
    {Id(0xca2a0c15), {}}, {Id(0x833b933a), {}}, {Id(0x41b799fc), {"member_limit"}}, {Id(0x5940a9a9), {}},
    {Id(0x41f23f10), {}}, {Id(0x11db0fcf), {}}, {Id(0x70281472), {}}, {Id(0xaf7a9fe1), {"nickname"}},
    {Id(0xfbb7bf59), {}}, {Id(0x1d4cf025), {"nickname", "member_limit"}}, {Id(0x90e9af55), {"nickname"}},
    {Id(0x35108c28), {}}, {Id(0xcab7d32d), {}}, {Id(0x1315c919), {}}, {Id(0x1c8b30f3), {}},
    {Id(0x9206972d), {"count"}}, {Id(0x24e328f9), {}}, {Id(0x6ed020a7), {}}, {Id(0xc7901b1a), {}},
    {Id(0xcf84dff4), {}}, {Id(0x7807c2b9), {}}, {Id(0x9e2d32e8), {}}, {Id(0xdec00fa3), {}},
    {Id(0x25aef764), {}}, {Id(0xce48b78a), {}}, {Id(0xddaa1cb1), {}},
};

inline std::string T(uint32_t id, const std::vector<std::pair<std::string, std::string>>& args = {}) {
  return MarkerText(Id(id), args);
}

// The join screen: a view model that is also the manager's delegate, and notes each call.
class JoinScreen : public framework::StatefulViewModel, public velto::IShowJoinLimitAlertManangerDelegate {
 public:
  std::vector<std::string> calls;
  bool take_over_join = true;

  bool JoinNewMeetingDidConfirm() override {
    calls.push_back("confirm");
    return take_over_join;
  }
  void JoinNewMeetingDidCancel() override { calls.push_back("cancel"); }
  bool DissolveCurrentMeetingAndRejoin(uint64_t id) override {
    calls.push_back("dissolve " + std::to_string(id));
    return true;
  }
  void CancelDissolveCurrentMeetingAndQuit() override { calls.push_back("quit"); }
  void ConfirmEnrollAlert() override { calls.push_back("enroll"); }
  void CancelEnrollAlert() override { calls.push_back("no enroll"); }
  std::shared_ptr<const framework::Context> ViewModelContext() override { return context(); }
};

class JoinLimitTest : public ::testing::Test {
 public:
  void SetUp() override {
    for (const auto& [id, args] : kTexts) hostkit::UseMarkerText(id, args);
    meeting_ = &hostkit::InstallModel(model_id::kMeetingModel);
    meeting_->Succeed(cmd::meeting::kJoinMeeting);
    auth_ = &hostkit::InstallModel(model_id::kAuthorizationModel);
    SetSelf("app-1", "uid-1", 1);
    auth_->Succeed(cmd::authorization::kLogout);
    profile_ = &hostkit::InstallModel(model_id::kProfileModel);
    SetAccountType(0);
    profile_->Answer(cmd::profile::kAccountState, Json(R"({"member_limit": 300})"))
        .Answer(cmd::profile::kProfileBasic, Json(R"({"is_bind_yamu": true})"));
    record_ = &hostkit::InstallModel(model_id::kRecordModel);
    record_->Answer(cmd::record::kQuickRecordRunning, Variant(false)).Succeed(cmd::record::kStopQuickRecord);
    voice_ = &hostkit::InstallModel(model_id::kVoicePrintModel);
    voice_->Answer(cmd::voice_print::kVoicePrintRecording, Variant(false))
        .Succeed(cmd::voice_print::kStopVoicePrintRecording);
    hostkit::SetWebTicket(framework::module::TokenType::kWebTicket, "T-1");

    hostkit::AttachViewModel(screen_);
    manager_ = std::make_unique<ShowJoinLimitAlertManager>();
    manager_->SetViewModel(&screen_);
    manager_->SetDelegate(&screen_);
    manager_->SetViewAttached();
    manager_->UpdateJoiningMeetingInfo(Json(R"({"meeting_code": "555666777", "creator_appid": "app-2",
                                                "creator_uid": "uid-2", "meeting_id": 42})"));
  }

  void SetSelf(const std::string& app_id, const std::string& app_uid, int auth_type) {
    Variant auth = Variant::Map();
    auth["app_id"] = app_id;
    auth["app_uid"] = app_uid;
    auth["auth_type"] = auth_type;
    auth_->Answer(cmd::authorization::kCallFuncQueryAuthData, auth);
  }
  void SetAccountType(int type) {
    Variant answer = Variant::Map();
    answer["account_type"] = type;
    profile_->Answer(cmd::profile::kAccountEdition, answer);
  }
  // The error of a meeting that holds the room; `self_owner` makes the local user its creator.
  Variant InUsing(bool self_owner, uint64_t id, uint32_t limit) {
    Variant info = Json(R"({"in_using_meeting_code": "123456789", "in_using_meeting_subject": "Board",
                            "creator_nickname": "Ann", "pmi_code": "9990001"})");
    info["creator_appid"] = self_owner ? "app-1" : "app-9";
    info["creator_uid"] = self_owner ? "uid-1" : "uid-9";
    info["in_using_meeting_id"] = id;
    info["in_using_meeting_member_limit"] = limit;
    return info;
  }

  JoinScreen screen_;
  std::unique_ptr<ShowJoinLimitAlertManager> manager_;
  hostkit::ScriptedModel* meeting_ = nullptr;
  hostkit::ScriptedModel* auth_ = nullptr;
  hostkit::ScriptedModel* profile_ = nullptr;
  hostkit::ScriptedModel* record_ = nullptr;
  hostkit::ScriptedModel* voice_ = nullptr;
};

}  // namespace join_limit_test
