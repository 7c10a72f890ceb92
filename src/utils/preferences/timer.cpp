#include "module_api/preferences/timer.h"

#include <exception>
#include <utility>

#include "module_api/log.h"
#include "veltosdk/utils/platform_service.h"

namespace velto_common::utils::timer {
namespace {

// The running half of a timer, shared so that a callback in progress keeps it alive even when
// the callback drops its own VLTimer.
class VLTimerImpl : public std::enable_shared_from_this<VLTimerImpl> {
 public:
  VLTimerImpl(std::function<void()> callback, base::Location where)
      : callback_(std::move(callback)), where_(where) {}
  ~VLTimerImpl() { Stop(); }
  VLTimerImpl(const VLTimerImpl&) = delete;
  VLTimerImpl& operator=(const VLTimerImpl&) = delete;

  void Start(int64_t delay_ms, bool repeat) {
    veltosdk::IPlatformService* service = veltosdk::utils::service::GetPlatformService();
    if (!service) {
      VELTO_LOG_AT(velto::log::kNotable, where_) << "no platform service: timer not started";
      return;
    }
    if (timer_id_ != 0) service->StopTimer(timer_id_);
    timer_id_ = service->StartTimer(&VLTimerImpl::Trampoline, delay_ms, repeat, this);
  }

  void Stop() {
    if (timer_id_ == 0) return;
    veltosdk::IPlatformService* service = veltosdk::utils::service::GetPlatformService();
    if (!service) return;
    service->StopTimer(timer_id_);
    timer_id_ = 0;
  }

 private:
  static void Trampoline(void* context) {
    std::shared_ptr<VLTimerImpl> self = static_cast<VLTimerImpl*>(context)->weak_from_this().lock();
    if (!self || !self->callback_) return;
    try {
      self->callback_();
    } catch (const std::exception& error) {
      // The platform calls back through C; an exception must not unwind into it.
      VELTO_LOG_AT(velto::log::kFailure, self->where_) << "timer callback threw: " << error.what();
    } catch (...) {
      VELTO_LOG_AT(velto::log::kFailure, self->where_) << "timer callback threw";
    }
  }

  int64_t timer_id_ = 0;
  std::function<void()> callback_;
  base::Location where_;
};

class VLTimerWrapper : public VLTimer {
 public:
  explicit VLTimerWrapper(std::shared_ptr<VLTimerImpl> impl) : impl_(std::move(impl)) {}
  ~VLTimerWrapper() override { impl_->Stop(); }
  void Start(int64_t delay_ms, bool repeat) override { impl_->Start(delay_ms, repeat); }
  void Stop() override { impl_->Stop(); }

 private:
  std::shared_ptr<VLTimerImpl> impl_;
};

}  // namespace

VLTimer::~VLTimer() = default;

std::unique_ptr<VLTimer> CreateTimer(std::function<void()> callback, base::Location where) {
  return std::make_unique<VLTimerWrapper>(std::make_shared<VLTimerImpl>(std::move(callback), where));
}

std::unique_ptr<VLTimer> Post(std::function<void()> callback, int64_t delay_ms, base::Location where) {
  std::unique_ptr<VLTimer> timer = CreateTimer(std::move(callback), where);
  timer->Start(delay_ms, false);
  return timer;
}

}  // namespace velto_common::utils::timer
