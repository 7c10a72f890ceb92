// hostkit: a webinar attendee provider (veltosdk::IWebinarAttendeeProvider) that serves a
// generated attendee list of any size, page by page, and records every window it is asked for.
//
//   hostkit::PagingAttendeeProvider attendees({.total = 100000});
//   AttendeeModel model([&] { return &attendees; });
//   model.Init();
//   ... visible-range commands ...
//   for (const veltosdk::Range& r : attendees.RangeRequests()) ...   // every SetMainRange, in order
//
// Rows are served for the first page (and every page LoadMore added) and for the window last
// fetched. A fetch completes after `fetch_latency_ms` on the main looper (0: inside SetMainRange;
// negative: only when CompleteFetch() is called); a newer window replaces one still pending.
// Completing makes it the fetch range and reports OnLoadedAttendeeRangeUpdate; LoadMore adds a
// page to the loaded rows and reports the range, the loaded count and the end. Row i is the attendee "a-<i>", nicknamed "Attendee <i>" (every fourth in Chinese), with
// audio on every second row and video every seventh.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "veltosdk/webinar_attendee_provider.h"

namespace hostkit {

class PagingAttendeeProvider : public veltosdk::IWebinarAttendeeProvider {
 public:
  struct Options {
    uint32_t total = 1000;
    unsigned per_page = 50;
    const char* name = "paging";  // null: the provider names itself null
    bool ready = true;
    int64_t fetch_latency_ms = 0;
  };
  explicit PagingAttendeeProvider(Options options);
  PagingAttendeeProvider() : PagingAttendeeProvider(Options{}) {}
  ~PagingAttendeeProvider() override;

  const char* GetProviderName() override { return options_.name; }
  unsigned GetLoadedAttendeeCount() override { return loaded_count_; }
  unsigned GetTotalAttendeeCount() override { return options_.total; }
  const veltosdk::IWebinarAttendee* GetAttendeeByIndex(int32_t index) override;
  bool IsReady() override { return options_.ready; }
  veltosdk::Range GetFetchRange() override { return fetch_range_; }
  void SetActive(bool active) override;
  void SetMainRange(const veltosdk::Range& range) override;
  void LoadMore() override;
  void ResumeFetch() override { ++resume_count_; }
  void SetCallback(Callback* callback) override { callback_ = callback; }

  // Every SetMainRange, in order.
  const std::vector<veltosdk::Range>& RangeRequests() const { return requests_; }
  void ClearRangeRequests() { requests_.clear(); }
  // Completes the pending fetch now; false when none is pending.
  bool CompleteFetch();
  std::optional<veltosdk::Range> PendingFetch() const { return pending_; }

  bool active() const { return active_; }
  const std::vector<bool>& active_calls() const { return active_calls_; }
  size_t resume_count() const { return resume_count_; }
  size_t load_more_count() const { return load_more_count_; }
  Callback* callback() const { return callback_; }

  // The server's side: each reports through the callback.
  void SetTotalCount(uint32_t total);
  void SetAttendeeCountPerPage(unsigned per_page);
  void SetReady(bool ready) { options_.ready = ready; }
  void SetFetchLatencyMs(int64_t latency_ms) { options_.fetch_latency_ms = latency_ms; }
  // Raises or lowers a row's hand; an attendee of that row handed out before is gone.
  void RaiseHand(uint32_t index, bool raised, uint64_t timestamp_ms = 0);

  static std::string UserIdOf(uint32_t index) { return "a-" + std::to_string(index); }

 private:
  class Attendee;
  bool Served(int32_t index) const;
  void Complete(const veltosdk::Range& range);

  Options options_;
  Callback* callback_ = nullptr;
  veltosdk::Range fetch_range_;
  std::optional<veltosdk::Range> pending_;
  uint64_t pending_task_ = 0;
  unsigned loaded_count_ = 0;
  bool active_ = false;
  std::vector<bool> active_calls_;
  size_t resume_count_ = 0;
  size_t load_more_count_ = 0;
  std::vector<veltosdk::Range> requests_;
  std::unordered_map<int32_t, std::unique_ptr<Attendee>> attendees_;
  std::map<uint32_t, uint64_t> raised_hands_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace hostkit
