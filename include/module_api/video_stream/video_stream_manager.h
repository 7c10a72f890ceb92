// Which remote video and screen streams the client pulls, and at which size.
//
//   velto::VideoStreamManager streams;                       // one per window that shows video
//   streams.SetWindowType(velto::InMeetingWindow::kMainWindow);
//   streams.SetStreamRule(velto::VideoStream::kVideoStreamRuleUserCount);
//   streams.SetVisibleStreamList(&visible);   // [{"stream_id": "video-u-1"}, ...]
//   ...                                       // pulls what became visible, cancels what left
//   streams.DegradeVideoQuality(3000);        // the window went to the back
//   streams.RecoverVideoQuality();
//   streams.Pause();  streams.Resume();       // e.g. while the window is minimised
//
// A pull is an object: constructing a VideoStreamPullHelper asks the video pull model (569) for
// the stream, destroying it cancels. The manager keeps at most one per stream and sends a new
// one only when the size it would ask for changes, so re-sending an unchanged visible list sends
// nothing to the host. Model reads (the stream info map, the user count, configuration items,
// the big view) are made once per operation, not once per stream.
//
// UI thread only; timer callbacks come back on it too.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "base/variant/variant.h"
#include "framework/view_lifecycle.h"
#include "module_api/export.h"
#include "module_api/in_meeting/in_meeting_types.h"
#include "module_api/preferences/timer.h"
#include "module_api/video_stream/video_stream_types.h"

namespace velto {

// The picture size of a pull; larger numbers are smaller pictures.
enum videoStreamSizeType : int32_t {
  kVideoStreamSizeNone = 0,  // none chosen
  kVideoStreamSizeLarge = 1,
  kVideoStreamSizeMiddle = 2,
  kVideoStreamSizeSmall = 3,
  kVideoStreamSizeSmallest = 4,
};

// Who asked for a pull; the media layer refuses kVideoStreamPullFromNone.
enum VideoStreamPullFrom : int32_t {
  kVideoStreamPullFromNone = 0,
  kVideoStreamPullFromStreamManager = 1,
};

namespace VideoStream {

// How the manager chooses sizes.
enum VideoStreamRule : int32_t {
  kVideoStreamRuleNone = 0,         // no size chosen (0)
  kVideoStreamRuleBigView = 1,      // the big view large, every other stream small
  kVideoStreamRuleUserCount = 2,    // by the number of users ("max_big_video_count", ...)
  kVideoStreamRuleLimitFrame = 3,   // limited frame size ("video_stream_limit_frame_size_type")
  kVideoStreamRuleAllSmall = 4,
};

}  // namespace VideoStream

namespace Video {

// The video layout mode of a window; 0, 1 and 2 give the stream rules of the same number.
enum VideoModeType : int32_t {
  kVideoModeNone = 0,
  kVideoModeBigView = 1,
  kVideoModeGallery = 2,
};

}  // namespace Video

// One pull of one stream, for as long as the object lives.
class VELTO_API VideoStreamPullHelper {
 public:
  struct PullParam {
    std::string stream_id;
    int32_t size_type = kVideoStreamSizeNone;  // videoStreamSizeType
    int32_t from_type = kVideoStreamPullFromNone;  // VideoStreamPullFrom; 0 is refused
    bool degraded = false;                     // start degraded (remote streams only)
  };

  // Sends the pull. An empty id or from_type 0 is logged and leaves the helper inert (empty id).
  explicit VideoStreamPullHelper(const PullParam& param);
  // Recovers a degraded stream, then cancels the pull; an inert helper sends nothing.
  ~VideoStreamPullHelper();
  // A copy stands for the same pull and cancels it too when destroyed: share one helper through
  // a shared_ptr rather than copying it.
  VideoStreamPullHelper(const VideoStreamPullHelper&) = default;
  VideoStreamPullHelper& operator=(const VideoStreamPullHelper&) = default;

