// Page slots of the web, account and login families, driven through every getter, setter and
// server member: defaults, setter checks, server documents and the user web host.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/json/json_value.h"
#include "base/scope_singleton.h"
#include "hostkit/hostkit.h"
#include "hostkit/platform.h"
#include "module_api/account/account_utils.h"
#include "module_api/account/login_utils.h"
#include "module_api/web/web_util.h"
#include "query_table.h"

namespace web = velto_common::utils::web;
namespace account = velto_common::utils::account;
namespace login = velto_common::utils::login;

namespace {

enum class Doc { kNone, kWebUrlInfo, kAccount, kLogin };

struct Row {
  const char* name;
  std::function<std::string()> get;
  void (*set)(const std::string&);
  Doc doc;
  const char* member;
  std::string def;
  bool follows_user_host;
};

const std::string kHost = "https://meeting.velto.example";
std::string H(const char* path) { return kHost + path; }

std::string QrUrl(bool (*get)(std::string&)) {
  std::string url = "stale";
  const bool filled = get(url);
  EXPECT_EQ(filled, !url.empty());
  return url;
}

using D = Doc;
const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = {
      {"SoftWareService", web::GetSoftWareServiceUrl, web::SetSoftwareServiceUrl, D::kWebUrlInfo,
       "software_service_url", "https://rules.nordil.example/agreements/velto-software-service.html", true},
      {"WebinarEditor", web::GetWebinarEditorUrl, web::SetWebinarEditorUrl, D::kWebUrlInfo, "webinar_editor_url",
       H("/user-center/webinar/update/"), true},
      {"WebinarSensitiveWordEdit", web::GetWebinarSensitiveWordEditUrl, web::SetWebinarSensitiveWordEditUrl,
       D::kWebUrlInfo, "webinar_sensitive_word_edit_url", H("/v2/chatting-guard"), true},
      {"PracticeCenter", web::GetPracticeCenterUrl, web::SetPracticeCenterUrl, D::kWebUrlInfo, "practice_center_url",
       H("/v2/optask-center"), true},
      {"ExchangeCenter", web::GetExchangeCenterUrl, web::SetExchangeCenterUrl, D::kWebUrlInfo, "exchange_center_url",
       H("/v2/optask-center/exchange-center"), true},
      {"PracticeCenterCardList", web::GetPracticeCenterCardListUrl, web::SetPracticeCenterCardListUrl,
       D::kWebUrlInfo, "practice_center_card_list_url", H("/optask-center/#/pc/welfare-list"), true},
      {"DeleteAccount", web::GetDeleteAccountUrl, web::SetDeleteAccountUrl, D::kWebUrlInfo, "delete_account_url",
       H("/v2/cancellation-account"), true},
      {"SsoDomainPath", web::GetSsoDomainPath, web::SetSsoDomainPath, D::kWebUrlInfo, "sso_domain_path",
       "https://sso.velto.example/sso-auth/inner", false},
      {"UserCenterMiddleLogin", web::GetUserCenterMiddleLoginUrl, web::SetUserCenterMiddleLoginUrl, D::kNone,
       nullptr, H("/v2/login/middle"), true},
      {"PersonalInformation", web::GetUserPersonalInfomationUrl, web::SetPersonalInformationUrl, D::kWebUrlInfo,
       "personal_information_url", H("/user-center/personal-information"), true},
      {"CustomLayout", web::GetCustomLayoutUrl, web::SetCustomLayoutUrl, D::kWebUrlInfo, "custom_layout_url",
       H("/user-center/meeting-control/layout"), true},
      {"CustomLayoutEdit", web::GetCustomLayoutEditUrl, web::SetCustomEditLayoutUrl, D::kWebUrlInfo,
       "custom_edit_layout_url", "", true},
      {"TogetherLayout", web::GetTogetherLayoutUrl, web::SetTogetherLayoutUrl, D::kWebUrlInfo, "together_layout_url",
       "", true},
      {"TogetherLayoutEdit", web::GetTogetherLayoutEditUrl, web::SetTogetherLayoutEditUrl, D::kWebUrlInfo,
       "together_layout_edit_url", "", true},
      {"MeetingInform", web::GetMeetingInformPageUrl, web::SetMeetingInformUrl, D::kWebUrlInfo, "meeting_infrom_url",
       H("/v2/informant"), true},
      {"TrailRoomVideo", web::GetTrailRoomVideoUrl, web::SetTrailRoomVideoUrl, D::kWebUrlInfo,
       "trail_room_video_url", H("/operation-activity/junior-pc-video"), true},
      {"WebinarQa", web::GetWebinarQaUrl, web::SetWebinarQaUrl, D::kWebUrlInfo, "webinar_qa_url",
       H("/v2/webinar-qa/desktop"), true},
      {"PrivatePolicy", web::GetPrivatePolicyUrl, web::SetPrivatePolicyUrl, D::kWebUrlInfo, "private_policy_url",
       "https://privacy.nordil.example/document/velto-privacy-policy.html", true},
      {"PrivacyChildren", web::GetPrivacyChildrenUrl, nullptr, D::kNone, nullptr,
       "https://privacy.nordil.example/document/children-privacy-policy.html", true},
      {"PrivacyPersonalInfoCollection", web::GetPrivacyPersonalInfoCollectionUrl, nullptr, D::kNone, nullptr,
       "https://privacy.nordil.example/document/velto-personal-info-collection.html", true},
      {"ContactUs", web::GetContactUsUrl, web::SetContactUsUrl, D::kWebUrlInfo, "contact_us_url",
       "https://support.nordil.example/products/velto-meeting", true},
      {"PremiumPlanBuy", web::GetPremiumPlanBuyUrl, web::SetPremiumPlanBuyUrl, D::kWebUrlInfo, "premium_plan_buy_url",
       H("/buy.html"), true},
      {"PremiumProductBuy", [] { return web::GetPremiumProductBuyUrl(false, false); }, web::SetPremiumProductBuyUrl,
       D::kWebUrlInfo, "premium_product_buy_url", H("/v2/buy/products"), true},
      {"OnlineService", web::GetOnlineServiceUrl, web::SetOnlineServiceUrl, D::kWebUrlInfo, "online_service_url",
       "https://cloud.nordil.example/online-service?from=nordilmeeting_windows&noTopNav=true&noFooter=true"
       "&noFloatBar=true&source=MA&noLogInPop=true",
       true},
      {"SsoBuyingGuide", web::GetSSOBuyingGuideUrl, web::SetSsoBuyingGuideUrl, D::kWebUrlInfo, "sso_buying_guide_url",
       H("/buy.html"), true},
      {"MessageCenterPortal", web::GetMessageCenterPortalUrl, web::SetMessageCenterPortalUrl, D::kWebUrlInfo,
       "message_center_portal_url", H("/v2/opmsg-center/list"), true},
      {"MessageCenter", web::GetMessageCenterUrl, nullptr, D::kNone, nullptr, H("/opmsg-center/pc"), true},
      {"MessageCenterSetting", web::GetMessageCenterSettingUrl, nullptr, D::kNone, nullptr,
       H("/opmsg-center/settings"), true},
      {"TestFlightActivity", web::GetTestFlightActivityUrl, web::SetTestFlightActivityUrl, D::kWebUrlInfo,
       "test_flight_activity_url", H("/v2/operation-activity/test-flight"), true},
      {"ShareToOther", web::GetShareToOtherUrl, web::SetShareToOtherUrl, D::kNone, nullptr,
       H("/operation-activity/invite-activity"), true},
      {"CloudRecordStorage", web::GetCloudRecordStorageUrl, web::SetCloudRecordStorageUrl, D::kWebUrlInfo,
       "cloud_record_storage_url", H("/user-center/meeting-record"), true},
      {"CloudRecordSetting", web::GetCloudRecordSettingUrl, web::SetCloudRecordSettingUrl, D::kWebUrlInfo,
       "cloud_record_setting_url", H("/v2/cloud-record/settings"), true},
      {"CorpInformationManagement", web::GetCorpInformationManagementUrl, web::SetCorpInformationManagementUrl,
       D::kWebUrlInfo, "corp_information_management_url", H("/user-center/corp-info-manage"), true},
      {"UserCenterSharedRecordInfo", web::GetUserCenterSharedRecordInfoUrl, web::SetUserCenterSharedRecordInfoUrl,
       D::kWebUrlInfo, "user_center_shared_record_info_url", H("/v2/cloud-record/share"), true},
      {"UserCenterSharedRecordReplaySetting", web::GetUserCenterSharedRecordReplaySettingUrl, nullptr, D::kNone,
       nullptr, H("/v2/cloud-record/playback"), true},
      {"UserCenterMyGiftCard", web::GetUserCenterMyGiftCardUrl, web::SetUserCenterMyGiftCardUrl, D::kWebUrlInfo,
       "user_center_my_gift_card_url", H("/v2/optask-center/my-cards"), true},
      {"UserCenterRecordStorage", web::GetUserCenterRecordStorageUrl, web::SetUserCenterRecordStorageUrl,
       D::kWebUrlInfo, "user_center_record_storage_url", H("/bexa/cloud-record/screen-record-list"), true},
      {"VirtualBackgroundMaterialLibrary", web::GetVirtualBackgroundMaterialLibraryUrl,
       web::SetVirtualBackgroundMaterialLibraryUrl, D::kWebUrlInfo, "virtual_background_material_library_url",
       H("/virtual-img-background.html"), true},
      {"ScheduleRedirect", web::GetScheduleRedirectUrl, web::SetScheduleRedirectUrl, D::kNone, nullptr,
       H("/user-center/webinar/schedule"), true},
      {"ScheduleOpenAppList", web::GetScheduleOpenAppListUrl, nullptr, D::kNone, nullptr,
       H("/v2/pre-meeting/add-app"), true},
      {"ScheduleOpenAppMarket", web::GetScheduleOpenAppMarketUrl, nullptr, D::kNone, nullptr,
       H("/v2/pre-meeting/app-market"), true},
      {"ProfileAvatarClipper", [] { return web::GetProfileAvatarClipperURL("a%20b"); }, nullptr, D::kNone, nullptr,
       H("/v2/avatar-clipper?url=a%20b"), false},
      {"PostMeetingSummary", web::GetPostMeetingSummaryUrl, web::SetPostMeetingSummaryUrl, D::kNone, nullptr,
       H("/v2/webinar-summary/desktop"), true},
      {"SchedulePage", web::GetSchedulePageUrl, web::SetSchedulePageUrl, D::kWebUrlInfo, "webinar_schedule_page_url",
       H("/v2/webinar-schedule"), true},
      {"InmeetingMeetingInfo", web::GetInmeetingMeetingInfoUrl, web::SetInmeetingMeetingInfoUrl, D::kWebUrlInfo,
       "inmeeting_meeting_info_url", H("/v2/webinar-intro"), true},
      {"CorviDownload", web::GetCorviDownloadUrl, web::SetCorviDownloadUrl, D::kWebUrlInfo, "corvi_download_url",
       "https://dldir.nordil.example/velto/corvi/CorviSetup.exe", true},
      {"WebinarTrailVideo", web::GetWebinarTrailVideoUrl, web::SetWebinarTrailVideoUrl, D::kWebUrlInfo,
       "webianr_trail_video_url", H("/v2/webinar-guidance-video"), true},
      {"Auth", web::GetAuthUrl, web::SetAuthBotUrl, D::kWebUrlInfo, "auth_bot_url", H("/"), true},
      {"OAuth", web::GetOAuthUrl, nullptr, D::kWebUrlInfo, "oauth_url", "", true},
      {"RoomsIntroduceVideo", web::GetRoomsIntroduceVideoUrl, web::SetRoomsIntroduceVideoUrl, D::kWebUrlInfo,
       "rooms_introduce_video_url", H("/wireless-screen-video.html"), true},
      {"RoomsIntroduce", web::GetRoomsIntroduceUrl, web::SetRoomsIntroduceUrl, D::kWebUrlInfo, "rooms_introduce_url",
       H("/cloud-rooms.html"), true},
      {"InstallRooms", web::GetInstallRoomsUrl, web::SetInstallRoomsUrl, D::kWebUrlInfo, "install_rooms_url",
       H("/support/topic/1931/index.html"), true},
      {"WebViewModal", web::GetWebViewModalUrl, nullptr, D::kNone, nullptr, H("/v2/webview/modal"), true},
      {"EmbedPrivacySetting", web::GetEmbedPrivacySettingUrl, web::SetEmbedPrivacySettingUrl, D::kWebUrlInfo,
       "embed_privacy_setting_url", H("/v2/privacy-setting"), true},
      {"MeetingSimpleInfo", web::GetMeetingSimpleInfoUrl, nullptr, D::kNone, nullptr,
       H("/velto-tapi/velto/manage_service_not_auth/comm/v1/query_meeting_simple_info"), true},
      {"MeetingPayConfig", web::GetMeetingPayConfigUrl, nullptr, D::kNone, nullptr,
       H("/velto-tapi/enroll/noAuth/v1/getPayConfig"), true},
      {"SetMeetingPayConfig", web::SetMeetingPayConfigUrl, nullptr, D::kNone, nullptr,
       H("/velto-tapi/enroll/v1/setPayConfig"), true},
      {"MaxEnrollCountLimit", web::GetMaxEnrollCountLimitUrl, nullptr, D::kNone, nullptr,
       H("/velto-tapi/enroll/v1/getMaxEnrollCountLimit"), true},
      {"EnrollQuestionInfo", web::GetEnrollQuestionInfoUrl, nullptr, D::kNone, nullptr,
       H("/velto-tapi/enroll/v1/getMyAnswers"), true},
      {"BexaDataTransferPermission", web::GetBexaDataTransferPermissionUrl, nullptr, D::kNone, nullptr,
       H("/v2/bexo/data-authorization"), true},
      {"PrivateResetPassword", web::GetPrivateResetPasswordUrl, web::SetPrivateResetPasswordUrl, D::kNone, nullptr,
       H("/open-platform/change-password"), true},
      {"MeetingCorpBuy", web::GetMeetingCorpBuyUrl, web::SetMeetingCorpBuyUrl, D::kWebUrlInfo, "meeting_corp_buy_url",
       H("/buy.html"), true},
      {"MeetingRoomManage", web::GetMeetingRoomManageUrl, web::SetMeetingRoomManageUrl, D::kNone, nullptr,
       H("/user-center/room-list-info"), true},
      {"VipCenter", web::GetVipCenterUrl, nullptr, D::kNone, nullptr, H("/v2/buy/vipcenter"), true},
      {"VipBuy", web::GetVipBuyUrl, web::SetVipBuyUrl, D::kWebUrlInfo, "user_buy_vip_url", H("/v2/buy/dialog/vip"),
       true},
      {"VideoHdLearnMore", web::GetVideoHdLearnMoreUrl, nullptr, D::kNone, nullptr, H("/"), true},
      {"RoomsInviteInMeeting", web::GetRoomsInviteInMeetingUrl, web::SetRoomsInviteInMeetingUrl, D::kNone, nullptr,
       H("/v2/rooms-invite"), true},
      {"CommercialBuy", web::GetCommercialBuyUrl, web::SetCommercialBuyUrl, D::kNone, nullptr,
       H("/v2/buy/rooms/rooms-scan-buy"), true},
      {"CertifiedDevice", web::GetCertifiedDeviceUrl, web::SetCertifiedDeviceUrl, D::kNone, nullptr,
       H("/rooms-device/index.html"), true},
      {"MeetingRoom", web::GetMeetingRoomUrl, web::SetMeetingRoomUrl, D::kNone, nullptr,
       H("/v2/meeting-room/desktop"), true},
      {"WebDocUserInfo", web::GetWebDocUserInfoUrl, nullptr, D::kNone, nullptr, "/v2/user-logic/doc/get-info-by-code",
       false},
      {"ToolboxChild", web::GetToolboxChildUrl, nullptr, D::kNone, nullptr,
       "/v2/velto_toolbox/v1/query_tools_child_app_info", false},
      {"PrivateBexaQr", web::GetPrivateBexaQrUrl, nullptr, D::kNone, nullptr, "/v2/auth/qy-yamu-login-qr", false},
      {"Ipc", web::GetIpcUrl, nullptr, D::kNone, nullptr, H("/transit-page.html?id=6"), true},
      // Account and login pages.
      {"MeetingCorpCreate", account::GetMeetingCorpCreateUrl, account::SetMeetingCorpCreateUrl, D::kAccount,
       "meeting_corp_create_desktop_url", H("/v2/organization/register/authed/pc"), true},
      {"MeetingCorpCreateWithBindPhone", account::GetMeetingCorpCreateWithBindPhoneUrl, nullptr, D::kAccount,
       "meeting_corp_create_with_bind_phone_desktop_url", H("/v2/organization/register/authed/pc?bind_phone=1"),
       true},
      {"MeetingCorpCreateWithSelect", account::GetMeetingCorpCreateWithSelectUrl, nullptr, D::kAccount,
       "meeting_corp_create_with_select_desktop_url", H("/v2/organization/register/authed/pc?select=1"), true},
      {"MeetingCorpCertify", account::GetMeetingCorpCertifyUrl, nullptr, D::kAccount, "meeting_crop_certify_url",
       H("/"), true},
      {"MeetingCorpSupplementInfo", account::GetMeetingCorpSupplementInfoUrl, nullptr, D::kAccount,
       "meeting_crop_supplement_info_url_pc", H("/v2/organization/supplementary-info/pc"), true},
      {"CorpActive", account::GetCorpActiveUrl, nullptr, D::kNone, nullptr, H("/v2/account/invite-confirm/pc"), true},
      {"DissolveOrganization", account::GetDissolveOrganizationWebUrl, nullptr, D::kNone, nullptr,
       H("/user-center/disband-crop"), true},
      {"MeetingCorpRegisterCreateSelect", login::GetMeetingCorpRegisterCreateSelectUrl, nullptr, D::kLogin,
       "meeting_corp_register_create_select_url_pc", H("/v2/organization/register"), true},
      {"YamuQr", [] { return QrUrl(login::GetYamuQrUrl); }, nullptr, D::kNone, nullptr, "/v2/auth/yamu-login-qr",
       false},
      {"BexaQr", [] { return QrUrl(login::GetBexaQrUrl); }, nullptr, D::kNone, nullptr,
       "/v2/auth/qy-yamu-out-corp-login-qr", false},
      {"MultiQrCode", [] { return QrUrl(login::GetMultiQrCodeUrl); }, nullptr, D::kNone, nullptr,
       H("/v2/qrcode-login?"), true},
      {"AuthQrCode", [] { return QrUrl(login::GetAuthQrCodeUrl); }, nullptr, D::kNone, nullptr, H("/v2/qrcode/auth?"),
       true},
      {"SmsCodeNotReceiveHelp", [] { return QrUrl(login::GetSmsCodeNotReceiveHelpUrl); }, nullptr, D::kNone, nullptr,
       H("/code-explain-page/"), true},
  };
  return rows;
}

