#include "utils/web/web_page_slots.h"

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

#include "base/net/url.h"
#include "base/scope_singleton.h"
#include "module_api/log.h"
#include "module_api/web/web_util.h"
#include "utils/web/address_log.h"
#include "utils/web/web_trust.h"
#include "utils/web/web_url_config.h"

namespace velto_common::utils::web::internal {
namespace {

using D = Document;
using K = SlotKind;
using P = Page;

// The page table. Members are spelled as the server spells them ("meeting_infrom_url",
// "webianr_trail_video_url", "meeting_crop_certify_url").
constexpr PageInfo kPages[] = {
    {P::kDefaultHost, K::kHostName, kWebHost, D::kWebUrlInfo, "host", "host"},
    {P::kRegisterPath, K::kPath, "/regist.html", D::kWebUrlInfo, "register_path", "register path"},
    {P::kResetPasswordPath, K::kPath, "/reset-password-by-phone.html", D::kWebUrlInfo, "reset_password_path",
     "reset password path"},
    {P::kSoftServicePath, K::kPath, "/declare.html", D::kWebUrlInfo, "soft_service_path", "soft service path"},
    {P::kCaptchaPath, K::kPath, "/captcha.html", D::kWebUrlInfo, "captcha_path", "captcha path"},
    {P::kSsoDomain, K::kDomain, kSsoCookieDomain, D::kWebUrlInfo, "sso_domain", "sso domain"},
    {P::kSsoDomainPath, K::kExternal, "https://sso.velto.example/sso-auth/inner", D::kWebUrlInfo, "sso_domain_path",
     "sso domain path"},
    {P::kSoftWareService, K::kExternal, "https://rules.nordil.example/agreements/velto-software-service.html",
     D::kWebUrlInfo, "software_service_url", "software service url"},
    {P::kWebinarEditor, K::kWebHostPage, "/user-center/webinar/update/", D::kWebUrlInfo, "webinar_editor_url",
     "webinar editor url"},
    {P::kWebinarSensitiveWordEdit, K::kWebHostPage, "/v2/chatting-guard", D::kWebUrlInfo,
     "webinar_sensitive_word_edit_url", "webinar sensitive word edit url"},
    {P::kPracticeCenter, K::kWebHostPage, "/v2/optask-center", D::kWebUrlInfo, "practice_center_url",
     "practice center url"},
    {P::kExchangeCenter, K::kWebHostPage, "/v2/optask-center/exchange-center", D::kWebUrlInfo, "exchange_center_url",
     "exchange center url"},
    {P::kPracticeCenterCardList, K::kWebHostPage, "/optask-center/#/pc/welfare-list", D::kWebUrlInfo,
     "practice_center_card_list_url", "practice center card list url"},
    {P::kDeleteAccount, K::kWebHostPage, "/v2/cancellation-account", D::kWebUrlInfo, "delete_account_url",
     "delete account url"},
    {P::kUserCenterMiddleLogin, K::kWebHostPage, "/v2/login/middle", D::kNone, nullptr,
     "user center middle login url"},
    {P::kPersonalInformation, K::kWebHostPage, "/user-center/personal-information", D::kWebUrlInfo,
     "personal_information_url", "personal information url"},
    {P::kCustomLayout, K::kWebHostPage, "/user-center/meeting-control/layout", D::kWebUrlInfo, "custom_layout_url",
     "custom layout url"},
    {P::kCustomLayoutEdit, K::kServerPage, "", D::kWebUrlInfo, "custom_edit_layout_url", "custom edit layout url"},
    {P::kTogetherLayout, K::kServerPage, "", D::kWebUrlInfo, "together_layout_url", "together layout url"},
    {P::kTogetherLayoutEdit, K::kServerPage, "", D::kWebUrlInfo, "together_layout_edit_url",
     "together layout edit url"},
    {P::kMeetingInform, K::kWebHostPage, "/v2/informant", D::kWebUrlInfo, "meeting_infrom_url", "meeting inform url"},
    {P::kTrailRoomVideo, K::kWebHostPage, "/operation-activity/junior-pc-video", D::kWebUrlInfo,
     "trail_room_video_url", "trail room video url"},
    {P::kWebinarQa, K::kWebHostPage, "/v2/webinar-qa/desktop", D::kWebUrlInfo, "webinar_qa_url", "webinar qa url"},
    {P::kPrivatePolicy, K::kExternal, "https://privacy.nordil.example/document/velto-privacy-policy.html",
     D::kWebUrlInfo, "private_policy_url", "private policy url"},
    {P::kPrivacyChildren, K::kExternal, "https://privacy.nordil.example/document/children-privacy-policy.html",
     D::kNone, nullptr, "privacy children url"},
    {P::kPrivacyPersonalInfoCollection, K::kExternal,
     "https://privacy.nordil.example/document/velto-personal-info-collection.html", D::kNone, nullptr,
     "privacy personal info collection url"},
    {P::kContactUs, K::kExternal, "https://support.nordil.example/products/velto-meeting", D::kWebUrlInfo,
     "contact_us_url", "contact us url"},
    {P::kPremiumPlanBuy, K::kWebHostPage, "/buy.html", D::kWebUrlInfo, "premium_plan_buy_url",
     "premium plan buy url"},
    {P::kPremiumProductBuy, K::kWebHostPage, "/v2/buy/products", D::kWebUrlInfo, "premium_product_buy_url",
     "premium product buy url"},
    {P::kOnlineService, K::kExternal,
     "https://cloud.nordil.example/online-service?from=nordilmeeting_windows&noTopNav=true&noFooter=true"
     "&noFloatBar=true&source=MA&noLogInPop=true",
     D::kWebUrlInfo, "online_service_url", "online service url"},
    {P::kSsoBuyingGuide, K::kWebHostPage, "/buy.html", D::kWebUrlInfo, "sso_buying_guide_url",
     "sso buying guide url"},
    {P::kMessageCenterPortal, K::kWebHostPage, "/v2/opmsg-center/list", D::kWebUrlInfo, "message_center_portal_url",
     "message center portal url"},
    {P::kMessageCenter, K::kWebHostPage, "/opmsg-center/pc", D::kNone, nullptr, "message center url"},
    {P::kMessageCenterSetting, K::kWebHostPage, "/opmsg-center/settings", D::kNone, nullptr,
     "message center setting url"},
    {P::kTestFlightActivity, K::kWebHostPage, "/v2/operation-activity/test-flight", D::kWebUrlInfo,
     "test_flight_activity_url", "test flight activity url"},
    {P::kShareToOther, K::kWebHostPage, "/operation-activity/invite-activity", D::kNone, nullptr,
     "share to other url"},
    {P::kCloudRecordStorage, K::kWebHostPage, "/user-center/meeting-record", D::kWebUrlInfo,
     "cloud_record_storage_url", "cloud record storage url"},
    {P::kCloudRecordSetting, K::kWebHostPage, "/v2/cloud-record/settings", D::kWebUrlInfo,
     "cloud_record_setting_url", "cloud record setting url"},
    {P::kCorpInformationManagement, K::kWebHostPage, "/user-center/corp-info-manage", D::kWebUrlInfo,
     "corp_information_management_url", "corp information management url"},
    {P::kUserCenterSharedRecordInfo, K::kWebHostPage, "/v2/cloud-record/share", D::kWebUrlInfo,
     "user_center_shared_record_info_url", "user center shared record info url"},
    {P::kUserCenterSharedRecordReplaySetting, K::kWebHostPage, "/v2/cloud-record/playback", D::kNone, nullptr,
     "user center shared record replay setting url"},
    {P::kUserCenterMyGiftCard, K::kWebHostPage, "/v2/optask-center/my-cards", D::kWebUrlInfo,
     "user_center_my_gift_card_url", "user center my gift card url"},
    {P::kUserCenterRecordStorage, K::kWebHostPage, "/bexa/cloud-record/screen-record-list", D::kWebUrlInfo,
     "user_center_record_storage_url", "user center record storage url"},
    {P::kVirtualBackgroundMaterialLibrary, K::kWebHostPage, "/virtual-img-background.html", D::kWebUrlInfo,
     "virtual_background_material_library_url", "virtual background material library url"},
    {P::kScheduleRedirect, K::kWebHostPage, "/user-center/webinar/schedule", D::kNone, nullptr,
     "schedule redirect url"},
    {P::kScheduleOpenAppList, K::kWebHostPage, "/v2/pre-meeting/add-app", D::kNone, nullptr,
     "schedule open app list url"},
    {P::kScheduleOpenAppMarket, K::kWebHostPage, "/v2/pre-meeting/app-market", D::kNone, nullptr,
     "schedule open app market url"},
    {P::kProfileAvatarClipper, K::kWebHostPage, "/v2/avatar-clipper", D::kNone, nullptr,
     "profile avatar clipper url"},
    {P::kPostMeetingSummary, K::kWebHostPage, "/v2/webinar-summary/desktop", D::kNone, nullptr,
     "post meeting summary url"},
    {P::kSchedulePage, K::kWebHostPage, "/v2/webinar-schedule", D::kWebUrlInfo, "webinar_schedule_page_url",
     "webinar schedule page url"},
    {P::kInmeetingMeetingInfo, K::kWebHostPage, "/v2/webinar-intro", D::kWebUrlInfo, "inmeeting_meeting_info_url",
     "inmeeting meeting info url"},
    {P::kCorviDownload, K::kExternal, "https://dldir.nordil.example/velto/corvi/CorviSetup.exe", D::kWebUrlInfo,
     "corvi_download_url", "corvi download url"},
    {P::kWebinarTrailVideo, K::kWebHostPage, "/v2/webinar-guidance-video", D::kWebUrlInfo,
     "webianr_trail_video_url", "webinar trail video url"},
    {P::kAuthBot, K::kWebHostPage, "/", D::kWebUrlInfo, "auth_bot_url", "auth bot url"},
    {P::kOAuth, K::kServerPage, "", D::kWebUrlInfo, "oauth_url", "oauth url"},
    {P::kRoomsIntroduceVideo, K::kWebHostPage, "/wireless-screen-video.html", D::kWebUrlInfo,
     "rooms_introduce_video_url", "rooms introduce video url"},
    {P::kRoomsIntroduce, K::kWebHostPage, "/cloud-rooms.html", D::kWebUrlInfo, "rooms_introduce_url",
     "rooms introduce url"},
    {P::kInstallRooms, K::kWebHostPage, "/support/topic/1931/index.html", D::kWebUrlInfo, "install_rooms_url",
     "install rooms url"},
    {P::kWebViewModal, K::kWebHostPage, "/v2/webview/modal", D::kNone, nullptr, "web view modal url"},
    {P::kEmbedPrivacySetting, K::kWebHostPage, "/v2/privacy-setting", D::kWebUrlInfo, "embed_privacy_setting_url",
     "embed privacy setting url"},
    {P::kMeetingSimpleInfo, K::kWebHostPage,
     "/velto-tapi/velto/manage_service_not_auth/comm/v1/query_meeting_simple_info", D::kNone, nullptr,
     "meeting simple info url"},
    {P::kMeetingPayConfig, K::kWebHostPage, "/velto-tapi/enroll/noAuth/v1/getPayConfig", D::kNone, nullptr,
     "meeting pay config url"},
    {P::kSetMeetingPayConfig, K::kWebHostPage, "/velto-tapi/enroll/v1/setPayConfig", D::kNone, nullptr,
     "set meeting pay config url"},
    {P::kMaxEnrollCountLimit, K::kWebHostPage, "/velto-tapi/enroll/v1/getMaxEnrollCountLimit", D::kNone, nullptr,
     "max enroll count limit url"},
    {P::kEnrollQuestionInfo, K::kWebHostPage, "/velto-tapi/enroll/v1/getMyAnswers", D::kNone, nullptr,
     "enroll question info url"},
    {P::kBexaDataTransferPermission, K::kWebHostPage, "/v2/bexo/data-authorization", D::kNone, nullptr,
     "bexa data transfer permission url"},
    {P::kPrivateResetPassword, K::kWebHostPage, "/open-platform/change-password", D::kNone, nullptr,
     "private reset password url"},
    {P::kMeetingCorpBuy, K::kWebHostPage, "/buy.html", D::kWebUrlInfo, "meeting_corp_buy_url",
     "meeting corp buy url"},
    {P::kMeetingRoomManage, K::kWebHostPage, "/user-center/room-list-info", D::kNone, nullptr,
     "meeting room manage url"},
    {P::kVipCenter, K::kWebHostPage, "/v2/buy/vipcenter", D::kNone, nullptr, "vip center url"},
    {P::kVipBuy, K::kWebHostPage, "/v2/buy/dialog/vip", D::kWebUrlInfo, "user_buy_vip_url", "user vip buy url"},
    {P::kVideoHdLearnMore, K::kWebHostPage, "/", D::kNone, nullptr, "video hd learn more url"},
    {P::kRoomsInviteInMeeting, K::kWebHostPage, "/v2/rooms-invite", D::kNone, nullptr, "rooms invite in meeting url"},
    {P::kCommercialBuy, K::kWebHostPage, "/v2/buy/rooms/rooms-scan-buy", D::kNone, nullptr, "commercial buy url"},
    {P::kCertifiedDevice, K::kWebHostPage, "/rooms-device/index.html", D::kNone, nullptr, "certified device url"},
    {P::kMeetingRoom, K::kWebHostPage, "/v2/meeting-room/desktop", D::kNone, nullptr, "meeting room url"},
    {P::kWebDocUserInfo, K::kPath, "/v2/user-logic/doc/get-info-by-code", D::kNone, nullptr, "web doc user info url"},
    {P::kToolboxChild, K::kPath, "/v2/velto_toolbox/v1/query_tools_child_app_info", D::kNone, nullptr,
     "toolbox child url"},
    {P::kIpc, K::kWebHostPage, "/transit-page.html?id=6", D::kNone, nullptr, "ipc url"},
    {P::kPrivateBexaQr, K::kPath, "/v2/auth/qy-yamu-login-qr", D::kNone, nullptr, "private bexa qr url"},
    {P::kMeetingCorpCreate, K::kWebHostPage, "/v2/organization/register/authed/pc", D::kAccount,
     "meeting_corp_create_desktop_url", "meeting corp create url"},
    {P::kMeetingCorpCreateWithBindPhone, K::kWebHostPage, "/v2/organization/register/authed/pc?bind_phone=1",
     D::kAccount, "meeting_corp_create_with_bind_phone_desktop_url", "meeting corp create with bind phone url"},
    {P::kMeetingCorpCreateWithSelect, K::kWebHostPage, "/v2/organization/register/authed/pc?select=1", D::kAccount,
     "meeting_corp_create_with_select_desktop_url", "meeting corp create with select url"},
    {P::kMeetingCorpCertify, K::kWebHostPage, "/", D::kAccount, "meeting_crop_certify_url",
     "meeting corp certify url"},
    {P::kMeetingCorpSupplementInfo, K::kWebHostPage, "/v2/organization/supplementary-info/pc", D::kAccount,
     "meeting_crop_supplement_info_url_pc", "meeting corp supplement info url"},
    {P::kCorpActive, K::kWebHostPage, "/v2/account/invite-confirm/pc", D::kNone, nullptr, "corp active url"},
    {P::kDissolveOrganization, K::kWebHostPage, "/user-center/disband-crop", D::kNone, nullptr,
     "dissolve organization url"},
    {P::kMeetingCorpRegisterCreateSelect, K::kWebHostPage, "/v2/organization/register", D::kLogin,
     "meeting_corp_register_create_select_url_pc", "meeting corp register create select url"},
    {P::kYamuQr, K::kPath, "/v2/auth/yamu-login-qr", D::kNone, nullptr, "yamu qr url"},
    {P::kBexaQr, K::kPath, "/v2/auth/qy-yamu-out-corp-login-qr", D::kNone, nullptr, "bexa qr url"},
    {P::kMultiQrCode, K::kWebHostPage, "/v2/qrcode-login?", D::kNone, nullptr, "multi qr code url"},
    {P::kAuthQrCode, K::kWebHostPage, "/v2/qrcode/auth?", D::kNone, nullptr, "auth qr code url"},
    {P::kSmsCodeNotReceiveHelp, K::kWebHostPage, "/code-explain-page/", D::kNone, nullptr,
     "sms code not receive help url"},
};

constexpr size_t kPageCount = static_cast<size_t>(Page::kCount);
static_assert(std::size(kPages) == kPageCount, "every page needs one row");

constexpr bool RowsInEnumOrder() {
  for (size_t i = 0; i < kPageCount; ++i) {
    if (static_cast<size_t>(kPages[i].page) != i) return false;
  }
  return true;
}
static_assert(RowsInEnumOrder(), "rows must follow the Page enumeration");

std::string DefaultText(const PageInfo& info) {
  switch (info.kind) {
    case SlotKind::kWebHostPage:
      return std::string("https://") + kWebHost + info.text;
    case SlotKind::kServerPage:
    case SlotKind::kExternal:
    case SlotKind::kPath:
    case SlotKind::kHostName:
    case SlotKind::kDomain:
      return info.text;
  }
  return {};
}

bool HasBlank(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) <= ' ') return true;
  }
  return false;
}

