#include "hostkit/webinar_attendees.h"

#include <algorithm>

#include "base/threading/looper.h"

namespace hostkit {

class PagingAttendeeProvider::Attendee : public veltosdk::IWebinarAttendee {
 public:
  Attendee(uint32_t index, bool raised, uint64_t raised_at) : index_(index), raised_(raised), raised_at_(raised_at) {
    identity_.user_id = UserIdOf(index);
    identity_.unique_id = "unique-" + std::to_string(index);
    identity_.app_id = "velto";
    identity_.app_uid = "uid-" + std::to_string(index);
    identity_.instance_id = index % 50 == 49 ? 57 : 1;
    identity_.user_type = 1;
    identity_.device_type = static_cast<int32_t>(index % 3);
  }
  const veltosdk::WebinarAttendeeIdentity& GetIdentity() const override { return identity_; }
  uint64_t GetAVUserId() const override { return 500000 + index_; }
  std::string GetNickname() const override {
    static const char* const kChinese[] = {"张伟", "王芳", "李娜", "刘洋"};
    if (index_ % 4 == 3) return std::string(kChinese[(index_ / 4) % 4]) + std::to_string(index_);
    return "Attendee " + std::to_string(index_);
  }
  int32_t GetUserDistrict() const override { return static_cast<int32_t>(index_ % 5); }
  bool HasAudioInDevice() const override { return true; }
  bool HasVideoInDevice() const override { return index_ % 3 != 0; }
  bool IsAudioOn() const override { return index_ % 2 == 0; }
  bool IsVideoOn() const override { return index_ % 7 == 0; }
  bool IsRaiseHand() const override { return raised_; }
  uint64_t GetRaiseHandTimestamp() const override { return raised_at_; }
  bool IsAllowSpeak() const override { return raised_; }
  std::string GetAvatarToken() const override { return "avatar-" + std::to_string(index_); }
  int32_t GetAvatarType() const override { return 1; }
  bool IsForbidChat() const override { return index_ % 10 == 9; }

 private:
  uint32_t index_;
  bool raised_;
  uint64_t raised_at_;
  veltosdk::WebinarAttendeeIdentity identity_;
};

PagingAttendeeProvider::PagingAttendeeProvider(Options options)
    : options_(options), loaded_count_(std::min<uint32_t>(options.total, options.per_page)) {}

PagingAttendeeProvider::~PagingAttendeeProvider() {
  if (pending_task_) base::threading::LooperThread::MainLooper()->CancelTask(pending_task_);
}

bool PagingAttendeeProvider::Served(int32_t index) const {
  if (index < 0 || static_cast<uint32_t>(index) >= options_.total) return false;
  const uint32_t row = static_cast<uint32_t>(index);
  return row < loaded_count_ || (row >= fetch_range_.start && row < fetch_range_.endExclusive());
}

const veltosdk::IWebinarAttendee* PagingAttendeeProvider::GetAttendeeByIndex(int32_t index) {
  if (!options_.ready || !Served(index)) return nullptr;
  auto& slot = attendees_[index];
  if (!slot) {
    auto raised = raised_hands_.find(static_cast<uint32_t>(index));
    slot = std::make_unique<Attendee>(static_cast<uint32_t>(index), raised != raised_hands_.end(),
                                      raised == raised_hands_.end() ? 0 : raised->second);
  }
  return slot.get();
}

void PagingAttendeeProvider::SetActive(bool active) {
  active_ = active;
  active_calls_.push_back(active);
}

void PagingAttendeeProvider::SetMainRange(const veltosdk::Range& range) {
  requests_.push_back(range);
  if (options_.fetch_latency_ms == 0) {
    Complete(range);
    return;
  }
  pending_ = range;
  if (options_.fetch_latency_ms < 0) return;
  base::threading::Looper* main = base::threading::LooperThread::MainLooper();
  if (pending_task_) main->CancelTask(pending_task_);
  std::weak_ptr<bool> alive = alive_;
  pending_task_ = main->PostDelayedTask(
      [this, alive] {
        if (alive.expired()) return;
        pending_task_ = 0;
        CompleteFetch();
      },
      options_.fetch_latency_ms);
}

bool PagingAttendeeProvider::CompleteFetch() {
  if (!pending_) return false;
  const veltosdk::Range range = *pending_;
  pending_.reset();
  Complete(range);
  return true;
}

void PagingAttendeeProvider::Complete(const veltosdk::Range& range) {
  fetch_range_ = range;
  if (callback_) callback_->OnLoadedAttendeeRangeUpdate(range, veltosdk::FetchWebinarAttendeeType::kMainRange);
}

void PagingAttendeeProvider::LoadMore() {
  ++load_more_count_;
  const unsigned before = loaded_count_;
  loaded_count_ = std::min<uint64_t>(options_.total, uint64_t{loaded_count_} + options_.per_page);
  if (callback_ && loaded_count_ != before) {
    callback_->OnLoadedAttendeeRangeUpdate(veltosdk::Range(before, loaded_count_ - before),
                                           veltosdk::FetchWebinarAttendeeType::kLoadMore);
    callback_->OnLoadedAttendeeCountChanged(loaded_count_);
  }
  if (callback_) callback_->OnAttendeeLoadMoreFinished();
}

void PagingAttendeeProvider::SetTotalCount(uint32_t total) {
  options_.total = total;
  loaded_count_ = std::min(loaded_count_, total);
  attendees_.clear();
  if (callback_) callback_->OnTotalAttendeeCountChanged(total);
}

void PagingAttendeeProvider::SetAttendeeCountPerPage(unsigned per_page) {
  options_.per_page = per_page;
  if (callback_) callback_->OnAttendeeCountPerPageChanged(per_page);
}

void PagingAttendeeProvider::RaiseHand(uint32_t index, bool raised, uint64_t timestamp_ms) {
  if (raised) {
    raised_hands_[index] = timestamp_ms;
  } else {
    raised_hands_.erase(index);
  }
  attendees_.erase(static_cast<int32_t>(index));
}

}  // namespace hostkit
