// The audio family beyond single queries: the keys the settings live under, parameter checks,
// own-device flags, the guide texts, device calls and the desktop picker.
#include <gtest/gtest.h>

#include <string>

#include "hostkit/hostkit.h"
#include "hostkit/media_engine.h"
#include "hostkit/meeting_fixture.h"
#include "hostkit/navigation.h"
#include "module_api/audio/audio_exception.h"
#include "module_api/audio/audio_utils.h"
#include "module_api/model_ids.h"

namespace {

namespace audio = velto_common::utils::audio;
namespace id = velto::model_id;
using hostkit::Json;
using hostkit::Variant;

class AudioUtilsTest : public testing::Test {
 protected:
  void SetUp() override { meeting_.Install(); }
  hostkit::MeetingFixture meeting_;
};

TEST_F(AudioUtilsTest, SettingsLiveUnderTheirKeys) {
  struct Case {
    const char* key;
    bool (*read)();
    bool (*write)(bool);
  };
  const Case cases[] = {
      {"pro_music_mode.enable", &audio::GetProfessionalMusicModeEnable, &audio::EnableProfessionalMusicMode},
      {"pro_music_mode.enable_for_all_devices", &audio::GetProfessionalMusicModeEnableForAllDevices,
       &audio::EnableProfessionalMusicModeForAllDevices},
      {"pro_music_mode.enable_for_agc.", &audio::GetProfessionalAudioModeAGCEnable,
       &audio::EnableProfessionalAudioModeAGC},
      {"pro_music_mode.enable_ec", &audio::GetEchoCancellationModeEnable, &audio::EnableEchoCancellationMode},
      {"pro_music_mode.enable_hf", &audio::GetHighFidelityModeEnable, &audio::EnableHighFidelityMode},
      {"pro_music_mode.enable_stereo", &audio::GetStereoModeEnable, &audio::EnableStereoMode},
      {"pro_music_mode.histort_compatible", &audio::GetHistoryCompatibleState, &audio::ChangeHistoryCompatibleState},
      {"pro_suppre_nosie_mode.enable", &audio::GetSuppreNoiseModeEnable, &audio::EnableSuppreNoiseMode},
      {"pro_suppre_nosie_is_auto.enable", &audio::GetSuppreNoiseRadioMode, &audio::ChangeSuppreNoiseRadioMode},
      {"pro_ehance_voice_is_recorded.enable", &audio::GetEnhanceVoicePrintStatus,
       &audio::ChangeEnhanceVoicePrintStatus},
      {"is_first_time_use_enhance_voice.enable", &audio::IsFirstTimeUseEnhanceVoice, nullptr},
      {"audio.ai.bwe.local", nullptr, &audio::EnableAudioBWE},
      {"audio.ai.smart.local", nullptr, &audio::EnableAudioSmart},
      {"audio.ai.automicvolume.local", nullptr, &audio::EnableAutoMicVolume},
  };
  auto& configuration = meeting_.configuration();
  for (const Case& c : cases) {
    if (c.read) {
      EXPECT_FALSE(c.read()) << c.key;  // unset reads the default false
      EXPECT_EQ(configuration.LastArgument(3).ToJsonStr(), std::string(R"({"key":")") + c.key + R"(","def_value":false})");
      meeting_.SetClientSetting(c.key, true);
      EXPECT_TRUE(c.read()) << c.key;
    }
    if (c.write) {
      EXPECT_TRUE(c.write(false)) << c.key;
      EXPECT_EQ(configuration.LastArgument(4).ToJsonStr(), std::string(R"({")") + c.key + R"(":false})");
      EXPECT_EQ(meeting_.ClientSetting(c.key), Variant(false)) << c.key;
    }
  }
  EXPECT_EQ(configuration.CallCount(1), 0u);  // the audio family reads and writes on 3 and 4 only
  EXPECT_EQ(configuration.CallCount(2), 0u);
}

TEST_F(AudioUtilsTest, MusicModePerDeviceAppendsTheDeviceId) {
  EXPECT_TRUE(audio::EnableProfessionalMusicModeForDevice("spk-1", true));
  EXPECT_EQ(meeting_.ClientSetting("pro_music_mode.enable_for_device.spk-1"), Variant(true));
  EXPECT_TRUE(audio::GetProfessionalMusicModeEnableForDevice("spk-1"));
  EXPECT_FALSE(audio::GetProfessionalMusicModeEnableForDevice("spk-2"));
}

TEST_F(AudioUtilsTest, EnhanceVoiceModeIsOneIntegerSetting) {
  EXPECT_EQ(audio::GetEnhanceVoiceMode(), audio::kEnhanceVoiceOff);
  EXPECT_TRUE(audio::ChangeEnhanceVoiceMode(audio::kEnhanceVoiceProfessional));
  EXPECT_EQ(meeting_.ClientSetting("pro_enhance_voice.INT32"), Variant(2));
  EXPECT_TRUE(audio::GetProfessionalMusicModeEnableNew());
  EXPECT_FALSE(audio::GetVoiceEnhancementModeEnable());
  audio::ChangeEnhanceVoiceMode(audio::kEnhanceVoiceVocal);
  EXPECT_TRUE(audio::GetVoiceEnhancementModeEnable());
  meeting_.SetClientSetting("pro_enhance_voice.INT32", true);  // not an integer: the default
  EXPECT_EQ(audio::GetEnhanceVoiceMode(), audio::kEnhanceVoiceOff);
}

TEST_F(AudioUtilsTest, FirstUseOfVoiceEnhancementIsRecordedAsFalse) {
  meeting_.SetClientSetting("is_first_time_use_enhance_voice.enable", true);
  EXPECT_TRUE(audio::IsFirstTimeUseEnhanceVoice());
  EXPECT_TRUE(audio::UsedEnhanceVoice());
  EXPECT_FALSE(audio::IsFirstTimeUseEnhanceVoice());
}

TEST_F(AudioUtilsTest, SystemEffectLevelIsWrittenOnTheFirstWriteCommand) {
  EXPECT_TRUE(audio::SetAudioSystemEffectMode(3));
  EXPECT_EQ(meeting_.configuration().LastArgument(2).ToJsonStr(), R"({"audio.sytem.effect.level.local":3})");
  EXPECT_EQ(meeting_.configuration().CallCount(4), 0u);
  // The effective value comes from the audio engine's own model, not from the setting.
  EXPECT_EQ(audio::GetAudioSystemEffectMode(), -1);
  hostkit::InstallModel(10000002).Answer(681311894, 3);
  EXPECT_EQ(audio::GetAudioSystemEffectMode(), 3);
}

TEST_F(AudioUtilsTest, MapParametersAreChecked) {
  struct Case {
    const char* name;
    bool (*call)(const Variant&);
    int command;  // of the audio model; 0: the media engine
    const char* log;
  };
  const Case cases[] = {
      {"SetAudioConnectMode", &audio::SetAudioConnectMode, 69, "params is invalid, please check!"},
      {"PushAudio", &audio::PushAudio, 90, "invalid params."},
      {"UpdateMicState", &audio::UpdateMicState, 143, "params is invalid, please check!"},
      {"PreviewMic", &audio::PreviewMic, 0, "params is invalid, please check!"},
      {"PreviewSpeaker", &audio::PreviewSpeaker, 0, "params is invalid, please check!"},
      {"AudioDetectMicRecord", &audio::AudioDetectMicRecord, 0, "params is invalid, please check!"},
  };
  for (const Case& c : cases) {
    for (const Variant& bad : {Variant(), Variant("mode"), Json("[1]")}) {
      hostkit::ClearLogs();
      EXPECT_FALSE(c.call(bad)) << c.name;
      EXPECT_TRUE(hostkit::HasLog(3, c.log)) << c.name;
    }
    if (c.command) {
      EXPECT_EQ(meeting_.audio().CallCount(c.command), 0u) << c.name;
    }
  }
  EXPECT_TRUE(hostkit::MediaEngineCalls().empty());
}

TEST_F(AudioUtilsTest, PreviewsPassTheirParametersToTheEngine) {
  EXPECT_TRUE(audio::PreviewSpeaker(Json(R"({"device_id": "spk-1", "on": true, "file_path": "/r.wav"})")));
  EXPECT_EQ(hostkit::LastMediaEngineArguments("PreviewSpeaker").ToJsonStr(),
            R"({"device_id":"spk-1","on":true,"file_path":"/r.wav","loop_count":1})");
  EXPECT_TRUE(audio::AudioDetectMicRecord(Json(R"({"device_id": "mic-1", "start": false, "file_path": "/t.wav"})")));
  EXPECT_EQ(hostkit::LastMediaEngineArguments("RecordMic").ToJsonStr(),
            R"({"device_id":"mic-1","start":false,"file_path":"/t.wav"})");
}

TEST_F(AudioUtilsTest, VolumesStayInRangeAndReadBack) {
  EXPECT_FALSE(audio::SetMicVolume(101));
  EXPECT_FALSE(audio::SetSpeakerVolume(-1));
  EXPECT_TRUE(hostkit::HasLog(3, "volume out of range: 101"));
  EXPECT_TRUE(hostkit::MediaEngineCalls().empty());
  EXPECT_TRUE(audio::SetMicVolume(100));
  EXPECT_EQ(audio::GetMicVolume(), 100);
  EXPECT_EQ(audio::GetSpeakerVolume(), -1);
  hostkit::SetMediaEngineResult("SetVolume", 3);
  EXPECT_FALSE(audio::SetMicVolume(20));
  EXPECT_EQ(audio::GetMicVolume(), 100);
  EXPECT_TRUE(hostkit::HasLog(1, "set volume failed, ret: 3"));
}

TEST_F(AudioUtilsTest, DefaultSpeakerPlaybackUsesTheSystemDefaultAndLogsFailures) {
  hostkit::SetDefaultAudioDevice(vlp::av::AudioDeviceKind::kSpeaker, "spk-9");
  EXPECT_TRUE(audio::PrepareAudioPlayerOnDefaultSpeaker());
  EXPECT_TRUE(hostkit::HasLog(6, "XAudioDevice->SpeakerStart ret: 0"));
  EXPECT_EQ(hostkit::LastMediaEngineArguments("SpeakerStart").GetString("device_id"), "spk-9");
  EXPECT_TRUE(audio::PlayAudioOnDefaultSpeaker("/ring.wav", 3));
  EXPECT_EQ(hostkit::LastMediaEngineArguments("Play").ToJsonStr(),
            R"({"device_id":"spk-9","file_path":"/ring.wav","loop_count":3})");
  hostkit::SetMediaEngineResult("Play", 8);
  EXPECT_FALSE(audio::PlayAudioOnDefaultSpeaker("/ring.wav", 1));
  EXPECT_TRUE(hostkit::HasLog(1, "preview speaker failed, device_id = spk-9"));
  hostkit::SetAudioPlayerAvailable(false);
  EXPECT_FALSE(audio::PrepareAudioPlayerOnDefaultSpeaker());
  EXPECT_TRUE(hostkit::HasLog(1, "audio player is not available"));
}

TEST_F(AudioUtilsTest, NoiseSuppressionLogsItsReason) {
  EXPECT_TRUE(audio::SetAudioNsLevel(2, nullptr));
  EXPECT_TRUE(hostkit::HasLog(6, "set audio ans mode: [2] for reason nullptr"));
  EXPECT_EQ(audio::GetAudioNsLevel(), 2);
  EXPECT_TRUE(audio::SetAudioNsLevel(0, "music"));
  EXPECT_TRUE(hostkit::HasLog(6, "set audio ans mode: [0] for reason music"));
}

TEST_F(AudioUtilsTest, MicAccessibilityNamesItsCaller) {
  Variant out = Variant::Map();
  EXPECT_TRUE(audio::GetMicAccessibility(Variant::Map(), out));
  EXPECT_EQ(meeting_.audio().LastArgument(111).ToJsonStr(), R"({"from":"unknown"})");
  EXPECT_EQ(out.ToJsonStr(), R"({"mic_accessible":true,"mic_state":1})");
  audio::GetMicAccessibility(Json(R"({"from": "toolbar"})"), out);
  EXPECT_EQ(meeting_.audio().LastArgument(111).ToJsonStr(), R"({"from":"toolbar"})");
}

TEST_F(AudioUtilsTest, MicGuideDataNamesTheApplication) {
  hostkit::SetLocalizedString(0x56A00001, "Velto");
  hostkit::SetLocalizedString(0x56A00011, "{app_name} cannot hear you");
  Variant out = Variant::Map();
  audio::MakeMicNotAccessData(out);
  EXPECT_EQ(out.GetString("app_name"), "Velto");
  EXPECT_EQ(out.GetString("guide_text"), "Velto cannot hear you");
  EXPECT_EQ(out.GetString("confirm_command"), "ms-settings:privacy-microphone");
  for (const char* key : {"guide_title", "guide_text_key_word", "type", "confirm_button_text", "cancel_button_text"}) {
    EXPECT_TRUE(out.Has(key)) << key;
  }
}

TEST_F(AudioUtilsTest, DeviceFlagsPreferThisInstancesDevice) {
  const Variant record = Json(R"({"audio": true, "audio_connect": true, "share_audio_on": true,
      "device_list": [{"instance_id": "default", "audio_on": false, "audio_connect": false, "share_audio_on": false},
                      {"instance_id": "pad", "audio_on": true, "audio_connect": true, "share_audio_on": true}]})");
  EXPECT_FALSE(audio::IsDeviceAudioOn(record));
  EXPECT_FALSE(audio::IsDeviceAudioDeviceConnect(record));
  EXPECT_FALSE(audio::IsDeviceShareAudioOn(record));

  hostkit::Environment().instance_id = "pad";
  EXPECT_TRUE(audio::IsDeviceAudioOn(record));

  hostkit::Environment().instance_id = "desk";  // no entry: the record's own keys
  EXPECT_TRUE(audio::IsDeviceAudioOn(record));
  EXPECT_TRUE(audio::IsDeviceShareAudioOn(record));

  EXPECT_FALSE(audio::IsDeviceAudioOn(Variant("u-1")));
  EXPECT_TRUE(hostkit::HasLog(1, "user_info is not map"));
}

TEST_F(AudioUtilsTest, UpdateDeviceLocalAudioCopiesTheOwnDevice) {
  Variant record = Json(R"({"audio": false, "audio_connect": false,
      "device_list": [{"instance_id": "default", "audio_on": true, "audio_connect": true}]})");
  audio::UpdateDeviceLocalAudio(record);
  EXPECT_TRUE(record.GetBoolean("audio"));
  EXPECT_TRUE(record.GetBoolean("audio_connect"));
  EXPECT_TRUE(hostkit::HasLog(6, "audio_connect to: 1"));
  EXPECT_TRUE(hostkit::HasLog(6, "audio to: 1"));

  Variant without = Json(R"({"audio": false})");
  audio::UpdateDeviceLocalAudio(without);
  EXPECT_EQ(without.ToJsonStr(), R"({"audio":false})");
  Variant not_map("x");
  audio::UpdateDeviceLocalAudio(not_map);
  EXPECT_TRUE(hostkit::HasLog(1, "user_info is not map"));
}

TEST_F(AudioUtilsTest, AudioDetectEntranceIsLogged) {
  meeting_.SetConfigurationItem("meeting", "audio_detect_page_entrance", true);
  EXPECT_TRUE(audio::IsShowAudioDetectPageEntrance());
  EXPECT_TRUE(hostkit::HasLog(6, "[audio_detect] audio detect page entrance is show: 1"));
}

TEST_F(AudioUtilsTest, TelephoneModesArePstn) {
  for (int mode : {2, 3}) {
    meeting_.SetAudioConnectMode(mode);
    EXPECT_TRUE(audio::IsAudioConnectModePstn()) << mode;
  }
  for (int mode : {-1, 0, 1}) {
    meeting_.SetAudioConnectMode(mode);
    EXPECT_FALSE(audio::IsAudioConnectModePstn()) << mode;
  }
}

TEST_F(AudioUtilsTest, DesktopPickerAppliesTheChoiceAndCompletesTheJoinSelection) {
  auto host = std::make_shared<framework::Context>(3);
  velto_common::utils::audio_exception::RegisterAudioExceptionAlertHost(host);
  audio::ShowDesktopSelectVideoDevice(host, Json(R"({"from": "join"})"));
  ASSERT_EQ(hostkit::Navigations().size(), 1u);
  EXPECT_EQ(hostkit::Navigations()[0].arguments.ToJsonStr(),
            R"({"from":"join","show_audio_connect_mode_select_view":true})");

  // Before the choice an exception stays silent; after it, it shows.
  meeting_.RaiseAudioDeviceException("mic-1", 1, 1);
  EXPECT_EQ(hostkit::Navigations().size(), 1u);
  ASSERT_TRUE(hostkit::CompletePush(0, Json(R"({"audio_connect_mode": 1, "from_join": true})")));
  hostkit::RunUntilIdle();
  EXPECT_EQ(meeting_.audio().LastArgument(69).ToJsonStr(), R"({"audio_connect_mode":1,"from_join":true})");
  ASSERT_NE(hostkit::LastAnalytics("e#audio_connect_mode_select#confirm#click"), nullptr);
  EXPECT_EQ(hostkit::LastAnalytics("e#audio_connect_mode_select#confirm#click")->properties.at("audio_connect_mode"),
            "1");
  meeting_.RaiseAudioDeviceException("mic-1", 1, 1);
  EXPECT_EQ(hostkit::Navigations().back().page, velto_common::utils::audio_exception::kAudioExceptionAlertPage);
}

TEST_F(AudioUtilsTest, DesktopPickerClosedWithoutAChoice) {
  audio::ShowDesktopSelectVideoDevice(std::make_shared<framework::Context>(3), Variant());
  ASSERT_TRUE(hostkit::CompletePush(0, Variant()));
  hostkit::RunUntilIdle();
  EXPECT_EQ(hostkit::CountAnalytics("e#audio_connect_mode_select#cancel#click"), 1u);
  EXPECT_EQ(meeting_.audio().CallCount(69), 0u);

  audio::ShowDesktopSelectVideoDevice(nullptr, Variant());
  EXPECT_TRUE(hostkit::HasLog(3, "context is nullptr."));
  EXPECT_EQ(hostkit::Navigations().size(), 1u);
}

TEST(AudioDeviceState, ValueSemantics) {
  using audio::AudioDeviceState;
  AudioDeviceState empty;
  EXPECT_EQ(empty.GetDeviceType(), audio::kDeviceTypeUnknown);
  EXPECT_EQ(empty.GetErrorType(), audio::kAudioDeviceFailedNone);
  AudioDeviceState mic("mic-1", audio::kDeviceTypeMic);
  mic.SetErrorType(audio::kAudioDeviceFailedNoSound);
  AudioDeviceState copy = mic;
  EXPECT_EQ(copy, mic);
  copy.SetDeviceId("mic-2");
  EXPECT_FALSE(copy == mic);
  AudioDeviceState moved = std::move(copy);
  EXPECT_EQ(moved.GetDeviceId(), "mic-2");
  moved.SetDeviceId("mic-1");
  EXPECT_EQ(moved, mic);
  moved.SetDeviceType(audio::kDeviceTypeSpeaker);
  EXPECT_FALSE(moved == mic);
}

}  // namespace
