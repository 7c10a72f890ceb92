// Command and event numbers of the host's application models, as this library uses them: the
// numbers a module, a hostkit test or a simulator scenario needs to script a model the way the
// host answers it. Model ids are in module_api/model_ids.h.
//
//   hostkit::InstallModel(velto::model_id::kMeetingModel)
//       .Answer(velto::model_command::meeting::kMeetingInfo,
//               hostkit::Json(R"({"meeting_item": {"meeting_type": 2}})"))
//       .Succeed(velto::model_command::meeting::kInMeeting);
//   EXPECT_EQ(velto_common::utils::inmeeting::GetCurrentMeetingType(), 2);
//   hostkit::InstallModel(velto::model_id::kUserModel)
//       .Fire(velto::model_event::user::kUserAdd, hostkit::Json("[7, 8]"));
//
// Numbers belong to one model: the same number means something else on another model. Each
// line says what the library sends ("no argument": a null argument) and, after "->", what it
// reads from the answer. "-> result" means the boolean result of Call itself is the answer;
// "-> pointer" means the answer (or the key named) holds the address of a Variant the model
// keeps. Where nothing follows, the library sends and ignores any answer. Events give the
// payload the library reads; "payload unread" means only the event itself counts.
#pragma once

// Commands (the first argument of Call, P2PCall and AsyncCall), one namespace per model.
namespace velto::model_command {

// App state model (501).
namespace app_state {
// No argument -> result: the client is in the foreground.
inline constexpr int kInForeground = 21;
// {"scheme_url"} -> the scheme mission the client was started with.
inline constexpr int kCallFuncGetParseSchemeMission = 13;
}  // namespace app_state

// Event bus model (502). Bus events are in velto::model_event::event_bus.
namespace event_bus {
// {"event_id": bus event, and that event's own keys}: posts the event to the other modules.
inline constexpr int kPostEvent = 1;
// {"event_id": bus event, "should_interrupt_alert_show": false} -> {"should_interrupt_alert_show": bool}.
inline constexpr int kAlertInterruption = 2;
}  // namespace event_bus

// Authorization model (504).
namespace authorization {
// No argument: logs the local user out.
inline constexpr int kLogout = 2;
// No argument -> the authorization record {"auth_state": int, "auth_type": int, "app_id", "app_uid", ...}.
inline constexpr int kCallFuncQueryAuthData = 3;
// No argument -> the last result {"auth_result": int, "auth_message", "time_stamp", "appeal_code"}.
inline constexpr int kLastAuthResult = 4;
// No argument -> result: the local user may act now.
inline constexpr int kMayActNow = 9;
// {"auth_type": int, "scheme_param": any}: the scheme mission of an authorization flow.
inline constexpr int kSchemeMission = 10;
// {"auth_type": int, "user_code": string, "quick_auth_param": any, "scheme_param": any}.
inline constexpr int kStartAuthorize = 11;
// {"auth_type": int, "is_reconnect": true}: authorizes again after a lost connection.
inline constexpr int kRetryAuthorize = 12;
}  // namespace authorization

// Schedule model (505).
namespace schedule {
// {"meeting_type": int} -> bool: the account may still schedule meetings of that type.
inline constexpr int kScheduleTypeOffered = 12;
}  // namespace schedule

// User model (508). A user record is a map ("user_id", "app_id", "app_uid", "host", ...).
namespace user {
// No argument -> the local user's record.
inline constexpr int kSelfInfo = 1;
// No argument, or {"source_type": invisible mask} -> array of user indexes (int).
inline constexpr int kUserIndexList = 2;
// No argument, or {"source_type": invisible mask} -> int count.
inline constexpr int kUserCount = 3;
// User index (int) -> pointer to the record the model keeps.
inline constexpr int kUserInfoByIndex = 4;
// User index (int) -> pointer to the record as it was before the update being delivered.
inline constexpr int kOldUserInfoByIndex = 5;
// User id (string) -> int user index; -1 for an unknown user.
inline constexpr int kUserIndexByUserId = 7;
// Stream id (string) -> int user index; -1 for an unknown stream.
inline constexpr int kUserIndexByStreamId = 8;
// No argument -> int index of the user whose screen is shared; -1 when nobody shares.
inline constexpr int kScreenIndex = 11;
// No argument -> the host's identity {"app_id": string, "app_uid": string}.
inline constexpr int kHostIdentity = 12;
// No argument -> the web sharer {"up_web_share_on": bool, "is_self": bool, "user_id", ...}; {} when none.
inline constexpr int kWebShareUser = 31;
// {"app_id", "app_uid"} -> string: the nickname of a user in the waiting room.
inline constexpr int kWaitingNickname = 35;
// No argument -> int: the number of users in the waiting room.
inline constexpr int kWaitingMemberCount = 36;
// {"app_id", "app_uid"} -> bool: the identity is on the waiting room's host list.
inline constexpr int kWaitingRoomHostList = 37;
// App uid (string) -> the record, or a pointer to it.
inline constexpr int kUserInfoByAppUid = 47;
// {"app_id", "app_uid"} -> the record, or a pointer to it.
inline constexpr int kUserInfoByIdentity = 73;
// {"unique_id": string} -> the record, or a pointer to it.
inline constexpr int kUserInfoByUniqueId = 82;
// No argument -> array of the invitees' user indexes.
inline constexpr int kInviteIndexList = 85;
// No argument -> int: the number of invitees.
inline constexpr int kInviteListSize = 86;
// No argument -> array: the invitees a webinar shows.
inline constexpr int kWebinarShowInviteList = 109;
// {"user_id_list": [string]}: refreshes those users' organisation details.
inline constexpr int kRefreshOrgInfo = 110;
}  // namespace user

// Camera model (509). The two access requests go by P2PCall to the requester's observer id and
// are answered by velto::model_event::camera events.
namespace camera {
// {"device_id": string, "on": bool}: opens or closes that camera (its preview included).
inline constexpr int kSwitchCamera = 9;
// {"from": string, optional} -> {"camera_state": int (1 granted, 0 undecided), "camera_accessible": bool}.
inline constexpr int kCameraState = 37;
// P2P, {"from", "is_mic_access": bool}: asks the system for microphone access.
inline constexpr int kRequestMicAccess = 38;
// P2P, {"from", "is_camera_access": bool}: asks the system for camera access.
inline constexpr int kRequestCameraAccess = 39;
// No argument -> {"device_id"}: the camera in use.
inline constexpr int kCurrentCamera = 6;
}  // namespace camera

// Audio model (510). "Switch" commands take {"enable": bool}.
namespace audio {
// Switch: shares the computer's sound.
inline constexpr int kShareAudio = 23;
// No argument -> {"audio_connect_mode": int}.
inline constexpr int kConnectMode = 68;
// The caller's map ({"audio_connect_mode": int, "from_join", ...}): changes the audio connection.
inline constexpr int kSetConnectMode = 69;
// The caller's map ({"is_grant", "from_user", "type"}): pushes audio to a device.
inline constexpr int kPushAudio = 90;
// No argument -> {"is_pushed": bool, "type": int}.
inline constexpr int kPushState = 91;
// No argument -> bool: an audio device is in trouble.
inline constexpr int kHasDeviceException = 93;
// No argument -> {"device_id": string, "device_type": int, "error_type": int}.
inline constexpr int kDeviceException = 94;
// {"device_id": string, "user_trigger": bool}: the exception alert was shown.
inline constexpr int kMarkExceptionExposure = 95;
// {"ignore_device_id": string}: no more exception alerts for that device.
inline constexpr int kIgnoreDeviceException = 96;
// No argument: shows the host's device exception alert.
inline constexpr int kShowDeviceExceptionAlert = 97;
// {"restart_audio": true}: restarts the audio service.
inline constexpr int kRestartAudio = 98;
// {"from": string} -> {"mic_accessible": bool, "mic_state": int (1 granted, 0 undecided)}.
inline constexpr int kMicAccessibility = 111;
// No argument: shows the microphone-not-accessible alert.
inline constexpr int kRaiseMicNotAccessAlert = 112;
// {"is_mic_access": bool, "from": string}: what the microphone access check found.
inline constexpr int kMicAccessResult = 113;
// No argument -> bool: the microphone is being switched on.
inline constexpr int kMicOnLoading = 118;
// No argument: opens the audio detection window.
inline constexpr int kShowAudioDetectWindow = 128;
// No argument -> bool: the microphone was on when last used.
inline constexpr int kLastMicOnState = 130;
// No argument -> {"default_mic_on": bool, "default_mic_off_reason": int}.
inline constexpr int kDefaultMicState = 131;
// No argument -> bool: the microphone is forced on when joining.
inline constexpr int kForceMicOnWhenJoined = 132;
// Switch: starting audio turns the microphone on.
inline constexpr int kEnableAudioStartMic = 133;
// Switch: this client may take the microphone from other applications.
inline constexpr int kEnableOccupyMic = 134;
// Switch: drive mode.
inline constexpr int kEnableDriveMode = 135;
// No argument -> bool: drive mode is on.
inline constexpr int kDriveMode = 136;
// Switch: music mode.
inline constexpr int kEnableMusicMode = 137;
// No argument -> bool: music mode is on.
inline constexpr int kMusicMode = 138;
// {"reason": string}: music mode changed.
inline constexpr int kMusicModeChanged = 139;
// No argument: resets vocal enhancement.
inline constexpr int kResetVocalEnhancement = 140;
// No argument -> array: the users speaking now.
inline constexpr int kCurrentSpeakers = 141;
// No argument -> map: the user whose audio this client carries.
inline constexpr int kAssociateUser = 142;
// The caller's map: updates the microphone state.
inline constexpr int kUpdateMicState = 143;
}  // namespace audio

// Video model (511). User lists come as {"user_info_list": pointer to an array of records}.
namespace video {
// No argument -> bool: the local video is on, so the camera stays open whatever the preview does.
inline constexpr int kLocalVideoOn = 3;
// No argument -> user list: everybody in the video area.
inline constexpr int kUserList = 25;
// No argument -> {"stream_info_map": pointer to a map from stream id to stream info}.
inline constexpr int kStreamInfoMap = 26;
// No argument -> {"up_video_stream_count", "down_video_stream_count", "up_screen_stream_count",
// "down_screen_stream_count"}, all int.
inline constexpr int kStreamCount = 27;
// The caller's map -> {"user_index": pointer to the record of the user ranked first}.
inline constexpr int kHighestPriorityUser = 35;
// No argument -> user list: the first page.
inline constexpr int kFirstPageUserList = 36;
// No argument -> user list: the visible users.
inline constexpr int kVisibleUserList = 47;
// No argument -> user list: the users to hide.
inline constexpr int kNeedHideUserList = 48;
// A user record -> result: the user is visible.
inline constexpr int kUserVisible = 49;
// {"is_camera_access": bool, "from": string}: what the camera access check found.
inline constexpr int kCameraAccessResult = 51;
// No argument -> user list: unsorted and unfiltered.
inline constexpr int kRawUserList = 55;
// No argument -> {"device_id", "device_state", "error_type"}: the camera exception it holds.
inline constexpr int kDeviceException = 45;
// Each with the exception's map: 43 drops the exception (not shown, or no longer), 44 marks it
// as handled by the client (before an alert and when closing one), 46 raises one the client
// detected itself.
inline constexpr int kResetException = 43;
inline constexpr int kHandleException = 44;
inline constexpr int kRaiseException = 46;
}  // namespace video

// Video push model (513).
namespace video_push {
// No argument -> result: the local video should be pushed.
inline constexpr int kPrepareVideoPush = 19;
}  // namespace video_push

// Meeting model (514).
namespace meeting {
// No argument -> result: there is a meeting.
inline constexpr int kInMeeting = 0;
// No argument -> {"meeting_item": {"meeting_type": int, "meeting_id": string, "meeting_type_flags": int, ...}}.
inline constexpr int kMeetingInfo = 3;
// No argument -> {"meeting_item": {"meeting_type": int}}; bit 4 (16) of the type marks a cast meeting.
inline constexpr int kCastMeetingInfo = 6;
// No argument -> the local user waits in the waiting room: a bool (chat reads an int equal to 1).
inline constexpr int kWaitingRoom = 11;
// No argument -> result: the media room is joined.
inline constexpr int kMediaRoomJoined = 23;
// No argument -> {"enable": bool}: everybody but the presenter is audio only.
inline constexpr int kAudioMode = 26;
// No argument -> bool: cast meeting mode.
inline constexpr int kCastMeetingMode = 39;
// No argument -> result: the first joining stage is under way.
inline constexpr int kJoiningStage1 = 43;
// No argument -> result: the second joining stage is under way.
inline constexpr int kJoiningStage2 = 44;
// No argument -> unsigned int: 1 in the high usage (stream limit) state.
inline constexpr int kUsageState = 66;
// No argument -> result: the meeting is a webinar.
inline constexpr int kIsWebinar = 95;
// No argument -> {"join_from": int}: where the join started.
inline constexpr int kJoinFrom = 7;
// {"reason": int}: leaves the meeting.
inline constexpr int kLeaveMeeting = 19;
// {"meeting_id": uint64, "meeting_subject": string, "join_params": any (when given),
// "subscriber_token": uint64} -> result: the join request was accepted; the answer comes as the
// priority event kJoinMeetingConfirm or the event kJoinMeetingCancel.
inline constexpr int kJoinMeeting = 62;
}  // namespace meeting

// Meeting time model (516).
namespace meeting_time {
// No argument -> uint64: the seconds the local user has spent in the meeting.
inline constexpr int kElapsedTime = 0;
}  // namespace meeting_time

// Configuration model (517): client settings. Most settings live on the first pair, the audio
// family's on the second.
namespace configuration {
// {"key": name, "def_value": default} -> the value (of the default's kind).
inline constexpr int kClientSettingRead = 1;
// {name: value}: stores the setting.
inline constexpr int kClientSettingWrite = 2;
// As kClientSettingRead, for the second store.
inline constexpr int kClientSettingReadAlt = 3;
// As kClientSettingWrite, for the second store.
inline constexpr int kClientSettingWriteAlt = 4;
}  // namespace configuration

// Meeting settings model (523).
namespace meeting_settings {
// No argument -> the allow flags {"allow_chat_host_policy": int, "allow_look_audience_count": bool,
// "multi_device_join_linkage_disabled": bool, "is_allow_open_video": bool, ...}.
inline constexpr int kAllowFlags = 1;
// {"max_grid_count": int, "layout_id": string}: the gallery's page size.
inline constexpr int kSetMaxGridCount = 47;
// No argument -> int: the gallery's page size (9 or 25).
inline constexpr int kMaxGridCount = 48;
// No argument -> unsigned int: the presenter's gallery position (0, 1 above and below; 2, 3 sides).
inline constexpr int kGalleryPosition = 50;
// No argument -> {"chat_enable": bool}.
inline constexpr int kChatEnable = 64;
// No argument -> {"chat_switch_lock": bool}.
inline constexpr int kChatSwitchLock = 65;
// No argument -> {"is_elapsed_time_enabled": bool}: the user shows the meeting's duration.
inline constexpr int kElapsedTimeEnabled = 11;
}  // namespace meeting_settings

// Chat policy model (526). The authorities answer {"disable_chat": bool, ...}.
namespace chat_policy {
// No argument -> the authority of an ordinary chatter.
inline constexpr int kNormalAuthority = 0;
// No argument -> the authority of a chatter whose chat is forbidden.
inline constexpr int kForbiddenAuthority = 1;
// No argument -> unsigned int: the private chat policy (PrivateChatAuthority::AllowChatPolicy).
inline constexpr int kAllowChatPolicy = 2;
// No argument -> the authority while a security control covers chat.
inline constexpr int kSecurityAuthority = 10;
}  // namespace chat_policy

// Private chat record model (528).
namespace private_chat_record {
// No argument -> the chosen receiver {"status": int, "app_uid": string, ...}.
inline constexpr int kPrivateChatUserInfo = 1;
}  // namespace private_chat_record

// Dock window model (533).
namespace dock_window {
// {"wnd_type": int}: disposes of the docked window.
inline constexpr int kDisposeWindow = 2;
// {"wnd_type": int}: pops the window out of the dock.
inline constexpr int kPopDock = 3;
}  // namespace dock_window

// Account switch model (535).
namespace account_switch {
// {"auth_code": string, "identity_type": int, "corp_id": string, "switch_scene": int} -> result.
inline constexpr int kSwitchAccount = 101;
// {"is_setter": bool, "is_activating_account": bool} -> bool, or {"is_activating_account": bool}.
inline constexpr int kActivatingAccount = 106;
// {"current_captcha_sender": int, "is_setter": bool} -> bool: that sender is the current one.
inline constexpr int kCaptchaSender = 122;
// {"current_authorize_sender": int, "is_setter": bool} -> bool: that sender is the current one.
inline constexpr int kThirdAppAuthorizeSender = 124;
// {"corp_id"} -> the parameters of a switch to that account.
inline constexpr int kSwitchAccountParams = 86;
// {"callback_block", "action_params"}: what to do once the switch is done.
inline constexpr int kRegisterAfterSwitchAction = 87;
// {"creator_uid", "creator_appid"} -> {"report_param": {...}}: the join alert's report parameters.
inline constexpr int kJoinAlertReportParam = 88;
}  // namespace account_switch

// Profile model (537).
namespace profile {
// No argument -> {"user_type": int, "is_phone_bound": bool, "corp_id": string, ...}.
inline constexpr int kProfileBasic = 12;
// No argument -> {"pay_type": int, "pay_status": int, "account_type": int, "recycle_policy": int, ...}.
inline constexpr int kAccountState = 16;
// No argument -> {"account_type": int (0: free), ...}: the account's edition.
inline constexpr int kAccountEdition = 14;
}  // namespace profile

// Service entrance model (539): server-delivered configuration items.
namespace service_entrance {
// {"group_id": string, "id": string} -> the item's value, of the kind the reader expects.
inline constexpr int kReadConfigurationItem = 1;
// {"id"[, "attr"]} -> result: the entrance is visible.
inline constexpr int kEntranceVisible = 1;
}  // namespace service_entrance

// Custom layout model (557).
namespace custom_layout {
// No argument -> bool: the meeting uses a custom layout.
inline constexpr int kCustomLayoutMeeting = 3;
// No argument -> {"is_together_mode": bool, "stream": string}.
inline constexpr int kTogetherMode = 8;
}  // namespace custom_layout

// Hide video model (567).
namespace hide_video {
// No argument -> result: users without video are hidden.
inline constexpr int kHideNoVideoUser = 6;
// No argument -> result: the local user is hidden.
inline constexpr int kHideSelf = 7;
// {"hide_switch_type": 1} -> result: the hide-self switch is shown.
inline constexpr int kHideSelfSwitchVisible = 9;
}  // namespace hide_video

// Video pull model (569).
namespace video_pull {
// {"stream_id": string, "size_type": int, "enable": bool, "from_type": int (when enabling)}.
inline constexpr int kPull = 1;
// {"degrade_streams": [stream id]} or {"recover_streams": [stream id]}.
inline constexpr int kChangeQuality = 4;
// No argument -> a map keyed by the stream ids the media layer receives (or null for none).
inline constexpr int kReceivedStreams = 6;
}  // namespace video_pull

// Cast model (575).
namespace cast {
// No argument -> int: 2 or 3 while casting.
inline constexpr int kCastState = 13;
}  // namespace cast

// Stored layout model (582).
namespace stored_layout {
// No argument -> {"layout_id": string, "extra_layout_info": {"layout_id": string}}.
inline constexpr int kStoredLayout = 6;
}  // namespace stored_layout

// Meeting mode model (590).
namespace meeting_mode {
// No argument -> int: the meeting mode (InMeeting::MeetingMode).
inline constexpr int kMeetingMode = 0;
}  // namespace meeting_mode

// The meeting window models: main (591) and secondary (592) answer the same commands, except
// where a line names one of them. A view is {"stream_id": string, "user_id": string, "self": bool}.
namespace window {
// {"layout_type": int, "reason": int}.
inline constexpr int kSetLayoutType = 0;
// No argument -> int layout type.
inline constexpr int kLayoutType = 1;
// A view: shows it in the big view.
inline constexpr int kSetBigView = 2;
// No argument -> the big view.
inline constexpr int kBigView = 3;
// A view: shows it in the small view.
inline constexpr int kSetSmallView = 4;
// No argument -> the small view.
inline constexpr int kSmallView = 5;
// No argument -> bool: full screen.
inline constexpr int kFullScreen = 9;
// No argument -> bool: the big view is locked.
inline constexpr int kBigViewLocked = 10;
// Bool: turns immersive mode on or off.
inline constexpr int kSetImmersiveMode = 11;
// No argument -> bool: immersive mode.
inline constexpr int kImmersiveMode = 12;
// Main window, no argument -> result: the meeting window is visible.
inline constexpr int kWindowVisible = 14;
// Main window, no argument -> bool: the secondary window exists.
inline constexpr int kSecondaryWindowExist = 100;
// Secondary window, no argument -> bool: it is the active window.
inline constexpr int kSecondaryWindowActive = 201;
// No argument -> {"layout_type": int, "layout_mode": int, "small_view_types": unsigned int}.
inline constexpr int kLayoutInfo = 222;
// Main window, no argument -> bool: several screens may be used.
inline constexpr int kMultiScreenEnabled = 223;
}  // namespace window

// Video user count model (603).
namespace video_user_count {
// No argument -> unsigned int: the users with video.
inline constexpr int kVideoUserCount = 2;
}  // namespace video_user_count

// Common notify model (615): notification cards; each command takes the card's field map.
namespace common_notify {
// The map: shows the card.
inline constexpr int kShow = 0;
// The map: redraws the card with its current fields.
inline constexpr int kUpdate = 1;
// The map plus "remove_reason": int: removes the card.
inline constexpr int kRemove = 2;
// The map -> bool: the card is showing.
inline constexpr int kIsShowing = 3;
}  // namespace common_notify

// Web sharing model (647).
namespace web_sharing {
// No argument -> result: the shared web page is folded.
inline constexpr int kWebSharingFolded = 12;
// No argument -> bool: a Nordil document is shared.
inline constexpr int kNordilDocSharing = 19;
// No argument -> bool: a Bexa document is shared.
inline constexpr int kBexaDocSharing = 20;
}  // namespace web_sharing

// Voice print model (654).
namespace voice_print {
// No argument -> result: vocal enhancement is offered.
inline constexpr int kVocalEnhancementVisible = 3;
// No argument -> bool: a voice-print recording runs.
inline constexpr int kVoicePrintRecording = 11;
// {"from": string, "cancel_and_upload": bool}: stops the voice-print recording.
inline constexpr int kStopVoicePrintRecording = 12;
}  // namespace voice_print

// Common message model (693): message bars; each command takes the bar's field map.
namespace common_message {
// The map: shows the bar; the answer is ignored.
inline constexpr int kShow = 0;
// The map: redraws the bar with its current fields.
inline constexpr int kUpdate = 1;
// The map plus "remove_reason": int: removes the bar.
inline constexpr int kRemove = 2;
// The map -> bool: the bar is showing.
inline constexpr int kIsShowing = 3;
}  // namespace common_message

// Security control model (706).
namespace security_control {
// Item number (int; chat is 3) -> bool: a security control of the meeting covers that item.
inline constexpr int kUnderSecurityControl = 0;
}  // namespace security_control

// Meeting alarm model (712): the in-meeting alarms (banners), one shown at a time.
namespace meeting_alarm {
// No argument -> the alarm to show now: {"id": int (> 0), "title", "animation_type": int,
// "meeting_info_type": int, "btn_type": int (1 time card, 2 upgrade), "btn_title", "btn_tips",
// "category", "stay_duration", "btn_data": string}; an empty map when there is none.
inline constexpr int kCurrentAlarm = 0;
// Alarm id (int): the view starts animating this alarm.
inline constexpr int kAlarmPresenting = 1;
// Alarm id (int): the alarm has been shown to the user.
inline constexpr int kAlarmShown = 2;
// No argument -> bool: a countdown alarm is on screen.
inline constexpr int kCountdownAlarmShowing = 3;
}  // namespace meeting_alarm

// Meeting limit model (714): the time limit of the current meeting.
namespace meeting_limit {
// {"force_refresh": bool} -> {"limit_end_time": uint64 (0: no limit), "limit_start_time": uint64,
// "meeting_limit_grade": uint64, "used_promotion_card_num": uint32} (server seconds).
inline constexpr int kLimitInfo = 0;
// {"from_entrance": string}: spends a promotion (time) card; the answer comes as
// model_event::meeting_limit::kUsePromotionCardResult.
inline constexpr int kUsePromotionCard = 1;
}  // namespace meeting_limit

// View-model lifecycle model (716).
namespace view_model_lifecycle {
// {"vm_type": int, "vm_in_back": bool}: the view model went to or came back from the background.
inline constexpr int kViewModelInBack = 0;
// {"vm_type": int}: the view model is shown.
inline constexpr int kViewModelShown = 1;
}  // namespace view_model_lifecycle

// Notification centre model (721): entries of the in-meeting notification centre; show, update
// and remove take the entry's field map.
namespace notification_center {
// The map: shows the entry.
inline constexpr int kShow = 0;
// The map: redraws the entry with its current fields.
inline constexpr int kUpdate = 1;
// The map: removes the entry.
inline constexpr int kRemove = 2;
// No argument -> bool: the notification centre is on.
inline constexpr int kIsEnabled = 3;
}  // namespace notification_center

// Multi-join identify model (10065): one account in the meeting from several devices. Each takes
// {"user_id": string} and, where named, "media_state_type" (int, velto::MultiJoinUserIdentifyManager::
// MediaStateType) and "instance_type" (int, veltosdk::InstanceType).
namespace multi_join_identify {
// {"user_id", "media_state_type"} -> {"user_scene": unsigned int}.
inline constexpr int kUserSceneByMediaStateType = 7362693;
// {"user_id", "media_state_type", "instance_type"} -> {"is_other_instance_open_device": bool}.
inline constexpr int kIsOtherInstanceOpenDevice = 207013204;
// {"user_id", "media_state_type", "instance_type"} -> {"is_same_instance_by_userid": bool}.
inline constexpr int kIsSameInstanceByUserId = 328112175;
// {"user_id", "media_state_type"} -> {"av_user_id": string}.
inline constexpr int kAVUserIdByUserId = 389610443;
// A user record -> {"user_<state>" and "device_<state>": {"enable": bool}} for the seven media states.
inline constexpr int kUserMediaState = 535713918;
// {"user_id"} -> {"is_multi_join_mode": bool}.
inline constexpr int kIsMultiJoinMode = 805069389;
}  // namespace multi_join_identify

// Open app policy model (10058).
namespace open_app_policy {
// No argument -> result: the wide sidebar's staged-rollout switch is on for this client.
inline constexpr int kWideSidebarGray = 0;
// App id (string) -> result: the app is blocked.
inline constexpr int kAppInBlockList = 1;
}  // namespace open_app_policy

// Time type model (10056): which time the in-meeting time label shows.
namespace time_type {
// No argument -> {"current_time_type": int (1 elapsed time, 2 time limit)}.
inline constexpr int kCurrentTimeType = 0;
// {"current_time_type": int}: stores the type (fires nothing).
inline constexpr int kSetCurrentTimeType = 1;
}  // namespace time_type

// Record model (1000018).
namespace record {
// No argument -> {"record_type": int, "record_state": int}.
inline constexpr int kCloudRecording = 6;
// No argument -> bool: a quick (local) recording runs.
inline constexpr int kQuickRecordRunning = 63;
// {"from": string, "cancel_and_upload": bool}: stops the quick recording.
inline constexpr int kStopQuickRecord = 64;
}  // namespace record

// Company contacts model (1000029).
namespace company_contacts {
// {"total_count": unsigned int}: the webinar's attendee count changed.
inline constexpr int kWebinarAttendeeTotalCount = 1;
}  // namespace company_contacts

// Screen share model (1000021).
namespace screen_share {
// No argument -> bool: a screen is shared.
inline constexpr int kScreenSharing = 2;
// No argument -> bool: the local user shares a web page.
inline constexpr int kWebSharingBySelf = 26;
// No argument -> result: a whiteboard is shared.
inline constexpr int kSharingWhiteboard = 69;
// No argument -> bool: whiteboard signalling is on.
inline constexpr int kWhiteboardSignal = 81;
// No argument -> {"type": int (veltosdk share type), "web_app_window_type": int}.
inline constexpr int kShareWindowType = 90;
// No argument -> bool: sharing asks for the microphone view.
inline constexpr int kShareAsksForMicView = 103;
// No argument -> bool: screen capture settings are supported.
inline constexpr int kScreenCaptureSettings = 165;
}  // namespace screen_share

// Webinar attendee models: the application models that feature modules derive from
// velto::WebinarAttendeeModelBase (their ids are the modules'). Ranges are rows of the attendee
// list: {"start": unsigned int, "size": unsigned int}.
namespace webinar_attendee {
// {"start", "size", "force_update": bool (default false)}: the rows the list shows -> result: a
// new window of rows was handed to the attendee provider.
inline constexpr int kSetVisibleRange = 0;
// {"index": int} -> the attendee's record (the keys of an in-meeting user record); false when absent.
inline constexpr int kGetAttendeeByIndex = 1;
// No argument -> {"loaded_count": unsigned int} (no key while the provider is not ready).
inline constexpr int kGetLoadedAttendeeCount = 2;
// No argument -> {"total_count": unsigned int} (no key while the provider is not ready).
inline constexpr int kGetTotalAttendeeCount = 3;
// No argument: loads the next page.
inline constexpr int kLoadMore = 4;
// Bool: the list is shown (true) or hidden (false, the window goes back to the first page).
inline constexpr int kSetActive = 5;
// No argument: fires webinar_attendee event 5.
inline constexpr int kShowMoreButtonPopover = 6;
// No argument: fires event 6.
inline constexpr int kShowRaiseHandButtonTips = 7;
// Any value: fires event 7 with it.
inline constexpr int kShowHandsUpTrailTips = 8;
// {"index": int (default -1)}: remembers the row of the hands-up trail tips.
inline constexpr int kSetHandsupTrailTipsIndex = 9;
// No argument -> int: that row; false while none is remembered.
inline constexpr int kGetHandsupTrailTipsIndex = 10;
// Any value: handed to the model's OnPreSetVisibleRange.
inline constexpr int kPreSetVisibleRange = 11;
// No argument: fires event 9.
inline constexpr int kShowCompanyInfoTips = 12;
// No argument -> {"is_speak_open": bool}: the local user may speak.
inline constexpr int kGetAttendeeSpeakerState = 13;
}  // namespace webinar_attendee

// Models reached only through the module runtime, by the ids given here.

// Multi-screen lock model (534).
namespace multi_screen_lock {
// No argument -> bool: the multi-screen lock is on.
inline constexpr int kMultiScreenLock = 0;
}  // namespace multi_screen_lock

// Video push switch model (10032).
namespace video_push_switch {
// {"on": bool, "scene": int}: starts or stops pushing the local video.
inline constexpr int kPushVideo = 143794946;
}  // namespace video_push_switch

// Login support model (10070): which login entries the deployment allows.
namespace login_support {
// {"key": string, e.g. "disable_phone_login"} -> bool: that login entry is disabled.
inline constexpr int kIsLoginDisabled = 2;
// No argument -> string: the login the deployment forces ("" or missing: "yamu").
inline constexpr int kForcedLoginName = 3;
}  // namespace login_support

// Audio effect model (10000002): the audio engine's effective AI settings.
namespace audio_effect {
// No argument -> bool: bandwidth extension is in effect.
inline constexpr int kEffectiveBWE = 272615722;
// No argument -> bool: smart audio is in effect.
inline constexpr int kEffectiveSmart = 272615723;
// No argument -> bool: automatic microphone volume is in effect.
inline constexpr int kEffectiveAutoMicVolume = 272615724;
// No argument -> int: the system audio effect level.
inline constexpr int kEffectiveSystemEffect = 681311894;
}  // namespace audio_effect

// Beauty model (512).
namespace beauty {
// No argument -> result: the light face-beauty engine runs.
inline constexpr int kIsLiteEngine = 1;
}  // namespace beauty

// Sidebar app model (641).
namespace sidebar_app {
// The caller's parameters: shows the sidebar's splitter guide.
inline constexpr int kShowSpliterGuide = 25;
}  // namespace sidebar_app

// Theme model (10074).
namespace theme {
// No argument -> result: the dark theme is on.
inline constexpr int kIsDark = 1;
}  // namespace theme

// Operation alert model (1000041).
namespace operation_alert {
// {"from_source"} -> result: blocking may be skipped at all.
inline constexpr int kSkipBlock = 3;
// {"from_source"} -> bool, or {"need_block": bool, "from_scheme": the source that blocks}:
// the operation must wait for the block view.
inline constexpr int kNeedBlock = 0;
// {"reason"}: pull the show rules.
inline constexpr int kPullShowRules = 20;
// {"operation_type", "scheme_path"}: queue an alert.
inline constexpr int kAddAlert = 21;
}  // namespace operation_alert

// Room switch model (622).
namespace room_switch {
// No argument -> result: a room switch is under way.
inline constexpr int kIsRoomSwitching = 1;
}  // namespace room_switch

// Switch account toast model (1000046).
namespace switch_account_toast {
// No argument -> {"name", "content", "icon"}: the toast waiting to be shown.
inline constexpr int kPendingSwitchToast = 9;
// Shows the toast.
inline constexpr int kShowSwitchToast = 5;
}  // namespace switch_account_toast

// A module's view service (not a model: the same Call shape on a module runtime's service).
namespace view_service {
// The view params: makes the view.
inline constexpr int kCreateView = 0;
}  // namespace view_service

}  // namespace velto::model_command

