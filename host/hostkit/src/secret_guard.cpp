#include "hostkit/secret_guard.h"

#include <mutex>
#include <utility>

#include "secret_guard_check.h"

namespace hostkit {
namespace {

struct Guard {
  std::mutex mutex;
  std::vector<std::string> markers;
  std::vector<LogRecord> leaks;
};

Guard& TheGuard() {
  static auto* guard = new Guard;  // records printed at exit still find it
  return *guard;
}

}  // namespace

void WatchLogsForSecrets(std::vector<std::string> markers) {
  Guard& guard = TheGuard();
  std::lock_guard<std::mutex> lock(guard.mutex);
  std::erase_if(markers, [](const std::string& marker) { return marker.empty(); });
  guard.markers = std::move(markers);
}

std::vector<LogRecord> TakeSecretLeaks() {
  Guard& guard = TheGuard();
  std::lock_guard<std::mutex> lock(guard.mutex);
  return std::exchange(guard.leaks, {});
}

namespace secret_guard {

void Check(const LogRecord& record) {
  Guard& guard = TheGuard();
  std::lock_guard<std::mutex> lock(guard.mutex);
  for (const std::string& marker : guard.markers) {
    if (record.text.find(marker) != std::string::npos) {
      guard.leaks.push_back(record);
      return;
    }
  }
}

}  // namespace secret_guard
}  // namespace hostkit
