// Every audio question and action against the answers it expects, a missing model (or media
// engine), a failing call and an answer of the wrong kind.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/ui_viewmodel.h"
#include "hostkit/navigation.h"
#include "module_api/audio/audio_exception.h"
#include "module_api/audio/audio_utils.h"
#include "module_api/model_ids.h"
#include "query_table.h"

namespace {

namespace audio = velto_common::utils::audio;
namespace audio_exception = velto_common::utils::audio_exception;
namespace id = velto::model_id;
using hostkit::Json;
using hostkit::MeetingFixture;
using namespace query_table;
using vlp::av::AudioDeviceKind;
using vlp::av::AudioFeature;
using vlp::av::AudioMute;
using vlp::av::AudioVolume;

constexpr int kAudioEffectModel = 10000002;

Source Setting() { return Answered(id::kConfigurationModel, 3, true, "yes", false); }
Source SettingWrite() { return CallResult(id::kConfigurationModel, 4, true); }
Source Item() { return Answered(id::kServiceEntranceModel, 1, true, "yes", false); }
Source AudioCall(int command) { return CallResult(id::kAudioModel, command, true); }
Source AudioAnswer(int command, Variant good, Variant wrong = Variant("wrong kind")) {
  return Answered(id::kAudioModel, command, std::move(good), std::move(wrong));
}

std::shared_ptr<const framework::Context> Host() { return std::make_shared<framework::Context>(42, "meeting"); }

size_t AlertPagePushes() {
  size_t pushes = 0;
  for (const auto& navigation : hostkit::Navigations()) {
    pushes += navigation.kind == hostkit::NavigationKind::kPush &&
              navigation.page == audio_exception::kAudioExceptionAlertPage;
  }
  return pushes;
}

// A record whose own device (this client instance) has the flag on and the record's top-level
// key off: the device entry must win.
Variant RecordWithOwnDevice() {
  return Json(R"({"user_id": "u-self", "audio": false, "audio_connect": false, "share_audio_on": false,
                  "device_list": [{"instance_id": "other", "audio_on": false},
                                  {"instance_id": "default", "audio_on": true, "audio_connect": true,
                                   "share_audio_on": true}]})");
}