// Events (the first argument of Subscribe and SubscribeWithLocation), one namespace per model.
namespace velto::model_event {

// Event bus model (502): the bus events, the "event_id" of the bus's kPostEvent and
// kAlertInterruption.
namespace event_bus {
// Posted with {"delay": bool, "type": unsigned int (when given)}: the meeting window goes immersive.
inline constexpr int kEnterImmersiveMode = 12;
// Posted with {"request_with_no_timer": bool, "request_with_delay": bool}.
inline constexpr int kLeaveImmersiveMode = 13;
// Posted with {"can_close_camera_preview": true}: may the camera preview close? A subscriber
// that needs it sets "can_close_camera_preview" false and a "reason" in the poster's map.
inline constexpr int kRequestCloseCameraPreview = 17;
// Posted with {"can_close": true}: may the camera close? A subscriber that needs it sets
// "can_close" false and a "reason" in the poster's map.
inline constexpr int kRequestCloseCamera = 52;
// Asked about with kAlertInterruption before the audio exception alert shows.
inline constexpr int kAudioExceptionAlert = 125;
// Posted without keys.
inline constexpr int kHideMeetingInfoTopBar = 133;
// Posted without keys.
inline constexpr int kShowMeetingInfoTopBar = 134;
// The meeting view goes away.
inline constexpr int kDismissMeetingView = 96;
// Heard (payload unread): the meeting window entered immersive mode.
inline constexpr int kDidEnterImmersiveMode = 10;
// Heard (payload unread): the meeting window left immersive mode.
inline constexpr int kDidLeaveImmersiveMode = 11;
}  // namespace event_bus

// Authorization model (504). The reconnect and logout payloads go to the authorization view
// model's hooks as they are.
namespace authorization {
// {"auth_state": int, "auth_type": int, "auth_result": int (0: success)}; null: ask kCallFuncQueryAuthData.
inline constexpr int kAuthResult = 1;
// {"router_action": int (7: account violation, 0: device conflict)}; a priority event as well.
inline constexpr int kNotifyLogout = 2;
// Payload to OnNetworkBreakup.
inline constexpr int kNetworkBreakup = 4;
// Priority event, {"auth_result": int, "auth_type": int, "need_show_alert": bool}; kLastAuthResult fills gaps.
inline constexpr int kAuthFailed = 5;
// Payload to OnReconnectSuccess.
inline constexpr int kReconnectSuccess = 6;
// Priority event, payload to OnReconnectFailed.
inline constexpr int kReconnectFailed = 7;
// Payload to OnReconnecting.
inline constexpr int kReconnecting = 8;
// Payload to OnReconnectStop.
inline constexpr int kReconnectStop = 9;
// Priority event, {"verify_url": string, "tips": string}: real-name verification is required.
inline constexpr int kCorpRealNameVerifyNotify = 20;
// Payload unread: closes the real-name verification alert.
inline constexpr int kCloseCorpRealNameVerifyAlert = 21;
// {"auth_state": int}.
inline constexpr int kAuthorizeStateUpdate = 27;
}  // namespace authorization

// User model (508). The list events carry an array of user indexes (int).
namespace user {
// The indexes of the users who joined.
inline constexpr int kUserAdd = 1;
// The indexes of the users whose records changed (kOldUserInfoByIndex gives the old record).
inline constexpr int kUserUpdate = 2;
// The indexes of the users leaving; their records are still looked up while it is delivered.
inline constexpr int kUserRemove = 3;
// Null payload: the whole list changed; read it again with kUserIndexList.
inline constexpr int kUserCacheChanged = 4;
// Payload unread.
inline constexpr int kUserInfoBeforeChange = 40;
// Payload unread.
inline constexpr int kUserInfoAfterChange = 41;
}  // namespace user

// Camera model (509): the answers to the access requests.
namespace camera {
// Bool: microphone access was granted.
inline constexpr int kMicPermissionResult = 44;
// Bool: camera access was granted.
inline constexpr int kCameraPermissionResult = 45;
}  // namespace camera

// Audio model (510).
namespace audio {
// {"close_alert": bool, "user_trigger": bool}: a device exception arose (kDeviceException tells
// which) or, with "close_alert", ended.
inline constexpr int kAudioException = 57;
// {"is_mic_access", "from"}: the microphone access check's result.
inline constexpr int kMicAccessResult = 34;
}  // namespace audio

// Meeting model (514). Payloads unread.
namespace meeting {
// The local user joined: the member list is built afresh.
inline constexpr int kJoinComplete = 1;
// The local user left.
inline constexpr int kLeaveComplete = 2;
// The meeting switched to audio only.
inline constexpr int kSwitchToAudioMode = 9;
// The local user was moved to the waiting room.
inline constexpr int kSelfMoveToWaitingRoom = 14;
// The meeting was dismissed.
inline constexpr int kDismissComplete = 23;
// The local user was moved from the waiting room into the meeting.
inline constexpr int kSelfMoveToMeetingRoom = 15;
// Priority event (priority 1), the join request's map with "subscriber_token": a join went
// through; the subscriber whose token it is stops the event when it took the join over.
inline constexpr int kJoinMeetingConfirm = 33;
// A join request was cancelled.
inline constexpr int kJoinMeetingCancel = 34;
}  // namespace meeting

// Profile model (537).
namespace profile {
// Priority event, payload to HandleInMeetingAuthViolation.
inline constexpr int kProfileViolation = 29;
}  // namespace profile

// Meeting time model (516).
namespace meeting_time {
// Uint64: the elapsed seconds, every second.
inline constexpr int kElapsedTime = 3;
}  // namespace meeting_time

// Meeting settings model (523).
namespace meeting_settings {
// Payload unread: "is_elapsed_time_enabled" changed.
inline constexpr int kElapsedTimeVisibilityChanged = 2;
}  // namespace meeting_settings

// Meeting mode model (590).
namespace meeting_mode {
// Payload unread: the meeting mode changed.
inline constexpr int kMeetingModeChanged = 1;
}  // namespace meeting_mode

// Main window model (591).
namespace main_window {
// Payload unread: the window's state (minimised, covered, restored) changed.
inline constexpr int kWindowStateChanged = 7;
}  // namespace main_window

// Meeting alarm model (712).
namespace meeting_alarm {
// Payload unread: the alarm to show may have changed; ask kCurrentAlarm.
inline constexpr int kAlarmUpdated = 0;
}  // namespace meeting_alarm

// Meeting limit model (714).
namespace meeting_limit {
// The kLimitInfo map: the meeting's time limit changed.
inline constexpr int kLimitInfoUpdated = 1;
// {"success": bool, "err_msg": string}: the answer to kUsePromotionCard.
inline constexpr int kUsePromotionCardResult = 3;
}  // namespace meeting_limit

// Time type model (10056).
namespace time_type {
// {"current_time_type": int}: the user chose another time in the time menu.
inline constexpr int kTimeTypeChanged = 0x1c278dc5;
// Payload unread: the time menu closed.
inline constexpr int kTimeMenuClosed = 0x302bf3f7;
}  // namespace time_type

// Custom layout model (557).
namespace custom_layout {
// Payload unread.
inline constexpr int kCustomLayoutInfoChanged = 1;
}  // namespace custom_layout

// Voice activated model (562).
namespace voice_activated {
// Array of {"user_index": int}: the users recently heard.
inline constexpr int kVoiceActivatedHistoryChanged = 5;
}  // namespace voice_activated

// Hide video model (567).
namespace hide_video {
// Payload unread.
inline constexpr int kHideMeetingUserChanged = 1;
}  // namespace hide_video

// Video model (511).
namespace video {
// {"is_camera_access", "from"}: the camera access check's result.
inline constexpr int kCameraAccessResult = 41;
// {"device_id", "device_state", "error_type", "user_trigger"}: a camera device exception, or
// {"close_alert": true} when its alert should go.
inline constexpr int kDeviceException = 45;
}  // namespace video

// Permission model (609).
namespace permission {
// {"list": [{"permission_type": unsigned int (3: speak), "is_open": bool}], "from_host": bool}:
// the local user's permissions changed.
inline constexpr int kSelfPermissionsChanged = 2;
}  // namespace permission

// Settings window model (1000008).
namespace settings_window {
// The settings item the user selected (payload handed on as it is).
inline constexpr int kSelectSettingItem = 0;
}  // namespace settings_window

// Operation alert model (1000041).
namespace operation_alert {
// {"operation_type"}: show a queued alert now.
inline constexpr int kShow = 1;
// An array of integers: alert types not to queue.
inline constexpr int kIgnoreList = 2;
}  // namespace operation_alert

// A module's view service.
namespace view_service {
// The params plus "view": an item's view was set.
inline constexpr int kItemSet = 1;
}  // namespace view_service

// Webinar attendee models (velto::WebinarAttendeeModelBase), fired by the model itself.
namespace webinar_attendee {
// {"range": {"start", "size"}}: the provider loaded these rows.
inline constexpr int kLoadedAttendeeRangeUpdate = 0;
// {"loaded_count": unsigned int}.
inline constexpr int kLoadedAttendeeCountChanged = 1;
// {"total_count": unsigned int}.
inline constexpr int kTotalAttendeeCountChanged = 2;
// Null value: a LoadMore finished.
inline constexpr int kLoadMoreFinished = 3;
// No payload: show the "more" button's popover.
inline constexpr int kShowMoreButtonPopover = 5;
// No payload: show the raise-hand button's tips.
inline constexpr int kShowRaiseHandButtonTips = 6;
// The command's input: show the hands-up trail tips.
inline constexpr int kShowHandsUpTrailTips = 7;
// No payload: show the company information tips.
inline constexpr int kShowCompanyInfoTips = 9;
}  // namespace webinar_attendee

}  // namespace velto::model_event
