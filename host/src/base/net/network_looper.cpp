// The network looper: a task queue on a thread of its own whose idle wait is libcurl's multi
// poll, so that posted tasks and socket activity both wake it. Transfers start and end on that
// thread only; other threads reach it through posted tasks and curl_multi_wakeup.
#include "base/threading/network_looper.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <map>
#include <mutex>
#include <queue>
#include <thread>
#include <unordered_set>
#include <utility>
#include <vector>

#include "base/net/http_transfer.h"

namespace host_internal::net {
namespace {

using Clock = std::chrono::steady_clock;
using base::threading::Closure;
using base::threading::TaskId;

// Poll at least this often, so that a wake-up lost to a libcurl quirk costs a second at most.
constexpr long kLongestIdleWaitMs = 1000;

thread_local bool t_on_network_thread = false;

void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Easy {
  std::shared_ptr<HttpTransfer> transfer;
  curl_slist* headers = nullptr;
  bool too_large = false;
};

size_t WriteBody(char* data, size_t size, size_t count, void* user) {
  auto* easy = static_cast<Easy*>(user);
  const size_t bytes = size * count;
  if (easy->transfer->response.size() + bytes > kMaxResponseBytes) {
    easy->too_large = true;
    return 0;  // ends the exchange with CURLE_WRITE_ERROR
  }
  easy->transfer->response.append(data, bytes);
  return bytes;
}

class NetworkLooperImpl : public base::threading::Looper {
 public:
  const char* name() const override { return "network"; }

  TaskId PostTask(Closure task, const base::Location& from) override { return PostDelayedTask(std::move(task), 0, from); }

  TaskId PostDelayedTask(Closure task, int64_t delay_ms, const base::Location&) override {
    if (!task) return 0;
    EnsureStarted();
    std::lock_guard lock(mutex_);
    const TaskId id = next_id_++;
    queue_.push(Task{Clock::now() + std::chrono::milliseconds(std::max<int64_t>(delay_ms, 0)), next_seq_++, id,
                     std::move(task)});
    pending_.insert(id);
    if (multi_) curl_multi_wakeup(multi_);
    return id;
  }

  bool CancelTask(TaskId id) override {
    std::lock_guard lock(mutex_);
    return pending_.erase(id) > 0;
  }

  bool BelongsToCurrentThread() const override { return t_on_network_thread; }

  void Stop() {
    std::unique_lock start(start_mutex_);
    if (!running_) return;
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
      curl_multi_wakeup(multi_);
    }
    thread_.join();
    // The thread is gone: whatever it left is ours to drop.
    for (auto& [handle, easy] : active_) EndEasy(handle, *easy);
    active_.clear();
    in_flight_ = 0;
    std::priority_queue<Task, std::vector<Task>, std::greater<Task>> dropped;
    {
      std::lock_guard lock(mutex_);
      curl_multi_cleanup(multi_);
      multi_ = nullptr;
      dropped.swap(queue_);
      pending_.clear();
      stop_ = false;
    }
    running_ = false;
  }

  bool running() const { return running_; }
  size_t in_flight() const { return in_flight_; }

