#include "module_api/member_utils.h"

#include "module_api/model/model_call.h"
#include "module_api/model_ids.h"

namespace velto_common::utils::member {

using velto::model::Variant;
using velto::model_id::kUserModel;

namespace cmd {
constexpr int kUserCount = 3;
}  // namespace cmd

int32_t GetUserCount(veltosdk::InMeetingUserInvisible invisible) {
  Variant answer;
  if (invisible == veltosdk::kInMeetingUserInvisibleNone) {
    velto::model::Call(kUserModel, cmd::kUserCount, nullptr, &answer);
  } else {
    Variant argument = Variant::Map();
    argument["source_type"] = static_cast<int64_t>(invisible);
    velto::model::Call(kUserModel, cmd::kUserCount, &argument, &answer);
  }
  // A count reads as 0 whatever went wrong; the call has logged failures already.
  return answer.AsInt32();
}

}  // namespace velto_common::utils::member
