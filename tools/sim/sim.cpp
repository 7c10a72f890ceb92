#include "sim.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>

#include "hostkit/hostkit.h"
#include "record.h"

namespace sim {
namespace {

std::map<std::string, Action>& Actions() {
  static std::map<std::string, Action> actions;
  return actions;
}
std::map<std::string, ActionSpec>& MutableSpecs() {
  static std::map<std::string, ActionSpec> specs;
  return specs;
}
std::map<std::string, Query>& MutableQueries() {
  static std::map<std::string, Query> queries;
  return queries;
}
std::multimap<int, std::string>& Chapters() {
  static std::multimap<int, std::string> chapters;
  return chapters;
}

volatile std::sig_atomic_t g_interrupt = 0;

}  // namespace

void Interrupt(int signal) { g_interrupt = signal; }
int InterruptSignal() { return g_interrupt; }

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

// The model a step names, or null with the error set: a step never installs a model by itself.
hostkit::ScriptedModel* InstalledModel(const Variant& step, Context& context) {
  const int id = step.GetInt32("model");
  hostkit::ScriptedModel* model = hostkit::FindModel(id);
  if (!model) {
    context.error = "model " + std::to_string(id) +
                    " is not installed (install it under \"models\" or with a \"models\" step first)";
  }
  return model;
}

// An id key of a checked document; -1 for anything else, which is then left alone.
int IdOf(std::string_view key) {
  int id = -1;
  const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), id);
  return error == std::errc() && end == key.data() + key.size() && id >= 0 ? id : -1;
}

void ScriptModel(hostkit::ScriptedModel& model, const Variant& script) {
  const Variant& answers = script.Get("answers");
  for (size_t i = 0; i < answers.size(); ++i) {
    if (const int command = IdOf(answers.KeyAt(i)); command >= 0) model.Answer(command, answers.ValueAt(i));
  }
  for (const Variant& command : script.Get("succeed").Elements()) model.Succeed(command.AsInt32());
  for (const Variant& command : script.Get("fail").Elements()) model.Fail(command.AsInt32());
}

bool AskQueries(const Variant& step, Context& context) {
  for (const Variant& name : step.Get("queries").Elements()) {
    auto it = Queries().find(name.AsStr());
    if (it == Queries().end()) {
      context.error = "unknown query \"" + name.AsStr() + "\"";
      return false;
    }
    Print(name.AsStr() + " = " + it->second());
    PrintNewLogs(context);
  }
  return true;
}

const Field kModel = Int("model", 0, kMaxId, "the model id").Required();
const Field kScript[] = {IdMap("answers", 0, kMaxId, Value("", "the answer"), "what each command answers"),
                         Ints("succeed", 0, kMaxId, "commands that succeed and leave the answer as given"),
                         Ints("fail", 0, kMaxId, "commands whose call fails")};

const bool kBuiltinActions = [] {
  RegisterAction("ask",
                 {"Asks the library each query and prints the answer.",
                  {Strs("queries", "the queries, in order").Of(Names::kQuery).Required()}},
                 AskQueries);
  RegisterAction("print", {"Prints a line of text.", {Str("text", "the text").Required()}},
                 [](const Variant& step, Context&) {
                   Print(step.GetString("text"));
                   return true;
                 });
  RegisterAction("models",
                 {"Installs models (replacing any of the same id), as the document's \"models\" does.",
                  {DocumentFields()[1].Required()}},
                 [](const Variant& step, Context&) {
                   InstallModels(step.Get("models"));
                   return true;
                 });
  RegisterAction("script",
                 {"Rescripts an installed model: answers, commands that succeed, commands that fail.",
                  {kModel, kScript[0], kScript[1], kScript[2]}},
                 [](const Variant& step, Context& context) {
                   hostkit::ScriptedModel* model = InstalledModel(step, context);
                   if (model) ScriptModel(*model, step);
                   return model != nullptr;
                 });
  RegisterAction("remove_model", {"Removes an installed model.", {kModel}}, [](const Variant& step, Context& context) {
    if (!InstalledModel(step, context)) return false;
    hostkit::RemoveModel(step.GetInt32("model"));
    Print("model " + std::to_string(step.GetInt32("model")) + " removed");
    return true;
  });
  RegisterAction("fire",
                 {"Fires an event of an installed model to its subscribers.",
                  {kModel, Int("event", 0, kMaxId, "the event id").Required(),
                   Value("payload", "the event's payload (null when absent)")}},
                 [](const Variant& step, Context& context) {
                   hostkit::ScriptedModel* model = InstalledModel(step, context);
                   if (model) model->Fire(step.GetInt32("event"), step.Get("payload"));
                   return model != nullptr;
                 });
  return true;
}();

}  // namespace

