#include "hostkit/meeting_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <unordered_map>

#include "hostkit/media_engine.h"
#include "hostkit/meeting_service.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace hostkit {

namespace {

namespace command = velto::model_command;

using velto::model_id::kMeetingModel;
using velto::model_id::kUserModel;
using velto::model_id::kVideoModel;
using velto::model_id::kAudioModel;
using velto::model_id::kCameraModel;
constexpr int kSettingsModel = velto::model_id::kMeetingSettingsModel;
using velto::model_id::kConfigurationModel;
using velto::model_id::kServiceEntranceModel;
using velto::model_id::kMainWindowModel;
using velto::model_id::kSecondaryWindowModel;
using velto::model_id::kScreenShareModel;
using velto::model_id::kEventBusModel;
using velto::model_id::kVideoPushModel;
constexpr int kVideoPushSwitchModel = 10032;
using velto::model_id::kMeetingModeModel;
using velto::model_id::kCustomLayoutModel;
constexpr int kNotificationCenterModel = 721;

std::string VideoStreamOf(const std::string& user_id) { return "video-" + user_id; }
std::string ScreenStreamOf(const std::string& user_id) { return "screen-" + user_id; }
std::string Identity(const Variant& record) {
  return record.GetString("app_id") + '\n' + record.GetString("app_uid");
}

ScriptedModel& Expect(int model_id) {
  ScriptedModel* model = FindModel(model_id);
  if (!model) {
    std::fprintf(stderr, "hostkit::MeetingFixture: model %d is not installed (call Install first)\n", model_id);
    std::abort();
  }
  return *model;
}

bool Answer(Variant* out, Variant value) {
  if (out) *out = std::move(value);
  return true;
}

}  // namespace

struct MeetingFixture::State {
  Options options;
  bool in_meeting = true;
  int64_t next_index = 1;
  int64_t self_index = -1;
  std::unordered_map<int64_t, Variant> records;  // node-based: record addresses stay put
  std::unordered_map<int64_t, Variant> previous;  // each user's record before its last update
  std::set<int64_t> order;                       // indexes grow, so this is join order
  std::unordered_map<std::string, int64_t> by_user_id;
  std::unordered_map<std::string, int64_t> by_stream_id;
  std::unordered_map<std::string, int64_t> by_unique_id;
  std::unordered_map<std::string, int64_t> by_identity;
  std::unordered_map<std::string, int64_t> by_app_uid;

  Variant index_list;
  bool index_list_dirty = true;
  Variant user_list;
  Variant first_page;
  Variant need_hide = Variant::Array();
  bool user_list_dirty = true;
  Variant streams = Variant::Map();
  Variant web_share = Variant::Map();

  Variant big_view[2];
  Variant small_view[2];
  int32_t layout_type[2] = {1, 1};
  bool immersive[2] = {false, false};
  bool secondary_exists = false;
  int64_t max_grid = 9;
  uint32_t gallery_position = 0;

  int32_t audio_mode = 1;
  Variant exception;  // null when there is none
  bool interrupted = false;
  std::map<std::string, Variant> configuration_items;
  std::map<std::string, Variant> client_settings;

  Variant* Find(int64_t index) {
    auto it = records.find(index);
    return it == records.end() ? nullptr : &it->second;
  }
  int64_t IndexOf(const std::string& user_id) const {
    auto it = by_user_id.find(user_id);
    return it == by_user_id.end() ? -1 : it->second;
  }
  void Touch() {
    index_list_dirty = true;
    user_list_dirty = true;
  }

  const Variant& IndexList() {
    if (index_list_dirty) {
      index_list = Variant::Array();
      for (int64_t index : order) index_list.Add(index);
      index_list_dirty = false;
    }
    return index_list;
  }

  void RebuildUserLists() {
    if (!user_list_dirty) return;
    user_list = Variant::Array();
    first_page = Variant::Array();
    for (int64_t index : order) {
      const Variant& record = records[index];
      user_list.Add(record);
      if (static_cast<int64_t>(first_page.size()) < max_grid) first_page.Add(record);
    }
    user_list_dirty = false;
  }

