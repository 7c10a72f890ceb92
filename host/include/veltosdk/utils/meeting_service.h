// The platform SDK's meeting service: the local user's devices in the meeting, the meeting's
// windows, the meeting state flags, the video controller's batching and the media controllers'
// delegates, which hear how a request to send the local camera or microphone goes.
//
//   veltosdk::IMeetingService* meeting = veltosdk::utils::service::GetMeetingService();
//   auto self = meeting && meeting->GetUserService() ? meeting->GetUserService()->GetSelfInfo() : nullptr;
//   if (self && self->IsValid() && self->devices.size() > 1) { ... joined from several devices ... }
//
//   class Watcher : public veltosdk::IMeetingVideoCtrlDelegate {
//     void OnResponsePushVideo(bool is_push_complete) override { ... }
//   };
//   meeting->GetVideoController()->AddDelegate(&watcher);   // until RemoveDelegate(&watcher)
//
// Records are snapshots shared with the caller. The asynchronous window queries answer on the
// UI thread, never inside the call. UI thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace veltosdk {

// A device from which the local account takes part in the meeting.
struct MeetingDevice {
  std::string instance_id;  // the client instance (veltosdk::utils::context::GetCurrentInstanceId)
  int32_t device_type = 0;
  bool audio_connected = false;
  bool audio_on = false;
  bool video_on = false;
  int32_t share_type = 0;   // what the device shares (kShareTypeNone, ...)
};

inline constexpr int32_t kShareTypeNone = 0;
inline constexpr int32_t kShareTypeScreen = 1;
inline constexpr int32_t kShareTypeWindow = 2;
inline constexpr int32_t kShareTypeWhiteboard = 3;
inline constexpr int32_t kShareTypeDocument = 4;
inline constexpr int32_t kShareTypeWeb = 5;

struct MeetingSelfInfo {
  bool valid = false;
  std::string user_id;
  std::string app_id;
  std::string app_uid;
  int32_t share_type = kShareTypeNone;  // of this device
  std::vector<MeetingDevice> devices;   // every device of the local account, this one included
  bool IsValid() const { return valid; }
};

struct WindowRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const WindowRect&) const = default;
};

struct MeetingWindowInfo {
  int64_t window_id = 0;
  int32_t window_type = 0;  // 0 main, 1 secondary, others per module
  std::string name;
  WindowRect rect;
  bool visible = false;
  int32_t screen_index = 0;
};

using WindowInfoPtr = std::shared_ptr<const MeetingWindowInfo>;
using WindowInfoList = std::vector<WindowInfoPtr>;

struct MeetingState {
  bool meeting_mode = false;  // the meeting runs in the meeting (conference room) mode
};

class IMeetingUserService {
 public:
  virtual ~IMeetingUserService() = default;
  // Null outside a meeting.
  virtual std::shared_ptr<const MeetingSelfInfo> GetSelfInfo() = 0;
};

class IMeetingWindowService {
 public:
  virtual ~IMeetingWindowService() = default;
  virtual WindowInfoList GetAllWindowInfoList() = 0;
  virtual void GetAllWindowInfoListAsync(std::function<void(WindowInfoList)> callback) = 0;
  virtual WindowInfoPtr GetWindowInfoById(int64_t window_id) = 0;  // null when unknown
  virtual void GetWindowInfoByIdAsync(int64_t window_id, std::function<void(WindowInfoPtr)> callback) = 0;
};

// Opening the local camera passes three steps in the SDK, each reported to the video
// controller's delegates: the signalling request to send video, the server's answer, and the
// media channel's result. The SDK calls them on the UI thread, in whatever order the network
// delivers them, and may repeat or skip one.
class IMeetingVideoCtrlDelegate {
 public:
  virtual ~IMeetingVideoCtrlDelegate() = default;
  virtual void OnRequsetPushVideo(bool /*is_request_push*/, bool /*is_grant*/, int32_t /*open_video_scene*/) {}
  virtual void OnResponsePushVideo(bool /*is_push_complete*/) {}
  // `ret_msg` may be null.
  virtual void OnPushVideoComplete(bool /*enable*/, int32_t /*ret_code*/, const char* /*ret_msg*/) {}
  virtual void OnLocalVideoStateChanged(bool /*video_on*/) {}
  virtual void OnCameraDeviceChanged(const std::string& /*device_id*/) {}
};

// The same three steps for the local microphone.
class IMeetingAudioCtrlDelegate {
 public:
  virtual ~IMeetingAudioCtrlDelegate() = default;
  virtual void OnRequsetPushAudio(bool /*is_request_push*/, bool /*is_grant*/, bool /*is_host_operation*/) {}
  virtual void OnPushAudioResponse(bool /*is_push_complete*/) {}
  // `ret_msg` may be null.
  virtual void OnPushAudioComplete(bool /*enable*/, int32_t /*ret_code*/, const char* /*ret_msg*/) {}
  virtual void OnLocalAudioStateChanged(bool /*audio_on*/) {}
  virtual void OnMicDeviceChanged(const std::string& /*device_id*/) {}
};

class IVideoController {
 public:
  virtual ~IVideoController() = default;
  // Between true and false the media layer applies stream changes as one batch.
  virtual void SetBatchOperation(bool on) = 0;
  // Delegates are not owned. Adding one twice keeps one registration; a delegate added while a
  // callback is being delivered first hears the next callback, and one removed meanwhile hears
  // nothing more.
  virtual void AddDelegate(IMeetingVideoCtrlDelegate* delegate) = 0;
  virtual void RemoveDelegate(IMeetingVideoCtrlDelegate* delegate) = 0;
};

class IAudioController {
 public:
  virtual ~IAudioController() = default;
  // As IVideoController's.
  virtual void AddDelegate(IMeetingAudioCtrlDelegate* delegate) = 0;
  virtual void RemoveDelegate(IMeetingAudioCtrlDelegate* delegate) = 0;
};

class IMeetingService {
 public:
  virtual ~IMeetingService() = default;
  virtual IMeetingUserService* GetUserService() = 0;
  virtual IMeetingWindowService* GetWindowService() = 0;
  virtual IVideoController* GetVideoController() = 0;
  virtual MeetingState GetMeetingState() = 0;
  virtual IAudioController* GetAudioController() = 0;
};

namespace utils::service {
// Null when the service is not loaded.
IMeetingService* GetMeetingService();
}  // namespace utils::service

}  // namespace veltosdk