  const std::string& GetStreamID() const { return stream_id_; }
  int32_t GetSizeType() const { return size_type_; }
  bool IsDegraded() const { return degraded_; }
  // Records the state only; the caller has told the media layer.
  void SetDegraded(bool degraded) { degraded_ = degraded; }

 private:
  bool degraded_ = false;
  std::string stream_id_;
  int32_t size_type_ = kVideoStreamSizeNone;
};

// While it lives, the media layer applies stream changes as one batch (the platform meeting
// service's video controller). Without the service it does nothing.
class VELTO_API VideoStreamBatchOperationLock {
 public:
  VideoStreamBatchOperationLock();
  ~VideoStreamBatchOperationLock();
  VideoStreamBatchOperationLock(const VideoStreamBatchOperationLock&) = delete;
  VideoStreamBatchOperationLock& operator=(const VideoStreamBatchOperationLock&) = delete;

 private:
  bool switched_on_ = false;
};

namespace internal {
class VideoStreamReads;
}

class VELTO_API VideoStreamManager {
 public:
  using StreamType = video_stream::StreamType;
  using StreamDirection = video_stream::StreamDirection;
  using VideoStreamRule = VideoStream::VideoStreamRule;
  using VideoModeType = Video::VideoModeType;
  using Variant = base::variant::Variant;

  VideoStreamManager();
  // Cancels every pull the manager holds.
  virtual ~VideoStreamManager();
  VideoStreamManager(const VideoStreamManager&) = delete;
  VideoStreamManager& operator=(const VideoStreamManager&) = delete;

  // The users the size rule counts (the video model's user list).
  virtual uint64_t GetUserCount();

  // Pulls every listed stream the stream info map knows (entries {"stream_id": ...}) and cancels
  // pulls of streams no longer listed; sizes are chosen anew. Batched for the media layer unless
  // "video_stream_batch_operation" is off; restarts the delayed check that pulls arrive.
  void SetVisibleStreamList(const Variant* list);
  const Variant& GetVisibleStreamList() const { return visible_stream_list_; }
  // Pulls (or cancels) one stream; after a change, re-checks the size of every pull.
  void PullVideoAndMakeSureStreamSize(const std::string& stream_id, bool pull);
  // A changed rule or forced size re-checks the size of every pull.
  void SetStreamRule(VideoStreamRule rule);
  void SetForceStreamType(videoStreamSizeType size_type);  // kVideoStreamSizeNone: not forced
  // The size that replaces rule 3's choice; stored for the next size choice.
  void SetStreamTypeForLimitRule(videoStreamSizeType size_type);
  // Audio mode cancels every pull but shared screens ("sub-" streams); leaving it pulls the
  // visible list again.
  void SetAudioMode(bool enable);
  // Cancels every pull, keeping the visible list; Resume pulls it again.
  void Pause();
  void Resume();
  // Degrades the remote pulls after `delay_ms` (0: now); a second call restarts the delay.
  void DegradeVideoQuality(unsigned delay_ms);
  // Drops a pending degrade and recovers the degraded pulls now.
  void RecoverVideoQuality();
  bool CheckVideoIsRequested(const std::string& stream_id) const;
  bool CheckVideoIsVisible(const std::string& stream_id) const;
  // The app state model's answer; true without the model.
  bool IsInForeground() const;
  void SetWindowType(InMeetingWindow::WindowType window_type) { window_type_ = window_type; }
  InMeetingWindow::WindowType window_type() const { return window_type_; }
  // A pull started while the state is kViewLifecycleBackground starts degraded.
  void LifecycleStateChanged(framework::ViewLifecycle state) { lifecycle_state_ = state; }
  framework::ViewLifecycle LifecycleState() const { return lifecycle_state_; }

