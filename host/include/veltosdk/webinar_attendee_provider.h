// veltosdk::IWebinarAttendeeProvider: the attendee list of a large webinar, which the platform
// SDK loads from the server page by page. Rows are addressed by index; the owner of the list
// tells the provider which window of rows to keep loaded (SetMainRange), and the provider
// reports what it loaded through its Callback, on the UI thread.
//
//   provider->SetCallback(&model);                        // not owned; clear it before going away
//   provider->SetMainRange(veltosdk::Range(80, 50));      // rows 80 ... 129
//   ... model.OnLoadedAttendeeRangeUpdate(Range(80, 50), FetchWebinarAttendeeType::kMainRange)
//   const veltosdk::IWebinarAttendee* row = provider->GetAttendeeByIndex(85);
//
// Attendees handed out belong to the provider; read them before its next callback.
#pragma once

#include <cstdint>
#include <string>

namespace veltosdk {

// Rows [start, start + count).
struct Range {
  uint32_t start = 0;
  uint32_t count = 0;

  Range() = default;
  Range(uint32_t start_row, uint32_t row_count) : start(start_row), count(row_count) {}
  uint32_t endExclusive() const { return start + count; }
  // One before start when count is 0 (unsigned arithmetic).
  uint32_t endInclusive() const { return start + count - 1; }
  // "(start, count)".
  std::string ToString() const { return "(" + std::to_string(start) + ", " + std::to_string(count) + ")"; }
  bool operator==(const Range&) const = default;
};

// Why rows were loaded.
enum class FetchWebinarAttendeeType : int32_t {
  kMainRange = 0,  // the window the owner asked for
  kLoadMore = 1,   // the next page, at the end of the loaded rows
  kRefresh = 2,    // the server changed rows already loaded
};

// Who an attendee is.
struct WebinarAttendeeIdentity {
  std::string user_id;
  std::string unique_id;
  std::string app_id;
  std::string app_uid;
  int32_t instance_id = 0;
  int32_t user_type = 0;
  int32_t device_type = 0;
};

class IWebinarAttendee {
 public:
  virtual ~IWebinarAttendee() = default;
  virtual const WebinarAttendeeIdentity& GetIdentity() const = 0;
  virtual uint64_t GetAVUserId() const = 0;  // the media user id
  virtual std::string GetNickname() const = 0;
  virtual int32_t GetUserDistrict() const = 0;
  virtual bool HasAudioInDevice() const = 0;
  virtual bool HasVideoInDevice() const = 0;
  virtual bool IsAudioOn() const = 0;
  virtual bool IsVideoOn() const = 0;
  virtual bool IsRaiseHand() const = 0;
  virtual uint64_t GetRaiseHandTimestamp() const = 0;
  virtual bool IsAllowSpeak() const = 0;
  virtual std::string GetAvatarToken() const = 0;
  virtual int32_t GetAvatarType() const = 0;
  virtual bool IsForbidChat() const = 0;
};

class IWebinarAttendeeProvider {
 public:
  // What the provider reports; slot order is part of the contract with the platform.
  class Callback {
   public:
    virtual ~Callback() = default;
    virtual void OnLoadedAttendeeCountChanged(unsigned loaded_count) = 0;
    virtual void OnTotalAttendeeCountChanged(unsigned total_count) = 0;
    virtual void OnLoadedAttendeeRangeUpdate(const Range& range, FetchWebinarAttendeeType type) = 0;
    virtual void OnAttendeeCountPerPageChanged(unsigned count_per_page) = 0;
    virtual void OnAttendeeLoadMoreFinished() = 0;
  };

  // Slot order is part of the contract with the platform.
  virtual ~IWebinarAttendeeProvider() = default;
  // A name for log lines; may be null.
  virtual const char* GetProviderName() = 0;
  virtual unsigned GetLoadedAttendeeCount() = 0;
  virtual unsigned GetTotalAttendeeCount() = 0;
  // Null when there is no attendee at that row (yet).
  virtual const IWebinarAttendee* GetAttendeeByIndex(int32_t index) = 0;
  // False until the provider knows the list; counts mean nothing before.
  virtual bool IsReady() = 0;
  // The window being loaded or kept loaded; count 0 when none.
  virtual Range GetFetchRange() = 0;
  // Whether the list is shown; a hidden list stops fetching.
  virtual void SetActive(bool active) = 0;
  // The window of rows to load and keep loaded.
  virtual void SetMainRange(const Range& range) = 0;
  // Loads the next page; OnAttendeeLoadMoreFinished follows.
  virtual void LoadMore() = 0;
  // Fetches again what a hidden list stopped.
  virtual void ResumeFetch() = 0;
  // Not owned; null clears it.
  virtual void SetCallback(Callback* callback) = 0;
};

}  // namespace veltosdk