  // Brings the user's streams in line with "video" and "screen", in the video model's map and
  // in the media engine.
  void RefreshStreams(const Variant& record) {
    const std::string user_id = record.GetString("user_id");
    const bool self = record.GetBoolean("self", false);
    const int32_t direction = self ? vlp::av::kStreamDirectionOut : vlp::av::kStreamDirectionIn;
    auto place = [&](const std::string& stream_id, bool present, int32_t type) {
      if (!present) {
        streams.Remove(stream_id);
        RemoveStreamInfo(stream_id);
        return;
      }
      Variant info = Variant::Map();
      info["stream_id"] = stream_id;
      info["user_id"] = user_id;
      info["user_index"] = record.GetInteger("user_index", -1);
      info["instance_id"] = record.GetInteger("instance_id", 0);
      info["support_small_video_stream"] = true;
      streams[stream_id] = std::move(info);
      SetStreamInfo(stream_id, type, direction);
    };
    place(VideoStreamOf(user_id), record.GetBoolean("video", false), vlp::av::kStreamTypeVideo);
    place(ScreenStreamOf(user_id), record.GetBoolean("screen", false), vlp::av::kStreamTypeScreen);
  }

  void DropStreams(const std::string& user_id) {
    for (const std::string& stream_id : {VideoStreamOf(user_id), ScreenStreamOf(user_id)}) {
      streams.Remove(stream_id);
      RemoveStreamInfo(stream_id);
    }
  }

  // Stores a record under a new index; -1 when the user id is taken or missing.
  int64_t Insert(Variant record) {
    const std::string user_id = record.GetString("user_id");
    if (user_id.empty() || by_user_id.count(user_id)) return -1;
    const int64_t index = next_index++;
    record["user_index"] = index;
    record["stream_id"] = VideoStreamOf(user_id);
    if (!record.Has("video_on") && record.Has("video")) record["video_on"] = record.GetBoolean("video", false);
    if (!record.Has("video") && record.Has("video_on")) record["video"] = record.GetBoolean("video_on", false);
    Variant& stored = records.emplace(index, std::move(record)).first->second;
    order.insert(index);
    by_user_id[user_id] = index;
    by_stream_id[VideoStreamOf(user_id)] = index;
    by_stream_id[ScreenStreamOf(user_id)] = index;
    if (stored.Has("unique_id")) by_unique_id[stored.GetString("unique_id")] = index;
    by_identity[Identity(stored)] = index;
    by_app_uid[stored.GetString("app_uid")] = index;
    RefreshStreams(stored);
    Touch();
    return index;
  }

  bool Merge(const std::string& user_id, const Variant& changes) {
    Variant* record = Find(IndexOf(user_id));
    if (!record) return false;
    previous[record->GetInteger("user_index", -1)] = *record;
    for (size_t i = 0; i < changes.size(); ++i) (*record)[changes.KeyAt(i)] = changes.ValueAt(i);
    if (changes.Has("video") && !changes.Has("video_on")) (*record)["video_on"] = changes.GetBoolean("video", false);
    if (changes.Has("video_on") && !changes.Has("video")) (*record)["video"] = changes.GetBoolean("video_on", false);
    (*record)["user_id"] = user_id;  // the identity a record is filed under does not change
    RefreshStreams(*record);
    Touch();
    return true;
  }

  void Erase(int64_t index) {
    Variant* record = Find(index);
    if (!record) return;
    const std::string user_id = record->GetString("user_id");
    DropStreams(user_id);
    by_user_id.erase(user_id);
    by_stream_id.erase(VideoStreamOf(user_id));
    by_stream_id.erase(ScreenStreamOf(user_id));
    by_unique_id.erase(record->GetString("unique_id"));
    by_identity.erase(Identity(*record));
    by_app_uid.erase(record->GetString("app_uid"));
    if (web_share.GetString("user_id") == user_id) web_share = Variant::Map();
    order.erase(index);
    records.erase(index);
    previous.erase(index);
    Touch();
  }

  int32_t CountVisible(int32_t mask) const {
    if (mask == 0) return static_cast<int32_t>(records.size());
    int32_t count = 0;
    for (const auto& [index, record] : records) count += (record.GetInt32("user_invisible", 0) & mask) == 0;
    return count;
  }

  Variant StreamCounts() const {
    int32_t counts[4] = {0, 0, 0, 0};  // up video, down video, up screen, down screen
    for (const auto& [index, record] : records) {
      const int direction = record.GetBoolean("self", false) ? 0 : 1;
      counts[direction] += record.GetBoolean("video", false);
      counts[2 + direction] += record.GetBoolean("screen", false);
    }
    Variant answer = Variant::Map();
    answer["up_video_stream_count"] = counts[0];
    answer["down_video_stream_count"] = counts[1];
    answer["up_screen_stream_count"] = counts[2];
    answer["down_screen_stream_count"] = counts[3];
    return answer;
  }

