// One stream's pull, and the batch bracket of the media layer.
#include <utility>

#include "framework/module/module.h"
#include "module_api/log.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/video_stream/video_stream_manager.h"
#include "utils/video_stream/video_pull_commands.h"
#include "veltosdk/utils/meeting_service.h"

namespace velto {

using base::variant::Variant;

namespace internal {
namespace {

using velto::model_command::video_pull::kPull;
constexpr int kQuality = velto::model_command::video_pull::kChangeQuality;

}  // namespace

bool CallVideoPull(int command, const Variant* argument, Variant* answer) {
  framework::Model* pulls = framework::module::GetAppModuleModel(model_id::kVideoPullModel);
  if (!pulls) return false;
  if (!pulls->Call(command, argument, answer)) {
    VELTO_LOG(log::kFailure) << "call " << command << " of model " << model_id::kVideoPullModel << " failed";
    return false;
  }
  return true;
}

void SendVideoPull(const std::string& stream_id, int32_t size_type, bool enable, int32_t from_type) {
  Variant argument = Variant::Map();
  argument["stream_id"] = stream_id;
  argument["size_type"] = size_type;
  argument["enable"] = enable;
  if (enable) argument["from_type"] = from_type;
  CallVideoPull(kPull, &argument, nullptr);
}

void SendVideoQualityChange(bool degrade, const Variant& stream_ids) {
  Variant argument = Variant::Map();
  argument[degrade ? "degrade_streams" : "recover_streams"] = stream_ids;
  CallVideoPull(kQuality, &argument, nullptr);
}

}  // namespace internal

VideoStreamPullHelper::VideoStreamPullHelper(const PullParam& param)
    : stream_id_(param.stream_id), size_type_(param.size_type) {
  if (param.from_type == kVideoStreamPullFromNone || param.stream_id.empty()) {
    VELTO_LOG(log::kFailure) << "invalid params: " << "stream_id = " << param.stream_id
                             << " from_type = " << param.from_type;
    stream_id_.clear();
    return;
  }
  internal::SendVideoPull(stream_id_, size_type_, true, param.from_type);
  if (param.degraded && VideoStreamManager::IsVideoOrScreenStreamIn(stream_id_)) {
    degraded_ = true;
    Variant ids = Variant::Array();
    ids.Add(stream_id_);
    internal::SendVideoQualityChange(true, ids);
  }
}

VideoStreamPullHelper::~VideoStreamPullHelper() {
  if (stream_id_.empty()) return;
  if (degraded_) {
    Variant ids = Variant::Array();
    ids.Add(stream_id_);
    internal::SendVideoQualityChange(false, ids);
  }
  internal::SendVideoPull(stream_id_, size_type_, false, kVideoStreamPullFromNone);
}

namespace {

veltosdk::IVideoController* VideoController() {
  veltosdk::IMeetingService* meeting = veltosdk::utils::service::GetMeetingService();
  return meeting ? meeting->GetVideoController() : nullptr;
}

}  // namespace

VideoStreamBatchOperationLock::VideoStreamBatchOperationLock() {
  if (veltosdk::IVideoController* controller = VideoController()) {
    controller->SetBatchOperation(true);
    switched_on_ = true;
  }
}

VideoStreamBatchOperationLock::~VideoStreamBatchOperationLock() {
  if (!switched_on_) return;
  if (veltosdk::IVideoController* controller = VideoController()) controller->SetBatchOperation(false);
}

}  // namespace velto
