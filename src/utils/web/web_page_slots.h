// Page address slots: one per web page the client opens, each with a built-in default that the
// server ("web_url_info", account documents) or a setter may replace. Internal to the library.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velto_common::utils::web::internal {

// The product's web host and the maker's other sites. Every default below is built on these.
inline constexpr char kWebHost[] = "meeting.velto.example";
inline constexpr char kOverseasWebHost[] = "meeting.veltomeet.example";
inline constexpr char kSsoHost[] = "sso.velto.example";
inline constexpr char kSsoCookieDomain[] = ".velto.example";

enum class Page : int32_t {
  // Hosts and paths.
  kDefaultHost,
  kRegisterPath,
  kResetPasswordPath,
  kSoftServicePath,
  kCaptchaPath,
  kSsoDomain,
  kSsoDomainPath,
  // Pages of the web family.
  kSoftWareService,
  kWebinarEditor,
  kWebinarSensitiveWordEdit,
  kPracticeCenter,
  kExchangeCenter,
  kPracticeCenterCardList,
  kDeleteAccount,
  kUserCenterMiddleLogin,
  kPersonalInformation,
  kCustomLayout,
  kCustomLayoutEdit,
  kTogetherLayout,
  kTogetherLayoutEdit,
  kMeetingInform,
  kTrailRoomVideo,
  kWebinarQa,
  kPrivatePolicy,
  kPrivacyChildren,
  kPrivacyPersonalInfoCollection,
  kContactUs,
  kPremiumPlanBuy,
  kPremiumProductBuy,
  kOnlineService,
  kSsoBuyingGuide,
  kMessageCenterPortal,
  kMessageCenter,
  kMessageCenterSetting,
  kTestFlightActivity,
  kShareToOther,
  kCloudRecordStorage,
  kCloudRecordSetting,
  kCorpInformationManagement,
  kUserCenterSharedRecordInfo,
  kUserCenterSharedRecordReplaySetting,
  kUserCenterMyGiftCard,
  kUserCenterRecordStorage,
  kVirtualBackgroundMaterialLibrary,
  kScheduleRedirect,
  kScheduleOpenAppList,
  kScheduleOpenAppMarket,
  kProfileAvatarClipper,
  kPostMeetingSummary,
  kSchedulePage,
  kInmeetingMeetingInfo,
  kCorviDownload,
  kWebinarTrailVideo,
  kAuthBot,
  kOAuth,
  kRoomsIntroduceVideo,
  kRoomsIntroduce,
  kInstallRooms,
  kWebViewModal,
  kEmbedPrivacySetting,
  kMeetingSimpleInfo,
  kMeetingPayConfig,
  kSetMeetingPayConfig,
  kMaxEnrollCountLimit,
  kEnrollQuestionInfo,
  kBexaDataTransferPermission,
  kPrivateResetPassword,
  kMeetingCorpBuy,
  kMeetingRoomManage,
  kVipCenter,
  kVipBuy,
  kVideoHdLearnMore,
  kRoomsInviteInMeeting,
  kCommercialBuy,
  kCertifiedDevice,
  kMeetingRoom,
  kWebDocUserInfo,
  kToolboxChild,
  kIpc,
  kPrivateBexaQr,
  // Account and login pages.
  kMeetingCorpCreate,
  kMeetingCorpCreateWithBindPhone,
  kMeetingCorpCreateWithSelect,
  kMeetingCorpCertify,
  kMeetingCorpSupplementInfo,
  kCorpActive,
  kDissolveOrganization,
  kMeetingCorpRegisterCreateSelect,
  kYamuQr,
  kBexaQr,
  kMultiQrCode,
  kAuthQrCode,
  kSmsCodeNotReceiveHelp,
  kCount,
};

// What a slot holds, which decides its default and its check. Every page read through
// ReadPage follows the user web host, whatever its kind.
enum class SlotKind {
  kWebHostPage,  // "https://" + web host + text
  kServerPage,   // empty until the server sends it
  kExternal,     // a full address on another site of the maker
  kPath,         // a path on the web host, used by composed pages
  kHostName,     // a bare host name
  kDomain,       // a cookie domain
};

// Which server document carries the slot's member.
enum class Document { kNone, kWebUrlInfo, kAccount, kLogin };

struct PageInfo {
  Page page;
  SlotKind kind;
  const char* text;    // path, full address or host, by kind
  Document document;
  const char* member;  // member of the document; null when the server never sends it
  const char* label;   // names the slot in the setter's log
};

const PageInfo& Info(Page page);
// The slot whose member of `document` is `member`; null when none.
const PageInfo* FindByMember(Document document, std::string_view member);

// The slot's text: its default on first read, then whatever was stored.
std::string ReadSlot(Page page);
// Checks `text` for the slot's kind and stores it; false (and a level-1 record) when it fails.
bool WriteSlot(Page page, std::string_view text);
// ReadSlot, passed through ReviseWebUrl: the page as the user web host places it.
std::string ReadPage(Page page);

// A host as SetHost and SetWebHost take it: a bare host name with an optional port, such that
// "https://" + host + "/" is a valid web address of that host.
bool IsValidHostName(std::string_view host);

// The user's web host, "" when none (the state lives with the slots).
std::string UserWebHost();
void SetUserWebHost(std::string host);

// The server document delegate lives with the slots; these create and drop it.
bool InstallWebUrlConfig();
void RemoveWebUrlConfig();

}  // namespace velto_common::utils::web::internal