  const Variant* FirstSharer() const {
    for (int64_t index : order) {
      const Variant& record = records.at(index);
      if (record.GetBoolean("screen", false)) return &record;
    }
    return nullptr;
  }

  Variant MeetingItem() const {
    Variant item = Variant::Map();
    item["meeting_type"] = options.meeting_type;
    item["meeting_id"] = options.meeting_id;
    item["meeting_code"] = options.meeting_code;
    item["subject"] = options.subject;
    return item;
  }

  Variant ViewOf(const std::string& user_id) const {
    Variant view = Variant::Map();
    view["user_id"] = user_id;
    view["stream_id"] = VideoStreamOf(user_id);
    return view;
  }

  void ScriptPlatform() {
    if (!in_meeting) {
      SetSelfInfo(std::nullopt);
      return;
    }
    veltosdk::MeetingSelfInfo self;
    self.valid = true;
    if (const Variant* record = Find(self_index)) {
      self.user_id = record->GetString("user_id");
      self.app_id = record->GetString("app_id");
      self.app_uid = record->GetString("app_uid");
    }
    veltosdk::MeetingDevice device;
    device.instance_id = Environment().instance_id;
    device.audio_connected = audio_mode == 1;
    device.audio_on = true;
    self.devices.push_back(device);
    SetSelfInfo(self);
  }
};

MeetingFixture::MeetingFixture() : MeetingFixture(Options()) {}

MeetingFixture::MeetingFixture(Options options) : state_(std::make_shared<State>()) {
  state_->options = std::move(options);
}

MeetingFixture::~MeetingFixture() = default;

Variant MeetingFixture::MakeUser(const std::string& user_id, const std::string& nickname) {
  // Every record starts as a copy of one template, so that a meeting of thousands of users keeps
  // one key table between them: writing a key the template has changes a value, not the keys.
  static const Variant kTemplate = [] {
    Variant user = Variant::Map();
    user["user_id"] = "";
    user["nickname"] = "";
    user["app_id"] = "1400000001";
    user["app_uid"] = "";
    user["unique_id"] = "";
    user["instance_id"] = 1;
    user["tiny_id"] = uint64_t{0};
    user["self"] = false;
    user["host"] = false;
    user["co_host"] = false;
    user["audio"] = true;
    user["audio_connect"] = true;
    user["video"] = false;
    user["video_on"] = false;
    user["screen"] = false;
    user["is_raise_hand"] = false;
    user["raise_hand_timestamp"] = 0;
    user["has_audio_in_device"] = true;
    user["has_video_in_device"] = true;
    user["user_invisible"] = 0;
    user["role_type"] = 0;
    user["user_type"] = 0;
    user["device_type"] = 1;
    user["robot_user_type"] = 0;
    return user;
  }();
  Variant user = kTemplate;
  user["user_id"] = user_id;
  user["nickname"] = nickname;
  user["app_uid"] = "uid-" + user_id;
  user["unique_id"] = "unique-" + user_id;
  user["tiny_id"] = static_cast<uint64_t>(std::hash<std::string>()(user_id) % 1000000000ULL);
  return user;
}

