// veltosdk::UserIdParam: how the platform SDK's calls name one user of the meeting (one device
// of an account: the account's identity plus the instance it joined with).
#pragma once

#include <cstdint>
#include <string>

namespace veltosdk {

struct UserIdParam {
  std::string app_id;
  std::string app_uid;
  uint32_t instance_id = 0;
  int32_t user_type = 0;
  int32_t device_type = 0;
  std::string unique_id;
  std::string av_user_id;
};

}  // namespace veltosdk
