// The member panel of a meeting in progress: the ordered member list (velto::UserListManager,
// through hostkit::SortedUserListManager) with its visible and hidden users as the hide switch
// changes, keyword search by pinyin (velto::MembersFilterManager), and the raise-hand queue
// (RaiseHandPanelistInfoSet) as hands go up and down.
//
// With --10k the same chapter plays in a meeting of 10,000 more users and reports the time the
// member panel's pieces took per kind of event; "load" is the panel opening on the meeting, from
// the user model's first answer to the first ordered list.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/module/module.h"
#include "hostkit/hostkit.h"
#include "hostkit/meeting_fixture.h"
#include "hostkit/user_list.h"
#include "module_api/members/member_utils.h"
#include "module_api/members/members_filter_manager.h"
#include "module_api/model_ids.h"
#include "module_api/members/user_provider.h"
#include "module_api/members/user_set.h"
#include "sim.h"

namespace {

using sim::Variant;
namespace member = velto_common::utils::member;
using velto_common::utils::InMeetingUserProvider;
using velto_common::utils::RaiseHandPanelistInfoSet;

using velto::model_id::kHideVideoModel;
constexpr int kHideNoVideoUser = 6;
constexpr int kHideSelf = 7;
constexpr int kHideSwitchChanged = 1;

const Variant& Record(int64_t index) {
  return member::GetUserInfo(framework::module::GetAppModuleModel(velto::model_id::kUserModel), index);
}

std::string Nickname(const Variant& record) {
  std::string name = record.GetString("nickname");
  if (record.GetBoolean("video")) name += " (video)";
  return name;
}

// Up to `count` nicknames of a list of user indexes.
std::string Names(const Variant& indexes, size_t count) {
  std::string text;
  for (size_t i = 0; i < indexes.size() && i < count; ++i) {
    if (i) text += ", ";
    text += Nickname(Record(indexes.At(i).AsInteger()));
  }
  if (indexes.size() > count) text += ", ...";
  return text;
}

// 10,000 users for --10k: a quarter with Chinese nicknames, a third with video, a few hosts.
std::vector<Variant> Crowd(size_t count) {
  static const char* const kSurnames[] = {"张", "王", "李", "赵", "刘", "陈", "杨", "黄", "周", "吴"};
  static const char* const kGiven[] = {"伟", "芳", "娜", "敏", "静", "丽", "强", "磊", "军", "洋"};
  static const char* const kLatin[] = {"Alice", "bob", "Carol", "dave", "Erin", "frank", "Grace", "heidi"};
  uint64_t state = 7;
  auto next = [&state](uint32_t n) {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<uint32_t>(state >> 33) % n;
  };
  std::vector<Variant> users;
  users.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    std::string nickname;
    if (next(4) == 0) {
      nickname = std::string(kSurnames[next(10)]) + kGiven[next(10)] + (next(2) ? kGiven[next(10)] : "");
    } else {
      nickname = std::string(kLatin[next(8)]) + " " + std::to_string(next(1000));
    }
    Variant user = hostkit::MeetingFixture::MakeUser("c-" + std::to_string(i), nickname);
    user["co_host"] = next(500) == 0;
    const bool video = next(3) == 0;
    user["video"] = video;
    user["video_on"] = video;
    user["join_time"] = static_cast<uint64_t>(1700000000 + next(3600));
    users.push_back(std::move(user));
  }
  return users;
}

class Panel : public velto::IMembersProviderListener, public RaiseHandPanelistInfoSet::Callback {
 public:
  // velto::IMembersProviderListener:
  void OnMembersUpdated() override { ++updates; }
  void OnSearchResult(const std::string&, const Variant& indexes, const std::string&, int64_t) override {
    found = indexes;
  }
  // RaiseHandPanelistInfoSet::Callback:
  void OnRaiseHandListInit() override { hands_changed = "filled"; }
  void OnRaiseHandListUpdate(const Variant& user) override {
    hands_changed = user.IsMap() ? "a new hand: " + user.GetString("nickname") : "changed";
  }
  void OnRaiseHandListClear() override { hands_changed = "cleared"; }

  size_t updates = 0;
  Variant found;
  std::string hands_changed;
};