MeetingFixture& MeetingFixture::Install() {
  auto options = state_->options;
  state_ = std::make_shared<State>();
  state_->options = options;
  state_->in_meeting = options.in_meeting;
  std::shared_ptr<State> s = state_;

  // The platform first: records refresh their streams in the media engine as they arrive.
  ClearStreamInfo();
  Variant self = MakeUser(kSelfUserId, "Me");
  self["self"] = true;
  self["host"] = true;
  self["tiny_id"] = 10001;
  Variant device = Variant::Map();
  device["instance_id"] = Environment().instance_id;
  device["audio_on"] = true;
  device["audio_connect"] = true;
  device["share_audio_on"] = false;
  self["device_list"].Add(device);
  s->self_index = s->Insert(std::move(self));
  static const char* const kNames[] = {"Alice", "Bob", "Carol", "Dave", "Erin", "Frank", "Grace", "Heidi"};
  for (size_t i = 1; i <= options.other_users; ++i) {
    s->Insert(MakeUser("u-" + std::to_string(i), kNames[(i - 1) % 8]));
  }
  s->big_view[0] = s->ViewOf(kSelfUserId);
  s->big_view[0]["self"] = true;
  s->small_view[0] = Variant::Map();
  s->big_view[1] = Variant::Map();
  s->small_view[1] = Variant::Map();
  s->ScriptPlatform();
  SetMeetingWindows({{1, 0, "meeting", {0, 0, 1280, 720}, true, 0}});

  auto& meeting = InstallModel(kMeetingModel);
  meeting.Handle(command::meeting::kInMeeting, [s](const Variant&, Variant*) { return s->in_meeting; })
      .Handle(1, [s](const Variant&, Variant*) { return s->in_meeting; })
      .Handle(command::meeting::kMeetingInfo, [s](const Variant&, Variant* out) {
        Variant answer = Variant::Map();
        answer["meeting_item"] = s->MeetingItem();
        return Answer(out, answer);
      })
      .Handle(command::meeting::kCastMeetingInfo, [s](const Variant&, Variant* out) {
        Variant answer = Variant::Map();
        answer["meeting_item"] = s->MeetingItem();
        return Answer(out, answer);
      })
      .Answer(command::meeting::kWaitingRoom, false)
      .Handle(command::meeting::kMediaRoomJoined, [s](const Variant&, Variant*) { return s->in_meeting; })
      .Answer(command::meeting::kAudioMode, Json(R"({"enable": false})"))
      .Handle(29, [s](const Variant&, Variant* out) {
        Variant answer = Variant::Map();
        answer["meeting_id"] = s->options.meeting_id;
        return Answer(out, answer);
      })
      .Answer(command::meeting::kCastMeetingMode, false)
      .Fail(command::meeting::kJoiningStage1)
      .Fail(command::meeting::kJoiningStage2)
      .Answer(command::meeting::kUsageState, 0)
      .Fail(command::meeting::kIsWebinar);

  auto& users = InstallModel(kUserModel);
  users.Handle(command::user::kSelfInfo, [s](const Variant&, Variant* out) {
         const Variant* self_record = s->Find(s->self_index);
         return self_record && Answer(out, *self_record);
       })
      .Handle(command::user::kUserIndexList, [s](const Variant& argument, Variant* out) {
        const int32_t mask = argument.GetInt32("source_type", 0);
        if (mask == 0) return Answer(out, s->IndexList());
        Variant list = Variant::Array();
        for (int64_t index : s->order) {
          if ((s->records[index].GetInt32("user_invisible", 0) & mask) == 0) list.Add(index);
        }
        return Answer(out, list);
      })
      .Handle(command::user::kUserCount, [s](const Variant& argument, Variant* out) {
        return Answer(out, s->CountVisible(argument.GetInt32("source_type", 0)));
      })
      .Handle(command::user::kUserInfoByIndex, [s](const Variant& argument, Variant* out) {
        const Variant* record = argument.IsInteger() ? s->Find(argument.AsInteger()) : nullptr;
        return record && Answer(out, Variant::FromPointer(record));
      })
      .Handle(command::user::kOldUserInfoByIndex, [s](const Variant& argument, Variant* out) {
        auto it = argument.IsInteger() ? s->previous.find(argument.AsInteger()) : s->previous.end();
        return it != s->previous.end() && Answer(out, Variant::FromPointer(&it->second));
      })
      .Handle(command::user::kUserIndexByUserId,
              [s](const Variant& argument, Variant* out) { return Answer(out, s->IndexOf(argument.AsStr())); })
      .Handle(command::user::kUserIndexByStreamId, [s](const Variant& argument, Variant* out) {
        auto it = s->by_stream_id.find(argument.AsStr());
        return Answer(out, it == s->by_stream_id.end() ? int64_t{-1} : it->second);
      })
      .Handle(command::user::kScreenIndex, [s](const Variant&, Variant* out) {
        const Variant* sharer = s->FirstSharer();
        return Answer(out, sharer ? sharer->GetInteger("user_index", -1) : int64_t{-1});
      })
      .Handle(command::user::kHostIdentity, [s](const Variant&, Variant* out) {
        for (int64_t index : s->order) {
          const Variant& record = s->records[index];
          if (!record.GetBoolean("host", false)) continue;
          Variant host = Variant::Map();
          host["app_id"] = record.GetString("app_id");
          host["app_uid"] = record.GetString("app_uid");
          return Answer(out, host);
        }
        return Answer(out, Variant::Map());
      })
      .Handle(command::user::kWebShareUser, [s](const Variant&, Variant* out) { return Answer(out, s->web_share); })
      .Handle(command::user::kUserInfoByAppUid, [s](const Variant& argument, Variant* out) {
        auto it = s->by_app_uid.find(argument.IsMap() ? argument.GetString("app_uid") : argument.AsStr());
        return it != s->by_app_uid.end() && Answer(out, s->records[it->second]);
      })
      .Handle(command::user::kUserInfoByIdentity, [s](const Variant& argument, Variant* out) {
        auto it = s->by_identity.find(Identity(argument));
        return it != s->by_identity.end() && Answer(out, s->records[it->second]);
      })
      .Handle(command::user::kUserInfoByUniqueId, [s](const Variant& argument, Variant* out) {
        auto it = s->by_unique_id.find(argument.GetString("unique_id"));
        return it != s->by_unique_id.end() && Answer(out, s->records[it->second]);
      });

  auto list_answer = [s](Variant State::*list) {
    return [s, list](const Variant&, Variant* out) {
      s->RebuildUserLists();
      Variant answer = Variant::Map();
      answer["user_info_list"] = Variant::FromPointer(&((*s).*list));
      return Answer(out, answer);
    };
  };
  auto& video = InstallModel(kVideoModel);
  video.Handle(command::video::kUserList, list_answer(&State::user_list))
      .Handle(command::video::kStreamInfoMap, [s](const Variant&, Variant* out) {
        Variant answer = Variant::Map();
        answer["stream_info_map"] = Variant::FromPointer(&s->streams);
        return Answer(out, answer);
      })
      .Handle(command::video::kStreamCount,
              [s](const Variant&, Variant* out) { return Answer(out, s->StreamCounts()); })
      .Handle(command::video::kHighestPriorityUser, [s](const Variant&, Variant* out) {
        const Variant* first = s->FirstSharer();
        if (!first) first = s->Find(s->self_index);
        Variant answer = Variant::Map();
        answer["user_index"] = Variant::FromPointer(first);
        return Answer(out, answer);
      })
      .Handle(command::video::kFirstPageUserList, list_answer(&State::first_page))
      .Handle(command::video::kVisibleUserList, list_answer(&State::user_list))
      .Handle(command::video::kNeedHideUserList, list_answer(&State::need_hide))
      .Succeed(command::video::kUserVisible)
      .Succeed(command::video::kCameraAccessResult)
      .Handle(command::video::kRawUserList, list_answer(&State::user_list));

  auto& audio = InstallModel(kAudioModel);
  audio.Succeed(command::audio::kShareAudio)
      .Handle(command::audio::kConnectMode, [s](const Variant&, Variant* out) {
        Variant answer = Variant::Map();
        answer["audio_connect_mode"] = s->audio_mode;
        return Answer(out, answer);
      })
      .Handle(command::audio::kSetConnectMode, [s](const Variant& argument, Variant*) {
        if (argument.Has("audio_connect_mode")) s->audio_mode = argument.GetInt32("audio_connect_mode", s->audio_mode);
        return true;
      })
      .Succeed(command::audio::kPushAudio)
      .Answer(command::audio::kPushState, Json(R"({"is_pushed": false, "type": 0})"))
      .Handle(command::audio::kHasDeviceException,
              [s](const Variant&, Variant* out) { return Answer(out, !s->exception.IsNull()); })
      .Handle(command::audio::kDeviceException,
              [s](const Variant&, Variant* out) { return !s->exception.IsNull() && Answer(out, s->exception); })
      .Succeed(command::audio::kMarkExceptionExposure)
      .Succeed(command::audio::kIgnoreDeviceException)
      .Succeed(command::audio::kShowDeviceExceptionAlert)
      .Succeed(command::audio::kRestartAudio)
      .Answer(command::audio::kMicAccessibility, Json(R"({"mic_accessible": true, "mic_state": 1})"))
      .Succeed(command::audio::kRaiseMicNotAccessAlert)
      .Succeed(command::audio::kMicAccessResult)
      .Answer(command::audio::kMicOnLoading, false)
      .Succeed(command::audio::kShowAudioDetectWindow)
      .Answer(command::audio::kLastMicOnState, true)
      .Answer(command::audio::kDefaultMicState, Json(R"({"default_mic_on": true, "default_mic_off_reason": 0})"))
      .Answer(command::audio::kForceMicOnWhenJoined, false);
  for (int switch_command : {command::audio::kEnableAudioStartMic, command::audio::kEnableOccupyMic,
                             command::audio::kEnableDriveMode, command::audio::kEnableMusicMode,
                             command::audio::kMusicModeChanged, command::audio::kResetVocalEnhancement,
                             command::audio::kUpdateMicState}) {
    audio.Succeed(switch_command);
  }
  audio.Answer(command::audio::kDriveMode, false)
      .Answer(command::audio::kMusicMode, false)
      .Answer(command::audio::kCurrentSpeakers, Variant::Array())
      .Answer(command::audio::kAssociateUser, Variant::Map());

  InstallModel(kCameraModel)
      .Answer(command::camera::kCameraState, Json(R"({"camera_state": 1, "camera_accessible": true})"))
      .Succeed(command::camera::kRequestMicAccess)
      .Succeed(command::camera::kRequestCameraAccess);

  auto& settings = InstallModel(kSettingsModel);
  settings
      .Answer(command::meeting_settings::kAllowFlags,
              Json(R"({"is_allow_open_video": true, "is_allow_renaming": true, "multi_device_join": true,
                       "chat_enable": true, "allow_look_audience_count": true})"))
      .Handle(command::meeting_settings::kSetMaxGridCount, [s](const Variant& argument, Variant*) {
        s->max_grid = argument.GetInteger("max_grid_count", s->max_grid);
        s->user_list_dirty = true;
        return true;
      })
      .Handle(command::meeting_settings::kMaxGridCount,
              [s](const Variant&, Variant* out) { return Answer(out, s->max_grid); })
      .Handle(command::meeting_settings::kGalleryPosition,
              [s](const Variant&, Variant* out) { return Answer(out, s->gallery_position); })
      .Answer(command::meeting_settings::kChatEnable, true)
      .Answer(command::meeting_settings::kChatSwitchLock, false)
      .Answer(77, false)
      .Answer(78, false);

  auto read_setting = [s](const Variant& argument, Variant* out) {
    auto it = s->client_settings.find(argument.GetString("key"));
    return Answer(out, it == s->client_settings.end() ? argument.Get("def_value") : it->second);
  };
  auto write_setting = [s](const Variant& argument, Variant*) {
    for (size_t i = 0; i < argument.size(); ++i) s->client_settings[std::string(argument.KeyAt(i))] = argument.ValueAt(i);
    return argument.IsMap();
  };
  InstallModel(kConfigurationModel)
      .Handle(command::configuration::kClientSettingRead, read_setting)
      .Handle(command::configuration::kClientSettingReadAlt, read_setting)
      .Handle(command::configuration::kClientSettingWrite, write_setting)
      .Handle(command::configuration::kClientSettingWriteAlt, write_setting);

  InstallModel(kServiceEntranceModel)
      .Handle(command::service_entrance::kReadConfigurationItem, [s](const Variant& argument, Variant* out) {
        auto it = s->configuration_items.find(argument.GetString("group_id") + '\n' + argument.GetString("id"));
        return Answer(out, it == s->configuration_items.end() ? Variant() : it->second);
      });

  for (int window : {0, 1}) {
    auto& model = InstallModel(window == 0 ? kMainWindowModel : kSecondaryWindowModel);
    model
        .Handle(command::window::kSetLayoutType, [s, window](const Variant& argument, Variant*) {
          s->layout_type[window] = argument.GetInt32("layout_type", s->layout_type[window]);
          return true;
        })
        .Handle(command::window::kLayoutType,
                [s, window](const Variant&, Variant* out) { return Answer(out, s->layout_type[window]); })
        .Handle(command::window::kSetBigView, [s, window](const Variant& argument, Variant*) {
          s->big_view[window] = argument;
          return true;
        })
        .Handle(command::window::kBigView,
                [s, window](const Variant&, Variant* out) { return Answer(out, s->big_view[window]); })
        .Handle(command::window::kSetSmallView, [s, window](const Variant& argument, Variant*) {
          s->small_view[window] = argument;
          return true;
        })
        .Handle(command::window::kSmallView,
                [s, window](const Variant&, Variant* out) { return Answer(out, s->small_view[window]); })
        .Answer(command::window::kFullScreen, false)
        .Answer(command::window::kBigViewLocked, false)
        .Handle(command::window::kSetImmersiveMode, [s, window](const Variant& argument, Variant*) {
          s->immersive[window] = argument.AsBoolean();
          return true;
        })
        .Handle(command::window::kImmersiveMode,
                [s, window](const Variant&, Variant* out) { return Answer(out, s->immersive[window]); })
        .Handle(command::window::kLayoutInfo, [s, window](const Variant&, Variant* out) {
          Variant info = Variant::Map();
          info["layout_type"] = s->layout_type[window];
          info["layout_mode"] = 0;
          info["small_view_types"] = 0u;
          return Answer(out, info);
        });
  }
  Expect(kMainWindowModel)
      .Handle(command::window::kWindowVisible, [s](const Variant&, Variant*) { return s->in_meeting; })
      .Handle(command::window::kSecondaryWindowExist,
              [s](const Variant&, Variant* out) { return Answer(out, s->secondary_exists); })
      .Answer(command::window::kMultiScreenEnabled, false);
  Expect(kSecondaryWindowModel).Answer(command::window::kSecondaryWindowActive, false);

  InstallModel(kScreenShareModel)
      .Handle(command::screen_share::kScreenSharing,
              [s](const Variant&, Variant* out) { return Answer(out, s->FirstSharer() != nullptr); })
      .Answer(command::screen_share::kWebSharingBySelf, false)
      .Fail(command::screen_share::kSharingWhiteboard)
      .Answer(command::screen_share::kWhiteboardSignal, false)
      .Answer(command::screen_share::kShareWindowType, Json(R"({"type": 0, "web_app_window_type": 0})"))
      .Answer(command::screen_share::kShareAsksForMicView, false)
      .Answer(command::screen_share::kScreenCaptureSettings, true);

  InstallModel(kEventBusModel)
      .Succeed(command::event_bus::kPostEvent)
      .Handle(command::event_bus::kAlertInterruption, [s](const Variant&, Variant* out) {
        Variant answer = Variant::Map();
        answer["should_interrupt_alert_show"] = s->interrupted;
        return Answer(out, answer);
      });

  InstallModel(kVideoPushModel).Succeed(command::video_push::kPrepareVideoPush);
  InstallModel(kVideoPushSwitchModel).Succeed(command::video_push_switch::kPushVideo);
  InstallModel(kMeetingModeModel).Answer(command::meeting_mode::kMeetingMode, 0);
  InstallModel(kCustomLayoutModel)
      .Answer(command::custom_layout::kCustomLayoutMeeting, false)
      .Answer(command::custom_layout::kTogetherMode, Json(R"({"stream": "", "is_together_mode": false})"));
  InstallModel(kNotificationCenterModel)
      .Answer(command::notification_center::kIsEnabled, false)
      .Succeed(command::notification_center::kShow)
      .Succeed(command::notification_center::kUpdate)
      .Succeed(command::notification_center::kRemove);
  return *this;
}

