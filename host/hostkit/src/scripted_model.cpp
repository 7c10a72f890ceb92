#include "hostkit/hostkit.h"

namespace hostkit {

ScriptedModel& ScriptedModel::Answer(int command_id, Variant answer) {
  handlers_[command_id] = std::make_shared<const Handler>([answer = std::move(answer)](const Variant&, Variant* out) {
    if (out) *out = answer;
    return true;
  });
  return *this;
}

ScriptedModel& ScriptedModel::Succeed(int command_id) {
  handlers_[command_id] = std::make_shared<const Handler>([](const Variant&, Variant*) { return true; });
  return *this;
}

ScriptedModel& ScriptedModel::Fail(int command_id) {
  handlers_[command_id] = std::make_shared<const Handler>([](const Variant&, Variant*) { return false; });
  return *this;
}

ScriptedModel& ScriptedModel::Handle(int command_id, Handler handler) {
  handlers_[command_id] = std::make_shared<const Handler>(std::move(handler));
  return *this;
}

std::shared_ptr<const ScriptedModel::Handler> ScriptedModel::HandlerOf(int command_id) const {
  auto it = handlers_.find(command_id);
  return it == handlers_.end() ? nullptr : it->second;
}

ScriptedModel& ScriptedModel::HoldAsync(int command_id) {
  held_[command_id] = true;
  return *this;
}

bool ScriptedModel::CompleteAsync(int command_id, Variant answer) {
  auto it = pending_.find(command_id);
  if (it == pending_.end() || it->second.empty()) return false;
  auto promise = it->second.front();
  it->second.erase(it->second.begin());
  return promise.SetValue(std::move(answer));
}

void ScriptedModel::Fire(int event_id, const Variant& payload) { FireEvent(event_id, &payload); }

void ScriptedModel::FireNull(int event_id) { FireEvent(event_id, nullptr); }

size_t ScriptedModel::CallCount(int command_id) const {
  size_t count = 0;
  for (const auto& call : calls_) count += call.command_id == command_id;
  return count;
}

Variant ScriptedModel::LastArgument(int command_id) const {
  for (auto it = calls_.rbegin(); it != calls_.rend(); ++it) {
    if (it->command_id == command_id) return it->argument;
  }
  return Variant();
}

bool ScriptedModel::Run(int command_id, const Variant* in, Variant* out) {
  auto it = handlers_.find(command_id);
  if (it == handlers_.end()) return false;
  const std::shared_ptr<const Handler> handler = it->second;  // it may rescript its own command
  return (*handler)(in ? *in : Variant::EmptyVariant(), out);
}

void ScriptedModel::Record(CallRecord::Kind kind, int command_id, const Variant* in, uint64_t target) {
  if (record_calls_) calls_.push_back({kind, command_id, in ? *in : Variant(), target});
}

bool ScriptedModel::Call(int command_id, const Variant* in, Variant* out) {
  Record(CallRecord::Kind::kCall, command_id, in, 0);
  return Run(command_id, in, out);
}

bool ScriptedModel::P2PCall(int command_id, uint64_t target, const Variant* in, Variant* out) {
  Record(CallRecord::Kind::kP2P, command_id, in, target);
  return Run(command_id, in, out);
}

framework::Future<Variant> ScriptedModel::AsyncCall(int command_id, const Variant* in) {
  Record(CallRecord::Kind::kAsync, command_id, in, 0);
  framework::Promise<Variant> promise;
  if (held_.count(command_id)) {
    pending_[command_id].push_back(promise);
    return promise.GetFuture();
  }
  Variant answer;
  if (!Run(command_id, in, &answer)) answer = Variant();
  promise.SetValue(std::move(answer));
  return promise.GetFuture();
}

}  // namespace hostkit