struct MemberPanel {
  std::unique_ptr<hostkit::MeetingFixture> meeting;
  std::unique_ptr<InMeetingUserProvider> provider;
  std::unique_ptr<hostkit::SortedUserListManager> list;
  std::unique_ptr<velto::MembersFilterManager> members;
  std::unique_ptr<RaiseHandPanelistInfoSet> hands;
  Panel panel;
  // --10k: time per kind of event, in milliseconds, and how many.
  std::map<std::string, std::pair<double, size_t>> timings;

  ~MemberPanel() {
    if (hands && hands->started()) hands->Stop();
    hands.reset();
    members.reset();
    list.reset();
    provider.reset();
  }
};

std::unique_ptr<MemberPanel>& Current() {
  static auto* panel = new std::unique_ptr<MemberPanel>;
  return *panel;
}

// Runs `what`, and under --10k books its time under `kind` and prints it.
template <typename What>
void Timed(MemberPanel& panel, const sim::Context& context, const std::string& kind, What what) {
  const auto start = std::chrono::steady_clock::now();
  what();
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  if (!context.crowd) return;
  auto& [total, count] = panel.timings[kind];
  total += ms;
  ++count;
  char line[96];
  std::snprintf(line, sizeof line, "  (%s: %.2f ms)", kind.c_str(), ms);
  sim::Print(line);
}

void PrintList(MemberPanel& panel) {
  const Variant* visible = panel.list->GetVisibleVideoUserList();
  const Variant* hidden = panel.list->GetNeedHideUserList();
  sim::Print("member list: " + Names(*panel.list->GetUserList(), 6));
  sim::Print("  visible " + std::to_string(visible ? visible->size() : 0) + ", hidden " +
             std::to_string(hidden ? hidden->size() : 0) + (panel.list->IsAddSelfWhenVisibleListEmpty()
                                                                ? " (only the local user left to show)"
                                                                : ""));
}

void PrintHands(MemberPanel& panel) {
  std::string queue;
  for (const Variant& user : panel.hands->raise_hand_list_sorted_by_time()) {
    if (!queue.empty()) queue += ", ";
    queue += user.GetString("nickname");
  }
  const std::string& change = panel.panel.hands_changed;
  sim::Print("raise-hand queue" + (change.empty() ? std::string() : " (" + change + ")") + ": " +
             (queue.empty() ? "empty" : queue));
  panel.panel.hands_changed.clear();
}

bool Install(const Variant& step, sim::Context& context) {
  Current().reset();
  auto panel = std::make_unique<MemberPanel>();
  hostkit::MeetingFixture::Options options;
  options.other_users = 0;
  panel->meeting = std::make_unique<hostkit::MeetingFixture>(options);
  panel->meeting->Install();
  hostkit::InstallModel(kHideVideoModel).Fail(kHideNoVideoUser).Fail(kHideSelf);  // hide switches off
  if (context.crowd) {
    // Per-user trace records, and a record of each of the user model's few hundred thousand
    // calls, would dwarf the work measured.
    hostkit::SetLogLevel(4);
    panel->meeting->users().RecordCalls(false);
  }

  std::vector<Variant> users;
  for (const Variant& user : step.Get("users").Elements()) {
    Variant record = hostkit::MeetingFixture::MakeUser(user.GetString("user_id"), user.GetString("nickname"));
    for (size_t i = 0; i < user.size(); ++i) record[user.KeyAt(i)] = user.ValueAt(i);
    record["video_on"] = record.GetBoolean("video");  // the picture the hide switch looks at
    users.push_back(std::move(record));
  }
  if (context.crowd) {
    std::vector<Variant> crowd = Crowd(context.crowd);
    users.insert(users.end(), std::make_move_iterator(crowd.begin()), std::make_move_iterator(crowd.end()));
  }
  // The panel opens on a meeting in progress: the users are there, and the load is each piece of
  // the panel taking them from the user model, up to the first ordered list.
  panel->meeting->AddUsers(std::move(users));
  MemberPanel& p = *panel;
  Current() = std::move(panel);
  Timed(p, context, "load", [&] {
    p.provider = std::make_unique<InMeetingUserProvider>();
    p.list = std::make_unique<hostkit::SortedUserListManager>();
    p.list->InitUserList();
    p.members = std::make_unique<velto::MembersFilterManager>("member_panel");
    p.members->Activate(&p.panel);
    p.hands = std::make_unique<RaiseHandPanelistInfoSet>(
        p.provider.get(), [](const Variant& user) { return user.GetBoolean("is_raise_hand"); });
    p.hands->SetCallback(&p.panel);
    p.hands->Start();
  });
  sim::Print("the member panel opens on " + std::to_string(p.meeting->user_count()) + " users");
  PrintList(p);
  p.panel.hands_changed.clear();
  return true;
}