ScriptedModel& MeetingFixture::meeting() const { return Expect(kMeetingModel); }
ScriptedModel& MeetingFixture::users() const { return Expect(kUserModel); }
ScriptedModel& MeetingFixture::video() const { return Expect(kVideoModel); }
ScriptedModel& MeetingFixture::audio() const { return Expect(kAudioModel); }
ScriptedModel& MeetingFixture::camera() const { return Expect(kCameraModel); }
ScriptedModel& MeetingFixture::settings() const { return Expect(kSettingsModel); }
ScriptedModel& MeetingFixture::configuration() const { return Expect(kConfigurationModel); }
ScriptedModel& MeetingFixture::service_entrance() const { return Expect(kServiceEntranceModel); }
ScriptedModel& MeetingFixture::main_window() const { return Expect(kMainWindowModel); }
ScriptedModel& MeetingFixture::secondary_window() const { return Expect(kSecondaryWindowModel); }
ScriptedModel& MeetingFixture::screen_share() const { return Expect(kScreenShareModel); }
ScriptedModel& MeetingFixture::event_bus() const { return Expect(kEventBusModel); }

int64_t MeetingFixture::AddUser(Variant record) {
  std::vector<Variant> records;
  records.push_back(std::move(record));
  std::vector<int64_t> indexes = AddUsers(std::move(records));
  return indexes.empty() ? -1 : indexes.front();
}