std::vector<Row> ConnectAndExceptionRows() {
  const Variant exception = Json(R"({"device_id": "mic-1", "device_type": 1, "error_type": 1})");
  const Variant exception_wrong = Json(R"({"device_id": "mic-1", "device_type": "1", "error_type": 1})");
  return {
      {"GetAudioConnectMode",
       AudioAnswer(68, Json(R"({"audio_connect_mode": 2})"), Json(R"({"audio_connect_mode": "2"})")),
       [] { return Text(static_cast<int>(audio::GetAudioConnectMode())); }, "2", "-1"},
      {"SetAudioConnectMode", AudioCall(69),
       [] { return Text(audio::SetAudioConnectMode(Json(R"({"from_join": true, "default_mic_on": false})"))); },
       "true", "false"},
      {"IsAudioConnectModePstn",
       AudioAnswer(68, Json(R"({"audio_connect_mode": 2})"), Json(R"({"audio_connect_mode": "2"})")),
       [] { return Text(audio::IsAudioConnectModePstn()); }, "true", "false"},
      {"PushAudio", AudioCall(90),
       [] { return Text(audio::PushAudio(Json(R"({"is_grant": true, "from_user": "u-1", "type": 1})"))); }, "true",
       "false"},
      {"IsAudioPushed", AudioAnswer(91, Json(R"({"is_pushed": true})"), Json(R"({"is_pushed": 1})")),
       [] { return Text(audio::IsAudioPushed()); }, "true", "false"},
      {"GetAudioPushedType", AudioAnswer(91, Json(R"({"type": 2})"), Json(R"({"type": "2"})")),
       [] { return Text(audio::GetAudioPushedType()); }, "2", "-1"},
      {"EnableShareAudio", AudioCall(23), [] { return Text(audio::EnableShareAudio(true)); }, "true", "false"},
      {"IsMicOnLoading", AudioAnswer(118, true), [] { return Text(audio::IsMicOnLoading()); }, "true", "false"},
      {"TryShowAudioDetectWindow", AudioCall(128), [] { return Text(audio::TryShowAudioDetectWindow()); }, "true",
       "false"},
      {"IsShowAudioDetectPageEntrance", Item(), [] { return Text(audio::IsShowAudioDetectPageEntrance()); }, "true",
       "false"},
      {"HasAudioDeviceException", AudioAnswer(93, true), [] { return Text(audio::HasAudioDeviceException()); },
       "true", "false"},
      {"GetDeviceExceptionInfo", AudioAnswer(94, exception, exception_wrong),
       [] {
         audio::AudioDeviceState state;
         if (!audio::GetDeviceExceptionInfo(state)) return std::string("false");
         return state.GetDeviceId() + "/" + Text(static_cast<int>(state.GetDeviceType())) + "/" +
                Text(static_cast<int>(state.GetErrorType()));
       },
       "mic-1/1/1", "false"},
      {"TryShowDeviceExceptionAlert", AudioCall(97), [] { return Text(audio::TryShowDeviceExceptionAlert()); },
       "true", "false"},
      {"IsNewAudioDeviceExceptionOpen", Item(), [] { return Text(audio::IsNewAudioDeviceExceptionOpen()); }, "true",
       "false"},
      {"GetMicAccessibility",
       AudioAnswer(111, Json(R"({"mic_accessible": false, "mic_state": 0})"),
                   Json(R"({"mic_accessible": "no", "mic_state": 0})")),
       [] {
         Variant out = Variant::Map();
         audio::GetMicAccessibility(Json(R"({"from": "table"})"), out);
         return out.ToJsonStr();
       },
       R"({"mic_accessible":false,"mic_state":0})", "{}"},
      {"RaiseMicNotAccessAlert", AudioCall(112), [] { return Text(audio::RaiseMicNotAccessAlert()); }, "true",
       "false"},
      {"MakeMicNotAccessData", None(),
       [] {
         Variant out = Variant::Map();
         audio::MakeMicNotAccessData(out);
         return out.GetString("confirm_command");
       },
       "ms-settings:privacy-microphone", ""},
      {"IsDeviceAudioOn", None(), [] { return Text(audio::IsDeviceAudioOn(RecordWithOwnDevice())); }, "true", ""},
      {"IsDeviceShareAudioOn", None(), [] { return Text(audio::IsDeviceShareAudioOn(RecordWithOwnDevice())); },
       "true", ""},
      {"IsDeviceAudioDeviceConnect", None(),
       [] { return Text(audio::IsDeviceAudioDeviceConnect(RecordWithOwnDevice())); }, "true", ""},
      {"UpdateDeviceLocalAudio", None(),
       [] {
         Variant record = RecordWithOwnDevice();
         audio::UpdateDeviceLocalAudio(record);
         return Text(record.GetBoolean("audio")) + "/" + Text(record.GetBoolean("audio_connect"));
       },
       "true/true", ""},
      {"GetLastMicOnState", AudioAnswer(130, true), [] { return Text(audio::GetLastMicOnState()); }, "true",
       "false"},
      {"GetDefaultMicState",
       AudioAnswer(131, Json(R"({"default_mic_on": false, "default_mic_off_reason": 3})"),
                   Json(R"({"default_mic_on": "no"})")),
       [] {
         Variant out = Variant::Map();
         audio::GetDefaultMicState(out);
         return out.ToJsonStr();
       },
       R"({"default_mic_on":false,"default_mic_off_reason":3})", "{}"},
      {"GetForceMicOnWhenJoined", AudioAnswer(132, true), [] { return Text(audio::GetForceMicOnWhenJoined()); },
       "true", "false"},
      {"EnableAudioStartMic", AudioCall(133), [] { return Text(audio::EnableAudioStartMic(true)); }, "true", "false"},
      {"EnableOccupyMic", AudioCall(134), [] { return Text(audio::EnableOccupyMic(true)); }, "true", "false"},
      {"EnableDriveMode", AudioCall(135), [] { return Text(audio::EnableDriveMode(true)); }, "true", "false"},
      {"IsEnableDriveMode", AudioAnswer(136, true), [] { return Text(audio::IsEnableDriveMode()); }, "true", "false"},
      {"EnableMusicMode", AudioCall(137), [] { return Text(audio::EnableMusicMode(true)); }, "true", "false"},
      {"IsEnableMusicMode", AudioAnswer(138, true), [] { return Text(audio::IsEnableMusicMode()); }, "true", "false"},
      {"NotifyMusicModeChanged", AudioCall(139), [] { return Text(audio::NotifyMusicModeChanged("user")); }, "true",
       "false"},
      {"ResetVocalEnhancement", AudioCall(140), [] { return Text(audio::ResetVocalEnhancement()); }, "true", "false"},
      {"GetCurrentSpeakerList", AudioAnswer(141, Json(R"([{"user_id": "u-1"}])"), Json(R"({"user_id": "u-1"})")),
       [] { return Text(audio::GetCurrentSpeakerList()); }, R"([{"user_id":"u-1"}])", "[]"},
      // The associate user's record is handed on as the model gives it.
      {"GetAssociateUserInfo", Flat(AudioAnswer(142, Json(R"({"user_id": "u-2"})"), Json(R"(["u-2"])"))),
       [] {
         Variant out = Variant::Map();
         audio::GetAssociateUserInfo(out);
         return out.ToJsonStr();
       },
       R"({"user_id":"u-2"})", "{}", "=", "=", R"({"unrelated_key":1})"},
      {"UpdateMicState", AudioCall(143), [] { return Text(audio::UpdateMicState(Json(R"({"mic_on": true})"))); },
       "true", "false"},
      {"ShowDesktopSelectVideoDevice", None(),
       [] {
         audio::ShowDesktopSelectVideoDevice(Host(), Json(R"({"from": "join"})"));
         const auto& last = hostkit::Navigations().back();
         return last.page + " " + Text(last.arguments.GetBoolean("show_audio_connect_mode_select_view"));
       },
       "velto://page/inmeeting/audio_connect_mode_select true", ""},
      {"ShowMobileSelectVideoDevice", None(),
       [] {
         std::string heard = "nothing";
         audio::ShowMobileSelectVideoDevice(nullptr, [&heard](bool chosen) { heard = Text(chosen); }, true);
         return heard;
       },
       "false", ""},
  };
}