  // Queries over the video model's stream info map. Without the map each logs "[vsm] stream
  // info map is null" (level 6) and answers null, false, 0 or "". Walks follow the map's own
  // order; the first match wins.
  static const Variant* GetStreamInfoMapPtr();
  static const Variant* CheckVideoIsInStreamInfoMap(const std::string& stream_id);
  static size_t GetStreamSize();
  // The media engine's type; else video when the map holds the id; else unknown.
  static StreamType GetStreamType(const std::string& stream_id);
  static StreamDirection GetStreamDirection(const std::string& stream_id);
  static bool IsVideoStreamIn(const std::string& stream_id);
  static bool IsScreenStreamIn(const std::string& stream_id);
  static bool IsScreenStreamOut(const std::string& stream_id);
  static bool IsScreenStreamType(const std::string& stream_id);
  static bool IsVideoOrScreenStreamIn(const std::string& stream_id);
  static bool IsRemoteStream(const std::string& stream_id);  // incoming video or screen
  static bool HasVideoUser();
  static bool HasScreenUser();
  static bool HasScreenStreamInUser();
  // The first screen stream's info: incoming only, unless `any_direction`.
  static const Variant* GetScreenInfo(bool any_direction);
  static const Variant* GetScreenShareInfo();      // incoming or outgoing
  static const Variant* GetScreenInfoAdaptHDMI();  // incoming only, no outgoing fallback
  static std::string GetSubVideoInStreamId();      // the first incoming screen stream's id
  static const Variant* GetAnotherStreamInfoExceptScreen();  // first not an incoming screen
  // The user record behind a stream (user model); null when unknown.
  static const Variant* GetUserInfoWithStreamId(const std::string& stream_id);
  static const Variant* GetUserListPtr();  // the video model's user list

 protected:
  // The size to pull `stream_info` at, from the forced size, the rule and the stream's abilities.
  virtual videoStreamSizeType GeneratekVideoStreamSizeType(const Variant* stream_info);

  // Pulls at the chosen size (true when a pull was sent) or cancels (true). Refuses streams the
  // map does not know, streams not visible and, in audio mode, streams without "sub"; an
  // unchanged size sends nothing.
  bool PullVideo(const std::string& stream_id, bool pull);
  // Re-pulls every request whose chosen size changed.
  void MakeSureStreamSize();
  // The visible list's entry for the stream; null when not visible.
  const Variant* CheckVideoIsInVisibleList(const std::string& stream_id) const;
  // Re-reads "disable_web_small_size_stream" (instance 5 streams then always pull large).
  void CheckDisableWebSmallSizeStreamConfig();

 private:
  friend class VideoStreamManagerPeer;  // tests reach the private steps through it
  class OperationScope;

  void ChangeVideoQuality(bool degrade);
  void CheckPullVideo();
  bool IsBigView(const std::string& stream_id);
  void UpdateVideoStreamRuleWithVideoMode(VideoModeType mode);

  void StoreVisibleList(const Variant* list);
  void SchedulePullCheck();

  bool web_small_stream_disabled_ = false;
  Variant visible_stream_list_;
  std::unordered_map<std::string, std::shared_ptr<VideoStreamPullHelper>> request_map_;
  VideoStreamRule stream_rule_ = VideoStream::kVideoStreamRuleNone;
  videoStreamSizeType limit_rule_size_type_ = kVideoStreamSizeNone;
  videoStreamSizeType force_size_type_ = kVideoStreamSizeNone;
  bool audio_mode_ = false;
  framework::ViewLifecycle lifecycle_state_ = framework::kViewLifecycleNone;
  InMeetingWindow::WindowType window_type_ = InMeetingWindow::kMainWindow;
  std::unique_ptr<velto_common::utils::timer::VLTimer> degrade_timer_;
  bool pull_check_enabled_ = true;
  std::unique_ptr<velto_common::utils::timer::VLTimer> pull_check_timer_;

  // Position of each stream id in the visible list (first entry wins).
  std::unordered_map<std::string, size_t> visible_index_;
  // What the operation in progress has read from the host; reset when an outermost one starts.
  std::unique_ptr<internal::VideoStreamReads> reads_;
  int operation_depth_ = 0;
};

}  // namespace velto