bool IsValidFor(SlotKind kind, std::string_view text) {
  switch (kind) {
    case SlotKind::kWebHostPage:
    case SlotKind::kServerPage:
    case SlotKind::kExternal:
      // Pages open in a web view or the browser: web addresses only, never "file:",
      // "javascript:" or another scheme a server document might slip in.
      return IsWebAddress(base::net::URL::From(text));
    case SlotKind::kPath:
      return !text.empty() && text.front() == '/' && !HasBlank(text);
    case SlotKind::kHostName:
      return IsValidHostName(text);
    case SlotKind::kDomain:
      return !text.empty() && !HasBlank(text) && text.find_first_of("/?#@\\") == std::string_view::npos;
  }
  return false;
}

// The slot: default text (in the table), an initialised flag and the current text; the
// default is copied in once, on first read or first write.
struct Slot {
  std::once_flag initialised;
  std::string current;
};

class WebState {
 public:
  Slot& slot(Page page) {
    Slot& slot = slots_[static_cast<size_t>(page)];
    std::call_once(slot.initialised, [&] { slot.current = DefaultText(Info(page)); });
    return slot;
  }
  std::string user_web_host;
  std::unique_ptr<WebUrlConifg> config;

 private:
  std::array<Slot, kPageCount> slots_;
};

