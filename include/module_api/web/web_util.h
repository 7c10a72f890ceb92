// Which web address each in-client page opens, and the helpers that shape those addresses.
//
//   std::string url = velto_common::utils::web::GetVipBuyUrl();
//   velto_common::utils::web::AddCommonParam(url);   // client_version, os, ..., district=0
//
// Every page has a slot with a built-in default on the product's web host. The server replaces
// addresses through the "web_url_info" document (InitWebUrlConfig), setters replace them from
// code, and a user web host (SetWebHost) moves every web-host page to that host at once. A
// setter (or server member) given anything but an http(s) address that parses keeps the old one
// and logs "url is invalid: url =". Addresses over 64 KiB are refused everywhere in the family
// ("url is too long"). Tickets and codes in logged addresses are masked. Use from the UI thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/module/ticket_provider.h"
#include "module_api/export.h"

namespace velto_common::utils::web {

// Server configuration: registers for "web_url_info" with the configure service (once; false
// when the service is missing), and drops that registration.
VELTO_API bool InitWebUrlConfig();
VELTO_API void UnInitWebUrlConfig();

// Hosts. SetHost replaces the default host (GetSHost); SetWebHost sets the user web host, which
// wins over the default in GetWebHost and moves every page getter's address, pages on the
// maker's other sites included (ReviseWebUrl). An empty SetWebHost clears the user web host.
// Both take a bare host with an optional port and keep the old host otherwise ("host is
// invalid: host =").
VELTO_API void SetHost(const std::string& host);
VELTO_API std::string GetSHost();
VELTO_API void SetWebHost(const std::string& host);
VELTO_API std::string GetWebHost();
VELTO_API void SetSsoDomain(const std::string& domain);
VELTO_API std::string GetSsoDomain();
VELTO_API void SetSsoDomainPath(const std::string& url);
VELTO_API std::string GetSsoDomainPath();
// Paths on the web host; a path must begin with "/" and hold no blank.
VELTO_API void SetRegisterPath(const std::string& path);
VELTO_API void SetResetPasswordPath(const std::string& path);
VELTO_API void SetSoftServicePath(const std::string& path);
VELTO_API std::string GetSoftServicePath();
VELTO_API void SetCaptchaPath(const std::string& path);
VELTO_API std::string GetCaptchaPath();

// Pages.
VELTO_API std::string GetSoftWareServiceUrl();
VELTO_API void SetSoftwareServiceUrl(const std::string& url);
VELTO_API std::string GetWebinarEditorUrl();
VELTO_API void SetWebinarEditorUrl(const std::string& url);
VELTO_API std::string GetWebinarSensitiveWordEditUrl();
VELTO_API void SetWebinarSensitiveWordEditUrl(const std::string& url);
VELTO_API std::string GetPracticeCenterUrl();
VELTO_API void SetPracticeCenterUrl(const std::string& url);
VELTO_API std::string GetExchangeCenterUrl();
VELTO_API void SetExchangeCenterUrl(const std::string& url);
VELTO_API std::string GetPracticeCenterCardListUrl();
VELTO_API void SetPracticeCenterCardListUrl(const std::string& url);
VELTO_API std::string GetDeleteAccountUrl();
VELTO_API void SetDeleteAccountUrl(const std::string& url);
VELTO_API std::string GetUserCenterMiddleLoginUrl();
VELTO_API void SetUserCenterMiddleLoginUrl(const std::string& url);
VELTO_API std::string GetUserPersonalInfomationUrl();
VELTO_API void SetPersonalInformationUrl(const std::string& url);
VELTO_API std::string GetCustomLayoutUrl();
VELTO_API void SetCustomLayoutUrl(const std::string& url);
// Empty until the server sends it.
VELTO_API std::string GetCustomLayoutEditUrl();
VELTO_API void SetCustomEditLayoutUrl(const std::string& url);
VELTO_API std::string GetTogetherLayoutUrl();
VELTO_API void SetTogetherLayoutUrl(const std::string& url);
VELTO_API std::string GetTogetherLayoutEditUrl();
VELTO_API void SetTogetherLayoutEditUrl(const std::string& url);
VELTO_API std::string GetMeetingInformPageUrl();
VELTO_API void SetMeetingInformUrl(const std::string& url);
VELTO_API std::string GetTrailRoomVideoUrl();
VELTO_API void SetTrailRoomVideoUrl(const std::string& url);
VELTO_API std::string GetWebinarQaUrl();
VELTO_API void SetWebinarQaUrl(const std::string& url);
VELTO_API std::string GetPrivatePolicyUrl();
VELTO_API void SetPrivatePolicyUrl(const std::string& url);
VELTO_API std::string GetPrivacyChildrenUrl();
VELTO_API std::string GetPrivacyPersonalInfoCollectionUrl();
VELTO_API std::string GetContactUsUrl();
VELTO_API void SetContactUsUrl(const std::string& url);
VELTO_API std::string GetPremiumPlanBuyUrl();
VELTO_API void SetPremiumPlanBuyUrl(const std::string& url);
// The slot with "renew" and/or "overdue" appended, each when its flag is set.
VELTO_API std::string GetPremiumProductBuyUrl(bool renew = false, bool overdue = false);
VELTO_API void SetPremiumProductBuyUrl(const std::string& url);
VELTO_API std::string GetOnlineServiceUrl();
VELTO_API void SetOnlineServiceUrl(const std::string& url);
VELTO_API std::string GetSSOBuyingGuideUrl();
VELTO_API void SetSsoBuyingGuideUrl(const std::string& url);
VELTO_API std::string GetMessageCenterPortalUrl();
VELTO_API void SetMessageCenterPortalUrl(const std::string& url);
VELTO_API std::string GetMessageCenterUrl();
VELTO_API std::string GetMessageCenterSettingUrl();
VELTO_API std::string GetTestFlightActivityUrl();
VELTO_API void SetTestFlightActivityUrl(const std::string& url);
VELTO_API std::string GetShareToOtherUrl();
VELTO_API void SetShareToOtherUrl(const std::string& url);
VELTO_API std::string GetCloudRecordStorageUrl();
VELTO_API void SetCloudRecordStorageUrl(const std::string& url);
VELTO_API std::string GetCloudRecordSettingUrl();
VELTO_API void SetCloudRecordSettingUrl(const std::string& url);
VELTO_API std::string GetCorpInformationManagementUrl();
VELTO_API void SetCorpInformationManagementUrl(const std::string& url);
VELTO_API std::string GetUserCenterSharedRecordInfoUrl();
VELTO_API void SetUserCenterSharedRecordInfoUrl(const std::string& url);
VELTO_API std::string GetUserCenterSharedRecordReplaySettingUrl();
VELTO_API std::string GetUserCenterMyGiftCardUrl();
VELTO_API void SetUserCenterMyGiftCardUrl(const std::string& url);
VELTO_API std::string GetUserCenterRecordStorageUrl();
VELTO_API void SetUserCenterRecordStorageUrl(const std::string& url);
VELTO_API std::string GetVirtualBackgroundMaterialLibraryUrl();
VELTO_API void SetVirtualBackgroundMaterialLibraryUrl(const std::string& url);
VELTO_API std::string GetScheduleRedirectUrl();
VELTO_API void SetScheduleRedirectUrl(const std::string& url);
VELTO_API std::string GetScheduleOpenAppListUrl();
VELTO_API std::string GetScheduleOpenAppMarketUrl();
// The clipper page + "?url=" + `url` (as given: encode it first).
VELTO_API std::string GetProfileAvatarClipperURL(const std::string& url);
VELTO_API std::string GetPostMeetingSummaryUrl();
VELTO_API void SetPostMeetingSummaryUrl(const std::string& url);
VELTO_API std::string GetSchedulePageUrl();
VELTO_API void SetSchedulePageUrl(const std::string& url);
VELTO_API std::string GetInmeetingMeetingInfoUrl();
VELTO_API void SetInmeetingMeetingInfoUrl(const std::string& url);
VELTO_API std::string GetCorviDownloadUrl();
VELTO_API void SetCorviDownloadUrl(const std::string& url);
VELTO_API std::string GetWebinarTrailVideoUrl();
VELTO_API void SetWebinarTrailVideoUrl(const std::string& url);
VELTO_API std::string GetAuthUrl();
VELTO_API void SetAuthBotUrl(const std::string& url);
// Empty until the server sends "oauth_url".
VELTO_API std::string GetOAuthUrl();
VELTO_API std::string GetRoomsIntroduceVideoUrl();
VELTO_API void SetRoomsIntroduceVideoUrl(const std::string& url);
VELTO_API std::string GetRoomsIntroduceUrl();
VELTO_API void SetRoomsIntroduceUrl(const std::string& url);
VELTO_API std::string GetInstallRoomsUrl();
VELTO_API void SetInstallRoomsUrl(const std::string& url);
VELTO_API std::string GetWebViewModalUrl();
VELTO_API std::string GetEmbedPrivacySettingUrl();
VELTO_API void SetEmbedPrivacySettingUrl(const std::string& url);
VELTO_API std::string GetMeetingSimpleInfoUrl();
VELTO_API std::string GetMeetingPayConfigUrl();
// Despite its name, a getter: the address of the request that stores the pay configuration.
VELTO_API std::string SetMeetingPayConfigUrl();
VELTO_API std::string GetMaxEnrollCountLimitUrl();
VELTO_API std::string GetEnrollQuestionInfoUrl();
VELTO_API std::string GetBexaDataTransferPermissionUrl();
VELTO_API std::string GetPrivateResetPasswordUrl();
VELTO_API void SetPrivateResetPasswordUrl(const std::string& url);
VELTO_API std::string GetMeetingCorpBuyUrl();
VELTO_API void SetMeetingCorpBuyUrl(const std::string& url);
VELTO_API std::string GetMeetingRoomManageUrl();
VELTO_API void SetMeetingRoomManageUrl(const std::string& url);
VELTO_API std::string GetVipCenterUrl();
VELTO_API std::string GetVipBuyUrl();
VELTO_API void SetVipBuyUrl(const std::string& url);
VELTO_API std::string GetVideoHdLearnMoreUrl();
VELTO_API std::string GetRoomsInviteInMeetingUrl();
VELTO_API void SetRoomsInviteInMeetingUrl(const std::string& url);
VELTO_API std::string GetCommercialBuyUrl();
VELTO_API void SetCommercialBuyUrl(const std::string& url);
VELTO_API std::string GetCertifiedDeviceUrl();
VELTO_API void SetCertifiedDeviceUrl(const std::string& url);
VELTO_API std::string GetMeetingRoomUrl();
VELTO_API void SetMeetingRoomUrl(const std::string& url);
// Back-end paths (no host): the caller's request object adds the host.
VELTO_API std::string GetWebDocUserInfoUrl();
VELTO_API std::string GetToolboxChildUrl();
VELTO_API std::string GetPrivateBexaQrUrl();
VELTO_API std::string GetIpcUrl();

// Pages composed from the web host.
VELTO_API std::string GetRegisterUrl();
VELTO_API std::string GetResetPasswordUrl();
VELTO_API std::string GetResetPasswordByEmailUrl();
VELTO_API std::string GetOfficalWebSiteUrl();
VELTO_API std::string GetRoomsCastCodeToQrCodeUrl();
VELTO_API std::string GetOrderListUrl();
VELTO_API std::string GetOrderDetailUrl(const std::string& tid);
VELTO_API std::string GetActivitySpaceUrl(const std::string& from, const std::string& host_id);
VELTO_API std::string GetJapaneseOverseasPrivatePolicyUrl();
VELTO_API std::string GetJapaneseOverseasSoftWareServiceUrl();

// Address helpers.
// Appends client_version, os, os_version, imei, app_id, app_uid, c_lang, model and district=0,
// in that order; all but c_lang and district are percent-encoded.
VELTO_API void AddCommonParam(std::string& url);
// "?lang=en" for an "en-us" build, else "".
VELTO_API std::string GetLanguageParam();
// The user's interface language in the web's spelling ("zh-CN", "en", "zh-TW", ...).
VELTO_API std::string GetWebLanguage();
VELTO_API std::string ConvertToWebLanguage(const std::string& lang);
// With a user web host, the scheme and host of `url` become "https://" + that host.
VELTO_API std::string ReviseWebUrl(const std::string& url);
// Prefixes "/sg" (zh-CN) or "/hk" (zh-TW) for the regional sites; other languages unchanged.
VELTO_API std::string PreHandleUrl(const std::string& url);
VELTO_API std::string ReplaceUrlDomain(const std::string& url);
VELTO_API bool IsUrlValid(const std::string& url);
VELTO_API bool IsUrlValidInternal(const std::string& url);
// True when `host` is the product's or the overseas edition's web domain (or a subdomain), in
// any ASCII case; whole ASCII labels only.
VELTO_API bool IsVeltoDomain(const std::string& host);
// Host patterns (regular expressions) for which a web view skips its security check: anchored,
// whole labels before the maker's domain, either ASCII case spelled out (no "(?i)").
VELTO_API std::vector<std::string> GetDefaultSkipSecurityCheckHostList();
// URL schemes that a web view hands to other applications.
VELTO_API std::vector<std::string> GetDefaultThirdAppUrlSchemeList();
// `url` + "?client_key=" + ticket + "&redirect_url=" + `redirect`. Without a ticket from the
// host ("get ticket failed"), `redirect` itself; with an empty ticket, `redirect` decoded. A
// `url` that is not a trusted http(s) address of the product's domains gets no ticket: the same
// answers as without one, and a level-1 record ("ticket refused for untrusted address").
VELTO_API std::string Generate2ExternalBrowserUrlByToken(const std::string& url, const std::string& redirect);
VELTO_API std::string Generate2ExternalBrowserUrlByToken(const std::string& url, const std::string& redirect,
                                                         const std::string& ticket);
// As above with a ticket of the given type.
VELTO_API std::string Generate2ExternalBrowserUrlByTokenType(const std::string& url, const std::string& redirect,
                                                             framework::module::TokenType token_type);
// 0 "unknown", 1 "wifi", 2 "2G", 3 "3G", 4 "4G", 5 "ethernet", 6 "5G"; others "unknown".
VELTO_API std::string GetNetworkTypeStrById(int32_t id);

}  // namespace velto_common::utils::web
