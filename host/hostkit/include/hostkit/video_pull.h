// hostkit: the video pull model (569), the host side of the stream pulls a video stream manager
// asks for. It keeps which streams are pulled and at what size, which are degraded, and answers
// "which streams arrive" from that; every command stays in the model's call records, so a test
// or the simulator reads back exactly what was sent.
//
//   hostkit::VideoPullModel pulls;
//   pulls.Install();                                   // model 569
//   ... manager.SetVisibleStreamList(&visible); ...
//   EXPECT_EQ(pulls.Pulled().at("video-u-1"), 3);      // pulled, small
//   for (const auto& c : pulls.Commands()) std::cout << VideoPullModel::KindName(c.kind) << c.stream_id;
//   pulls.SetNeverReceived("video-u-2");               // pulled, but command 6 leaves it out
//   pulls.model().ClearCalls();                        // Commands() starts over
//
// Commands: 1 {"stream_id", "size_type", "enable", "from_type" (with enable)} pulls or cancels;
// 4 {"degrade_streams": [...]} or {"recover_streams": [...]}; 6 answers a map whose keys are the
// streams arriving (pulled and not marked never received). Like MeetingFixture, the object
// shares its state with the model's handlers and may go away first; hostkit::Reset() removes
// the model.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "hostkit/hostkit.h"

namespace hostkit {

class VideoPullModel {
 public:
  static constexpr int kModelId = 569;

  enum class Kind { kPull, kCancel, kDegrade, kRecover };
  // One stream's part of a command; a command 4 with several ids gives one entry per id.
  struct Command {
    Kind kind;
    std::string stream_id;
    int32_t size_type = 0;  // pull and cancel
    int32_t from_type = 0;  // pull only
    size_t call = 0;        // position of the model call it came from
  };

  VideoPullModel();
  ~VideoPullModel();
  VideoPullModel(const VideoPullModel&) = delete;
  VideoPullModel& operator=(const VideoPullModel&) = delete;

  // Installs (or reinstalls, forgetting every pull) the model.
  VideoPullModel& Install();
  ScriptedModel& model() const;  // Install first

  // Streams pulled and not cancelled, with the size of their pull.
  const std::map<std::string, int32_t>& Pulled() const;
  const std::set<std::string>& Degraded() const;
  // A pull the media layer never serves: command 6 leaves the stream out.
  void SetNeverReceived(const std::string& stream_id, bool never = true);

  // The commands in the order the model received them, from its call records at and after
  // position `first_call`; calls of other commands are skipped.
  std::vector<Command> Commands(size_t first_call = 0) const;
  // Calls of commands 1 and 4 since `first_call`: what a video stream manager asked of the host.
  size_t CommandCalls(size_t first_call = 0) const;
  static const char* KindName(Kind kind);  // "pull", "cancel", "degrade", "recover"

  struct State;

 private:
  std::shared_ptr<State> state_;
};

}  // namespace hostkit