std::vector<int64_t> MeetingFixture::AddUsers(std::vector<Variant> records) {
  std::vector<int64_t> indexes;
  Variant payload = Variant::Array();
  for (auto& record : records) {
    const int64_t index = state_->Insert(std::move(record));
    if (index < 0) continue;
    indexes.push_back(index);
    payload.Add(index);
  }
  if (!indexes.empty()) users().Fire(kUsersAdded, payload);
  return indexes;
}

bool MeetingFixture::UpdateUser(const std::string& user_id, const Variant& changes) {
  return UpdateUsers({{user_id, changes}}) == 1;
}

size_t MeetingFixture::UpdateUsers(const std::vector<std::pair<std::string, Variant>>& changes) {
  Variant payload = Variant::Array();
  for (const auto& [user_id, change] : changes) {
    if (state_->Merge(user_id, change)) payload.Add(state_->IndexOf(user_id));
  }
  if (!payload.empty()) users().Fire(kUsersUpdated, payload);
  return payload.size();
}

bool MeetingFixture::RemoveUser(const std::string& user_id) { return RemoveUsers({user_id}) == 1; }

size_t MeetingFixture::RemoveUsers(const std::vector<std::string>& user_ids) {
  Variant payload = Variant::Array();
  std::vector<int64_t> indexes;
  for (const std::string& user_id : user_ids) {
    const int64_t index = state_->IndexOf(user_id);
    if (index < 0 || index == state_->self_index) continue;
    indexes.push_back(index);
    payload.Add(index);
  }
  if (indexes.empty()) return 0;
  // Listeners look the leaving users up while the event is delivered.
  users().Fire(kUsersRemoved, payload);
  for (int64_t index : indexes) state_->Erase(index);
  return indexes.size();
}

