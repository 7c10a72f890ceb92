// velto::WebinarAttendeeModelBase: the base of the application models that show the attendee
// list of a large webinar. The list lives in the platform SDK behind a
// veltosdk::IWebinarAttendeeProvider that loads it page by page; this model windows it. The list
// view reports the rows it shows (command 0, the visible range); the model derives a larger
// window around them (the main range) and hands it to the provider only when it has moved far
// enough. Feature modules derive their attendee models and supply the provider:
//
//   class AttendeeModel : public velto::WebinarAttendeeModelBase {
//    public:
//     AttendeeModel() : WebinarAttendeeModelBase([] { return AttendeeProviderOfThisMeeting(); }) {}
//   };
//   model.Init();                                   // takes the provider's callback
//   Variant rows = hostkit::Json(R"({"start": 100, "size": 10})");
//   model.Call(velto::model_command::webinar_attendee::kSetVisibleRange, &rows, nullptr);
//   // with 50 rows per page: the provider is asked for rows (80, 50)
//
// Commands and events are in module_api/model_commands.h (velto::model_command::webinar_attendee,
// velto::model_event::webinar_attendee). Everything runs on the UI thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "base/variant/variant.h"
#include "framework/model.h"
#include "module_api/export.h"
#include "veltosdk/webinar_attendee_provider.h"

namespace velto {

class VELTO_API WebinarAttendeeModelBase : public framework::ModelImpl,
                                           public veltosdk::IWebinarAttendeeProvider::Callback {
 public:
  using Variant = base::variant::Variant;
  using Range = veltosdk::Range;
  // Asked afresh at every use. An empty getter raises std::bad_function_call at Init; commands
  // refuse (false, logged) without one.
  using ProviderGetter = std::function<veltosdk::IWebinarAttendeeProvider*()>;

  static constexpr uint64_t kDefaultAttendeeCountPerPage = 50;
  // The main range moves only when its start moves by more than this many rows, or a fifth of a
  // page, whichever is more.
  static constexpr uint32_t kMinMainRangeMoveThreshold = 20;
  // Rows a visible range may stick out of the provider's fetch range at either end and still
  // count as inside it.
  static constexpr uint32_t kFetchRangeTolerance = 3;

  explicit WebinarAttendeeModelBase(ProviderGetter provider_getter);
  ~WebinarAttendeeModelBase() override;

  // Takes the provider's callback and its name; listens for leaving the meeting (514, event 2)
  // and for the local user's permissions (609, event 2).
  bool Init() override;
  // Gives the provider's callback back and stops listening.
  void UnInit() override;
  // The commands of model_command::webinar_attendee; other ids answer false.
  bool Call(int command_id, const Variant* in, Variant* out) override;

  // Command 11; does nothing unless overridden.
  virtual void OnPreSetVisibleRange(const Variant* in, Variant* out);

  // An attendee as an in-meeting user record ("user_id", "nickname", "audio", ... "role_type" 7,
  // "is_attendee" true); an empty map, logged, for null.
  static Variant WebinarAttendeeToVariant(const veltosdk::IWebinarAttendee* attendee);

  // veltosdk::IWebinarAttendeeProvider::Callback: events 0 to 3; the page size is kept.
  void OnLoadedAttendeeCountChanged(unsigned loaded_count) override;
  void OnTotalAttendeeCountChanged(unsigned total_count) override;
  void OnLoadedAttendeeRangeUpdate(const Range& range, veltosdk::FetchWebinarAttendeeType type) override;
  void OnAttendeeCountPerPageChanged(unsigned count_per_page) override;
  void OnAttendeeLoadMoreFinished() override;

  // The window rule. The main range is a page of rows centred on the visible range, but never
  // starting before it when the visible range is near the top; a visible range larger than a
  // page is its own main range (logged).
  Range GetAttendeeMainRangeByVisibleRange(const Range& visible) const;
  // The visible range lies within the current main range (false without one).
  bool IsInMainRange(const Range& visible) const;
  // No main range yet, another size, or a start that moved past the threshold.
  bool ShouldUpdateMainRange(const Range& next) const;

  uint64_t attendee_count_per_page() const { return attendee_count_per_page_; }
  // Null before the first window was handed to the provider, and after leaving.
  const Range* main_range() const { return main_range_.get(); }
  // How often a visible range fell outside the provider's fetch range (beyond the tolerance).
  uint32_t visible_range_out_of_fetch_range_count() const { return visible_range_out_of_fetch_range_count_; }
  int32_t handsup_trail_tips_index() const { return handsup_trail_tips_index_; }
  bool is_speak_open() const { return is_speak_open_; }

 protected:
  // After the model forgot its window on leaving the meeting.
  virtual void OnEventLeaveComplete(const Variant* event);
  // Commands 1 and 2 ask these first; true answers the command.
  virtual bool OnInvokeCallGetAttendeeByIndex(const Variant* in, Variant* out);
  virtual bool OnInvokeCallGetLoadedAttendeeCount(const Variant* in, Variant* out);

  veltosdk::IWebinarAttendeeProvider* attendee_provider() const;
  void ResetMainRange();

 private:
  bool InvokeCallSetVisibleRange(const Variant* in, Variant* out);
  bool InvokeCallGetAttendeeByIndex(const Variant* in, Variant* out);
  bool InvokeCallGetLoadedAttendeeCount(const Variant* in, Variant* out);
  bool InvokeCallGetTotalAttendeeCount(const Variant* in, Variant* out);
  bool InvokeCallLoadMore();
  bool InvokeCallSetActive(const Variant* in);
  bool InvokeCallSetHandsupTrailTipsIndex(const Variant* in);
  bool InvokeCallGetHandsupTrailTipsIndex(Variant* out) const;
  bool InvokeCallGetAttendeeSpeakerState(Variant* out) const;
  void CountVisibleRangeOutOfFetchRange(const Range& visible, const Range& fetch);
  void OnEventSelfPermissionsChanged(const Variant* event);
  void OnEventLeaveCompleteInternal(const Variant* event);
  // The provider for a command; null (logged) without a getter or a provider.
  veltosdk::IWebinarAttendeeProvider* CommandProvider(int command_id) const;

  uint64_t attendee_count_per_page_ = kDefaultAttendeeCountPerPage;
  std::unique_ptr<Range> main_range_;
  ProviderGetter provider_getter_;
  const char* provider_name_ = nullptr;
  uint32_t visible_range_out_of_fetch_range_count_ = 0;
  int32_t handsup_trail_tips_index_ = -1;
  bool is_speak_open_ = false;

  std::vector<int> subscribed_models_;
};

}  // namespace velto