std::vector<Row> SettingRows() {
  const std::pair<const char*, bool (*)()> readers[] = {
      {"GetProfessionalMusicModeEnable", &audio::GetProfessionalMusicModeEnable},
      {"GetProfessionalMusicModeEnableForAllDevices", &audio::GetProfessionalMusicModeEnableForAllDevices},
      {"GetProfessionalAudioModeAGCEnable", &audio::GetProfessionalAudioModeAGCEnable},
      {"GetEchoCancellationModeEnable", &audio::GetEchoCancellationModeEnable},
      {"GetHighFidelityModeEnable", &audio::GetHighFidelityModeEnable},
      {"GetStereoModeEnable", &audio::GetStereoModeEnable},
      {"GetHistoryCompatibleState", &audio::GetHistoryCompatibleState},
      {"GetSuppreNoiseModeEnable", &audio::GetSuppreNoiseModeEnable},
      {"GetSuppreNoiseRadioMode", &audio::GetSuppreNoiseRadioMode},
      {"GetEnhanceVoicePrintStatus", &audio::GetEnhanceVoicePrintStatus},
      {"IsFirstTimeUseEnhanceVoice", &audio::IsFirstTimeUseEnhanceVoice},
  };
  const std::pair<const char*, bool (*)(bool)> writers[] = {
      {"EnableProfessionalMusicMode", &audio::EnableProfessionalMusicMode},
      {"EnableProfessionalMusicModeForAllDevices", &audio::EnableProfessionalMusicModeForAllDevices},
      {"EnableProfessionalAudioModeAGC", &audio::EnableProfessionalAudioModeAGC},
      {"EnableEchoCancellationMode", &audio::EnableEchoCancellationMode},
      {"EnableHighFidelityMode", &audio::EnableHighFidelityMode},
      {"EnableStereoMode", &audio::EnableStereoMode},
      {"ChangeHistoryCompatibleState", &audio::ChangeHistoryCompatibleState},
      {"EnableSuppreNoiseMode", &audio::EnableSuppreNoiseMode},
      {"ChangeSuppreNoiseRadioMode", &audio::ChangeSuppreNoiseRadioMode},
      {"ChangeEnhanceVoicePrintStatus", &audio::ChangeEnhanceVoicePrintStatus},
      {"EnableAudioBWE", &audio::EnableAudioBWE},
      {"EnableAudioSmart", &audio::EnableAudioSmart},
      {"EnableAutoMicVolume", &audio::EnableAutoMicVolume},
  };
  std::vector<Row> rows;
  for (const auto& [name, reader] : readers) {
    rows.push_back({name, Setting(), [reader = reader] { return Text(reader()); }, "true", "false"});
  }
  for (const auto& [name, writer] : writers) {
    rows.push_back({name, SettingWrite(), [writer = writer] { return Text(writer(true)); }, "true", "false"});
  }
  rows.push_back({"GetProfessionalMusicModeEnableForDevice", Setting(),
                  [] { return Text(audio::GetProfessionalMusicModeEnableForDevice("spk-1")); }, "true", "false"});
  rows.push_back({"EnableProfessionalMusicModeForDevice", SettingWrite(),
                  [] { return Text(audio::EnableProfessionalMusicModeForDevice("spk-1", true)); }, "true", "false"});
  rows.push_back({"GetEnhanceVoiceMode", Answered(id::kConfigurationModel, 3, 2, "2", false),
                  [] { return Text(static_cast<int>(audio::GetEnhanceVoiceMode())); }, "2", "0"});
  rows.push_back({"ChangeEnhanceVoiceMode", SettingWrite(),
                  [] { return Text(audio::ChangeEnhanceVoiceMode(audio::kEnhanceVoiceVocal)); }, "true", "false"});
  rows.push_back({"GetProfessionalMusicModeEnableNew", Answered(id::kConfigurationModel, 3, 2, "2", false),
                  [] { return Text(audio::GetProfessionalMusicModeEnableNew()); }, "true", "false"});
  rows.push_back({"GetVoiceEnhancementModeEnable", Answered(id::kConfigurationModel, 3, 1, "1", false),
                  [] { return Text(audio::GetVoiceEnhancementModeEnable()); }, "true", "false"});
  rows.push_back({"UsedEnhanceVoice", SettingWrite(), [] { return Text(audio::UsedEnhanceVoice()); }, "true",
                  "false"});
  rows.push_back({"IsEnableAudioBWE", Answered(kAudioEffectModel, 272615722, true),
                  [] { return Text(audio::IsEnableAudioBWE()); }, "true", "false"});
  rows.push_back({"IsEnableAudioSmart", Answered(kAudioEffectModel, 272615723, true),
                  [] { return Text(audio::IsEnableAudioSmart()); }, "true", "false"});
  rows.push_back({"IsEnableAutoMicVolume", Answered(kAudioEffectModel, 272615724, true),
                  [] { return Text(audio::IsEnableAutoMicVolume()); }, "true", "false"});
  rows.push_back({"GetAudioSystemEffectMode", Answered(kAudioEffectModel, 681311894, 3, "3"),
                  [] { return Text(audio::GetAudioSystemEffectMode()); }, "3", "-1"});
  rows.push_back({"SetAudioSystemEffectMode", CallResult(id::kConfigurationModel, 2, true),
                  [] { return Text(audio::SetAudioSystemEffectMode(2)); }, "true", "false"});
  rows.push_back({"IsEnableInMeetingVoicePrintStatus", Item(),
                  [] { return Text(audio::IsEnableInMeetingVoicePrintStatus()); }, "true", "false"});
  return rows;
}

