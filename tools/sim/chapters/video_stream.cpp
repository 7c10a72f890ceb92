// A gallery window and its video stream manager: the visible list follows the cameras that are
// on, the page size and the big view; the chapter prints what the manager asked of the video
// pull model (read back from that model's recorded calls) and whether the pulls match the list.
#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "hostkit/hostkit.h"
#include "hostkit/meeting_fixture.h"
#include "hostkit/video_pull.h"
#include "module_api/video_stream/video_stream_manager.h"
#include "sim.h"

namespace {

using sim::Variant;
using velto::VideoStreamManager;

const char* SizeName(int32_t size) {
  static const char* const kNames[] = {"none", "large", "middle", "small", "smallest"};
  return size >= 0 && size <= 4 ? kNames[size] : "?";
}

// The window: which tiles it shows.
struct Gallery {
  hostkit::MeetingFixture meeting;
  hostkit::VideoPullModel pulls;
  std::unique_ptr<VideoStreamManager> manager;
  size_t page_size = 4;
  std::string big_view;  // speaker layout when set
  bool audio_mode = false;
  size_t calls_seen = 0;

  explicit Gallery(hostkit::MeetingFixture::Options options) : meeting(std::move(options)) {}

  bool HasVideo(const std::string& user_id) const {
    const Variant* user = meeting.FindUser(user_id);
    return user && user->GetBoolean("video", false);
  }

  // The speaker's stream first in the speaker layout, then a page of the others with video, in
  // join order.
  Variant VisibleList() const {
    std::vector<std::string> shown;
    if (!big_view.empty() && HasVideo(big_view)) shown.push_back(big_view);
    for (const std::string& user_id : meeting.user_ids()) {
      if (shown.size() >= page_size + (big_view.empty() ? 0 : 1)) break;
      if (user_id == hostkit::MeetingFixture::kSelfUserId || user_id == big_view || !HasVideo(user_id)) continue;
      shown.push_back(user_id);
    }
    Variant list = Variant::Array();
    for (const std::string& user_id : shown) {
      Variant entry = Variant::Map();
      entry["stream_id"] = "video-" + user_id;
      list.Add(entry);
    }
    return list;
  }

  void Refresh() {
    const Variant list = VisibleList();
    std::string line = "  visible (" + std::to_string(list.size()) + "):";
    for (const Variant& entry : list.Elements()) line += " " + entry.GetString("stream_id");
    sim::Print(line);
    manager->SetVisibleStreamList(&list);
  }