std::atomic<WebState*> g_state{nullptr};
std::atomic_flag g_state_lock = ATOMIC_FLAG_INIT;

void DestroyState(void*) {
  WebState* state = g_state.exchange(nullptr);
  if (state && state->config) state->config->Unregister();
  delete state;
}

// Slots live until library teardown (base::RegisterScopeSingleton), which is also what puts a
// test host back to the built-in defaults.
WebState& State() {
  if (WebState* state = g_state.load(std::memory_order_acquire)) return *state;
  while (g_state_lock.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
  WebState* state = g_state.load(std::memory_order_relaxed);
  if (!state) {
    state = new WebState();
    g_state.store(state, std::memory_order_release);
    base::RegisterScopeSingleton(&g_state, &DestroyState);
  }
  g_state_lock.clear(std::memory_order_release);
  return *state;
}

}  // namespace

bool IsValidHostName(std::string_view host) {
  // "https://" + host + "/" is how every composed page uses it: the host must be the whole
  // authority of that address, a bare host with an optional port.
  return !host.empty() && host.find_first_of("/?#") == std::string_view::npos &&
         base::net::URL::From("https://" + std::string(host) + "/").IsValid();
}

const PageInfo& Info(Page page) {
  const size_t index = static_cast<size_t>(page);
  return kPages[index < kPageCount ? index : 0];
}

