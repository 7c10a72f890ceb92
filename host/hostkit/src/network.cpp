#include "hostkit/network.h"

#include <filesystem>
#include <system_error>

#include "base/net/http_transfer.h"
#include "base/threading/looper_impl.h"
#include "hostkit/hostkit.h"
#include "veltosdk/network_detect_state.h"

namespace hostkit {

bool RunMainUntil(const std::function<bool()>& done, std::chrono::milliseconds wall_limit) {
  const auto deadline = std::chrono::steady_clock::now() + wall_limit;
  host_internal::TaskLooper* main = host_internal::AllLoopers().front();
  for (;;) {
    RunUntilIdle();
    if (done()) return true;
    if (!main->WaitForDueTask(deadline)) return done();
  }
}

void StopNetwork() { host_internal::net::StopNetworkLooper(); }
bool IsNetworkRunning() { return host_internal::net::NetworkLooperRunning(); }
size_t NetworkTransfersInFlight() { return host_internal::net::TransfersInFlight(); }

size_t ThreadCount() {
  std::error_code error;
  size_t count = 0;
  for (std::filesystem::directory_iterator it("/proc/self/task", error), end; !error && it != end;
       it.increment(error)) {
    ++count;
  }
  return count;
}

void SetNetworkOnline(bool online) { host_internal::sdk::SetNetworkOnline(online); }
void SetNetworkDetectServiceAvailable(bool available) {
  host_internal::sdk::SetNetworkDetectServiceAvailable(available);
}
size_t NetworkDetectQueries() { return host_internal::sdk::NetworkDetectQueries(); }

}  // namespace hostkit
