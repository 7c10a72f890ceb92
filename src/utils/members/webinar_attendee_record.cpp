// An attendee of the platform's list as an in-meeting user record, so that member views show
// attendees and users alike.
#include "module_api/log.h"
#include "module_api/members/nickname_avatar.h"
#include "module_api/members/webinar_attendee_model.h"
#include "veltosdk/user_id_manager.h"

namespace velto {
namespace {

// The instance id bots join with.
constexpr int32_t kBotInstanceId = 57;
constexpr int32_t kAttendeeRoleType = 7;
constexpr int32_t kComputerAudio = 1;

}  // namespace

base::variant::Variant WebinarAttendeeModelBase::WebinarAttendeeToVariant(const veltosdk::IWebinarAttendee* attendee) {
  Variant record = Variant::Map();
  if (!attendee) {
    VELTO_LOG(log::kFailure) << "attendee is null";
    return record;
  }
  const veltosdk::WebinarAttendeeIdentity& identity = attendee->GetIdentity();
  const uint64_t av_user_id = attendee->GetAVUserId();
  const std::string nickname = attendee->GetNickname();
  const bool video = attendee->IsVideoOn();
  record["user_id"] = identity.user_id;
  record["unique_id"] = identity.unique_id;
  record["av_user_id"] = av_user_id;
  record["app_id"] = identity.app_id;
  record["app_uid"] = identity.app_uid;
  record["instance_id"] = identity.instance_id;
  record["is_bot"] = identity.instance_id == kBotInstanceId;
  record["user_type"] = identity.user_type;
  record["device_type"] = identity.device_type;
  record["tiny_id"] = av_user_id;
  record["nickname"] = nickname;
  record["user_district"] = attendee->GetUserDistrict();
  record["has_audio_in_device"] = attendee->HasAudioInDevice();
  record["has_video_in_device"] = attendee->HasVideoInDevice();
  record["audio"] = attendee->IsAudioOn();
  record["video"] = video;
  record["video_on"] = video;
  record["screen"] = false;
  record["handsup"] = false;
  record["is_raise_hand"] = attendee->IsRaiseHand();
  record["raise_hand_timestamp"] = attendee->GetRaiseHandTimestamp();
  record["is_allow_speak"] = attendee->IsAllowSpeak();
  record["local_record_on"] = false;
  record["audio_connect_type"] = kComputerAudio;
  record["avatar_name"] = velto_common::utils::GetNicknameAvatar(nickname);
  record["avatar_token"] = attendee->GetAvatarToken();
  record["avatar_type"] = attendee->GetAvatarType();
  record["role_type"] = kAttendeeRoleType;
  record["self"] = identity.user_id == veltosdk::UserIdManager::SharedInstance()->GetSelfId();
  record["is_attendee"] = true;
  record["host"] = false;
  record["co_host"] = false;
  record["is_creator"] = false;
  record["is_forbid_chat"] = attendee->IsForbidChat();
  return record;
}

}  // namespace velto
