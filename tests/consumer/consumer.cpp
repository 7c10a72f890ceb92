#include <cstdio>

#include "hostkit/hostkit.h"
#include "module_api/in_meeting/in_meeting_utils.h"

int main() {
  hostkit::Reset();
  hostkit::InstallModel(514).Answer(3, hostkit::Json(R"({"meeting_item": {"meeting_type": 7}})"));
  const auto type = velto_common::utils::inmeeting::GetCurrentMeetingType();
  std::printf("meeting type %lld\n", static_cast<long long>(type));
  hostkit::Reset();
  return type == 7 ? 0 : 1;
}
