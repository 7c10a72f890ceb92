// The webinar attendee model: its commands, the window rule and the provider's reports.
#include "module_api/members/webinar_attendee_model.h"

#include <algorithm>
#include <string>
#include <utility>

#include "frame/model_subscription.h"
#include "framework/module/module.h"
#include "framework/viewmodel.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace velto {
namespace {

namespace cmd = model_command::webinar_attendee;
namespace evt = model_event::webinar_attendee;

// Speaking is permission 3 of the permission model's list.
constexpr uint32_t kSpeakPermission = 3;

}  // namespace

WebinarAttendeeModelBase::WebinarAttendeeModelBase(ProviderGetter provider_getter)
    : framework::ModelImpl(0), provider_getter_(std::move(provider_getter)) {}

WebinarAttendeeModelBase::~WebinarAttendeeModelBase() = default;

veltosdk::IWebinarAttendeeProvider* WebinarAttendeeModelBase::attendee_provider() const { return provider_getter_(); }

void WebinarAttendeeModelBase::ResetMainRange() { main_range_.reset(); }

bool WebinarAttendeeModelBase::Init() {
  framework::ModelImpl::Init();
  if (veltosdk::IWebinarAttendeeProvider* provider = attendee_provider()) {
    provider->SetCallback(this);
    provider_name_ = provider->GetProviderName();
  } else {
    VELTO_LOG(log::kFailure) << "attendee provider is null";
  }
  // A model that is also a view model lets the host release these with its view.
  framework::ViewModel* recorder = dynamic_cast<framework::ViewModel*>(this);
  const int64_t id = model::ObserverId(this);
  if (model::SubscribeModelEvent(recorder, id, model_id::kMeetingModel, model_event::meeting::kLeaveComplete,
                                 [this](const Variant* event) { OnEventLeaveCompleteInternal(event); })) {
    subscribed_models_.push_back(model_id::kMeetingModel);
  }
  if (model::SubscribeModelEvent(recorder, id, model_id::kPermissionModel,
                                 model_event::permission::kSelfPermissionsChanged,
                                 [this](const Variant* event) { OnEventSelfPermissionsChanged(event); })) {
    subscribed_models_.push_back(model_id::kPermissionModel);
  }
  return true;
}

void WebinarAttendeeModelBase::UnInit() {
  if (provider_getter_) {
    if (veltosdk::IWebinarAttendeeProvider* provider = attendee_provider()) provider->SetCallback(nullptr);
  }
  for (int model : subscribed_models_) model::UnsubscribeModel(nullptr, model::ObserverId(this), model);
  subscribed_models_.clear();
  framework::ModelImpl::UnInit();
}

veltosdk::IWebinarAttendeeProvider* WebinarAttendeeModelBase::CommandProvider(int command_id) const {
  if (!provider_getter_) {
    VELTO_LOG(log::kFailure) << "command " << command_id << ": no attendee provider getter";
    return nullptr;
  }
  veltosdk::IWebinarAttendeeProvider* provider = attendee_provider();
  if (!provider) VELTO_LOG(log::kFailure) << "command " << command_id << ": attendee provider is null";
  return provider;
}

bool WebinarAttendeeModelBase::Call(int command_id, const Variant* in, Variant* out) {
  switch (command_id) {
    case cmd::kSetVisibleRange: return InvokeCallSetVisibleRange(in, out);
    case cmd::kGetAttendeeByIndex: return InvokeCallGetAttendeeByIndex(in, out);
    case cmd::kGetLoadedAttendeeCount: return InvokeCallGetLoadedAttendeeCount(in, out);
    case cmd::kGetTotalAttendeeCount: return InvokeCallGetTotalAttendeeCount(in, out);
    case cmd::kLoadMore: return InvokeCallLoadMore();
    case cmd::kSetActive: return InvokeCallSetActive(in);
    case cmd::kShowMoreButtonPopover:
      FireEvent(evt::kShowMoreButtonPopover, nullptr);
      return true;
    case cmd::kShowRaiseHandButtonTips:
      FireEvent(evt::kShowRaiseHandButtonTips, nullptr);
      return true;
    case cmd::kShowHandsUpTrailTips:
      FireEvent(evt::kShowHandsUpTrailTips, in);
      return true;
    case cmd::kSetHandsupTrailTipsIndex: return InvokeCallSetHandsupTrailTipsIndex(in);
    case cmd::kGetHandsupTrailTipsIndex: return InvokeCallGetHandsupTrailTipsIndex(out);
    case cmd::kPreSetVisibleRange:
      OnPreSetVisibleRange(in, out);
      return true;
    case cmd::kShowCompanyInfoTips:
      FireEvent(evt::kShowCompanyInfoTips, nullptr);
      return true;
    case cmd::kGetAttendeeSpeakerState: return InvokeCallGetAttendeeSpeakerState(out);
    default: return false;
  }
}

