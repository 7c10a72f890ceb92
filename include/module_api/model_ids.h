// Ids of the host's application models, for framework::module::GetAppModuleModel and the
// application module runtime. Command and event numbers, per model, are in module_api/model_commands.h.
#pragma once

namespace velto::model_id {

inline constexpr int kAppStateModel = 501;
inline constexpr int kEventBusModel = 502;
inline constexpr int kAuthorizationModel = 504;
inline constexpr int kScheduleModel = 505;
inline constexpr int kUserModel = 508;
inline constexpr int kCameraModel = 509;
inline constexpr int kAudioModel = 510;
inline constexpr int kVideoModel = 511;
inline constexpr int kBeautyModel = 512;
inline constexpr int kVideoPushModel = 513;
inline constexpr int kMeetingModel = 514;
inline constexpr int kMeetingTimeModel = 516;
inline constexpr int kConfigurationModel = 517;
inline constexpr int kRelaunchModel = 519;
inline constexpr int kMeetingSettingsModel = 523;
inline constexpr int kChatMessageModel = 524;
inline constexpr int kChatRecordModel = 525;
inline constexpr int kChatPolicyModel = 526;
inline constexpr int kChatGroupModel = 527;
inline constexpr int kPrivateChatRecordModel = 528;
inline constexpr int kDockWindowModel = 533;
inline constexpr int kAccountSwitchModel = 535;
inline constexpr int kProfileModel = 537;
inline constexpr int kImageDownloadModel = 538;
inline constexpr int kServiceEntranceModel = 539;
inline constexpr int kPayPageModel = 542;
inline constexpr int kPrivacyAlertModel = 556;
inline constexpr int kCustomLayoutModel = 557;
inline constexpr int kScheduleInviteModel = 559;
inline constexpr int kVoiceActivatedModel = 562;
inline constexpr int kHideVideoModel = 567;
inline constexpr int kVideoPullModel = 569;
inline constexpr int kChatParserModel = 570;
inline constexpr int kCastModel = 575;
inline constexpr int kStoredLayoutModel = 582;
inline constexpr int kTimeZoneModel = 587;
inline constexpr int kMeetingModeModel = 590;
inline constexpr int kMainWindowModel = 591;
inline constexpr int kSecondaryWindowModel = 592;
inline constexpr int kVideoPreviewConfigModel = 595;
inline constexpr int kTrialRoomModel = 601;
inline constexpr int kVideoUserCountModel = 603;
inline constexpr int kPermissionModel = 609;
inline constexpr int kMeetingInfoModel = 604;
inline constexpr int kCollectMeetingModel = 614;
inline constexpr int kAppBoxModel = 616;
inline constexpr int kOverseasAgreementModel = 618;
inline constexpr int kRoomSwitchModel = 622;
inline constexpr int kOvertimeAlertModel = 625;
inline constexpr int kVoiceActivatedLayoutModel = 626;
inline constexpr int kPresenterLayoutModel = 629;
inline constexpr int kSpotlightModel = 634;
inline constexpr int kSidebarAppModel = 641;
inline constexpr int kInAppConfigModel = 645;
inline constexpr int kWebSharingModel = 647;
inline constexpr int kVoicePrintModel = 654;
inline constexpr int kSidebarTabModel = 656;
inline constexpr int kIndependentSidebarTabModel = 657;
inline constexpr int kWebinarPreparationModel = 670;
inline constexpr int kWebAppReportModel = 678;
inline constexpr int kWebinarWarmUpModel = 681;
inline constexpr int kSecurityControlModel = 706;
inline constexpr int kMeetingAlarmModel = 712;
inline constexpr int kMeetingLimitModel = 714;
inline constexpr int kLanguageModel = 715;
inline constexpr int kViewModelLifecycleModel = 716;
inline constexpr int kDocumentUrlModel = 725;
inline constexpr int kSidebarDebugModel = 10011;
inline constexpr int kShortcutKeyModel = 10017;
inline constexpr int kProfessionalFeatureConfigModel = 10027;
inline constexpr int kProfessionalFeatureModel = 10031;
inline constexpr int kPendantModel = 10033;
inline constexpr int kCollaborationModel = 10039;
inline constexpr int kVideoDecorationModel = 10049;
inline constexpr int kTimeTypeModel = 10056;
inline constexpr int kOpenAppPolicyModel = 10058;
inline constexpr int kRiskVerifyModel = 10062;
inline constexpr int kMultiJoinIdentifyModel = 10065;
inline constexpr int kPayGuideWindowModel = 10068;
inline constexpr int kMultiDeviceModel = 10069;
inline constexpr int kPackageUpgradeModel = 10071;
inline constexpr int kThemeModel = 10074;
inline constexpr int kChatNoticeModel = 1000001;
inline constexpr int kBreakoutRoomSyncModel = 1000005;
inline constexpr int kLiveStateModel = 1000007;
inline constexpr int kSettingsWindowModel = 1000008;
inline constexpr int kAppBoxVisibilityModel = 1000015;
inline constexpr int kRecordModel = 1000018;
inline constexpr int kScreenShareModel = 1000021;
inline constexpr int kMemberExportModel = 1000026;
inline constexpr int kCompanyContactsModel = 1000029;
inline constexpr int kOperationAlertModel = 1000041;
inline constexpr int kGraySwitchModel = 1000043;
inline constexpr int kSwitchAccountToastModel = 1000046;
inline constexpr int kMeetingSummaryModel = 1000054;

// Models that only one family asks, by their numbers in the host.
inline constexpr int kMultiScreenLockModel = 534;
inline constexpr int kVideoPushSwitchModel = 10032;
inline constexpr int kLoginSupportModel = 10070;
inline constexpr int kAudioEffectModel = 10000002;

}  // namespace velto::model_id

// Commands of the models the join utilities (velto_common::utils::join) ask, for module
// authors and hostkit scripts.
namespace velto::join_command {

inline constexpr int kJoinFrom = 7;                   // meeting model: answers {"join_from": int}
inline constexpr int kLeaveMeeting = 19;              // meeting model: {"reason": int}, leaves the meeting
inline constexpr int kIsRoomSwitching = 1;            // room switch model: the call's result
inline constexpr int kSwitchAccountParams = 86;       // account switch model: {"corp_id"} -> the switch params
inline constexpr int kRegisterAfterSwitchAction = 87; // account switch model: {"callback_block", "action_params"}
inline constexpr int kJoinAlertReportParam = 88;      // account switch model: answers {"report_param": {...}}
inline constexpr int kPendingSwitchToast = 9;         // switch account toast model: {"name", "content", "icon"}
inline constexpr int kShowSwitchToast = 5;            // switch account toast model: shows a toast

}  // namespace velto::join_command

// Events and commands the extension bases (module_api/extension) use.
namespace velto::extension_model {

inline constexpr int kMeetingJoinCompleteEvent = 1;      // meeting model: {"result": 0 on success}
inline constexpr int kMeetingLeaveCompleteEvent = 2;     // meeting model
inline constexpr int kMeetingDismissCompleteEvent = 23;  // meeting model
inline constexpr int kDismissMeetingViewEvent = 96;      // event bus model
inline constexpr int kInMeetingCommand = 0;              // meeting model: the call's result
inline constexpr int kServiceEntranceVisible = 1;        // service entrance model: {"id"[, "attr"]}
inline constexpr int kViewServiceCreateView = 0;         // a module's view service: the view params
inline constexpr int kViewServiceItemSetEvent = 1;       // a module's view service: the params + "view"

}  // namespace velto::extension_model
