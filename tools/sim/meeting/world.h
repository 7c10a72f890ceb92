// The built-in meeting while it plays: the host stand-in's meeting (hostkit::MeetingFixture) and
// the library's pieces a meeting window holds, the ones a module author meets first: the ordered
// member list, the member panel with its search, the raise-hand queue, and the gallery whose
// video stream manager pulls the streams of the visible tiles.
//
// Event kinds drive it (see schedule.h) and report through it: Note() prints a line of the
// timeline, Tally() counts routine changes for the minute's line, Count() adds to a summary
// figure, Shown() records what the user saw. After each event the player lays the gallery out
// again when the members or cameras changed (MembersChanged), and samples the counters.
#pragma once

#include <memory>
#include <map>
#include <string>
#include <vector>

#include "hostkit/meeting_fixture.h"
#include "hostkit/user_list.h"
#include "hostkit/video_pull.h"
#include "meeting/schedule.h"
#include "module_api/members/members_filter_manager.h"
#include "module_api/members/user_provider.h"
#include "module_api/members/user_set.h"
#include "module_api/video_stream/video_stream_manager.h"

namespace sim {
struct Context;
class Recorder;
}  // namespace sim

namespace sim::meeting {

class World : public velto::IMembersProviderListener,
              public velto_common::utils::RaiseHandPanelistInfoSet::Callback {
 public:
  static constexpr size_t kGalleryTiles = 9;

  World(const Plan& plan, Context& context, Recorder& recorder);
  ~World();
  World(const World&) = delete;
  World& operator=(const World&) = delete;

  // Installs the meeting with the local user as its host and opens the window's pieces.
  void Open();
  // Closes the window's pieces: the gallery's manager cancels its pulls.
  void Close();

  const Plan& plan() const { return plan_; }
  Context& context() { return context_; }
  Recorder& recorder() { return recorder_; }
  hostkit::MeetingFixture& fixture() { return *fixture_; }
  hostkit::SortedUserListManager& list() { return *list_; }
  velto::MembersFilterManager& members() { return *members_; }
  velto_common::utils::RaiseHandPanelistInfoSet& hands() { return *hands_; }
  hostkit::VideoPullModel& pulls() { return pulls_; }
  velto::VideoStreamManager& streams() { return *streams_; }

  void Note(const std::string& text);
  void Tally(const std::string& what, int64_t by = 1);
  void Count(const std::string& figure, int64_t by = 1);
  size_t Shown(const std::string& what, const std::string& text, const std::string& answer = {});
  void MembersChanged() { layout_dirty_ = true; }

  // State a feature keeps for the meeting's length, made on first use.
  template <typename T>
  T& Slot(const std::string& name) {
    std::shared_ptr<void>& slot = slots_[name];
    if (!slot) slot = std::make_shared<T>();
    return *static_cast<T*>(slot.get());
  }

  // After each event: lays the gallery out again if needed, checks that the pulls follow the
  // visible tiles and samples the counters.
  void AfterEvent();
  // The minute's line of routine changes, then clears the tallies.
  std::string TakeTallies();

  // The last search's results and the hands that went up, as the panel heard them.
  const Variant& found() const { return found_; }
  size_t hands_raised() const { return hands_raised_; }
  size_t tiles() const { return tiles_.size(); }

  // velto::IMembersProviderListener:
  void OnMembersUpdated() override {}
  void OnSearchResult(const std::string&, const Variant& indexes, const std::string&, int64_t) override {
    found_ = indexes;
  }
  // RaiseHandPanelistInfoSet::Callback:
  void OnRaiseHandListInit() override {}
  void OnRaiseHandListUpdate(const Variant& user) override;
  void OnRaiseHandListClear() override {}

 private:
  void LayOut();

  Plan plan_;
  Context& context_;
  Recorder& recorder_;
  std::unique_ptr<hostkit::MeetingFixture> fixture_;
  std::unique_ptr<velto_common::utils::InMeetingUserProvider> provider_;
  std::unique_ptr<hostkit::SortedUserListManager> list_;
  std::unique_ptr<velto::MembersFilterManager> members_;
  std::unique_ptr<velto_common::utils::RaiseHandPanelistInfoSet> hands_;
  hostkit::VideoPullModel pulls_;
  std::unique_ptr<velto::VideoStreamManager> streams_;
  std::map<std::string, std::shared_ptr<void>> slots_;
  std::vector<std::pair<std::string, int64_t>> tallies_;
  std::vector<std::string> tiles_;
  Variant found_;
  size_t hands_raised_ = 0;
  bool layout_dirty_ = true;
};

}  // namespace sim::meeting