void WebinarAttendeeModelBase::OnPreSetVisibleRange(const Variant* /*in*/, Variant* /*out*/) {}

void WebinarAttendeeModelBase::OnEventLeaveComplete(const Variant* /*event*/) {}

bool WebinarAttendeeModelBase::OnInvokeCallGetAttendeeByIndex(const Variant* /*in*/, Variant* /*out*/) { return false; }

bool WebinarAttendeeModelBase::OnInvokeCallGetLoadedAttendeeCount(const Variant* /*in*/, Variant* /*out*/) {
  return false;
}

veltosdk::Range WebinarAttendeeModelBase::GetAttendeeMainRangeByVisibleRange(const Range& visible) const {
  const uint64_t per_page = attendee_count_per_page_;
  if (per_page < visible.count) {
    VELTO_LOG(log::kFailure) << "unexpected: attendee_count_per_page = " << per_page
                             << ", visible range = " << visible.ToString();
    return visible;
  }
  const uint64_t half = (per_page - visible.count) / 2;
  // Near the top the window starts at the visible range itself, not at row 0.
  const uint32_t start = visible.start > half ? static_cast<uint32_t>(visible.start - half) : visible.start;
  return Range(start, static_cast<uint32_t>(per_page));
}

bool WebinarAttendeeModelBase::IsInMainRange(const Range& visible) const {
  if (!main_range_) return false;
  return visible.start >= main_range_->start && visible.endExclusive() <= main_range_->endExclusive();
}

bool WebinarAttendeeModelBase::ShouldUpdateMainRange(const Range& next) const {
  if (!main_range_ || next.count != main_range_->count) return true;
  const uint32_t fifth_of_page = static_cast<uint32_t>(static_cast<float>(attendee_count_per_page_) * 0.2f);
  const uint32_t threshold = std::max(kMinMainRangeMoveThreshold, fifth_of_page);
  const uint32_t moved =
      next.start > main_range_->start ? next.start - main_range_->start : main_range_->start - next.start;
  if (moved <= threshold) {
    VELTO_LOG(log::kTrace) << "no need to update main range: current = " << main_range_->ToString()
                           << ", new = " << next.ToString();
    return false;
  }
  return true;
}

bool WebinarAttendeeModelBase::InvokeCallSetVisibleRange(const Variant* in, Variant* /*out*/) {
  Range visible;
  bool force = false;
  if (in && in->IsMap()) {
    if (const Variant* start = in->Find("start")) visible.start = static_cast<uint32_t>(start->AsUint64());
    if (const Variant* size = in->Find("size")) visible.count = static_cast<uint32_t>(size->AsUint64());
    // A list view sends the two range keys alone at every scroll step; the flag comes with a third.
    if (in->size() > 2) force = in->GetBoolean("force_update", false);
  }
  const Range next = GetAttendeeMainRangeByVisibleRange(visible);
  const bool should_update = force || IsInMainRange(visible) || ShouldUpdateMainRange(next);
  VELTO_LOG(log::kTrace) << "[wap-" << (provider_name_ ? provider_name_ : "nullptr") << "] "
                         << "start = " << visible.start << ", size = " << visible.count
                         << ", new_main_range = " << next.ToString()
                         << ", current_main_range = " << (main_range_ ? main_range_->ToString() : std::string("null"))
                         << ", should update = " << should_update;
  if (!should_update) return false;
  veltosdk::IWebinarAttendeeProvider* provider = CommandProvider(cmd::kSetVisibleRange);
  if (!provider) return false;
  CountVisibleRangeOutOfFetchRange(visible, provider->GetFetchRange());
  provider->SetMainRange(next);
  if (main_range_) {
    *main_range_ = next;
  } else {
    main_range_ = std::make_unique<Range>(next);
  }
  return true;
}

void WebinarAttendeeModelBase::CountVisibleRangeOutOfFetchRange(const Range& visible, const Range& fetch) {
  if (fetch.count == 0) return;
  const bool inside = visible.start + kFetchRangeTolerance >= fetch.start &&
                      visible.endInclusive() <= fetch.endInclusive() + kFetchRangeTolerance;
  if (!inside) ++visible_range_out_of_fetch_range_count_;
}

bool WebinarAttendeeModelBase::InvokeCallGetAttendeeByIndex(const Variant* in, Variant* out) {
  if (OnInvokeCallGetAttendeeByIndex(in, out)) return true;
  veltosdk::IWebinarAttendeeProvider* provider = CommandProvider(cmd::kGetAttendeeByIndex);
  if (!provider) return false;
  const int32_t index = in ? in->GetInt32("index", -1) : -1;
  const veltosdk::IWebinarAttendee* attendee = provider->GetAttendeeByIndex(index);
  if (!attendee) return false;
  if (out) *out = WebinarAttendeeToVariant(attendee);
  return true;
}

