#include "hostkit/video_pull.h"

#include <cstdio>
#include <cstdlib>

#include "module_api/model_commands.h"

namespace hostkit {

struct VideoPullModel::State {
  std::map<std::string, int32_t> pulled;
  std::set<std::string> degraded;
  std::set<std::string> never_received;
};

namespace {

constexpr int kPullCommand = velto::model_command::video_pull::kPull;
constexpr int kQualityCommand = velto::model_command::video_pull::kChangeQuality;
constexpr int kReceivedCommand = velto::model_command::video_pull::kReceivedStreams;

}  // namespace

VideoPullModel::VideoPullModel() : state_(std::make_shared<State>()) {}

VideoPullModel::~VideoPullModel() = default;

VideoPullModel& VideoPullModel::Install() {
  state_ = std::make_shared<State>();
  std::shared_ptr<State> s = state_;
  InstallModel(kModelId)
      .Handle(kPullCommand,
              [s](const Variant& argument, Variant*) {
                const std::string stream_id = argument.GetString("stream_id");
                if (stream_id.empty()) return false;
                if (argument.GetBoolean("enable", false)) {
                  s->pulled[stream_id] = argument.GetInt32("size_type", 0);
                } else {
                  s->pulled.erase(stream_id);
                  s->degraded.erase(stream_id);
                }
                return true;
              })
      .Handle(kQualityCommand,
              [s](const Variant& argument, Variant*) {
                for (const Variant& id : argument.Get("degrade_streams").Elements()) s->degraded.insert(id.AsStr());
                for (const Variant& id : argument.Get("recover_streams").Elements()) s->degraded.erase(id.AsStr());
                return true;
              })
      .Handle(kReceivedCommand, [s](const Variant&, Variant* out) {
        Variant received = Variant::Map();
        for (const auto& [stream_id, size] : s->pulled) {
          if (!s->never_received.count(stream_id)) received[stream_id] = size;
        }
        if (out) *out = std::move(received);
        return true;
      });
  return *this;
}

ScriptedModel& VideoPullModel::model() const {
  ScriptedModel* model = FindModel(kModelId);
  if (!model) {
    std::fprintf(stderr, "hostkit::VideoPullModel: model %d is not installed (call Install first)\n", kModelId);
    std::abort();
  }
  return *model;
}

const std::map<std::string, int32_t>& VideoPullModel::Pulled() const { return state_->pulled; }

const std::set<std::string>& VideoPullModel::Degraded() const { return state_->degraded; }

void VideoPullModel::SetNeverReceived(const std::string& stream_id, bool never) {
  if (never) {
    state_->never_received.insert(stream_id);
  } else {
    state_->never_received.erase(stream_id);
  }
}

std::vector<VideoPullModel::Command> VideoPullModel::Commands(size_t first_call) const {
  std::vector<Command> commands;
  const std::vector<CallRecord>& calls = model().calls();
  for (size_t i = first_call; i < calls.size(); ++i) {
    const Variant& argument = calls[i].argument;
    if (calls[i].command_id == kPullCommand) {
      Command command{argument.GetBoolean("enable", false) ? Kind::kPull : Kind::kCancel,
                      argument.GetString("stream_id"), argument.GetInt32("size_type", 0),
                      argument.GetInt32("from_type", 0), i};
      commands.push_back(std::move(command));
    } else if (calls[i].command_id == kQualityCommand) {
      for (const Variant& id : argument.Get("degrade_streams").Elements()) {
        commands.push_back({Kind::kDegrade, id.AsStr(), 0, 0, i});
      }
      for (const Variant& id : argument.Get("recover_streams").Elements()) {
        commands.push_back({Kind::kRecover, id.AsStr(), 0, 0, i});
      }
    }
  }
  return commands;
}

size_t VideoPullModel::CommandCalls(size_t first_call) const {
  size_t count = 0;
  const std::vector<CallRecord>& calls = model().calls();
  for (size_t i = first_call; i < calls.size(); ++i) {
    count += calls[i].command_id == kPullCommand || calls[i].command_id == kQualityCommand;
  }
  return count;
}

const char* VideoPullModel::KindName(Kind kind) {
  switch (kind) {
    case Kind::kPull:
      return "pull";
    case Kind::kCancel:
      return "cancel";
    case Kind::kDegrade:
      return "degrade";
    case Kind::kRecover:
      return "recover";
  }
  return "?";
}

}  // namespace hostkit
