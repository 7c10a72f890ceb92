// The meeting service stand-in: answers from the state hostkit scripts. Asynchronous answers
// are main-looper tasks, as the SDK delivers them.
#include "veltosdk/utils/meeting_service.h"

#include <algorithm>
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

template <typename Delegate>
void AddTo(std::vector<Delegate*>& delegates, Delegate* delegate) {
  if (!delegate || std::find(delegates.begin(), delegates.end(), delegate) != delegates.end()) return;
  delegates.push_back(delegate);
}

template <typename Delegate>
void RemoveFrom(std::vector<Delegate*>& delegates, Delegate* delegate) {
  delegates.erase(std::remove(delegates.begin(), delegates.end(), delegate), delegates.end());
}

// A delegate may remove itself or others, or add new ones, from inside its callback.
template <typename Delegate>
size_t Deliver(std::vector<Delegate*>& delegates, const std::function<void(Delegate&)>& callback) {
  const std::vector<Delegate*> snapshot = delegates;
  size_t called = 0;
  for (Delegate* delegate : snapshot) {
    if (std::find(delegates.begin(), delegates.end(), delegate) == delegates.end()) continue;
    callback(*delegate);
    ++called;
  }
  return called;
}

class VideoController : public veltosdk::IVideoController {
 public:
  void SetBatchOperation(bool on) override { State().batch_operations.push_back(on); }
  void AddDelegate(veltosdk::IMeetingVideoCtrlDelegate* delegate) override { AddTo(State().video_delegates, delegate); }
  void RemoveDelegate(veltosdk::IMeetingVideoCtrlDelegate* delegate) override {
    RemoveFrom(State().video_delegates, delegate);
  }
};

class AudioController : public veltosdk::IAudioController {
 public:
  void AddDelegate(veltosdk::IMeetingAudioCtrlDelegate* delegate) override { AddTo(State().audio_delegates, delegate); }
  void RemoveDelegate(veltosdk::IMeetingAudioCtrlDelegate* delegate) override {
    RemoveFrom(State().audio_delegates, delegate);
  }
};

class MeetingService : public veltosdk::IMeetingService {
 public:
  veltosdk::IMeetingUserService* GetUserService() override { return &users_; }
  veltosdk::IMeetingWindowService* GetWindowService() override { return &windows_; }
  veltosdk::IVideoController* GetVideoController() override { return &video_; }
  veltosdk::MeetingState GetMeetingState() override { return State().state; }
  veltosdk::IAudioController* GetAudioController() override { return &audio_; }

 private:
  UserService users_;
  WindowService windows_;
  VideoController video_;
  AudioController audio_;
};

void ResetMeetingService() { State() = ServiceState{}; }

const bool kRegistered = host_internal::RegisterReset(&ResetMeetingService);

}  // namespace

size_t DeliverToVideoDelegates(const std::function<void(veltosdk::IMeetingVideoCtrlDelegate&)>& callback) {
  return Deliver(State().video_delegates, callback);
}

size_t DeliverToAudioDelegates(const std::function<void(veltosdk::IMeetingAudioCtrlDelegate&)>& callback) {
  return Deliver(State().audio_delegates, callback);
}
}  // namespace host_internal::meeting

namespace veltosdk::utils::service {

IMeetingService* GetMeetingService() {
  static auto* service = new host_internal::meeting::MeetingService;
  return host_internal::meeting::State().available ? service : nullptr;
}

}  // namespace veltosdk::utils::service
