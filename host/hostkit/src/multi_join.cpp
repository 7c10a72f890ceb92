#include "hostkit/multi_join.h"

#include <algorithm>

#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace hostkit {
namespace {

namespace cmd = velto::model_command::multi_join_identify;

const char* const kStateKeys[] = {"has_audio_in_device", "audio",          "video", "up_audio_share_on",
                                  "up_web_share_on",     "has_video_in_device", "screen"};
const char* const kStateNames[] = {"audio_device_connect", "audio_on", "video_on", "audio_share_on",
                                   "web_share_on",         "video_device", "screen_on"};

bool Has(const Variant& device, int64_t type) {
  const char* key = MultiJoinIdentifyModel::StateKey(type);
  return *key && device.GetBoolean(key);
}

bool SameDevice(const Variant& a, const std::string& user_id, int64_t instance_id) {
  return a.GetString("user_id") == user_id && a.GetInteger("instance_id") == instance_id;
}

}  // namespace

const char* MultiJoinIdentifyModel::StateKey(int64_t media_state_type) {
  return media_state_type >= 1 && media_state_type <= 7 ? kStateKeys[media_state_type - 1] : "";
}

MultiJoinIdentifyModel::MultiJoinIdentifyModel()
    : state_(std::make_shared<State>()), model_(&InstallModel(velto::model_id::kMultiJoinIdentifyModel)) {
  std::shared_ptr<State> s = state_;
  auto devices_of = [s](const std::string& user_id) {
    std::vector<const Variant*> mine;
    for (const Variant& d : s->devices) {
      if (d.GetString("user_id") == user_id) mine.push_back(&d);
    }
    return mine;
  };
  auto answer = [](Variant* out, const char* key, Variant value) {
    if (out) (*out)[key] = std::move(value);
    return true;
  };
  model_->Handle(cmd::kIsMultiJoinMode, [devices_of, answer](const Variant& q, Variant* out) {
    return answer(out, "is_multi_join_mode", devices_of(q.GetString("user_id")).size() > 1);
  });
  model_->Handle(cmd::kAVUserIdByUserId, [devices_of, answer](const Variant& q, Variant* out) {
    for (const Variant* d : devices_of(q.GetString("user_id"))) {
      if (Has(*d, q.GetInteger("media_state_type"))) return answer(out, "av_user_id", d->GetString("av_user_id"));
    }
    return answer(out, "av_user_id", "");
  });
  model_->Handle(cmd::kUserSceneByMediaStateType, [devices_of, answer](const Variant& q, Variant* out) {
    uint64_t scene = 0;
    for (const Variant* d : devices_of(q.GetString("user_id"))) {
      if (Has(*d, q.GetInteger("media_state_type"))) scene |= uint64_t{1} << (d->GetInteger("instance_id") & 63);
    }
    return answer(out, "user_scene", scene);
  });
  model_->Handle(cmd::kIsSameInstanceByUserId, [devices_of, answer](const Variant& q, Variant* out) {
    bool same = false;
    for (const Variant* d : devices_of(q.GetString("user_id"))) {
      same = same || (d->GetInteger("instance_type") == q.GetInteger("instance_type") &&
                      Has(*d, q.GetInteger("media_state_type")));
    }
    return answer(out, "is_same_instance_by_userid", same);
  });
  model_->Handle(cmd::kIsOtherInstanceOpenDevice, [devices_of, answer](const Variant& q, Variant* out) {
    bool other = false;
    for (const Variant* d : devices_of(q.GetString("user_id"))) {
      other = other || (d->GetInteger("instance_type") != q.GetInteger("instance_type") &&
                        Has(*d, q.GetInteger("media_state_type")));
    }
    return answer(out, "is_other_instance_open_device", other);
  });
  model_->Handle(cmd::kUserMediaState, [s, devices_of](const Variant& record, Variant* out) {
    if (!record.IsMap()) return false;
    const std::string user_id = record.GetString("user_id");
    const Variant* own = &record;
    for (const Variant& d : s->devices) {
      if (SameDevice(d, user_id, record.GetInteger("instance_id"))) own = &d;
    }
    const std::vector<const Variant*> mine = devices_of(user_id);
    Variant result = Variant::Map();
    for (int64_t type = 1; type <= 7; ++type) {
      const bool user = std::any_of(mine.begin(), mine.end(), [type](const Variant* d) { return Has(*d, type); });
      result[std::string("user_") + kStateNames[type - 1]]["enable"] = user || Has(*own, type);
      result[std::string("device_") + kStateNames[type - 1]]["enable"] = Has(*own, type);
    }
    if (out) *out = std::move(result);
    return true;
  });
}

void MultiJoinIdentifyModel::Join(const Variant& device) {
  const std::string user_id = device.GetString("user_id");
  const int64_t instance_id = device.GetInteger("instance_id");
  for (Variant& d : state_->devices) {
    if (SameDevice(d, user_id, instance_id)) {
      d = device;
      return;
    }
  }
  state_->devices.push_back(device);
}

bool MultiJoinIdentifyModel::Leave(const std::string& user_id, int64_t instance_id) {
  auto& devices = state_->devices;
  auto it = std::find_if(devices.begin(), devices.end(),
                         [&](const Variant& d) { return SameDevice(d, user_id, instance_id); });
  if (it == devices.end()) return false;
  devices.erase(it);
  return true;
}

std::vector<Variant> MultiJoinIdentifyModel::DevicesOf(const std::string& user_id) const {
  std::vector<Variant> mine;
  for (const Variant& d : state_->devices) {
    if (d.GetString("user_id") == user_id) mine.push_back(d);
  }
  return mine;
}

}  // namespace hostkit