void MeetingFixture::ResetUsers(std::vector<Variant> records) {
  std::vector<int64_t> remote;
  for (int64_t index : state_->order) {
    if (index != state_->self_index) remote.push_back(index);
  }
  for (int64_t index : remote) state_->Erase(index);
  for (auto& record : records) state_->Insert(std::move(record));
  users().FireNull(kUsersReset);
}

const Variant* MeetingFixture::FindUser(const std::string& user_id) const {
  return state_->Find(state_->IndexOf(user_id));
}

int64_t MeetingFixture::IndexOf(const std::string& user_id) const { return state_->IndexOf(user_id); }

size_t MeetingFixture::user_count() const { return state_->records.size(); }

std::vector<std::string> MeetingFixture::user_ids() const {
  std::vector<std::string> ids;
  ids.reserve(state_->order.size());
  for (int64_t index : state_->order) ids.push_back(state_->records[index].GetString("user_id"));
  return ids;
}

void MeetingFixture::StartScreenShare(const std::string& user_id) { UpdateUser(user_id, Json(R"({"screen": true})")); }

void MeetingFixture::StopScreenShare(const std::string& user_id) { UpdateUser(user_id, Json(R"({"screen": false})")); }

void MeetingFixture::StartWebShare(const std::string& user_id) {
  const Variant* record = FindUser(user_id);
  if (!record) return;
  Variant share = Variant::Map();
  share["up_web_share_on"] = true;
  share["user_id"] = user_id;
  share["instance_id"] = record->GetInteger("instance_id", 0);
  share["app_uid"] = record->GetString("app_uid");
  share["unique_id"] = record->GetString("unique_id");
  share["is_self"] = record->GetBoolean("self", false);
  state_->web_share = std::move(share);
}

