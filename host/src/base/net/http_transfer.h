// One HTTP exchange run by the network looper. Not installed; not for modules.
//
//   auto transfer = std::make_shared<host_internal::net::HttpTransfer>();
//   transfer->url = "http://127.0.0.1:8080/v2/ping";
//   transfer->done = [](std::shared_ptr<HttpTransfer> t) { /* network thread */ };
//   host_internal::net::Submit(transfer);      // any thread
//   host_internal::net::Abort(transfer);       // any thread: `done` never runs after this
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace host_internal::net {

enum class TransferError { kNone = 0, kTimeout = 1, kFailed = 2, kTooLarge = 3 };

struct HttpTransfer {
  // The request; fixed before Submit.
  std::string url;
  bool post = false;
  std::string body;
  std::vector<std::string> headers;  // "Name: value"
  int64_t timeout_ms = 10000;        // whole exchange, connection included

  // The answer; written on the network thread before `done` runs.
  long status_code = 0;  // 0 when no HTTP answer came
  std::string response;
  TransferError error = TransferError::kNone;
  std::string error_text;

  // Runs once on the network thread when the exchange ended, unless it was aborted first.
  std::function<void(const std::shared_ptr<HttpTransfer>&)> done;

  std::atomic<bool> aborted{false};
  void* easy = nullptr;  // the network thread's handle while the exchange runs
};

// Answers larger than this end the exchange as kTooLarge.
inline constexpr size_t kMaxResponseBytes = 4 << 20;

void Submit(std::shared_ptr<HttpTransfer> transfer);
void Abort(const std::shared_ptr<HttpTransfer>& transfer);

// Exchanges started and not yet ended or aborted (read from any thread).
size_t TransfersInFlight();
// Stops the network thread (waits for it) and drops what it had queued or running; the next
// Submit or PostTask starts it again. Not from the network thread.
void StopNetworkLooper();
bool NetworkLooperRunning();

}  // namespace host_internal::net
