#include "utils/in_meeting/in_meeting_internal.h"

#include <array>
#include <optional>

#include "base/scope_singleton.h"

namespace velto_common::utils::inmeeting::internal {
namespace {

// Cached answers; dropped at library teardown so that a new host scope reads them afresh.
struct OnceValues {
  std::array<std::optional<bool>, static_cast<size_t>(OnceFlag::kCount)> values;
};

OnceValues* g_once = nullptr;

void DestroyOnce(void*) {
  delete g_once;
  g_once = nullptr;
}

}  // namespace

std::shared_ptr<const veltosdk::MeetingSelfInfo> PlatformSelfInfo() {
  veltosdk::IMeetingService* service = veltosdk::utils::service::GetMeetingService();
  veltosdk::IMeetingUserService* users = service ? service->GetUserService() : nullptr;
  return users ? users->GetSelfInfo() : nullptr;
}

bool ReadOnce(OnceFlag flag, const std::function<bool()>& read) {
  // UI thread only, like every in-meeting query.
  if (!g_once) {
    g_once = new OnceValues;
    base::RegisterScopeSingleton(&g_once, &DestroyOnce);
  }
  auto& slot = g_once->values[static_cast<size_t>(flag)];
  if (!slot) slot = read();
  return *slot;
}

}  // namespace velto_common::utils::inmeeting::internal
