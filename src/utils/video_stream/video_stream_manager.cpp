#include "module_api/video_stream/video_stream_manager.h"

#include <iterator>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/module/module.h"
#include "module_api/analytics.h"
#include "module_api/in_meeting/views.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "utils/video_stream/video_pull_commands.h"
#include "utils/video_stream/video_stream_reads.h"

namespace velto {

using base::variant::Variant;
using internal::VideoStreamReads;
namespace timer = velto_common::utils::timer;

namespace {

using velto::model_command::app_state::kInForeground;

bool ExemptFromAudioMode(std::string_view stream_id) { return stream_id.find("sub") != std::string_view::npos; }

}  // namespace

// Brackets one public operation: the outermost one starts with nothing read, nested ones (a
// size choice inside a visible-list update) share what it has read.
class VideoStreamManager::OperationScope {
 public:
  explicit OperationScope(VideoStreamManager* manager) : manager_(manager) {
    if (manager_->operation_depth_++ == 0) manager_->reads_->Reset();
  }
  ~OperationScope() { --manager_->operation_depth_; }
  OperationScope(const OperationScope&) = delete;
  OperationScope& operator=(const OperationScope&) = delete;

 private:
  VideoStreamManager* manager_;
};

VideoStreamManager::VideoStreamManager()
    : visible_stream_list_(Variant::Array()), reads_(std::make_unique<VideoStreamReads>()) {}

// The timers go before the request map (they are declared after it), so no callback runs while
// the pull helpers cancel their pulls.
VideoStreamManager::~VideoStreamManager() = default;

uint64_t VideoStreamManager::GetUserCount() { return velto_common::utils::inmeeting::GetUserListCountInMeeting(); }

void VideoStreamManager::SetVisibleStreamList(const Variant* list) {
  const bool list_empty = !list || list->empty();
  if (list_empty && visible_stream_list_.empty() && request_map_.empty()) return;
  OperationScope scope(this);
  StoreVisibleList(list);
  VELTO_LOG(log::kTrace) << "visible_stream_list count[" << visible_stream_list_.size() << "]";

  std::optional<VideoStreamBatchOperationLock> batch;
  if (reads_->Flag(VideoStreamReads::kBatchOperation)) batch.emplace();

  auto previous = std::move(request_map_);
  request_map_.clear();
  const Variant* streams = reads_->StreamInfoMap();
  for (const Variant& entry : visible_stream_list_.Elements()) {
    const std::string stream_id = entry.GetString("stream_id");
    VELTO_LOG(log::kTrace) << "stream_id[" << stream_id << "]";
    if (!streams || !streams->Has(stream_id)) continue;
    if (auto kept = previous.find(stream_id); kept != previous.end()) request_map_.insert(previous.extract(kept));
    PullVideo(stream_id, true);
  }
  for (auto& [stream_id, request] : previous) {
    VELTO_LOG(log::kTrace) << "stream_id :" << stream_id << " is already not visible, so cancel request it";
    request.reset();
  }
  previous.clear();
  batch.reset();

  if (request_map_.empty()) {
    pull_check_timer_.reset();
    return;
  }
  SchedulePullCheck();
}

void VideoStreamManager::PullVideoAndMakeSureStreamSize(const std::string& stream_id, bool pull) {
  OperationScope scope(this);
  if (PullVideo(stream_id, pull)) MakeSureStreamSize();
}

void VideoStreamManager::SetStreamRule(VideoStreamRule rule) {
  if (rule == stream_rule_) return;
  VELTO_LOG(log::kTrace) << "rule from" << static_cast<int>(stream_rule_) << " to" << static_cast<int>(rule);
  stream_rule_ = rule;
  MakeSureStreamSize();
}

void VideoStreamManager::SetForceStreamType(videoStreamSizeType size_type) {
  const bool changed = size_type != force_size_type_;
  force_size_type_ = size_type;
  if (changed) MakeSureStreamSize();
}

void VideoStreamManager::SetStreamTypeForLimitRule(videoStreamSizeType size_type) {
  limit_rule_size_type_ = size_type;
}

void VideoStreamManager::SetAudioMode(bool enable) {
  audio_mode_ = enable;
  VELTO_LOG(5) << "enable =" << enable;
  if (enable) {
    // Shared screens stay: audio mode stops the cameras, not what is being presented.
    for (auto it = request_map_.begin(); it != request_map_.end();) {
      it = it->first.find("sub-") == std::string::npos ? request_map_.erase(it) : std::next(it);
    }
    return;
  }
  OperationScope scope(this);
  const Variant* streams = reads_->StreamInfoMap();
  if (!streams) return;
  for (const Variant& entry : visible_stream_list_.Elements()) {
    const std::string stream_id = entry.GetString("stream_id");
    if (streams->Has(stream_id)) PullVideo(stream_id, true);
  }
}

void VideoStreamManager::Pause() {
  VELTO_LOG(log::kTrace) << "paused, so cancel request video";
  request_map_.clear();
}

void VideoStreamManager::Resume() {
  VELTO_LOG(log::kTrace) << "resumed, request video in visible list";
  const Variant list = visible_stream_list_;
  SetVisibleStreamList(&list);
}

void VideoStreamManager::DegradeVideoQuality(unsigned delay_ms) {
  if (degrade_timer_) {
    VELTO_LOG(log::kFailure) << "already start timer:" << static_cast<const void*>(degrade_timer_.get());
    degrade_timer_.reset();
  }
  VELTO_LOG(log::kTrace) << "delay =" << delay_ms;
  if (delay_ms == 0) {
    ChangeVideoQuality(true);
    return;
  }
  degrade_timer_ = timer::Post(
      [this] {
        degrade_timer_.reset();
        ChangeVideoQuality(true);
      },
      delay_ms);
}

void VideoStreamManager::RecoverVideoQuality() {
  VELTO_LOG(log::kTrace) << "degrage_timer_ =" << static_cast<const void*>(degrade_timer_.get());
  degrade_timer_.reset();
  ChangeVideoQuality(false);
}

bool VideoStreamManager::CheckVideoIsRequested(const std::string& stream_id) const {
  return request_map_.count(stream_id) > 0;
}

bool VideoStreamManager::CheckVideoIsVisible(const std::string& stream_id) const {
  return visible_index_.count(stream_id) > 0;
}

bool VideoStreamManager::IsInForeground() const {
  framework::Model* app_state = framework::module::GetAppModuleModel(model_id::kAppStateModel);
  return !app_state || app_state->Call(kInForeground, nullptr, nullptr);
}

videoStreamSizeType VideoStreamManager::GeneratekVideoStreamSizeType(const Variant* stream_info) {
  if (force_size_type_ != kVideoStreamSizeNone) return force_size_type_;
  OperationScope scope(this);
  if (!reads_->StreamInfoMap()) return kVideoStreamSizeLarge;  // logged by the read
  if (!reads_->user_count) reads_->user_count = GetUserCount();
  const int64_t users = static_cast<int64_t>(*reads_->user_count);
  const Variant& info = stream_info ? *stream_info : Variant::EmptyVariant();
  const std::string stream_id = info.GetString("stream_id");

  int64_t size = kVideoStreamSizeNone;
  switch (stream_rule_) {
    case VideoStream::kVideoStreamRuleBigView:
      size = IsBigView(stream_id) ? kVideoStreamSizeLarge : kVideoStreamSizeSmall;
      break;
    case VideoStream::kVideoStreamRuleUserCount:
      if (users <= reads_->Number(VideoStreamReads::kMaxBigVideoCount)) {
        size = kVideoStreamSizeLarge;
      } else if (users > reads_->Number(VideoStreamReads::kMaxMiddleVideoCount)) {
        size = kVideoStreamSizeSmall;
      } else {
        size = reads_->Flag(VideoStreamReads::kEnableVideoGridMiddle) ? kVideoStreamSizeMiddle : kVideoStreamSizeLarge;
      }
      break;
    case VideoStream::kVideoStreamRuleLimitFrame: {
      int64_t limit = reads_->Number(VideoStreamReads::kLimitFrameSizeType);
      if (limit < kVideoStreamSizeLarge || limit > kVideoStreamSizeSmallest) limit = kVideoStreamSizeSmall;
      if (IsBigView(stream_id)) {
        size = limit;
      } else {
        size = limit == kVideoStreamSizeSmallest ? kVideoStreamSizeSmallest : kVideoStreamSizeSmall;
      }
      if (limit_rule_size_type_ != kVideoStreamSizeNone) size = limit_rule_size_type_;
      break;
    }
    case VideoStream::kVideoStreamRuleAllSmall:
      size = kVideoStreamSizeSmall;
      break;
    default:
      break;
  }

  CheckDisableWebSmallSizeStreamConfig();
  const int64_t instance_id = info.GetInteger("instance_id", 0);
  if (!info.GetBoolean("support_small_video_stream", true)) {
    VELTO_LOG(log::kTrace) << "don't support small video stream, instace_id is " << static_cast<long long>(instance_id);
    return kVideoStreamSizeLarge;
  }
  // Web clients (instance 5) may be unable to send a small picture.
  if (instance_id == 5 && web_small_stream_disabled_) return kVideoStreamSizeLarge;
  return static_cast<videoStreamSizeType>(size);
}

bool VideoStreamManager::PullVideo(const std::string& stream_id, bool pull) {
  if (stream_id.empty()) return false;
  VELTO_LOG(log::kTrace) << "stream_id[" << stream_id << "], pull[" << (pull ? 1 : 0) << "]"
                         << " life_cycle_state_ =" << static_cast<int>(lifecycle_state_);
  if (!pull) {
    request_map_.erase(stream_id);
    return true;
  }
  OperationScope scope(this);
  const Variant* streams = reads_->StreamInfoMap();
  const Variant* info = streams ? streams->Find(stream_id) : nullptr;
  if (!info) {
    VELTO_LOG(log::kTrace) << "stream_id :" << stream_id << "not found in stream info map";
    return false;
  }
  if (!CheckVideoIsInVisibleList(stream_id)) {
    VELTO_LOG(log::kTrace) << "stream_id :" << stream_id << " is not visible, do not request";
    return false;
  }
  if (audio_mode_ && !ExemptFromAudioMode(stream_id)) {
    VELTO_LOG(log::kTrace) << "stream_id :" << stream_id << " is in audiomode, so not request now";
    return false;
  }

  const videoStreamSizeType size = GeneratekVideoStreamSizeType(info);
  VELTO_LOG(log::kTrace) << "pull_video_param:" << "  this :" << static_cast<const void*>(this)
                         << "  stream_id :" << stream_id << "  pull enable :" << pull
                         << "  size_type :" << static_cast<int>(size)
                         << "  instance_id :" << static_cast<long long>(info->GetInteger("instance_id", 0))
                         << "  rule :" << static_cast<int>(stream_rule_);

  if (auto existing = request_map_.find(stream_id); existing != request_map_.end()) {
    if (existing->second->GetSizeType() == size) {
      VELTO_LOG(log::kTrace) << "no need to pull stream[" << stream_id << "], because size doesn't change, still"
                             << static_cast<int>(size);
      return false;
    }
    request_map_.erase(existing);  // cancels the pull at the old size
  }
  VideoStreamPullHelper::PullParam param;
  param.stream_id = stream_id;
  param.size_type = size;
  param.from_type = kVideoStreamPullFromStreamManager;
  param.degraded = lifecycle_state_ == framework::kViewLifecycleBackground;
  request_map_.emplace(stream_id, std::make_shared<VideoStreamPullHelper>(param));
  return true;
}

void VideoStreamManager::MakeSureStreamSize() {
  OperationScope scope(this);
  const Variant* streams = reads_->StreamInfoMap();
  if (!streams) return;  // logged by the read
  // Re-pulling replaces entries of the request map: walk a snapshot.
  std::vector<std::pair<std::string, int32_t>> requests;
  requests.reserve(request_map_.size());
  for (const auto& [stream_id, request] : request_map_) requests.emplace_back(stream_id, request->GetSizeType());
  for (const auto& [stream_id, old_size] : requests) {
    const Variant* info = streams->Find(stream_id);
    if (!info) continue;
    const videoStreamSizeType size = GeneratekVideoStreamSizeType(info);
    if (size != old_size) {
      PullVideo(stream_id, true);
      VELTO_LOG(log::kTrace) << "size change from" << old_size << " to" << static_cast<int>(size);
    } else {
      VELTO_LOG(log::kTrace) << "make sure stream size :" << static_cast<int>(size);
    }
  }
}

const Variant* VideoStreamManager::CheckVideoIsInVisibleList(const std::string& stream_id) const {
  auto it = visible_index_.find(stream_id);
  return it == visible_index_.end() ? nullptr : &visible_stream_list_.At(it->second);
}

void VideoStreamManager::CheckDisableWebSmallSizeStreamConfig() {
  OperationScope scope(this);
  web_small_stream_disabled_ = reads_->Flag(VideoStreamReads::kDisableWebSmallSizeStream);
}

void VideoStreamManager::ChangeVideoQuality(bool degrade) {
  if (request_map_.empty()) return;
  VELTO_LOG(log::kTrace) << (degrade ? "degrade" : "recover") << ", request_map_ size is" << request_map_.size()
                         << ", life_cycle_state =" << static_cast<int>(lifecycle_state_);
  Variant stream_ids = Variant::Array();
  for (auto& [stream_id, request] : request_map_) {
    if (request->IsDegraded() == degrade || !IsVideoOrScreenStreamIn(stream_id)) continue;
    request->SetDegraded(degrade);
    stream_ids.Add(stream_id);
  }
  if (!stream_ids.empty()) internal::SendVideoQualityChange(degrade, stream_ids);
}

void VideoStreamManager::CheckPullVideo() {
  pull_check_timer_.reset();
  Variant received;
  if (!internal::CallVideoPull(internal::kReceivedStreams, nullptr, &received)) return;
  if (!received.IsMap() && !received.IsNull()) {
    model::LogWrongKind(model_id::kVideoPullModel, internal::kReceivedStreams, {}, base::Location::Current());
    return;
  }
  int missing = 0;
  for (const auto& [stream_id, request] : request_map_) {
    if (received.Has(stream_id)) continue;
    VELTO_LOG(log::kFailure) << "stream_id[" << stream_id << "] should be pulled";
    ++missing;
  }
  if (missing == 0) return;
  // One report per manager: a media layer that drops pulls would otherwise report every minute.
  pull_check_enabled_ = false;
  velto_common::utils::analytics::LogEventWithProperty("e#video_stream_no_pull_count", "total_num",
                                                       std::to_string(missing));
}

bool VideoStreamManager::IsBigView(const std::string& stream_id) {
  return reads_->BigViewStreamId(window_type_) == stream_id;
}

void VideoStreamManager::UpdateVideoStreamRuleWithVideoMode(VideoModeType mode) {
  const VideoStreamRule old_rule = stream_rule_;
  switch (mode) {
    case Video::kVideoModeNone:
      stream_rule_ = VideoStream::kVideoStreamRuleNone;
      break;
    case Video::kVideoModeBigView:
      stream_rule_ = VideoStream::kVideoStreamRuleBigView;
      break;
    case Video::kVideoModeGallery:
      stream_rule_ = VideoStream::kVideoStreamRuleUserCount;
      break;
    default:
      VELTO_LOG(log::kFailure) << "need check param video_mode =" << static_cast<int>(mode);
      stream_rule_ = VideoStream::kVideoStreamRuleNone;
      break;
  }
  VELTO_LOG(log::kTrace) << "rule from" << static_cast<int>(old_rule) << " to" << static_cast<int>(stream_rule_);
}

void VideoStreamManager::StoreVisibleList(const Variant* list) {
  if (list && !list->IsArray() && !list->IsNull()) {
    VELTO_LOG(log::kRejected) << "visible stream list is not a list";
  }
  const Variant& stored = list && list->IsArray() ? *list : Variant::EmptyVariant();
  // A window re-sends its list on every layout pass; an unchanged one keeps its index.
  if (stored.IsArray() && stored == visible_stream_list_) return;
  visible_stream_list_ = stored.IsArray() ? stored : Variant::Array();
  visible_index_.clear();
  const auto entries = visible_stream_list_.Elements();
  visible_index_.reserve(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) visible_index_.emplace(entries[i].GetString("stream_id"), i);
}

void VideoStreamManager::SchedulePullCheck() {
  if (!pull_check_enabled_) return;
  const int64_t delay_ms = reads_->Number(VideoStreamReads::kPullCheckTime);
  pull_check_timer_ = timer::Post([this] { CheckPullVideo(); }, delay_ms);
}

}  // namespace velto