  // The commands sent since the last look, then what is pulled and whether it is the list.
  void PrintSent() {
    const auto commands = pulls.Commands(calls_seen);
    calls_seen = pulls.model().calls().size();
    if (commands.empty()) sim::Print("  -> nothing sent to the video pull model");
    for (const auto& command : commands) {
      std::string line = std::string("  -> ") + hostkit::VideoPullModel::KindName(command.kind) + " " + command.stream_id;
      if (command.kind == hostkit::VideoPullModel::Kind::kPull) {
        line += " at size " + std::to_string(command.size_type) + " (" + SizeName(command.size_type) + ")";
      }
      sim::Print(line);
    }
    std::string pulled = "  pulled now:";
    std::set<std::string> pulled_ids;
    for (const auto& [stream_id, size] : pulls.Pulled()) {
      pulled += " " + stream_id + ":" + std::to_string(size) + (pulls.Degraded().count(stream_id) ? "(degraded)" : "");
      pulled_ids.insert(stream_id);
    }
    std::set<std::string> expected;
    if (!audio_mode) {
      for (const Variant& entry : manager->GetVisibleStreamList().Elements()) {
        if (VideoStreamManager::CheckVideoIsInStreamInfoMap(entry.GetString("stream_id"))) {
          expected.insert(entry.GetString("stream_id"));
        }
      }
    }
    sim::Print(pulled + (pulled_ids == expected ? "  [follows the visible list]" : "  [DIFFERS from the visible list]"));
  }
};

std::unique_ptr<Gallery>& TheGallery() {
  static auto* gallery = new std::unique_ptr<Gallery>;
  return *gallery;
}

std::string Join(const Variant& list) {
  std::string text;
  for (const Variant& item : list.Elements()) text += (text.empty() ? "" : ", ") + item.AsStr();
  return text;
}

bool GalleryStep(const Variant& step, sim::Context& context) {
  const std::string op = step.GetString("op");
  if (op == "install") {
    hostkit::MeetingFixture::Options options;
    options.other_users = static_cast<size_t>(step.GetInteger("others", 2));
    TheGallery() = std::make_unique<Gallery>(options);
    Gallery& g = *TheGallery();
    g.meeting.Install();
    g.pulls.Install();
    g.page_size = static_cast<size_t>(step.GetInteger("page_size", 4));
    g.manager = std::make_unique<VideoStreamManager>();
    g.manager->SetStreamRule(velto::VideoStream::kVideoStreamRuleUserCount);
    sim::Print("gallery of " + std::to_string(g.page_size) + " tiles in a meeting of " +
               std::to_string(g.meeting.user_count()) + " users; sizes by user count (2 or fewer large, up to 4 "
               "middle, more small)");
    return true;
  }
  Gallery* g = TheGallery().get();
  if (!g || !g->manager) {
    context.error = "no gallery is open (an \"install\" op comes first)";
    return false;
  }
  if (op == "video") {
    const bool on = step.GetBoolean("on", true);
    std::vector<std::pair<std::string, Variant>> changes;
    for (const Variant& user : step.Get("users").Elements()) {
      Variant change = Variant::Map();
      change["video"] = on;
      changes.emplace_back(user.AsStr(), change);
    }
    g->meeting.UpdateUsers(changes);
    sim::Print(Join(step.Get("users")) + " turned video " + (on ? "on" : "off"));
    g->Refresh();
  } else if (op == "join") {
    std::vector<Variant> users;
    for (const Variant& id : step.Get("users").Elements()) {
      Variant user = hostkit::MeetingFixture::MakeUser(id.AsStr(), id.AsStr());
      user["video"] = step.GetBoolean("video", false);
      users.push_back(user);
    }
    g->meeting.AddUsers(users);
    sim::Print(Join(step.Get("users")) + " joined" + (step.GetBoolean("video", false) ? " with video" : "") + "; " +
               std::to_string(g->meeting.user_count()) + " users now");
    g->Refresh();
  } else if (op == "leave") {
    g->meeting.RemoveUser(step.GetString("user_id"));
    sim::Print(step.GetString("user_id") + " left; " + std::to_string(g->meeting.user_count()) + " users now");
    g->Refresh();
  } else if (op == "resend") {
    const size_t before = hostkit::CountLogs(6, "no need to pull stream[");
    sim::Print("the window lays out again and sends the same list");
    g->Refresh();
    sim::Print("  each of the streams logged \"no need to pull\": " +
               std::to_string(hostkit::CountLogs(6, "no need to pull stream[") - before) + " records");
  } else if (op == "page_size") {
    g->page_size = static_cast<size_t>(step.GetInteger("page_size", 4));
    sim::Print("the page now holds " + std::to_string(g->page_size) + " tiles");
    g->Refresh();
  } else if (op == "speaker") {
    g->big_view = step.GetString("big_view");
    g->meeting.SetBigView(0, g->big_view);
    sim::Print("speaker layout: " + g->big_view + " in the big view, a strip of " + std::to_string(g->page_size) +
               " beside it; the big view large, the others small");
    g->manager->SetStreamRule(velto::VideoStream::kVideoStreamRuleBigView);
    g->Refresh();
  } else if (op == "gallery") {
    g->big_view.clear();
    sim::Print("gallery layout again: sizes by user count");
    g->manager->SetStreamRule(velto::VideoStream::kVideoStreamRuleUserCount);
    g->Refresh();
  } else if (op == "degrade") {
    g->manager->LifecycleStateChanged(framework::kViewLifecycleBackground);
    g->manager->DegradeVideoQuality(static_cast<unsigned>(step.GetInteger("delay", 0)));
    sim::Print("the window went to the back: degrade in " + std::to_string(step.GetInteger("delay", 0)) + " ms");
  } else if (op == "recover") {
    g->manager->LifecycleStateChanged(framework::kViewLifecycleForeground);
    g->manager->RecoverVideoQuality();
    sim::Print("the window is in front again: recover");
  } else if (op == "audio_mode") {
    g->audio_mode = step.GetBoolean("on", true);
    g->manager->SetAudioMode(g->audio_mode);
    sim::Print(std::string("audio mode ") + (g->audio_mode ? "on: cameras are not pulled" : "off"));
  } else if (op == "stall") {
    g->pulls.SetNeverReceived(step.GetString("stream_id"));
    sim::Print("the media layer never delivers " + step.GetString("stream_id") + "; the check comes " +
               "a minute after the last update");
    return true;
  } else if (op == "show") {
    sim::Print("what the timers did meanwhile:");
    if (const auto* event = hostkit::LastAnalytics("e#video_stream_no_pull_count")) {
      sim::Print("  analytics e#video_stream_no_pull_count total_num=" + event->properties.at("total_num"));
    }
  } else if (op == "close") {
    sim::Print("the window closes: the manager goes away");
    g->manager.reset();
    const auto commands = g->pulls.Commands(g->calls_seen);
    for (const auto& command : commands) {
      sim::Print(std::string("  -> ") + hostkit::VideoPullModel::KindName(command.kind) + " " + command.stream_id);
    }
    sim::Print("  pulled now: " + std::to_string(g->pulls.Pulled().size()) + " streams");
    TheGallery().reset();
    return true;
  }
  g->PrintSent();
  return true;
}

const bool kRegistered = [] {
  const sim::Field users = sim::Strs("users", "user ids").Required();
  sim::RegisterAction(
      "gallery",
      {"A gallery window and its video stream manager, and what it asks of the video pull model.",
       {},
       {{"install", "Opens the gallery in a meeting of the local user and others.",
         {sim::Int("others", 0, 10000, "users besides the local one (2 when absent)"),
          sim::Int("page_size", 1, 49, "tiles on the page (4 when absent)")}},
        {"video", "Users turn their cameras on or off.", {users, sim::Bool("on", "on (true when absent)")}},
        {"join", "Users join.", {users, sim::Bool("video", "with their cameras on")}},
        {"leave", "A user leaves.", {sim::Str("user_id", "the user's id").Required()}},
        {"resend", "The window lays out again and sends the same list.", {}},
        {"page_size", "The page holds another number of tiles.",
         {sim::Int("page_size", 1, 49, "tiles on the page").Required()}},
        {"speaker", "Speaker layout with this user in the big view.",
         {sim::Str("big_view", "the user in the big view").Required()}},
        {"gallery", "Gallery layout again.", {}},
        {"degrade", "The window goes to the back; quality drops after a delay.",
         {sim::Int("delay", 0, 600000, "milliseconds before the drop")}},
        {"recover", "The window is in front again.", {}},
        {"audio_mode", "Audio mode on or off: cameras are not pulled in audio mode.",
         {sim::Bool("on", "on (true when absent)")}},
        {"stall", "The media layer never delivers this stream.",
         {sim::Str("stream_id", "the stream").Required()}},
        {"show", "Prints what the timers did meanwhile.", {}},
        {"close", "The window closes and the manager goes away.", {}}}},
      GalleryStep);
  sim::RegisterQuery("vsm.GetStreamSize", [] { return std::to_string(VideoStreamManager::GetStreamSize()); });
  sim::RegisterQuery("vsm.HasVideoUser", [] { return std::string(VideoStreamManager::HasVideoUser() ? "true" : "false"); });

  sim::RegisterChapter(950, R"json({
    "name": "A gallery window: which video streams are pulled, at what size, as cameras and the layout change",
    "timeline": [
      {"at": 0, "do": "gallery", "op": "install", "others": 2, "page_size": 4},
      {"at": 0, "do": "ask", "queries": ["vsm.GetStreamSize", "vsm.HasVideoUser"]},
      {"at": 1000, "do": "gallery", "op": "video", "users": ["u-1", "u-2"], "on": true},
      {"at": 2000, "do": "gallery", "op": "join", "users": ["u-3", "u-4", "u-5"], "video": true},
      {"at": 3000, "do": "gallery", "op": "resend"},
      {"at": 4000, "do": "gallery", "op": "video", "users": ["u-2"], "on": false},
      {"at": 5000, "do": "gallery", "op": "page_size", "page_size": 2},
      {"at": 6000, "do": "gallery", "op": "page_size", "page_size": 9},
      {"at": 7000, "do": "gallery", "op": "speaker", "big_view": "u-3"},
      {"at": 8000, "do": "gallery", "op": "speaker", "big_view": "u-4"},
      {"at": 9000, "do": "gallery", "op": "leave", "user_id": "u-4"},
      {"at": 10000, "do": "gallery", "op": "gallery"},
      {"at": 11000, "do": "gallery", "op": "degrade", "delay": 2000},
      {"at": 13000, "do": "gallery", "op": "show"},
      {"at": 14000, "do": "gallery", "op": "recover"},
      {"at": 15000, "do": "gallery", "op": "audio_mode", "on": true},
      {"at": 16000, "do": "gallery", "op": "audio_mode", "on": false},
      {"at": 17000, "do": "gallery", "op": "stall", "stream_id": "video-u-5"},
      {"at": 17000, "do": "gallery", "op": "video", "users": ["u-2"], "on": true},
      {"at": 78000, "do": "gallery", "op": "show"},
      {"at": 79000, "do": "gallery", "op": "close"}
    ]
  })json");
  return true;
}();

}  // namespace
