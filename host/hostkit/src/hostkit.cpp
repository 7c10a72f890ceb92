#include "hostkit/hostkit.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <thread>
#include <vector>

#include "base/scope_singleton.h"
#include "base/threading/clock_math.h"
#include "base/threading/looper_impl.h"
#include "framework/module_service.h"
#include "host_internal.h"

namespace host_internal {
namespace {
std::vector<void (*)()>& Resets() {
  static std::vector<void (*)()> resets;
  return resets;
}
}  // namespace

bool RegisterReset(void (*reset)()) {
  Resets().push_back(reset);
  return true;
}

void RunRegisteredResets() {
  for (auto* reset : Resets()) reset();
}

}  // namespace host_internal

namespace hostkit {

Variant Json(std::string_view text) {
  bool ok = false;
  Variant value = Variant::ParseJson(text, &ok);
  if (!ok) {
    std::fprintf(stderr, "hostkit::Json: invalid JSON literal: %.*s\n", static_cast<int>(text.size()),
                 text.data());
    std::abort();
  }
  return value;
}

void Reset() {
  // Library singletons go first: they may still unsubscribe from models or post tasks.
  base::TeardownScopeSingletons();
  host_internal::ResetModels();
  host_internal::ResetLoopers();
  host_internal::ResetLogging();
  host_internal::ResetAnalytics();
  host_internal::ResetResources();
  host_internal::ResetSdk();
  host_internal::RunRegisteredResets();
}

ScriptedModel& InstallModel(int model_id) {
  auto model = std::make_unique<ScriptedModel>(model_id);
  ScriptedModel& ref = *model;
  host_internal::AppRuntime().Install(model_id, std::move(model));
  return ref;
}

void InstallCustomModel(int model_id, std::unique_ptr<framework::Model> model) {
  host_internal::AppRuntime().Install(model_id, std::move(model));
}

void RemoveModel(int model_id) { host_internal::AppRuntime().Remove(model_id); }

ScriptedModel* FindModel(int model_id) {
  return dynamic_cast<ScriptedModel*>(host_internal::AppRuntime().GetModel(model_id));
}

size_t TotalSubscribers() {
  size_t total = 0;
  for (const auto& [id, model] : host_internal::AppRuntime().models()) {
    if (auto* impl = dynamic_cast<framework::ModelImpl*>(model.get())) total += impl->SubscriberCount();
  }
  return total;
}

int64_t NowMs() { return base::threading::NowTicksMs(); }

namespace {

size_t RunDue(int64_t now) {
  size_t ran = 0;
  bool any = true;
  while (any) {
    any = false;
    for (auto* looper : host_internal::AllLoopers()) {
      if (looper->HasThread()) continue;  // runs itself
      while (looper->RunOneDue(now)) {
        ++ran;
        any = true;
      }
    }
  }
  return ran;
}

// None when no looper driven from here has a task that will ever be due.
std::optional<int64_t> EarliestDue() {
  std::optional<int64_t> earliest;
  for (auto* looper : host_internal::AllLoopers()) {
    if (looper->HasThread()) continue;
    if (const std::optional<int64_t> due = looper->NextDue(); due && (!earliest || *due < *earliest)) earliest = due;
  }
  return earliest;
}

}  // namespace

size_t RunUntilIdle() { return RunDue(NowMs()); }

size_t AdvanceClock(int64_t ms) {
  if (host_internal::IsRealTime()) return RunFor(ms);
  // Held at INT64_MAX: the clock ends there rather than wrapping round to the past.
  const int64_t target = host_internal::SaturatingAdd(NowMs(), std::max<int64_t>(ms, 0));
  size_t ran = RunDue(NowMs());
  for (std::optional<int64_t> due = EarliestDue(); due && *due <= target; due = EarliestDue()) {
    host_internal::SetManualNow(*due);  // never backwards: a task due in the past runs now
    ran += RunDue(NowMs());
  }
  host_internal::SetManualNow(target);
  return ran + RunDue(NowMs());
}

void UseRealTime(bool real_time) { host_internal::SetRealTime(real_time); }

size_t RunFor(int64_t ms) {
  if (!host_internal::IsRealTime()) return AdvanceClock(ms);
  const int64_t deadline = host_internal::SaturatingAdd(NowMs(), std::max<int64_t>(ms, 0));
  size_t ran = 0;
  while (true) {
    ran += RunDue(NowMs());
    const int64_t now = NowMs();
    if (now >= deadline) break;
    const int64_t wake = std::min(EarliestDue().value_or(deadline), deadline);
    if (wake > now) std::this_thread::sleep_for(std::chrono::milliseconds(std::min<int64_t>(wake - now, 50)));
  }
  return ran;
}

}  // namespace hostkit
