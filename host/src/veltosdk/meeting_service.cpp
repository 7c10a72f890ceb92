// The meeting service stand-in: answers from the state hostkit scripts. Asynchronous answers
// are main-looper tasks, as the SDK delivers them.
#include "veltosdk/utils/meeting_service.h"

#include <utility>

#include "base/threading/looper.h"
#include "host_internal.h"
#include "veltosdk/meeting_service_state.h"

namespace host_internal::meeting {

ServiceState& State() {
  static auto* state = new ServiceState;
  return *state;
}

namespace {

veltosdk::WindowInfoPtr FindWindow(int64_t window_id) {
  for (const auto& window : State().windows) {
    if (window && window->window_id == window_id) return window;
  }
  return nullptr;
}

class UserService : public veltosdk::IMeetingUserService {
 public:
  std::shared_ptr<const veltosdk::MeetingSelfInfo> GetSelfInfo() override { return State().self; }
};

class WindowService : public veltosdk::IMeetingWindowService {
 public:
  veltosdk::WindowInfoList GetAllWindowInfoList() override { return State().windows; }
  void GetAllWindowInfoListAsync(std::function<void(veltosdk::WindowInfoList)> callback) override {
    if (!callback) return;
    base::threading::LooperThread::MainLooper()->PostTask(
        [callback = std::move(callback), windows = State().windows] { callback(windows); }, FROM_HERE);
  }
  veltosdk::WindowInfoPtr GetWindowInfoById(int64_t window_id) override { return FindWindow(window_id); }
  void GetWindowInfoByIdAsync(int64_t window_id, std::function<void(veltosdk::WindowInfoPtr)> callback) override {
    if (!callback) return;
    base::threading::LooperThread::MainLooper()->PostTask(
        [callback = std::move(callback), window = FindWindow(window_id)] { callback(window); }, FROM_HERE);
  }
};

class VideoController : public veltosdk::IVideoController {
 public:
  void SetBatchOperation(bool on) override { State().batch_operations.push_back(on); }
};

class MeetingService : public veltosdk::IMeetingService {
 public:
  veltosdk::IMeetingUserService* GetUserService() override { return &users_; }
  veltosdk::IMeetingWindowService* GetWindowService() override { return &windows_; }
  veltosdk::IVideoController* GetVideoController() override { return &video_; }
  veltosdk::MeetingState GetMeetingState() override { return State().state; }

 private:
  UserService users_;
  WindowService windows_;
  VideoController video_;
};

void ResetMeetingService() { State() = ServiceState{}; }

const bool kRegistered = host_internal::RegisterReset(&ResetMeetingService);

}  // namespace
}  // namespace host_internal::meeting

namespace veltosdk::utils::service {

IMeetingService* GetMeetingService() {
  static auto* service = new host_internal::meeting::MeetingService;
  return host_internal::meeting::State().available ? service : nullptr;
}

}  // namespace veltosdk::utils::service
