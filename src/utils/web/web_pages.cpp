// The page getters and setters: each reads or writes its slot (web_page_slots.cpp).
#include "module_api/log.h"
#include "module_api/web/web_util.h"
#include "util/url/url_util.h"
#include "utils/web/address_log.h"
#include "utils/web/web_page_slots.h"
#include "utils/web/web_trust.h"

namespace velto_common::utils::web {

using internal::Page;
using internal::ReadPage;
using internal::ReadSlot;
using internal::WriteSlot;

bool InitWebUrlConfig() { return internal::InstallWebUrlConfig(); }
void UnInitWebUrlConfig() { internal::RemoveWebUrlConfig(); }

void SetHost(const std::string& host) { WriteSlot(Page::kDefaultHost, host); }
std::string GetSHost() { return ReadSlot(Page::kDefaultHost); }

void SetWebHost(const std::string& host) {
  // The same check as SetHost: every web-host page, the middle login page among them, is
  // composed on this host.
  if (!internal::WithinAddressLimit(host)) return;
  if (!host.empty() && !internal::IsValidHostName(host)) {
    VELTO_LOG(velto::log::kFailure) << "host is invalid: host =" << internal::AddressForLog(host);
    return;
  }
  VELTO_LOG(velto::log::kNotable) << "user web host: " << host;
  internal::SetUserWebHost(host);
}

std::string GetWebHost() {
  std::string user = internal::UserWebHost();
  return user.empty() ? GetSHost() : user;
}

void SetSsoDomain(const std::string& domain) { WriteSlot(Page::kSsoDomain, domain); }
std::string GetSsoDomain() { return ReadSlot(Page::kSsoDomain); }
void SetSsoDomainPath(const std::string& url) { WriteSlot(Page::kSsoDomainPath, url); }
std::string GetSsoDomainPath() { return ReadSlot(Page::kSsoDomainPath); }
void SetRegisterPath(const std::string& path) { WriteSlot(Page::kRegisterPath, path); }
void SetResetPasswordPath(const std::string& path) { WriteSlot(Page::kResetPasswordPath, path); }
void SetSoftServicePath(const std::string& path) { WriteSlot(Page::kSoftServicePath, path); }
std::string GetSoftServicePath() { return ReadSlot(Page::kSoftServicePath); }
void SetCaptchaPath(const std::string& path) { WriteSlot(Page::kCaptchaPath, path); }
std::string GetCaptchaPath() { return ReadSlot(Page::kCaptchaPath); }

std::string GetSoftWareServiceUrl() { return ReadPage(Page::kSoftWareService); }
void SetSoftwareServiceUrl(const std::string& url) { WriteSlot(Page::kSoftWareService, url); }
std::string GetWebinarEditorUrl() { return ReadPage(Page::kWebinarEditor); }
void SetWebinarEditorUrl(const std::string& url) { WriteSlot(Page::kWebinarEditor, url); }
std::string GetWebinarSensitiveWordEditUrl() { return ReadPage(Page::kWebinarSensitiveWordEdit); }
void SetWebinarSensitiveWordEditUrl(const std::string& url) { WriteSlot(Page::kWebinarSensitiveWordEdit, url); }
std::string GetPracticeCenterUrl() { return ReadPage(Page::kPracticeCenter); }
void SetPracticeCenterUrl(const std::string& url) { WriteSlot(Page::kPracticeCenter, url); }
std::string GetExchangeCenterUrl() { return ReadPage(Page::kExchangeCenter); }
void SetExchangeCenterUrl(const std::string& url) { WriteSlot(Page::kExchangeCenter, url); }
std::string GetPracticeCenterCardListUrl() { return ReadPage(Page::kPracticeCenterCardList); }
void SetPracticeCenterCardListUrl(const std::string& url) { WriteSlot(Page::kPracticeCenterCardList, url); }
std::string GetDeleteAccountUrl() { return ReadPage(Page::kDeleteAccount); }
void SetDeleteAccountUrl(const std::string& url) { WriteSlot(Page::kDeleteAccount, url); }
std::string GetUserCenterMiddleLoginUrl() { return ReadPage(Page::kUserCenterMiddleLogin); }
void SetUserCenterMiddleLoginUrl(const std::string& url) { WriteSlot(Page::kUserCenterMiddleLogin, url); }
std::string GetUserPersonalInfomationUrl() { return ReadPage(Page::kPersonalInformation); }
void SetPersonalInformationUrl(const std::string& url) { WriteSlot(Page::kPersonalInformation, url); }
std::string GetCustomLayoutUrl() { return ReadPage(Page::kCustomLayout); }
void SetCustomLayoutUrl(const std::string& url) { WriteSlot(Page::kCustomLayout, url); }
std::string GetCustomLayoutEditUrl() { return ReadPage(Page::kCustomLayoutEdit); }
void SetCustomEditLayoutUrl(const std::string& url) { WriteSlot(Page::kCustomLayoutEdit, url); }
std::string GetTogetherLayoutUrl() { return ReadPage(Page::kTogetherLayout); }
void SetTogetherLayoutUrl(const std::string& url) { WriteSlot(Page::kTogetherLayout, url); }
std::string GetTogetherLayoutEditUrl() { return ReadPage(Page::kTogetherLayoutEdit); }
void SetTogetherLayoutEditUrl(const std::string& url) { WriteSlot(Page::kTogetherLayoutEdit, url); }
std::string GetMeetingInformPageUrl() { return ReadPage(Page::kMeetingInform); }
void SetMeetingInformUrl(const std::string& url) { WriteSlot(Page::kMeetingInform, url); }
std::string GetTrailRoomVideoUrl() { return ReadPage(Page::kTrailRoomVideo); }
void SetTrailRoomVideoUrl(const std::string& url) { WriteSlot(Page::kTrailRoomVideo, url); }
std::string GetWebinarQaUrl() { return ReadPage(Page::kWebinarQa); }
void SetWebinarQaUrl(const std::string& url) { WriteSlot(Page::kWebinarQa, url); }
std::string GetPrivatePolicyUrl() { return ReadPage(Page::kPrivatePolicy); }
void SetPrivatePolicyUrl(const std::string& url) { WriteSlot(Page::kPrivatePolicy, url); }
std::string GetPrivacyChildrenUrl() { return ReadPage(Page::kPrivacyChildren); }
std::string GetPrivacyPersonalInfoCollectionUrl() { return ReadPage(Page::kPrivacyPersonalInfoCollection); }
std::string GetContactUsUrl() { return ReadPage(Page::kContactUs); }
void SetContactUsUrl(const std::string& url) { WriteSlot(Page::kContactUs, url); }
std::string GetPremiumPlanBuyUrl() { return ReadPage(Page::kPremiumPlanBuy); }
void SetPremiumPlanBuyUrl(const std::string& url) { WriteSlot(Page::kPremiumPlanBuy, url); }

std::string GetPremiumProductBuyUrl(bool renew, bool overdue) {
  std::string url = ReadPage(Page::kPremiumProductBuy);
  util::url::QueryParams params;
  if (renew) params.emplace_back("renew", "true");
  if (overdue) params.emplace_back("overdue", "true");
  return util::url::AppendQueryParams(url, params);
}

void SetPremiumProductBuyUrl(const std::string& url) { WriteSlot(Page::kPremiumProductBuy, url); }
std::string GetOnlineServiceUrl() { return ReadPage(Page::kOnlineService); }
void SetOnlineServiceUrl(const std::string& url) { WriteSlot(Page::kOnlineService, url); }
std::string GetSSOBuyingGuideUrl() { return ReadPage(Page::kSsoBuyingGuide); }
void SetSsoBuyingGuideUrl(const std::string& url) { WriteSlot(Page::kSsoBuyingGuide, url); }
std::string GetMessageCenterPortalUrl() { return ReadPage(Page::kMessageCenterPortal); }
void SetMessageCenterPortalUrl(const std::string& url) { WriteSlot(Page::kMessageCenterPortal, url); }
std::string GetMessageCenterUrl() { return ReadPage(Page::kMessageCenter); }
std::string GetMessageCenterSettingUrl() { return ReadPage(Page::kMessageCenterSetting); }
std::string GetTestFlightActivityUrl() { return ReadPage(Page::kTestFlightActivity); }
void SetTestFlightActivityUrl(const std::string& url) { WriteSlot(Page::kTestFlightActivity, url); }
std::string GetShareToOtherUrl() { return ReadPage(Page::kShareToOther); }
void SetShareToOtherUrl(const std::string& url) { WriteSlot(Page::kShareToOther, url); }
std::string GetCloudRecordStorageUrl() { return ReadPage(Page::kCloudRecordStorage); }
void SetCloudRecordStorageUrl(const std::string& url) { WriteSlot(Page::kCloudRecordStorage, url); }
std::string GetCloudRecordSettingUrl() { return ReadPage(Page::kCloudRecordSetting); }
void SetCloudRecordSettingUrl(const std::string& url) { WriteSlot(Page::kCloudRecordSetting, url); }
std::string GetCorpInformationManagementUrl() { return ReadPage(Page::kCorpInformationManagement); }
void SetCorpInformationManagementUrl(const std::string& url) { WriteSlot(Page::kCorpInformationManagement, url); }
std::string GetUserCenterSharedRecordInfoUrl() { return ReadPage(Page::kUserCenterSharedRecordInfo); }
void SetUserCenterSharedRecordInfoUrl(const std::string& url) { WriteSlot(Page::kUserCenterSharedRecordInfo, url); }
std::string GetUserCenterSharedRecordReplaySettingUrl() {
  return ReadPage(Page::kUserCenterSharedRecordReplaySetting);
}
std::string GetUserCenterMyGiftCardUrl() { return ReadPage(Page::kUserCenterMyGiftCard); }
void SetUserCenterMyGiftCardUrl(const std::string& url) { WriteSlot(Page::kUserCenterMyGiftCard, url); }
std::string GetUserCenterRecordStorageUrl() { return ReadPage(Page::kUserCenterRecordStorage); }
void SetUserCenterRecordStorageUrl(const std::string& url) { WriteSlot(Page::kUserCenterRecordStorage, url); }
std::string GetVirtualBackgroundMaterialLibraryUrl() { return ReadPage(Page::kVirtualBackgroundMaterialLibrary); }
void SetVirtualBackgroundMaterialLibraryUrl(const std::string& url) {
  WriteSlot(Page::kVirtualBackgroundMaterialLibrary, url);
}
std::string GetScheduleRedirectUrl() { return ReadPage(Page::kScheduleRedirect); }
void SetScheduleRedirectUrl(const std::string& url) { WriteSlot(Page::kScheduleRedirect, url); }
std::string GetScheduleOpenAppListUrl() { return ReadPage(Page::kScheduleOpenAppList); }
std::string GetScheduleOpenAppMarketUrl() { return ReadPage(Page::kScheduleOpenAppMarket); }
std::string GetProfileAvatarClipperURL(const std::string& url) {
  return ReadSlot(Page::kProfileAvatarClipper) + "?url=" + url;
}
std::string GetPostMeetingSummaryUrl() { return ReadPage(Page::kPostMeetingSummary); }
void SetPostMeetingSummaryUrl(const std::string& url) { WriteSlot(Page::kPostMeetingSummary, url); }
std::string GetSchedulePageUrl() { return ReadPage(Page::kSchedulePage); }
void SetSchedulePageUrl(const std::string& url) { WriteSlot(Page::kSchedulePage, url); }
std::string GetInmeetingMeetingInfoUrl() { return ReadPage(Page::kInmeetingMeetingInfo); }
void SetInmeetingMeetingInfoUrl(const std::string& url) { WriteSlot(Page::kInmeetingMeetingInfo, url); }
std::string GetCorviDownloadUrl() { return ReadPage(Page::kCorviDownload); }
void SetCorviDownloadUrl(const std::string& url) { WriteSlot(Page::kCorviDownload, url); }
std::string GetWebinarTrailVideoUrl() { return ReadPage(Page::kWebinarTrailVideo); }
void SetWebinarTrailVideoUrl(const std::string& url) { WriteSlot(Page::kWebinarTrailVideo, url); }
std::string GetAuthUrl() { return ReadPage(Page::kAuthBot); }
void SetAuthBotUrl(const std::string& url) { WriteSlot(Page::kAuthBot, url); }
std::string GetOAuthUrl() { return ReadPage(Page::kOAuth); }
std::string GetRoomsIntroduceVideoUrl() { return ReadPage(Page::kRoomsIntroduceVideo); }
void SetRoomsIntroduceVideoUrl(const std::string& url) { WriteSlot(Page::kRoomsIntroduceVideo, url); }
std::string GetRoomsIntroduceUrl() { return ReadPage(Page::kRoomsIntroduce); }
void SetRoomsIntroduceUrl(const std::string& url) { WriteSlot(Page::kRoomsIntroduce, url); }
std::string GetInstallRoomsUrl() { return ReadPage(Page::kInstallRooms); }
void SetInstallRoomsUrl(const std::string& url) { WriteSlot(Page::kInstallRooms, url); }
std::string GetWebViewModalUrl() { return ReadPage(Page::kWebViewModal); }
std::string GetEmbedPrivacySettingUrl() { return ReadPage(Page::kEmbedPrivacySetting); }
void SetEmbedPrivacySettingUrl(const std::string& url) { WriteSlot(Page::kEmbedPrivacySetting, url); }
std::string GetMeetingSimpleInfoUrl() { return ReadPage(Page::kMeetingSimpleInfo); }
std::string GetMeetingPayConfigUrl() { return ReadPage(Page::kMeetingPayConfig); }
std::string SetMeetingPayConfigUrl() { return ReadPage(Page::kSetMeetingPayConfig); }
std::string GetMaxEnrollCountLimitUrl() { return ReadPage(Page::kMaxEnrollCountLimit); }
std::string GetEnrollQuestionInfoUrl() { return ReadPage(Page::kEnrollQuestionInfo); }
std::string GetBexaDataTransferPermissionUrl() { return ReadPage(Page::kBexaDataTransferPermission); }
std::string GetPrivateResetPasswordUrl() { return ReadPage(Page::kPrivateResetPassword); }
void SetPrivateResetPasswordUrl(const std::string& url) { WriteSlot(Page::kPrivateResetPassword, url); }
std::string GetMeetingCorpBuyUrl() { return ReadPage(Page::kMeetingCorpBuy); }
void SetMeetingCorpBuyUrl(const std::string& url) { WriteSlot(Page::kMeetingCorpBuy, url); }
std::string GetMeetingRoomManageUrl() { return ReadPage(Page::kMeetingRoomManage); }
void SetMeetingRoomManageUrl(const std::string& url) { WriteSlot(Page::kMeetingRoomManage, url); }
std::string GetVipCenterUrl() { return ReadPage(Page::kVipCenter); }
std::string GetVipBuyUrl() { return ReadPage(Page::kVipBuy); }
void SetVipBuyUrl(const std::string& url) { WriteSlot(Page::kVipBuy, url); }
std::string GetVideoHdLearnMoreUrl() { return ReadPage(Page::kVideoHdLearnMore); }
std::string GetRoomsInviteInMeetingUrl() { return ReadPage(Page::kRoomsInviteInMeeting); }
void SetRoomsInviteInMeetingUrl(const std::string& url) { WriteSlot(Page::kRoomsInviteInMeeting, url); }
std::string GetCommercialBuyUrl() { return ReadPage(Page::kCommercialBuy); }
void SetCommercialBuyUrl(const std::string& url) { WriteSlot(Page::kCommercialBuy, url); }
std::string GetCertifiedDeviceUrl() { return ReadPage(Page::kCertifiedDevice); }
void SetCertifiedDeviceUrl(const std::string& url) { WriteSlot(Page::kCertifiedDevice, url); }
std::string GetMeetingRoomUrl() { return ReadPage(Page::kMeetingRoom); }
void SetMeetingRoomUrl(const std::string& url) { WriteSlot(Page::kMeetingRoom, url); }
std::string GetWebDocUserInfoUrl() { return ReadPage(Page::kWebDocUserInfo); }
std::string GetToolboxChildUrl() { return ReadPage(Page::kToolboxChild); }
std::string GetPrivateBexaQrUrl() { return ReadPage(Page::kPrivateBexaQr); }
std::string GetIpcUrl() { return ReadPage(Page::kIpc); }

// Composed pages: built on the effective web host at each call, so they follow SetHost and
// SetWebHost without revision.
std::string GetRegisterUrl() {
  return "https://" + GetWebHost() + ReadSlot(Page::kRegisterPath) + GetLanguageParam();
}

std::string GetResetPasswordUrl() {
  return "https://" + GetWebHost() + ReadSlot(Page::kResetPasswordPath) + GetLanguageParam();
}

std::string GetResetPasswordByEmailUrl() {
  return "https://" + GetWebHost() + "/reset-password-by-email.html" + GetLanguageParam();
}

std::string GetOfficalWebSiteUrl() { return "https://" + GetWebHost(); }

std::string GetRoomsCastCodeToQrCodeUrl() { return "https://" + GetWebHost(); }

std::string GetOrderListUrl() { return ReviseWebUrl("https://" + GetWebHost() + "/v2/webinar-order/list"); }

std::string GetOrderDetailUrl(const std::string& tid) {
  return ReviseWebUrl("https://" + GetWebHost() + "/v2/webinar-order/detail?tid=" + tid);
}

std::string GetActivitySpaceUrl(const std::string& from, const std::string& host_id) {
  return ReviseWebUrl("https://" + GetWebHost() + "/events-place/index?_from=" + from + "&host_id=" + host_id);
}

std::string GetJapaneseOverseasPrivatePolicyUrl() {
  return std::string("https://") + internal::kOverseasWebHost + "/ja/privacy-policy.html";
}

std::string GetJapaneseOverseasSoftWareServiceUrl() {
  return std::string("https://") + internal::kOverseasWebHost + "/ja/terms-of-service.html";
}

}  // namespace velto_common::utils::web
