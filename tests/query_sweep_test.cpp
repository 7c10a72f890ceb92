// The sweep over every exported query: each free function the library exports under
// velto_common::utils must be a row of a registered query table (QUERY_TABLE_TEST), where it runs
// against a missing model, a failing call and every wrong kind of answer, or be excluded below
// with its reason. A new export that is neither fails here; so does a row or an exclusion that
// names nothing the library exports.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "query_table.h"

namespace {

constexpr char kPrefix[] = "velto_common::utils::";

// Exported functions that are not queries, or whose answers no model gives, with the reason.
struct Exclusion {
  const char* reason;
  std::vector<const char*> names;  // below velto_common::utils
};

const std::vector<Exclusion>& Exclusions() {
  static const std::vector<Exclusion> exclusions = {
      // Join: actions, alerts and callbacks; join_test drives each through hostkit.
      {"join actions: leaving, switching account and registering what runs after the switch change the client "
       "and answer nothing a model gives",
       {"join::LeaveMeetingIfNeeded", "join::HandleSwitchAccountWhenShowInvitedMemberOnlyDialog",
        "join::RegisterSwitchAccountAfterCallback"}},
      {"join alerts, dialogs and toasts: they show something on a view model and report what the user pressed "
       "through callbacks",
       {"join::ShowCommonGuestJoinHintAlert", "join::ShowCommonJoinFailedAlert", "join::ShowPrivacyDataOverseaAlert",
        "join::ShowSwitchAccountSuccessToast", "join::OnEventShowInvitedMemberOnlyDialog",
        "join::PrepareJoinCrossAccountMeeting"}},
      {"the limit check before a join runs the caller's continuation or shows the limit alert; its answer is "
       "whether it stopped the join, taken from the item the caller hands in",
       {"join::PreCheckMeetingItemLimitBeforeJoin"}},
      {"multi-device join: the pay-guide alert and the pay-guide page are shown, not asked",
       {"multi_device_join::OpenPayGuideUrl", "multi_device_join::ShowMultiDeviceJoinAlertBeforePay"}},
      // Video: the camera exception alert's lifecycle; video_exception_test drives it.
      {"camera exception alert: registering its host, raising, handling, closing and reporting an exception "
       "show or take down the alert and tell the video model",
       {"video_exception::RegisterVideoExceptionAlertHost", "video_exception::UnregisterVideoExceptionAlertHost",
        "video_exception::RaiseVideoException", "video_exception::HandleVideoException",
        "video_exception::HandleCloseVideoException", "video_exception::ReportVideoException"}},
      {"rewrites the caller's user record in place and answers nothing", {"video::UpdateDeviceLocalVideo"}},
      // Operation dispatcher and blocking: operation_dispatcher_test and block_operation_test.
      {"operation dispatcher: starting it, queueing an alert with its show callback, pulling the show rules "
       "and saving the start scheme or push type change its state and answer nothing",
       {"operation_dispatcher::InitOperationDispatcher", "operation_dispatcher::CheckAndAddOperationAlert",
        "operation_dispatcher::PullOperationAlertShowRules", "operation_dispatcher::SaveParseSchemeParams",
        "operation_dispatcher::SavePushType", "operation_dispatcher::ShowOperationAlert"}},
      {"blocking runs the caller's operation now or after the block view; cancelling drops waiting operations",
       {"block_operation::BlockOperationIfNeed", "block_operation::CancelBlockOperation"}},
      // Open apps and media traces.
      {"tells the sidebar app model to show its splitter guide and always answers true",
       {"ShowSidebarSpliterGuideTips"}},
      {"start the camera and microphone trace machines; media_trace tests drive them by fired events",
       {"StartAudioStateMachine", "StartVideoStateMachine"}},
      {"page and host setters: they store a checked address and answer nothing; web_page_slots_test drives each "
       "with valid and invalid text and through the server documents",
       {
         "web::SetAuthBotUrl", "web::SetCaptchaPath", "web::SetCertifiedDeviceUrl", "web::SetCloudRecordSettingUrl",
         "web::SetCloudRecordStorageUrl", "web::SetCommercialBuyUrl", "web::SetContactUsUrl",
         "web::SetCorpInformationManagementUrl", "web::SetCorviDownloadUrl", "web::SetCustomEditLayoutUrl",
         "web::SetCustomLayoutUrl", "web::SetDeleteAccountUrl", "web::SetEmbedPrivacySettingUrl",
         "web::SetExchangeCenterUrl", "web::SetHost", "web::SetInmeetingMeetingInfoUrl", "web::SetInstallRoomsUrl",
         "web::SetMeetingCorpBuyUrl", "web::SetMeetingInformUrl", "web::SetMeetingRoomManageUrl",
         "web::SetMeetingRoomUrl", "web::SetMessageCenterPortalUrl", "web::SetOnlineServiceUrl",
         "web::SetPersonalInformationUrl", "web::SetPostMeetingSummaryUrl", "web::SetPracticeCenterCardListUrl",
         "web::SetPracticeCenterUrl", "web::SetPremiumPlanBuyUrl", "web::SetPremiumProductBuyUrl",
         "web::SetPrivatePolicyUrl", "web::SetPrivateResetPasswordUrl", "web::SetRegisterPath",
         "web::SetResetPasswordPath", "web::SetRoomsIntroduceUrl", "web::SetRoomsIntroduceVideoUrl",
         "web::SetRoomsInviteInMeetingUrl", "web::SetSchedulePageUrl", "web::SetScheduleRedirectUrl",
         "web::SetShareToOtherUrl", "web::SetSoftServicePath", "web::SetSoftwareServiceUrl",
         "web::SetSsoBuyingGuideUrl", "web::SetSsoDomain", "web::SetSsoDomainPath", "web::SetTestFlightActivityUrl",
         "web::SetTogetherLayoutEditUrl", "web::SetTogetherLayoutUrl", "web::SetTrailRoomVideoUrl",
         "web::SetUserCenterMiddleLoginUrl", "web::SetUserCenterMyGiftCardUrl", "web::SetUserCenterRecordStorageUrl",
         "web::SetUserCenterSharedRecordInfoUrl", "web::SetVipBuyUrl", "web::SetVirtualBackgroundMaterialLibraryUrl",
         "web::SetWebHost", "web::SetWebinarEditorUrl", "web::SetWebinarQaUrl",
         "web::SetWebinarSensitiveWordEditUrl", "web::SetWebinarTrailVideoUrl", "account::SetMeetingCorpCreateUrl",
         "account::SetWebUrls", "login::SetWebUrls"}},
      {"date arithmetic on the arguments alone; calendar_test checks it against ICU's Chinese calendar",
       {"calendar::GetDayOfWeek", "calendar::GetDaysInMonth", "calendar::GetLunar", "calendar::IsDateValid",
        "calendar::IsLeapYear"}},
      {"timeline reports: they hand events to the host's analytics and answer nothing",
       {"timeline::LogEvent", "timeline::LogEventWithProperties", "timeline::LogEventWithPropertiesImmediately",
        "timeline::LogEventWithPropertiesImmediatelyWithRetry", "timeline::LogEventWithProperty"}},
      {"timers: they schedule work on the loopers and answer nothing; timer_test drives them by the manual clock",
       {"timer::CreateTimer", "timer::Post"}},
      {"the preferences registry's lifecycle, driven by preferences_test",
       {"InitializePreferences", "UnInitializePreferences"}},
      {"a hook for tests that measure the pinyin caches", {"ResetPinyinCachesForTesting"}},
      {"parsers of documents the caller hands in, with no model behind them: notification_center_test covers their "
       "fields and the notify_fuzz target their input",
       {"inmeetingnotification::ParseNotifyDataFromOpenAppMsg", "inmeetingnotification::ParseNotifyDataFromSetting"}},
  };
  return exclusions;
}

// "velto_common::utils::web::GetVipBuyUrl[abi:cxx11]()" -> "velto_common::utils::web::GetVipBuyUrl";
// empty for anything but a free function of velto_common::utils (a member function has a
// qualifier that starts with a capital: classes are named so, namespaces are not).
std::string FreeFunctionName(const std::string& symbol) {
  if (symbol.rfind(kPrefix, 0) != 0) return {};
  std::string name = symbol.substr(0, symbol.find('('));
  for (size_t tag; (tag = name.find("[abi:")) != std::string::npos;) name.erase(tag, name.find(']', tag) - tag + 1);
  if (name.find_first_of("<> ") != std::string::npos) return {};
  size_t start = sizeof(kPrefix) - 1;
  for (size_t next; (next = name.find("::", start)) != std::string::npos; start = next + 2) {
    if (!std::islower(static_cast<unsigned char>(name[start]))) return {};
  }
  return name;
}

// The free functions of velto_common::utils in the library's dynamic symbol table.
std::set<std::string> ExportedFunctions() {
  std::ifstream list(VELTO_EXPORT_LIST);
  EXPECT_TRUE(list) << "no export list at " << VELTO_EXPORT_LIST;
  std::set<std::string> names;
  for (std::string line; std::getline(list, line);) {
    // "<address> <type> <symbol>": code (T) and weak code (W) only.
    const size_t type = line.find(' ');
    if (type == std::string::npos || type + 3 > line.size()) continue;
    if (line[type + 1] != 'T' && line[type + 1] != 'W') continue;
    const std::string name = FreeFunctionName(line.substr(type + 3));
    if (!name.empty()) names.insert(name);
  }
  return names;
}

TEST(QuerySweep, EveryExportedQueryHasARowOrAReasonToBeLeftOut) {
  const std::set<std::string> exported = ExportedFunctions();
  ASSERT_GT(exported.size(), 400u) << "the export list looks truncated";

  std::map<std::string, size_t> rows;  // exported name -> rows naming it
  for (const query_table::Table& table : query_table::Tables()) {
    for (const query_table::Row& row : table.rows()) ++rows[query_table::QualifiedName(table.name_space, row.name)];
  }
  std::map<std::string, const char*> excluded;
  for (const Exclusion& exclusion : Exclusions()) {
    for (const char* name : exclusion.names) {
      const bool fresh = excluded.emplace(std::string(kPrefix) + name, exclusion.reason).second;
      EXPECT_TRUE(fresh) << name << " is excluded twice";
    }
  }

  for (const auto& [name, count] : rows) {
    EXPECT_TRUE(exported.count(name)) << name << " has a table row but the library exports no such function";
    EXPECT_FALSE(excluded.count(name)) << name << " has a table row and is excluded as well";
  }
  for (const auto& [name, reason] : excluded) {
    EXPECT_TRUE(exported.count(name)) << name << " is excluded but the library exports no such function";
  }
  size_t covered = 0;
  for (const std::string& name : exported) {
    if (rows.count(name)) {
      ++covered;
    } else {
      EXPECT_TRUE(excluded.count(name)) << name << " is exported but has neither a query-table row nor an exclusion";
    }
  }
  std::cout << "query sweep: " << exported.size() << " exported velto_common::utils functions, " << covered
            << " covered by query-table rows, " << excluded.size() << " excluded with a reason\n";
  RecordProperty("covered", static_cast<int>(covered));
}

}  // namespace
