#include "meeting/world.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <set>

#include "framework/module/module.h"
#include "hostkit/hostkit.h"
#include "module_api/members/member_utils.h"
#include "module_api/model_ids.h"
#include "record.h"
#include "sim.h"

namespace sim::meeting {
namespace {

namespace member = velto_common::utils::member;

constexpr int kHideNoVideoUser = 6;
constexpr int kHideSelf = 7;

}  // namespace

World::World(const Plan& plan, Context& context, Recorder& recorder)
    : plan_(plan), context_(context), recorder_(recorder) {}

World::~World() { Close(); }

void World::Open() {
  hostkit::SetLanguage("en-us");  // the texts of alerts and the calendar, as a reader of the timeline reads them
  hostkit::MeetingFixture::Options options;
  options.other_users = 0;
  options.subject = "All hands";
  fixture_ = std::make_unique<hostkit::MeetingFixture>(options);
  fixture_->Install();
  hostkit::InstallModel(velto::model_id::kHideVideoModel).Fail(kHideNoVideoUser).Fail(kHideSelf);
  // A load of thousands of users makes hundreds of thousands of user model calls; recording each
  // would cost more than the work measured.
  fixture_->users().RecordCalls(false);
  pulls_.Install();

  provider_ = std::make_unique<velto_common::utils::InMeetingUserProvider>();
  list_ = std::make_unique<hostkit::SortedUserListManager>();
  list_->InitUserList();
  members_ = std::make_unique<velto::MembersFilterManager>("member_panel");
  members_->Activate(this);
  hands_ = std::make_unique<velto_common::utils::RaiseHandPanelistInfoSet>(
      provider_.get(), [](const Variant& user) { return user.GetBoolean("is_raise_hand"); });
  hands_->SetCallback(this);
  hands_->Start();
  streams_ = std::make_unique<velto::VideoStreamManager>();
  streams_->SetStreamRule(velto::VideoStream::kVideoStreamRuleUserCount);
}

void World::Close() {
  streams_.reset();  // cancels what it pulled
  if (hands_ && hands_->started()) hands_->Stop();
  hands_.reset();
  members_.reset();
  list_.reset();
  provider_.reset();
  slots_.clear();
}

void World::Note(const std::string& text) {
  if (context_.quiet) return;
  const int64_t seconds = hostkit::NowMs() / 1000;
  std::printf("[%2lld:%02lld] %s\n", static_cast<long long>(seconds / 60), static_cast<long long>(seconds % 60),
              text.c_str());
}

void World::Tally(const std::string& what, int64_t by) {
  for (auto& [name, count] : tallies_) {
    if (name == what) {
      count += by;
      return;
    }
  }
  tallies_.emplace_back(what, by);
}

void World::Count(const std::string& figure, int64_t by) {
  recorder_.Figure(figure, recorder_.FigureOf(figure) + by);
}

size_t World::Shown(const std::string& what, const std::string& text, const std::string& answer) {
  return recorder_.Shown(hostkit::NowMs(), what, text, answer);
}

void World::OnRaiseHandListUpdate(const Variant& user) {
  if (user.IsMap()) ++hands_raised_;  // a new hand; other updates pass null
}

std::string World::TakeTallies() {
  // People first, then their devices and hands; kinds that features add later come last.
  static const char* const kOrder[] = {"joined", "admitted", "entered the waiting room", "left", "camera changes",
                                       "microphone changes", "hands up", "hands down"};
  auto rank = [](const std::string& what) {
    const auto* it = std::find(std::begin(kOrder), std::end(kOrder), what);
    return it - std::begin(kOrder);
  };
  std::stable_sort(tallies_.begin(), tallies_.end(),
                   [&](const auto& a, const auto& b) { return rank(a.first) < rank(b.first); });
  std::string line;
  for (const auto& [what, count] : tallies_) {
    if (count) line += (line.empty() ? "" : ", ") + std::to_string(count) + " " + what;
  }
  tallies_.clear();
  return line;
}

void World::LayOut() {
  // The first page of the gallery: the visible list's users with their cameras on, in its order.
  std::vector<std::string> tiles;
  if (const Variant* visible = list_->GetVisibleVideoUserList()) {
    framework::Model* users = framework::module::GetAppModuleModel(velto::model_id::kUserModel);
    for (const Variant& index : visible->Elements()) {
      if (tiles.size() == kGalleryTiles) break;
      const Variant& record = member::GetUserInfo(users, index.AsInteger());
      if (record.GetBoolean("self") || !record.GetBoolean("video")) continue;
      tiles.push_back("video-" + record.GetString("user_id"));
    }
  }
  if (tiles == tiles_) return;
  tiles_ = std::move(tiles);
  Variant list = Variant::Array();
  for (const std::string& stream : tiles_) {
    Variant entry = Variant::Map();
    entry["stream_id"] = stream;
    list.Add(entry);
  }
  streams_->SetVisibleStreamList(&list);
}

void World::AfterEvent() {
  if (layout_dirty_ && streams_) {
    layout_dirty_ = false;
    const size_t calls = pulls_.model().calls().size();
    const auto begin = std::chrono::steady_clock::now();
    LayOut();
    hostkit::RunUntilIdle();
    const double cost = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - begin).count();
    if (pulls_.model().calls().size() != calls) {
      for (const auto& command : pulls_.Commands(calls)) {
        if (command.kind == hostkit::VideoPullModel::Kind::kPull) Count("stream pulls");
        if (command.kind == hostkit::VideoPullModel::Kind::kCancel) Count("stream cancels");
      }
      recorder_.Event(hostkit::NowMs(), "gallery layout", "video", cost);
    }
    // The pulls follow the tiles: nothing pulled that is not shown.
    const std::set<std::string> shown(tiles_.begin(), tiles_.end());
    for (const auto& [stream, size] : pulls_.Pulled()) {
      if (!shown.count(stream)) Count("pulls outside the visible tiles");
    }
    recorder_.Figure("most tiles", std::max<int64_t>(recorder_.FigureOf("most tiles"), static_cast<int64_t>(tiles_.size())));
    recorder_.Figure("most streams pulled", std::max<int64_t>(recorder_.FigureOf("most streams pulled"),
                                                              static_cast<int64_t>(pulls_.Pulled().size())));
  }
  const int64_t now = hostkit::NowMs();
  const int64_t members = static_cast<int64_t>(list_->GetUserList() ? list_->GetUserList()->size() : 0);
  recorder_.Counter(now, "members", members);
  recorder_.Counter(now, "tiles", static_cast<int64_t>(tiles_.size()));
  recorder_.Counter(now, "pulled streams", static_cast<int64_t>(pulls_.Pulled().size()));
  recorder_.Counter(now, "hands up", static_cast<int64_t>(hands_->raise_hand_list_sorted_by_time().size()));
  recorder_.Figure("most members", std::max<int64_t>(recorder_.FigureOf("most members"), members));
}

}  // namespace sim::meeting
