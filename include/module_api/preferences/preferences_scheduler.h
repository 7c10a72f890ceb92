// The deferred-work scheduler that the preference stores use for their background
// synchronisation: one-shot timers on the host's file looper.
//
//   auto scheduler = std::make_shared<velto_common::utils::Scheduler>();
//   uint64_t id = scheduler->GenerateTaskId();          // 1, 2, 3, ... per scheduler
//   scheduler->Schedule(id, [] { Flush(); }, 30000);    // runs once on the file looper
//   scheduler->Cancel(id);                              // false once it ran or was cancelled
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "base/threading/timer.h"
#include "base/tkv/tkv.h"
#include "module_api/export.h"

namespace velto_common::utils {

class VELTO_API Scheduler : public base::tkv::Scheduler {
 public:
  Scheduler() = default;
  Scheduler(const Scheduler&) = delete;
  Scheduler& operator=(const Scheduler&) = delete;

  uint64_t GenerateTaskId() override;
  // A task already scheduled under `task_id` is replaced (its timer stopped). The task runs
  // once, then its id is removed; a task may cancel its own or any other id.
  void Schedule(uint64_t task_id, std::function<void()> task, int64_t delay) override;
  bool Cancel(uint64_t task_id) override;
  // Stops every pending task; waits for one that is running on the file looper.
  ~Scheduler() override;

  size_t PendingCount() const;

 private:
  std::atomic<uint64_t> next_task_id_{1};
  mutable std::mutex lock_;
  std::unordered_map<uint64_t, std::unique_ptr<base::threading::Timer>> timers_;
};

}  // namespace velto_common::utils