void Deliver(Doc doc, const std::string& json) {
  base::json::JsonValue value;
  ASSERT_TRUE(value.ParseFromJson(json)) << json;
  switch (doc) {
    case Doc::kWebUrlInfo:
      ASSERT_TRUE(web::InitWebUrlConfig());
      ASSERT_EQ(hostkit::DeliverConfigureValue("web_url_info", veltosdk::ConfigureValueType::kJson, json), 1u);
      break;
    case Doc::kAccount:
      account::SetWebUrls(value);
      break;
    case Doc::kLogin:
      login::SetWebUrls(value);
      break;
    case Doc::kNone:
      break;
  }
}

}  // namespace

TEST(WebPageSlots, EveryPageStartsAtItsDefault) {
  for (const Row& row : Rows()) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.get(), row.def);
    EXPECT_EQ(row.get(), row.def);  // the second read returns the slot, not a fresh default
  }
}

TEST(WebPageSlots, SettersStoreValidAddressesAndKeepTheOldOneOtherwise) {
  for (const Row& row : Rows()) {
    if (!row.set) continue;
    SCOPED_TRACE(row.name);
    const std::string address = std::string("https://elsewhere.example/") + row.name + "?x=1";
    row.set(address);
    EXPECT_EQ(row.get(), address);

    hostkit::ClearLogs();
    for (const char* bad : {"not a url", "", "https://", "/relative/path", "http://exa mple.com/"}) {
      row.set(bad);
      EXPECT_EQ(row.get(), address) << bad;
      EXPECT_TRUE(hostkit::HasLog(1, std::string("url is invalid: url =") + bad)) << bad;
    }
  }
}