void Print(const std::string& text) {
  std::printf("[%7.3fs] %s\n", static_cast<double>(hostkit::NowMs()) / 1000.0, text.c_str());
}

bool RegisterAction(const std::string& name, ActionSpec spec, Action action) {
  if (!Actions().emplace(name, std::move(action)).second) return false;
  MutableSpecs().emplace(name, std::move(spec));
  return true;
}

bool RegisterAction(const std::string& name, Action action) {
  ActionSpec spec;
  spec.declared = false;
  return RegisterAction(name, std::move(spec), std::move(action));
}

bool RegisterQuery(const std::string& name, Query query) {
  return MutableQueries().emplace(name, std::move(query)).second;
}

bool RegisterChapter(int order, const std::string& json) {
  Chapters().emplace(order, json);
  return true;
}

const std::map<std::string, Query>& Queries() { return MutableQueries(); }
const std::map<std::string, ActionSpec>& ActionSpecs() { return MutableSpecs(); }

std::vector<std::string> BuiltinChapters() {
  std::vector<std::string> result;
  for (const auto& [order, json] : Chapters()) result.push_back(json);
  return result;
}

void InstallModels(const Variant& models) {
  for (size_t i = 0; i < models.size(); ++i) {
    if (const int id = IdOf(models.KeyAt(i)); id >= 0) ScriptModel(hostkit::InstallModel(id), models.ValueAt(i));
  }
}

bool RunScenario(const Variant& scenario, Context& context) {
  context.error = Validate(scenario);
  if (!context.error.empty()) return false;
  if (scenario.Has("name")) std::printf("== %s ==\n", scenario.GetString("name").c_str());
  InstallModels(scenario.Get("models"));

  const Variant& timeline = scenario.Get("timeline");
  std::vector<size_t> order(timeline.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return timeline.At(a).GetInteger("at") < timeline.At(b).GetInteger("at");
  });

  const int64_t start = hostkit::NowMs();
  context.logs_seen = hostkit::Logs().size();
  for (size_t index : order) {
    if (InterruptSignal()) return true;
    const Variant& step = timeline.At(index);
    const int64_t wait = start + step.GetInteger("at") - hostkit::NowMs();
    if (wait > 0) context.realtime ? hostkit::RunFor(wait) : hostkit::AdvanceClock(wait);
    hostkit::RunUntilIdle();
    PrintNewLogs(context);
    const std::string name = step.GetString("do");
    const std::string kind = step.Has("op") ? name + " " + step.GetString("op") : name;
    context.error.clear();
    const auto begin = std::chrono::steady_clock::now();
    const bool ok = Actions().at(name)(step, context);
    hostkit::RunUntilIdle();
    const double cost = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - begin).count();
    if (context.recorder) context.recorder->Event(hostkit::NowMs(), kind, name, cost);
    PrintNewLogs(context);
    if (!ok) {
      context.error = "timeline[" + std::to_string(index) + "] (\"" + kind + "\" at " +
                      std::to_string(step.GetInteger("at")) + " ms): " +
                      (context.error.empty() ? "the step could not be carried out" : context.error);
      return false;
    }
  }
  return true;
}

}  // namespace sim
