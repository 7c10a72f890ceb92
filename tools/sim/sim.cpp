#include "sim.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "hostkit/hostkit.h"

namespace sim {
namespace {

std::map<std::string, Action>& Actions() {
  static std::map<std::string, Action> actions;
  return actions;
}
std::map<std::string, Query>& MutableQueries() {
  static std::map<std::string, Query> queries;
  return queries;
}
std::multimap<int, std::string>& Chapters() {
  static std::multimap<int, std::string> chapters;
  return chapters;
}

}  // namespace

void PrintNewLogs(Context& context) {
  const auto& logs = hostkit::Logs();
  for (size_t& seen = context.logs_seen; seen < logs.size(); ++seen) {
    const auto& r = logs[seen];
    if (r.level > context.print_log_level) continue;
    std::printf("           log[%d] %s:%d %s: %s\n", r.level, r.file.c_str(), r.line, r.function.c_str(),
                r.text.c_str());
  }
}

namespace {

hostkit::ScriptedModel& ModelOf(const Variant& step) {
  const int id = step.GetInt32("model");
  hostkit::ScriptedModel* model = hostkit::FindModel(id);
  return model ? *model : hostkit::InstallModel(id);
}

void ScriptModel(hostkit::ScriptedModel& model, const Variant& script) {
  const Variant& answers = script.Get("answers");
  for (size_t i = 0; i < answers.size(); ++i) {
    model.Answer(std::atoi(std::string(answers.KeyAt(i)).c_str()), answers.ValueAt(i));
  }
  for (const Variant& command : script.Get("succeed").Elements()) model.Succeed(command.AsInt32());
  for (const Variant& command : script.Get("fail").Elements()) model.Fail(command.AsInt32());
}

bool AskQueries(const Variant& step, Context& context) {
  for (const Variant& name : step.Get("queries").Elements()) {
    auto it = Queries().find(name.AsStr());
    if (it == Queries().end()) {
      Print("unknown query " + name.AsStr());
      continue;
    }
    Print(name.AsStr() + " = " + it->second());
    PrintNewLogs(context);
  }
  return true;
}

const bool kBuiltinActions = [] {
  RegisterAction("ask", AskQueries);
  RegisterAction("print", [](const Variant& step, Context&) {
    Print(step.GetString("text"));
    return true;
  });
  RegisterAction("models", [](const Variant& step, Context&) {
    InstallModels(step.Get("models"));
    return true;
  });
  RegisterAction("script", [](const Variant& step, Context&) {
    ScriptModel(ModelOf(step), step);
    return true;
  });
  RegisterAction("remove_model", [](const Variant& step, Context&) {
    hostkit::RemoveModel(step.GetInt32("model"));
    Print("model " + std::to_string(step.GetInt32("model")) + " removed");
    return true;
  });
  RegisterAction("fire", [](const Variant& step, Context&) {
    ModelOf(step).Fire(step.GetInt32("event"), step.Get("payload"));
    return true;
  });
  return true;
}();

}  // namespace

void Print(const std::string& text) {
  std::printf("[%7.3fs] %s\n", static_cast<double>(hostkit::NowMs()) / 1000.0, text.c_str());
}

bool RegisterAction(const std::string& name, Action action) {
  return Actions().emplace(name, std::move(action)).second;
}

bool RegisterQuery(const std::string& name, Query query) {
  return MutableQueries().emplace(name, std::move(query)).second;
}

bool RegisterChapter(int order, const std::string& json) {
  Chapters().emplace(order, json);
  return true;
}

const std::map<std::string, Query>& Queries() { return MutableQueries(); }

std::vector<std::string> BuiltinChapters() {
  std::vector<std::string> result;
  for (const auto& [order, json] : Chapters()) result.push_back(json);
  return result;
}

void InstallModels(const Variant& models) {
  for (size_t i = 0; i < models.size(); ++i) {
    const int id = std::atoi(std::string(models.KeyAt(i)).c_str());
    ScriptModel(hostkit::InstallModel(id), models.ValueAt(i));
  }
}

bool RunScenario(const Variant& scenario, Context& context) {
  if (!scenario.IsMap()) {
    std::fprintf(stderr, "velto-sim: a scenario must be a JSON object\n");
    return false;
  }
  if (scenario.Has("name")) std::printf("== %s ==\n", scenario.GetString("name").c_str());
  InstallModels(scenario.Get("models"));

  std::vector<const Variant*> steps;
  for (const Variant& step : scenario.Get("timeline").Elements()) steps.push_back(&step);
  std::stable_sort(steps.begin(), steps.end(),
                   [](const Variant* a, const Variant* b) { return a->GetInteger("at") < b->GetInteger("at"); });

  const int64_t start = hostkit::NowMs();
  context.logs_seen = hostkit::Logs().size();
  bool ok = true;
  for (const Variant* step : steps) {
    // "at" may be anything up to INT64_MAX: the step time is held at the clock's end.
    int64_t due = 0;
    if (__builtin_add_overflow(start, step->GetInteger("at"), &due)) due = step->GetInteger("at") > 0 ? INT64_MAX : 0;
    const int64_t wait = due > hostkit::NowMs() ? due - hostkit::NowMs() : 0;
    if (wait > 0) context.realtime ? hostkit::RunFor(wait) : hostkit::AdvanceClock(wait);
    hostkit::RunUntilIdle();
    PrintNewLogs(context);
    const std::string name = step->GetString("do");
    auto it = Actions().find(name);
    if (it == Actions().end()) {
      std::fprintf(stderr, "velto-sim: unknown action \"%s\"\n", name.c_str());
      ok = false;
      continue;
    }
    ok = it->second(*step, context) && ok;
    hostkit::RunUntilIdle();
    PrintNewLogs(context);
  }
  return ok;
}

}  // namespace sim