TEST(WebPageSlots, ServerDocumentsReplaceTheirMembersThroughTheSameCheck) {
  for (const Row& row : Rows()) {
    if (!row.member) continue;
    SCOPED_TRACE(row.name);
    const std::string address = std::string("https://server.example/") + row.member;
    Deliver(row.doc, std::string(R"({")") + row.member + R"(": ")" + address + R"("})");
    EXPECT_EQ(row.get(), address);

    hostkit::ClearLogs();
    Deliver(row.doc, std::string(R"({")") + row.member + R"(": "no url at all"})");
    EXPECT_EQ(row.get(), address);
    EXPECT_TRUE(hostkit::HasLog(3, std::string(row.member) + " is invalid"));
    Deliver(row.doc, std::string(R"({")") + row.member + R"(": 42})");
    EXPECT_EQ(row.get(), address);
  }
}

TEST(WebPageSlots, MembersOfOneDocumentDoNotLeakIntoAnother) {
  // The account member arriving in "web_url_info", and a web member given to the account
  // document, change nothing.
  Deliver(Doc::kWebUrlInfo, R"({"meeting_corp_create_desktop_url": "https://server.example/x"})");
  EXPECT_EQ(account::GetMeetingCorpCreateUrl(), H("/v2/organization/register/authed/pc"));
  Deliver(Doc::kAccount, R"({"user_buy_vip_url": "https://server.example/y"})");
  EXPECT_EQ(web::GetVipBuyUrl(), H("/v2/buy/dialog/vip"));
  Deliver(Doc::kLogin, R"({"meeting_corp_create_desktop_url": "https://server.example/z"})");
  EXPECT_EQ(account::GetMeetingCorpCreateUrl(), H("/v2/organization/register/authed/pc"));
}

TEST(WebPageSlots, UserWebHostMovesEveryPageAndKeepsPathAndQuery) {
  web::SetWebHost("user.example");
  for (const Row& row : Rows()) {
    SCOPED_TRACE(row.name);
    std::string expected = row.def;
    // Pages on the maker's other sites (service agreement, privacy, feedback, online service,
    // downloads) move as well: a user-chosen web host serves every page.
    const size_t host_start = expected.find("://");
    if (row.follows_user_host && host_start != std::string::npos) {
      const size_t path_start = expected.find('/', host_start + 3);
      expected = "https://user.example" + (path_start == std::string::npos ? "" : expected.substr(path_start));
    }
    EXPECT_EQ(row.get(), expected);
  }
  // A page the server placed on another host follows the user web host as well.
  web::SetVipBuyUrl("http://server.example/buy?a=1");
  EXPECT_EQ(web::GetVipBuyUrl(), "https://user.example/buy?a=1");
  web::SetWebHost("");
  EXPECT_EQ(web::GetVipBuyUrl(), "http://server.example/buy?a=1");
}

TEST(WebPageSlots, HostsPathsAndSsoDomainHaveTheirOwnChecks) {
  EXPECT_EQ(web::GetSHost(), "meeting.velto.example");
  EXPECT_EQ(web::GetWebHost(), "meeting.velto.example");
  web::SetHost("https://not-a-host/");
  EXPECT_EQ(web::GetSHost(), "meeting.velto.example");
  web::SetHost("meet.server.example");
  EXPECT_EQ(web::GetWebHost(), "meet.server.example");
  web::SetWebHost("user.example");
  EXPECT_EQ(web::GetWebHost(), "user.example");
  EXPECT_EQ(web::GetSHost(), "meet.server.example");

  EXPECT_EQ(web::GetSsoDomain(), ".velto.example");
  web::SetSsoDomain("bad domain");
  EXPECT_EQ(web::GetSsoDomain(), ".velto.example");
  web::SetSsoDomain(".other.example");
  EXPECT_EQ(web::GetSsoDomain(), ".other.example");

  EXPECT_EQ(web::GetSoftServicePath(), "/declare.html");
  hostkit::ClearLogs();
  web::SetSoftServicePath("declare.html");
  EXPECT_TRUE(hostkit::HasLog(1, "path is invalid"));
  EXPECT_EQ(web::GetSoftServicePath(), "/declare.html");
  web::SetSoftServicePath("/v2/declare");
  EXPECT_EQ(web::GetSoftServicePath(), "/v2/declare");
  EXPECT_EQ(web::GetCaptchaPath(), "/captcha.html");
}

TEST(WebPageSlots, ServerHostAndPathsComposeThePages) {
  ASSERT_TRUE(web::InitWebUrlConfig());
  hostkit::DeliverConfigureValue("web_url_info", veltosdk::ConfigureValueType::kString,
                                 R"({"host": "srv.example", "register_path": "/r.html",
                                     "reset_password_path": "bad path", "captcha_path": "/c"})");
  EXPECT_EQ(web::GetRegisterUrl(), "https://srv.example/r.html");
  EXPECT_EQ(web::GetResetPasswordUrl(), "https://srv.example/reset-password-by-phone.html");
  EXPECT_TRUE(hostkit::HasLog(3, "reset_password_path is invalid"));
  EXPECT_EQ(web::GetCaptchaPath(), "/c");
  // Slot pages keep their own host: only the user web host moves them.
  EXPECT_EQ(web::GetVipBuyUrl(), H("/v2/buy/dialog/vip"));

  hostkit::ClearLogs();
  hostkit::DeliverConfigureValue("web_url_info", veltosdk::ConfigureValueType::kJson, R"({"vip": 1})");
  EXPECT_TRUE(hostkit::HasLog(4, "host is not in config"));
  EXPECT_EQ(web::GetSHost(), "srv.example");
}

TEST(WebPageSlots, DocumentsThatAreNotJsonObjectsOrOfAnotherKindAreIgnored) {
  ASSERT_TRUE(web::InitWebUrlConfig());
  const std::string doc = R"({"user_buy_vip_url": "https://server.example/vip"})";
  for (auto type : {veltosdk::ConfigureValueType::kBool, veltosdk::ConfigureValueType::kInteger,
                    veltosdk::ConfigureValueType::kUnknown}) {
    hostkit::DeliverConfigureValue("web_url_info", type, doc);
    EXPECT_EQ(web::GetVipBuyUrl(), H("/v2/buy/dialog/vip"));
  }
  for (const char* bad : {"", "{", "[1,2]", "\"text\"", "null", R"({"user_buy_vip_url": )"}) {
    hostkit::DeliverConfigureValue("web_url_info", veltosdk::ConfigureValueType::kJson, bad);
    EXPECT_EQ(web::GetVipBuyUrl(), H("/v2/buy/dialog/vip")) << bad;
  }
  hostkit::DeliverConfigureValue("web_url_info", veltosdk::ConfigureValueType::kJson, doc);
  EXPECT_EQ(web::GetVipBuyUrl(), "https://server.example/vip");
}

TEST(WebPageSlots, ConfigRegistrationIsOnceAndUnInitStopsUpdates) {
  EXPECT_TRUE(web::InitWebUrlConfig());
  EXPECT_TRUE(web::InitWebUrlConfig());
  EXPECT_EQ(hostkit::ConfigureDelegateCount("web_url_info"), 1u);
  web::UnInitWebUrlConfig();
  EXPECT_EQ(hostkit::ConfigureDelegateCount("web_url_info"), 0u);
  EXPECT_EQ(hostkit::DeliverConfigureValue("web_url_info", veltosdk::ConfigureValueType::kJson,
                                           R"({"user_buy_vip_url": "https://server.example/vip"})"),
            0u);
  EXPECT_EQ(web::GetVipBuyUrl(), H("/v2/buy/dialog/vip"));

  hostkit::SetConfigureServiceAvailable(false);
  EXPECT_FALSE(web::InitWebUrlConfig());
  EXPECT_TRUE(hostkit::HasLog(1, "configure service not available"));
}

TEST(WebPageSlots, LibraryTeardownReleasesTheConfigDelegate) {
  ASSERT_TRUE(web::InitWebUrlConfig());
  web::SetVipBuyUrl("https://changed.example/");
  base::TeardownScopeSingletons();
  EXPECT_EQ(hostkit::ConfigureDelegateCount("web_url_info"), 0u);
  EXPECT_EQ(web::GetVipBuyUrl(), H("/v2/buy/dialog/vip"));
}

namespace {

// The exported getter of a page row: "Get<name>Url" of the web family unless named here.
std::string GetterName(const std::string& row_name) {
  static const std::map<std::string, std::string> kNames = {
      {"SsoDomainPath", "GetSsoDomainPath"},
      {"PersonalInformation", "GetUserPersonalInfomationUrl"},
      {"MeetingInform", "GetMeetingInformPageUrl"},
      {"SsoBuyingGuide", "GetSSOBuyingGuideUrl"},
      {"ProfileAvatarClipper", "GetProfileAvatarClipperURL"},
      {"SetMeetingPayConfig", "SetMeetingPayConfigUrl"},
      {"MeetingCorpCreate", "account::GetMeetingCorpCreateUrl"},
      {"MeetingCorpCreateWithBindPhone", "account::GetMeetingCorpCreateWithBindPhoneUrl"},
      {"MeetingCorpCreateWithSelect", "account::GetMeetingCorpCreateWithSelectUrl"},
      {"MeetingCorpCertify", "account::GetMeetingCorpCertifyUrl"},
      {"MeetingCorpSupplementInfo", "account::GetMeetingCorpSupplementInfoUrl"},
      {"CorpActive", "account::GetCorpActiveUrl"},
      {"DissolveOrganization", "account::GetDissolveOrganizationWebUrl"},
      {"MeetingCorpRegisterCreateSelect", "login::GetMeetingCorpRegisterCreateSelectUrl"},
      {"YamuQr", "login::GetYamuQrUrl"},
      {"BexaQr", "login::GetBexaQrUrl"},
      {"MultiQrCode", "login::GetMultiQrCodeUrl"},
      {"AuthQrCode", "login::GetAuthQrCodeUrl"},
      {"SmsCodeNotReceiveHelp", "login::GetSmsCodeNotReceiveHelpUrl"},
  };
  auto it = kNames.find(row_name);
  return it == kNames.end() ? "Get" + row_name + "Url" : it->second;
}

// Every page getter for the sweep over the exported queries: a page reads no model, so it gives
// its default with no model installed as well.
std::vector<query_table::Row> GetterRows() {
  std::vector<query_table::Row> rows;
  for (const Row& row : Rows()) rows.push_back({GetterName(row.name), query_table::None(), row.get, row.def, ""});
  return rows;
}

}  // namespace

QUERY_TABLE_TEST(WebPageSlots, EveryGetterGivesItsDefaultWithOrWithoutModels, "web", GetterRows)