const PageInfo* FindByMember(Document document, std::string_view member) {
  for (const PageInfo& info : kPages) {
    if (info.document == document && info.member && member == info.member) return &info;
  }
  return nullptr;
}

std::string ReadSlot(Page page) { return State().slot(page).current; }

bool WriteSlot(Page page, std::string_view text) {
  const PageInfo& info = Info(page);
  if (!WithinAddressLimit(text)) return false;
  if (!IsValidFor(info.kind, text)) {
    switch (info.kind) {
      case SlotKind::kPath:
        VELTO_LOG(velto::log::kFailure) << "path is invalid: path =" << AddressForLog(text);
        break;
      case SlotKind::kHostName:
      case SlotKind::kDomain:
        VELTO_LOG(velto::log::kFailure) << "host is invalid: host =" << AddressForLog(text);
        break;
      default:
        VELTO_LOG(velto::log::kFailure) << "url is invalid: url =" << AddressForLog(text);
        break;
    }
    return false;
  }
  VELTO_LOG(velto::log::kTrace) << info.label << ": " << AddressForLog(text);
  State().slot(page).current = std::string(text);
  return true;
}

std::string ReadPage(Page page) {
  // Every page follows a user-chosen web host, the ones on the maker's other sites included;
  // paths carry no host and come back unchanged.
  return ReviseWebUrl(ReadSlot(page));
}

std::string UserWebHost() { return State().user_web_host; }

void SetUserWebHost(std::string host) { State().user_web_host = std::move(host); }

bool InstallWebUrlConfig() {
  WebState& state = State();
  if (state.config) return true;
  auto config = std::make_unique<WebUrlConifg>();
  if (!config->Register()) return false;
  state.config = std::move(config);
  return true;
}

void RemoveWebUrlConfig() {
  WebState& state = State();
  if (!state.config) return;
  state.config->Unregister();
  state.config.reset();
}

}  // namespace velto_common::utils::web::internal