bool MemberPanelStep(const Variant& step, sim::Context& context) {
  const std::string op = step.GetString("op");
  if (op == "install") return Install(step, context);
  MemberPanel* panel = Current().get();
  if (!panel) {
    context.error = "no member panel is open (an \"install\" op comes first)";
    return false;
  }
  MemberPanel& p = *panel;
  const std::string user_id = step.GetString("user_id");
  const Variant* found = p.meeting->FindUser(user_id);
  const std::string nickname = found ? found->GetString("nickname") : "";
  if (!found && (op == "update" || op == "leave")) {
    context.error = "no user \"" + user_id + "\" in the meeting";
    return false;
  }
  if (found && op == "join") {
    context.error = "user \"" + user_id + "\" is already in the meeting";
    return false;
  }
  if (op == "join") {
    Variant user = hostkit::MeetingFixture::MakeUser(user_id, step.GetString("nickname", user_id));
    const Variant& extra = step.Get("extra");
    for (size_t i = 0; i < extra.size(); ++i) user[extra.KeyAt(i)] = extra.ValueAt(i);
    user["video_on"] = user.GetBoolean("video");
    sim::Print(step.GetString("nickname", user_id) + " joins");
    Timed(p, context, "add", [&] { p.meeting->AddUser(std::move(user)); });
  } else if (op == "update") {
    sim::Print(nickname + " changes: " + step.Get("changes").ToJsonStr());
    Timed(p, context, "update", [&] { p.meeting->UpdateUser(user_id, step.Get("changes")); });
    if (!p.panel.hands_changed.empty()) PrintHands(p);
  } else if (op == "leave") {
    sim::Print(nickname + " leaves");
    Timed(p, context, "remove", [&] { p.meeting->RemoveUser(user_id); });
    if (!p.panel.hands_changed.empty()) PrintHands(p);
  } else if (op == "hide_no_video") {
    const bool on = step.GetBoolean("on");
    sim::Print(std::string("the host ") + (on ? "hides" : "shows again") + " the users without video");
    auto& model = *hostkit::FindModel(kHideVideoModel);
    on ? model.Succeed(kHideNoVideoUser) : model.Fail(kHideNoVideoUser);
    Timed(p, context, "hide switch", [&] { model.FireNull(kHideSwitchChanged); });
  } else if (op == "search") {
    const std::string keyword = step.GetString("keyword");
    Timed(p, context, "search", [&] { p.members->StartSearch("panel_search", keyword); });
    sim::Print("search \"" + keyword + "\": " + std::to_string(p.panel.found.size()) + " found: " +
               Names(p.panel.found, 5));
  } else if (op == "show") {
    PrintList(p);
  } else if (op == "hands") {
    PrintHands(p);
  } else if (op == "close") {
    sim::Print("the panel heard " + std::to_string(p.panel.updates) + " member list updates");
    if (context.crowd) {
      sim::Print("time per event kind at " + std::to_string(p.meeting->user_count()) + " users:");
      for (const auto& [kind, timing] : p.timings) {
        char line[128];
        std::snprintf(line, sizeof line, "  %-12s %3zu events, %9.2f ms in all, %8.3f ms each", kind.c_str(),
                      timing.second, timing.first, timing.first / static_cast<double>(timing.second));
        sim::Print(line);
      }
      hostkit::SetLogLevel(6);
    }
    Current().reset();
  }
  return true;
}