bool WebinarAttendeeModelBase::InvokeCallGetLoadedAttendeeCount(const Variant* in, Variant* out) {
  if (OnInvokeCallGetLoadedAttendeeCount(in, out)) return true;
  veltosdk::IWebinarAttendeeProvider* provider = CommandProvider(cmd::kGetLoadedAttendeeCount);
  if (provider && provider->IsReady() && out) {
    (*out)["loaded_count"] = static_cast<uint64_t>(provider->GetLoadedAttendeeCount());
  }
  return true;
}

bool WebinarAttendeeModelBase::InvokeCallGetTotalAttendeeCount(const Variant* /*in*/, Variant* out) {
  veltosdk::IWebinarAttendeeProvider* provider = CommandProvider(cmd::kGetTotalAttendeeCount);
  if (provider && provider->IsReady() && out) {
    (*out)["total_count"] = static_cast<uint64_t>(provider->GetTotalAttendeeCount());
  }
  return true;
}

bool WebinarAttendeeModelBase::InvokeCallLoadMore() {
  veltosdk::IWebinarAttendeeProvider* provider = CommandProvider(cmd::kLoadMore);
  if (!provider) return false;
  provider->LoadMore();
  return true;
}

bool WebinarAttendeeModelBase::InvokeCallSetActive(const Variant* in) {
  veltosdk::IWebinarAttendeeProvider* provider = CommandProvider(cmd::kSetActive);
  if (!provider) return false;
  const bool active = in && in->AsBoolean();
  provider->SetActive(active);
  if (active) {
    provider->ResumeFetch();
  } else if (provider->IsReady()) {
    // A hidden list comes back at its first page.
    Variant first_page = Variant::Map();
    first_page["start"] = 0;
    first_page["size"] = attendee_count_per_page_;
    InvokeCallSetVisibleRange(&first_page, nullptr);
  }
  return true;
}

bool WebinarAttendeeModelBase::InvokeCallSetHandsupTrailTipsIndex(const Variant* in) {
  if (!in || !in->IsMap()) return false;
  handsup_trail_tips_index_ = in->GetInt32("index", -1);
  return true;
}

bool WebinarAttendeeModelBase::InvokeCallGetHandsupTrailTipsIndex(Variant* out) const {
  if (handsup_trail_tips_index_ == -1) return false;
  if (out) *out = handsup_trail_tips_index_;
  return true;
}

bool WebinarAttendeeModelBase::InvokeCallGetAttendeeSpeakerState(Variant* out) const {
  if (!out) return false;
  (*out)["is_speak_open"] = is_speak_open_;
  return true;
}

void WebinarAttendeeModelBase::OnLoadedAttendeeCountChanged(unsigned loaded_count) {
  Variant payload = Variant::Map();
  payload["loaded_count"] = loaded_count;
  FireEvent(evt::kLoadedAttendeeCountChanged, &payload);
}

void WebinarAttendeeModelBase::OnTotalAttendeeCountChanged(unsigned total_count) {
  Variant payload = Variant::Map();
  payload["total_count"] = total_count;
  FireEvent(evt::kTotalAttendeeCountChanged, &payload);
  if (framework::Model* contacts = framework::module::GetAppModuleModel(model_id::kCompanyContactsModel)) {
    contacts->Call(model_command::company_contacts::kWebinarAttendeeTotalCount, &payload, nullptr);
  }
}

void WebinarAttendeeModelBase::OnLoadedAttendeeRangeUpdate(const Range& range,
                                                          veltosdk::FetchWebinarAttendeeType /*type*/) {
  Variant payload = Variant::Map();
  Variant& rows = payload["range"];
  rows["start"] = range.start;
  rows["size"] = range.count;
  FireEvent(evt::kLoadedAttendeeRangeUpdate, &payload);
}

void WebinarAttendeeModelBase::OnAttendeeCountPerPageChanged(unsigned count_per_page) {
  // The window follows at the next visible-range command.
  attendee_count_per_page_ = count_per_page;
}

void WebinarAttendeeModelBase::OnAttendeeLoadMoreFinished() {
  const Variant empty{};
  FireEvent(evt::kLoadMoreFinished, &empty);
}

void WebinarAttendeeModelBase::OnEventSelfPermissionsChanged(const Variant* event) {
  if (!event) return;
  const bool from_host = event->GetBoolean("from_host");
  for (const Variant& permission : event->Get("list").Elements()) {
    const uint32_t type = permission.GetUint32("permission_type");
    const bool is_open = permission.GetBoolean("is_open");
    VELTO_LOG(log::kTrace) << "from_host:" << from_host << " is_open:" << is_open << " type:" << type;
    if (type == kSpeakPermission) is_speak_open_ = is_open;
  }
}

void WebinarAttendeeModelBase::OnEventLeaveCompleteInternal(const Variant* event) {
  ResetMainRange();
  OnEventLeaveComplete(event);
  visible_range_out_of_fetch_range_count_ = 0;
  is_speak_open_ = false;
}

}  // namespace velto