std::vector<Row> DeviceRows() {
  auto volume = [](const char* name, AudioVolume which, int32_t (*getter)()) {
    return Row{name, Engine([which](MeetingFixture&) { hostkit::SetAudioVolume(which, 70); }),
               [getter] { return Text(getter()); }, "70", "-1"};
  };
  auto action = [](const char* name, const char* operation, std::function<bool()> run) {
    return Row{name, Engine([](MeetingFixture&) {}, operation), [run] { return Text(run()); }, "true", "false"};
  };
  auto fact = [](const char* name, std::function<void()> good, std::function<std::string()> run, std::string value,
                 std::string failure) {
    return Row{name, Engine([good](MeetingFixture&) { good(); }), std::move(run), std::move(value),
               std::move(failure)};
  };
  return {
      volume("GetMicVolume", AudioVolume::kMic, &audio::GetMicVolume),
      volume("GetMicDynamicVolume", AudioVolume::kMicDynamic, &audio::GetMicDynamicVolume),
      volume("GetSpeakerVolume", AudioVolume::kSpeaker, &audio::GetSpeakerVolume),
      volume("GetSpeakerSystemVolume", AudioVolume::kSpeakerSystem, &audio::GetSpeakerSystemVolume),
      volume("GetSystemSpeakerVolume", AudioVolume::kSystemSpeaker, &audio::GetSystemSpeakerVolume),
      volume("GetAccompanyVolume", AudioVolume::kAccompany, &audio::GetAccompanyVolume),
      action("SetMicVolume", "SetVolume", [] { return audio::SetMicVolume(40); }),
      action("SetSpeakerVolume", "SetVolume", [] { return audio::SetSpeakerVolume(40); }),
      action("SetSpeakerSystemVolume", "SetVolume", [] { return audio::SetSpeakerSystemVolume(40); }),
      action("SetSystemSpeakerMute", "SetMuted", [] { return audio::SetSystemSpeakerMute(true); }),
      action("SetVirtualSystemSpeakerMute", "SetMuted", [] { return audio::SetVirtualSystemSpeakerMute(true); }),
      action("MuteAudioOutput", "SetMuted", [] { return audio::MuteAudioOutput(true); }),
      action("PreviewMic", "PreviewMic", [] { return audio::PreviewMic(Json(R"({"device_id": "mic-1", "on": true})")); }),
      action("PreviewSpeaker", "PreviewSpeaker",
             [] {
               return audio::PreviewSpeaker(
                   Json(R"({"device_id": "spk-1", "on": true, "file_path": "/tmp/ring.wav", "loop_count": 2})"));
             }),
      action("AudioDetectMicRecord", "RecordMic",
             [] {
               return audio::AudioDetectMicRecord(
                   Json(R"({"device_id": "mic-1", "start": true, "file_path": "/tmp/test.wav"})"));
             }),
      action("PlayAudioOnDefaultSpeaker", "Play", [] { return audio::PlayAudioOnDefaultSpeaker("/tmp/ring.wav", 1); }),
      action("PrepareAudioPlayerOnDefaultSpeaker", "SpeakerStart",
             [] { return audio::PrepareAudioPlayerOnDefaultSpeaker(); }),
      action("SetSpeakerMode", "SetSpeakerMode", [] { return audio::SetSpeakerMode(1); }),
      action("RebootAudioDriver", "RebootDriver", [] { return audio::RebootAudioDriver(); }),
      action("SetAudioNsLevel", "SetNoiseSuppressionLevel", [] { return audio::SetAudioNsLevel(2, "table"); }),
      action("EnableSpeakerEnhance", "EnableSpeakerEnhance", [] { return audio::EnableSpeakerEnhance(true); }),
      fact("IsSystemSpeakerMute", [] { hostkit::SetAudioMuted(AudioMute::kSystemSpeaker, true); },
           [] { return Text(audio::IsSystemSpeakerMute()); }, "true", "false"),
      fact("GetMicSystemDefaultDevice", [] { hostkit::SetDefaultAudioDevice(AudioDeviceKind::kMic, "mic-1"); },
           [] { return audio::GetMicSystemDefaultDevice(); }, "mic-1", ""),
      fact("GetSpeakerSystemDefaultDevice",
           [] { hostkit::SetDefaultAudioDevice(AudioDeviceKind::kSpeaker, "spk-1"); },
           [] { return audio::GetSpeakerSystemDefaultDevice(); }, "spk-1", ""),
      fact("GetMicEndPointId", [] { hostkit::SetAudioEndpointId(AudioDeviceKind::kMic, "mic-1", "ep-mic"); },
           [] { return audio::GetMicEndPointId("mic-1"); }, "ep-mic", ""),
      fact("GetSpeakerEndPointId", [] { hostkit::SetAudioEndpointId(AudioDeviceKind::kSpeaker, "spk-1", "ep-spk"); },
           [] { return audio::GetSpeakerEndPointId("spk-1"); }, "ep-spk", ""),
      fact("IsSpeakerModeEarphoneEnable", [] { hostkit::SetSpeakerModeEarphoneEnable(true); },
           [] { return Text(audio::IsSpeakerModeEarphoneEnable()); }, "true", "false"),
      fact("GetAudioNsLevel", [] { hostkit::SetNoiseSuppressionLevel(2); },
           [] { return Text(audio::GetAudioNsLevel()); }, "2", "-1"),
      fact("IsSupportAudioBWE", [] { hostkit::SetAudioFeatureSupported(AudioFeature::kBandwidthExtension, true); },
           [] { return Text(audio::IsSupportAudioBWE()); }, "true", "false"),
      fact("IsSupportAudioSmart", [] { hostkit::SetAudioFeatureSupported(AudioFeature::kSmartAudio, true); },
           [] { return Text(audio::IsSupportAudioSmart()); }, "true", "false"),
      fact("IsSupportAudioDenoise", [] { hostkit::SetAudioFeatureSupported(AudioFeature::kDenoise, true); },
           [] { return Text(audio::IsSupportAudioDenoise()); }, "true", "false"),
  };
}