const bool kRegistered = [] {
  const sim::Field user_id = sim::Str("user_id", "the user's id").Required();
  sim::RegisterAction(
      "member_panel",
      {"The member panel: an ordered member list, the hide switch, search and the raise-hand queue.",
       {},
       {{"install", "Opens the panel on a meeting of these users (and 10,000 more under --10k).",
         {sim::List("users",
                    {user_id, sim::Str("nickname", "the name shown").Required(),
                     sim::Int("join_time", 0, 4102444800, "seconds since 1970"), sim::Bool("video", "camera on"),
                     sim::Bool("host", "the host"), sim::Bool("co_host", "a co-host"),
                     sim::Bool("is_raise_hand", "hand raised"),
                     sim::Int("raise_hand_timestamp", 0, sim::kMaxAtMs, "when the hand went up")},
                    "the users besides the local one")}},
        {"join", "A user joins.",
         {user_id, sim::Str("nickname", "the name shown (the user id when absent)"),
          sim::Record("extra", "more keys of the user's record")}},
        {"update", "A user's record changes.", {user_id, sim::Record("changes", "the keys that change").Required()}},
        {"leave", "A user leaves.", {user_id}},
        {"hide_no_video", "The host hides (or shows again) the users without video.",
         {sim::Bool("on", "hide them").Required()}},
        {"search", "Searches the panel by name or pinyin.", {sim::Str("keyword", "what is typed").Required()}},
        {"show", "Prints the list.", {}},
        {"hands", "Prints the raise-hand queue.", {}},
        {"close", "Closes the panel (and prints the timing table under --10k).", {}}}},
      MemberPanelStep);
  sim::RegisterChapter(320, R"json({
    "name": "The member panel: the ordered list, the hide switch, pinyin search and the raise-hand queue",
    "timeline": [
      {"at": 0, "do": "member_panel", "op": "install", "users": [
        {"user_id": "u-zw", "nickname": "张伟", "join_time": 100},
        {"user_id": "u-wf", "nickname": "王芳", "join_time": 110, "video": true},
        {"user_id": "u-ln", "nickname": "李娜", "join_time": 120},
        {"user_id": "u-alice", "nickname": "Alice", "join_time": 130, "video": true},
        {"user_id": "u-bob", "nickname": "bob", "join_time": 140},
        {"user_id": "u-carol", "nickname": "Carol", "join_time": 150, "co_host": true},
        {"user_id": "u-cj", "nickname": "陈静", "join_time": 160}]},
      {"at": 1000, "do": "member_panel", "op": "join", "user_id": "u-ly", "nickname": "刘洋",
       "extra": {"join_time": 1000, "video": true}},
      {"at": 1000, "do": "member_panel", "op": "join", "user_id": "u-zoe", "nickname": "Zoe",
       "extra": {"join_time": 1001}},
      {"at": 1000, "do": "member_panel", "op": "show"},
      {"at": 2000, "do": "member_panel", "op": "hide_no_video", "on": true},
      {"at": 2000, "do": "member_panel", "op": "show"},
      {"at": 3000, "do": "member_panel", "op": "search", "keyword": "zhang"},
      {"at": 3000, "do": "member_panel", "op": "search", "keyword": "li"},
      {"at": 3000, "do": "member_panel", "op": "search", "keyword": "al"},
      {"at": 4000, "do": "member_panel", "op": "update", "user_id": "u-zw",
       "changes": {"is_raise_hand": true, "raise_hand_timestamp": 4000}},
      {"at": 4100, "do": "member_panel", "op": "update", "user_id": "u-bob",
       "changes": {"is_raise_hand": true, "raise_hand_timestamp": 4100}},
      {"at": 4200, "do": "member_panel", "op": "update", "user_id": "u-ln",
       "changes": {"is_raise_hand": true, "raise_hand_timestamp": 4200}},
      {"at": 5000, "do": "member_panel", "op": "update", "user_id": "u-bob", "changes": {"nickname": "Bob 周"}},
      {"at": 5000, "do": "member_panel", "op": "search", "keyword": "zhou"},
      {"at": 6000, "do": "member_panel", "op": "update", "user_id": "u-zw",
       "changes": {"is_raise_hand": false, "raise_hand_timestamp": 0}},
      {"at": 6500, "do": "member_panel", "op": "leave", "user_id": "u-ln"},
      {"at": 7000, "do": "member_panel", "op": "hide_no_video", "on": false},
      {"at": 7000, "do": "member_panel", "op": "show"},
      {"at": 7000, "do": "member_panel", "op": "search", "keyword": "zhou"},
      {"at": 8000, "do": "member_panel", "op": "close"}
    ]
  })json");
  return true;
}();

}  // namespace
