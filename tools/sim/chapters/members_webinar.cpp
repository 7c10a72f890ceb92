// The member panel of a large webinar and of a user in the meeting with two devices.
//
// A webinar of 20,000 attendees: the attendee list (velto::WebinarAttendeeModelBase over a
// hostkit::PagingAttendeeProvider that takes 150 ms per fetch) is scrolled down and up, jumps,
// and is hidden; the chapter prints each window of rows handed to the provider, the rows loaded,
// and how often the visible rows were outside what had been fetched.
//
// Multi-join: one account joins from a desktop and a phone (the multi-join identify model over
// the devices present); the panel groups records by account through
// velto::MultiJoinUserIdentifyManager, so the account appears once, with the media states of all
// its devices, until a device leaves.
#include <climits>
#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "hostkit/hostkit.h"
#include "hostkit/multi_join.h"
#include "hostkit/webinar_attendees.h"
#include "module_api/members/multi_device_user_data_manager.h"
#include "module_api/members/multi_join_user_identify_manager.h"
#include "module_api/members/webinar_attendee_model.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "sim.h"

namespace {

using sim::Variant;
using veltosdk::Range;
namespace cmd = velto::model_command::webinar_attendee;
namespace evt = velto::model_event::webinar_attendee;

class AttendeeListModel : public velto::WebinarAttendeeModelBase {
 public:
  using WebinarAttendeeModelBase::WebinarAttendeeModelBase;
};

struct Webinar {
  std::unique_ptr<hostkit::PagingAttendeeProvider> provider;
  std::unique_ptr<AttendeeListModel> model;
  size_t requests_seen = 0;
  Range visible;
};

Webinar& TheWebinar() {
  static auto* webinar = new Webinar();
  return *webinar;
}

std::string Rows(const Range& r) {
  return std::to_string(r.start) + "-" + std::to_string(r.count ? r.endInclusive() : r.start);
}

// Prints the windows handed to the provider since the last call, the first `limit` of them.
void PrintNewWindows(size_t limit = 4) {
  Webinar& w = TheWebinar();
  const auto& requests = w.provider->RangeRequests();
  const size_t shown = std::min(requests.size(), w.requests_seen + limit);
  for (; w.requests_seen < shown; ++w.requests_seen) {
    sim::Print("  provider asked for rows " + Rows(requests[w.requests_seen]));
  }
}

bool SetVisible(uint32_t start, uint32_t rows) {
  Webinar& w = TheWebinar();
  w.visible = Range(start, rows);
  Variant in = Variant::Map();
  in["start"] = start;
  in["size"] = rows;
  return w.model->Call(cmd::kSetVisibleRange, &in, nullptr);
}

std::string Count(int command, const char* key) {
  Variant out;
  TheWebinar().model->Call(command, nullptr, &out);
  return out.Has(key) ? std::to_string(out.GetUint64(key)) : "unknown";
}

bool OpenWebinar(const Variant& step, sim::Context&) {
  Webinar& w = TheWebinar();
  hostkit::InstallModel(velto::model_id::kMeetingModel);
  hostkit::InstallModel(velto::model_id::kPermissionModel);
  w.provider = std::make_unique<hostkit::PagingAttendeeProvider>(hostkit::PagingAttendeeProvider::Options{
      .total = static_cast<uint32_t>(step.GetInteger("attendees", 20000)),
      .per_page = 50,
      .name = "webinar",
      .fetch_latency_ms = step.GetInteger("fetch_ms", 150)});
  w.model = std::make_unique<AttendeeListModel>([] { return TheWebinar().provider.get(); });
  w.model->Init();
  w.requests_seen = 0;
  w.model->Subscribe(evt::kLoadedAttendeeRangeUpdate, 1, [](const Variant* e) {
    const Variant& range = e ? e->Get("range") : Variant::EmptyVariant();
    sim::Print("  rows " + std::to_string(range.GetUint64("start")) + "-" +
               std::to_string(range.GetUint64("start") + range.GetUint64("size") - 1) + " loaded");
  });
  Variant on(true);
  w.model->Call(cmd::kSetActive, &on, nullptr);
  sim::Print("webinar list shown: " + Count(cmd::kGetTotalAttendeeCount, "total_count") + " attendees, " +
             Count(cmd::kGetLoadedAttendeeCount, "loaded_count") + " loaded");
  SetVisible(0, 15);
  PrintNewWindows();
  return true;
}

// Scrolls from the current rows to "to", "by" rows at a time, one step every "every" ms.
bool Scroll(const Variant& step, sim::Context&) {
  Webinar& w = TheWebinar();
  if (!w.model) return false;
  const int64_t to = step.GetInteger("to");
  const int64_t by = std::max<int64_t>(1, step.GetInteger("by", 10));
  const int64_t every = step.GetInteger("every", 40);
  const uint32_t out_before = w.model->visible_range_out_of_fetch_range_count();
  const size_t windows_before = w.provider->RangeRequests().size();
  int64_t at = w.visible.start;
  int steps = 0;
  const size_t print_until = windows_before + 3;
  sim::Print("scrolling rows " + std::to_string(at) + " to " + std::to_string(to) + ", " + std::to_string(by) +
             " rows every " + std::to_string(every) + " ms");
  while (at != to) {
    at = at < to ? std::min(at + by, to) : std::max(at - by, to);
    SetVisible(static_cast<uint32_t>(at), w.visible.count);
    ++steps;
    const size_t windows = w.provider->RangeRequests().size();
    PrintNewWindows(windows <= print_until ? 4 : 0);
    hostkit::AdvanceClock(every);
  }
  w.requests_seen = w.provider->RangeRequests().size();
  sim::Print("  ... " + std::to_string(steps) + " steps, " +
             std::to_string(w.provider->RangeRequests().size() - windows_before) + " windows in all (last rows " +
             Rows(w.provider->RangeRequests().back()) + "), " +
             std::to_string(w.model->visible_range_out_of_fetch_range_count() - out_before) +
             " times the rows shown were not fetched yet");
  return true;
}

bool Jump(const Variant& step, sim::Context&) {
  Webinar& w = TheWebinar();
  if (!w.model) return false;
  const uint32_t row = static_cast<uint32_t>(step.GetInteger("to"));
  sim::Print("jump to row " + std::to_string(row));
  SetVisible(row, w.visible.count);
  PrintNewWindows();
  return true;
}

// The first rows the list shows, as the view reads them.
bool ShowRows(const Variant& step, sim::Context&) {
  Webinar& w = TheWebinar();
  if (!w.model) return false;
  const int64_t rows = step.GetInteger("rows", 3);
  for (int64_t i = 0; i < rows; ++i) {
    Variant in = Variant::Map();
    in["index"] = static_cast<int64_t>(w.visible.start) + i;
    Variant record;
    if (!w.model->Call(cmd::kGetAttendeeByIndex, &in, &record)) {
      sim::Print("  row " + std::to_string(w.visible.start + i) + ": not loaded yet");
      continue;
    }
    sim::Print("  row " + std::to_string(w.visible.start + i) + ": " + record.GetString("nickname") + " [" +
               record.GetString("avatar_name") + "]" + (record.GetBoolean("audio") ? " audio" : "") +
               (record.GetBoolean("video") ? " video" : ""));
  }
  return true;
}

bool CloseWebinar(const Variant&, sim::Context&) {
  Webinar& w = TheWebinar();
  if (!w.model) return false;
  Variant off(false);
  w.model->Call(cmd::kSetActive, &off, nullptr);
  sim::Print("webinar list hidden: back to the first page");
  PrintNewWindows();
  hostkit::RunUntilIdle();
  w.model->UnInit();
  w.model.reset();
  w.provider.reset();
  return true;
}

// Multi-join: the devices present and a panel with one row per account.
std::unique_ptr<hostkit::MultiJoinIdentifyModel>& Identify() {
  static auto* identify = new std::unique_ptr<hostkit::MultiJoinIdentifyModel>();
  return *identify;
}

bool Join(const Variant& step, sim::Context&) {
  if (!Identify()) Identify() = std::make_unique<hostkit::MultiJoinIdentifyModel>();
  const Variant& device = step.Get("device");
  Identify()->Join(device);
  sim::Print(device.GetString("nickname") + " joined from instance " + std::to_string(device.GetInteger("instance_id")));
  return true;
}

bool Leave(const Variant& step, sim::Context&) {
  if (!Identify()) return false;
  Identify()->Leave(step.GetString("user_id"), step.GetInteger("instance_id"));
  sim::Print(step.GetString("user_id") + " left from instance " + std::to_string(step.GetInteger("instance_id")));
  return true;
}

bool Panel(const Variant&, sim::Context&) {
  if (!Identify()) return false;
  using M = velto::MultiJoinUserIdentifyManager;
  M* manager = M::SharedInstance();
  // One row per account: a record of a user in multi-join mode stands for all its devices.
  std::vector<std::string> shown;
  for (const Variant& record : Identify()->devices()) {
    const std::string user_id = record.GetString("user_id");
    if (std::find(shown.begin(), shown.end(), user_id) != shown.end()) continue;
    shown.push_back(user_id);
    const bool multi = manager->IsInMultipleJoinMode(user_id);
    std::string line = "  " + record.GetString("nickname");
    if (multi) line += " (" + std::to_string(Identify()->DevicesOf(user_id).size()) + " devices)";
    line += manager->GetUserMediaStateByUserInfo(&record, M::kAudioOn, false) ? " mic on" : " mic off";
    line += manager->GetUserMediaStateByUserInfo(&record, M::kVideoOn, false) ? ", camera on" : ", camera off";
    if (multi) {
      const std::string speaker = manager->GetAVUserIdByUserId(user_id, M::kAudioOn);
      if (!speaker.empty()) line += ", heard through " + speaker;
    }
    velto::MultiDeviceLocalDataManager here(&record);
    if (record.GetBoolean("self")) {
      line += here.GetMediaStateByType(velto::MultiDeviceUserDataManager::kVideoOn) ? "; this device's camera on"
                                                                                     : "; this device's camera off";
    }
    sim::Print(line);
  }
  sim::Print("panel: " + std::to_string(shown.size()) + " rows for " +
             std::to_string(Identify()->devices().size()) + " devices");
  return true;
}

bool EndMultiJoin(const Variant&, sim::Context&) {
  Identify().reset();
  hostkit::RemoveModel(velto::model_id::kMultiJoinIdentifyModel);
  return true;
}

const bool kRegistered = [] {
  sim::RegisterAction("webinar_open", {"Opens a webinar attendee list served by a paging provider.", {sim::Int("attendees", 0, 100000000, "attendees in the webinar"), sim::Int("fetch_ms", 0, 600000, "the provider's fetch latency")}}, OpenWebinar);
  sim::RegisterAction("webinar_scroll", {"Scrolls the attendee list to a row.", {sim::Int("to", 0, 100000000, "the target row").Required(), sim::Int("by", 1, 100000000, "rows per scroll step"), sim::Int("every", 0, 600000, "ms between steps")}}, Scroll);
  sim::RegisterAction("webinar_jump", {"Jumps the attendee list to a row.", {sim::Int("to", 0, 100000000, "the target row").Required()}}, Jump);
  sim::RegisterAction("webinar_rows", {"Prints the visible rows.", {sim::Int("rows", 0, 1000, "rows to print")}}, ShowRows);
  sim::RegisterAction("webinar_close", {"Closes the attendee list.", {}}, CloseWebinar);
  sim::RegisterAction("multijoin_join", {"A device of a user joins.", {sim::Value("device", "the device record").Required()}}, Join);
  sim::RegisterAction("multijoin_leave", {"A device of a user leaves.", {sim::Str("user_id", "the user").Required(), sim::Int("instance_id", INT64_MIN, INT64_MAX, "the device instance").Required()}}, Leave);
  sim::RegisterAction("multijoin_panel", {"Prints the member panel rows of multi-device users.", {}}, Panel);
  sim::RegisterAction("multijoin_end", {"Ends the multi-join part.", {}}, EndMultiJoin);
  sim::RegisterChapter(330, R"json({
    "name": "A webinar of 20,000 attendees: the list scrolled down and up, windows of 50 rows fetched around what is shown",
    "timeline": [
      {"at": 0, "do": "webinar_open", "attendees": 20000, "fetch_ms": 150},
      {"at": 500, "do": "webinar_rows", "rows": 3},
      {"at": 600, "do": "webinar_scroll", "to": 400, "by": 8, "every": 40},
      {"at": 3000, "do": "webinar_rows", "rows": 3},
      {"at": 3100, "do": "webinar_scroll", "to": 250, "by": 5, "every": 30},
      {"at": 5000, "do": "webinar_jump", "to": 15000},
      {"at": 5050, "do": "webinar_rows", "rows": 2},
      {"at": 5400, "do": "webinar_rows", "rows": 2},
      {"at": 5500, "do": "webinar_scroll", "to": 14850, "by": 30, "every": 20},
      {"at": 6000, "do": "webinar_close"}
    ]
  })json");
  sim::RegisterChapter(331, R"json({
    "name": "Multi-join: an account in the meeting from a desktop and a phone appears once",
    "timeline": [
      {"at": 0, "do": "multijoin_join", "device": {"user_id": "u-ann", "nickname": "Ann", "instance_id": 1,
        "instance_type": 1, "av_user_id": "av-ann-desktop", "self": true, "audio": true, "video": false,
        "current_device_media_state": {"audio_on": true, "video_on": false}}},
      {"at": 0, "do": "multijoin_join", "device": {"user_id": "u-bob", "nickname": "Bob", "instance_id": 1,
        "instance_type": 1, "av_user_id": "av-bob", "audio": false, "video": true}},
      {"at": 100, "do": "multijoin_panel"},
      {"at": 1000, "do": "print", "text": "Ann also joins from her phone, camera on"},
      {"at": 1000, "do": "multijoin_join", "device": {"user_id": "u-ann", "nickname": "Ann", "instance_id": 2,
        "instance_type": 2, "av_user_id": "av-ann-phone", "audio": false, "video": true}},
      {"at": 1100, "do": "multijoin_panel"},
      {"at": 2000, "do": "multijoin_leave", "user_id": "u-ann", "instance_id": 1},
      {"at": 2100, "do": "multijoin_panel"},
      {"at": 3000, "do": "multijoin_end"}
    ]
  })json");
  return true;
}();

}  // namespace