std::vector<Row> ExceptionAlertRows() {
  const Variant exception = Json(R"({"device_id": "mic-1", "device_type": 1, "error_type": 1})");
  const Variant exception_wrong = Json(R"({"device_id": "mic-1", "device_type": "1", "error_type": 1})");
  Source subscribed;
  subscribed.good = [](MeetingFixture&) {};
  subscribed.remove = [] { hostkit::RemoveModel(id::kAudioModel); };
  subscribed.logs_when_missing = false;
  auto subscribers = [] {
    hostkit::ScriptedModel* model = hostkit::FindModel(id::kAudioModel);
    return model ? Text(static_cast<unsigned long>(model->SubscriberCount(audio_exception::kAudioExceptionEvent)))
                 : std::string("no model");
  };
  auto check = [](void (*post)()) {
    return [post] {
      audio_exception::RegisterAudioExceptionAlertHost(Host());
      audio_exception::SetJoinMeetingAudioSelectComplete(true);
      post();
      hostkit::RunUntilIdle();
      return Text(static_cast<unsigned long>(AlertPagePushes()));
    };
  };
  Source raised = With(AudioAnswer(93, true),
                       [](MeetingFixture& f) { f.RaiseAudioDeviceException("mic-1", 1, 1); });
  return {
      {"RegisterAudioExceptionAlertHost", subscribed,
       [subscribers] {
         audio_exception::RegisterAudioExceptionAlertHost(Host());
         return subscribers();
       },
       "1", "no model"},
      {"UnregisterAudioExceptionAlertHost", subscribed,
       [subscribers] {
         auto host = Host();
         audio_exception::RegisterAudioExceptionAlertHost(host);
         audio_exception::UnregisterAudioExceptionAlertHost(host);
         return subscribers();
       },
       "0", "no model"},
      {"SetJoinMeetingAudioSelectComplete", raised,
       [] {
         audio_exception::RegisterAudioExceptionAlertHost(Host());
         audio_exception::SetJoinMeetingAudioSelectComplete(false);
         audio_exception::CheckAudioException();
         hostkit::RunUntilIdle();
         const size_t before = AlertPagePushes();
         audio_exception::SetJoinMeetingAudioSelectComplete(true);
         audio_exception::CheckAudioException();
         hostkit::RunUntilIdle();
         return Text(static_cast<unsigned long>(before)) + "/" + Text(static_cast<unsigned long>(AlertPagePushes()));
       },
       "0/1", "0/0"},
      {"CheckAudioException", raised, check(&audio_exception::CheckAudioException), "1", "0"},
      {"TryNextAudioException", raised, check(&audio_exception::TryNextAudioException), "1", "0"},
      {"HasAudioException", AudioAnswer(93, true), [] { return Text(audio_exception::HasAudioException()); }, "true",
       "false"},
      {"GetAudioExceptionUIInfo", AudioAnswer(94, exception, exception_wrong),
       [] {
         framework::UIViewModel view_model;
         Variant out = Variant::Map();
         if (!audio_exception::GetAudioExceptionUIInfo(&view_model, 0, out, Variant::Map())) return std::string("false");
         return Text(out.GetInt32("main_action_type")) + "/" + Text(out.GetInt32("sub_action_type")) + "/" +
                Text(out.GetInt32("third_action_type"));
       },
       "2/4/10", "false"},
      {"HandleAudioException", AudioCall(98),
       [] {
         audio_exception::HandleAudioException(Host(), audio_exception::kActionRestartAudioService);
         return LastArgument(id::kAudioModel, 98);
       },
       R"({"restart_audio":true})", "none", R"({"restart_audio":true})"},
      {"IsFinalAction", None(), [] { return Text(audio_exception::IsFinalAction(11)); }, "true", ""},
      {"MarkAudioExceptionExposure", AudioCall(95),
       [] {
         audio_exception::MarkAudioExceptionExposure("mic-1", true);
         return LastArgument(id::kAudioModel, 95);
       },
       R"({"device_id":"mic-1","user_trigger":true})", "none", R"({"device_id":"mic-1","user_trigger":true})"},
      {"ReportAudioException", AudioAnswer(94, exception, exception_wrong),
       [] {
         audio_exception::ReportAudioException(audio_exception::kActionUnderstood,
                                               audio_exception::kReportDeviceAbnormal, true);
         return Text(static_cast<unsigned long>(hostkit::CountAnalytics("e#audio_device_abnormal#understood#click")));
       },
       "1", "0"},
      {"CloseAudioExceptionAlert", subscribed,
       [] {
         audio_exception::RegisterAudioExceptionAlertHost(Host());
         audio_exception::CloseAudioExceptionAlert();
         const auto& navigations = hostkit::Navigations();
         return navigations.empty() ? std::string("none") : std::string(hostkit::NavigationKindName(navigations.back().kind));
       },
       // Closing needs only the host: without the audio model the page is still taken down.
       hostkit::NavigationKindName(hostkit::NavigationKind::kPopOther),
       hostkit::NavigationKindName(hostkit::NavigationKind::kPopOther)},
  };
}

QUERY_TABLE_TEST(AudioTable, ConnectModeExceptionsPermissionAndMicState, "audio", ConnectAndExceptionRows)

QUERY_TABLE_TEST(AudioTable, ProfessionalSettings, "audio", SettingRows)

QUERY_TABLE_TEST(AudioTable, DevicesAndVolumesThroughTheMediaEngine, "audio", DeviceRows)

QUERY_TABLE_TEST(AudioTable, ExceptionAlert, "audio_exception", ExceptionAlertRows)

}  // namespace