void MeetingFixture::StopWebShare() { state_->web_share = Variant::Map(); }

void MeetingFixture::SetBigView(int window, const std::string& user_id) {
  if (window != 0 && window != 1) return;
  state_->big_view[window] = state_->ViewOf(user_id);
}

void MeetingFixture::SetLayoutType(int window, int32_t layout_type) {
  if (window == 0 || window == 1) state_->layout_type[window] = layout_type;
}

void MeetingFixture::SetSecondaryWindowExists(bool exists) { state_->secondary_exists = exists; }

void MeetingFixture::SetConfigurationItem(const std::string& group_id, const std::string& id, Variant value) {
  state_->configuration_items[group_id + '\n' + id] = std::move(value);
}

void MeetingFixture::SetClientSetting(const std::string& key, Variant value) {
  state_->client_settings[key] = std::move(value);
}

Variant MeetingFixture::ClientSetting(const std::string& key) const {
  auto it = state_->client_settings.find(key);
  return it == state_->client_settings.end() ? Variant() : it->second;
}

void MeetingFixture::SetAudioConnectMode(int32_t mode) {
  state_->audio_mode = mode;
  state_->ScriptPlatform();
}

void MeetingFixture::RaiseAudioDeviceException(const std::string& device_id, int32_t device_type, int32_t error_type,
                                               bool user_trigger) {
  Variant exception = Variant::Map();
  exception["device_id"] = device_id;
  exception["device_type"] = device_type;
  exception["error_type"] = error_type;
  state_->exception = std::move(exception);
  Variant event = Variant::Map();
  event["user_trigger"] = user_trigger;
  audio().Fire(kAudioException, event);
}

void MeetingFixture::ClearAudioDeviceException() {
  state_->exception = Variant();
  audio().Fire(kAudioException, Json(R"({"close_alert": true})"));
}

void MeetingFixture::SetAlertInterrupted(bool interrupted) { state_->interrupted = interrupted; }

void MeetingFixture::LeaveMeeting() {
  state_->in_meeting = false;
  state_->ScriptPlatform();
}

void MeetingFixture::JoinMeeting() {
  state_->in_meeting = true;
  state_->ScriptPlatform();
}

}  // namespace hostkit