  // Network thread only.
  void Start(const std::shared_ptr<HttpTransfer>& transfer) {
    if (transfer->aborted) return;
    CURL* handle = curl_easy_init();
    if (!handle) {
      transfer->error = TransferError::kFailed;
      transfer->error_text = "no transfer handle";
      if (transfer->done) transfer->done(transfer);
      return;
    }
    auto easy = std::make_unique<Easy>();
    easy->transfer = transfer;
    for (const std::string& header : transfer->headers) easy->headers = curl_slist_append(easy->headers, header.c_str());
    // No "Expect: 100-continue" round trip for larger bodies.
    easy->headers = curl_slist_append(easy->headers, "Expect:");
    curl_easy_setopt(handle, CURLOPT_URL, transfer->url.c_str());
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, easy->headers);
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    // The host reaches exactly the address it was given: no proxy from the environment, no
    // redirects, no signals from the resolver.
    curl_easy_setopt(handle, CURLOPT_PROXY, "");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(std::max<int64_t>(transfer->timeout_ms, 1)));
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &WriteBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, easy.get());
    if (transfer->post) {
      curl_easy_setopt(handle, CURLOPT_POST, 1L);
      curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(transfer->body.size()));
      curl_easy_setopt(handle, CURLOPT_POSTFIELDS, transfer->body.c_str());
    }
    transfer->easy = handle;
    curl_multi_add_handle(multi_, handle);
    active_.emplace(handle, std::move(easy));
    ++in_flight_;
  }

  // Network thread only.
  void Remove(const std::shared_ptr<HttpTransfer>& transfer) {
    auto it = active_.find(static_cast<CURL*>(transfer->easy));
    if (it == active_.end() || it->second->transfer != transfer) return;
    EndEasy(it->first, *it->second);
    active_.erase(it);
    --in_flight_;
  }

 private:
  struct Task {
    Clock::time_point due;
    uint64_t seq;
    TaskId id;
    Closure closure;
    bool operator>(const Task& other) const { return due != other.due ? due > other.due : seq > other.seq; }
  };

  void EnsureStarted() {
    if (running_) return;
    std::lock_guard start(start_mutex_);
    if (running_) return;
    InitCurlOnce();
    {
      std::lock_guard lock(mutex_);
      multi_ = curl_multi_init();
      stop_ = false;
    }
    running_ = true;
    thread_ = std::thread([this] { ThreadMain(); });
  }

  void EndEasy(CURL* handle, Easy& easy) {
    curl_multi_remove_handle(multi_, handle);
    curl_easy_cleanup(handle);
    curl_slist_free_all(easy.headers);
    easy.transfer->easy = nullptr;
  }

  // Takes the next due task; false when none is due. Sets `stop` when asked to stop.
  bool TakeDueTask(Closure* closure, bool* stop) {
    std::lock_guard lock(mutex_);
    if (stop_) {
      *stop = true;
      return false;
    }
    while (!queue_.empty()) {
      if (!pending_.count(queue_.top().id)) {  // cancelled
        queue_.pop();
        continue;
      }
      if (queue_.top().due > Clock::now()) return false;
      *closure = std::move(const_cast<Task&>(queue_.top()).closure);
      pending_.erase(queue_.top().id);
      queue_.pop();
      return true;
    }
    return false;
  }

  long IdleWaitMs() {
    long wait = kLongestIdleWaitMs;
    {
      std::lock_guard lock(mutex_);
      if (!queue_.empty()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(queue_.top().due - Clock::now());
        wait = std::clamp<long>(static_cast<long>(left.count()), 0, wait);
      }
    }
    long curl_wait = -1;
    curl_multi_timeout(multi_, &curl_wait);
    if (curl_wait >= 0) wait = std::min(wait, curl_wait);
    return wait;
  }

  void Finish(CURL* handle, CURLcode code) {
    auto it = active_.find(handle);
    if (it == active_.end()) return;
    std::unique_ptr<Easy> easy = std::move(it->second);
    active_.erase(it);
    std::shared_ptr<HttpTransfer> transfer = easy->transfer;
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    transfer->status_code = status;
    if (code == CURLE_OK) {
      transfer->error = TransferError::kNone;
    } else if (code == CURLE_OPERATION_TIMEDOUT) {
      transfer->error = TransferError::kTimeout;
      transfer->error_text = "timed out";
    } else if (easy->too_large) {
      transfer->error = TransferError::kTooLarge;
      transfer->error_text = "answer too large";
    } else {
      transfer->error = TransferError::kFailed;
      transfer->error_text = curl_easy_strerror(code);
    }
    EndEasy(handle, *easy);
    --in_flight_;
    if (!transfer->aborted && transfer->done) transfer->done(transfer);
  }

  void ThreadMain() {
    t_on_network_thread = true;
    for (;;) {
      Closure closure;
      bool stop = false;
      while (TakeDueTask(&closure, &stop)) {
        closure();
        closure = nullptr;  // captured state dies here, on this thread
      }
      if (stop) return;
      int running = 0;
      curl_multi_perform(multi_, &running);
      int left = 0;
      while (CURLMsg* message = curl_multi_info_read(multi_, &left)) {
        if (message->msg == CURLMSG_DONE) Finish(message->easy_handle, message->data.result);
      }
      curl_multi_poll(multi_, nullptr, 0, static_cast<int>(IdleWaitMs()), nullptr);
    }
  }

  std::mutex start_mutex_;  // Start and Stop
  std::mutex mutex_;        // the queue, stop_ and multi_'s lifetime for wake-ups
  std::priority_queue<Task, std::vector<Task>, std::greater<Task>> queue_;
  std::unordered_set<TaskId> pending_;
  uint64_t next_seq_ = 1;
  TaskId next_id_ = 1;
  bool stop_ = false;
  CURLM* multi_ = nullptr;
  std::thread thread_;
  std::atomic<bool> running_{false};
  std::atomic<size_t> in_flight_{0};
  std::map<CURL*, std::unique_ptr<Easy>> active_;  // network thread only (and Stop after the join)
};

NetworkLooperImpl& Impl() {
  static auto* looper = new NetworkLooperImpl;  // may still be polled while statics are destroyed
  return *looper;
}

}  // namespace

void Submit(std::shared_ptr<HttpTransfer> transfer) {
  if (!transfer) return;
  Impl().PostTask([transfer = std::move(transfer)] { Impl().Start(transfer); }, FROM_HERE);
}

void Abort(const std::shared_ptr<HttpTransfer>& transfer) {
  if (!transfer || transfer->aborted.exchange(true)) return;
  if (!Impl().running()) return;
  Impl().PostTask([transfer] { Impl().Remove(transfer); }, FROM_HERE);
}

size_t TransfersInFlight() { return Impl().in_flight(); }
void StopNetworkLooper() { Impl().Stop(); }
bool NetworkLooperRunning() { return Impl().running(); }

}  // namespace host_internal::net

namespace base::threading {

Looper* NetworkLooper() { return &host_internal::net::Impl(); }

}  // namespace base::threading
