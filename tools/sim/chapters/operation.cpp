// Operation alerts: a module's activity pop-up is held back while the client was opened by a
// scheme into a meeting, queued with the operation alert model once the meeting is over, and
// shown when the model says so; the model's ignore list keeps another kind away.
#include <string>

#include "hostkit/hostkit.h"
#include "module_api/operation/operation_dispatcher.h"
#include "sim.h"

namespace {

namespace op = velto_common::utils::operation_dispatcher;
using sim::Variant;

constexpr int kOperationAlertModel = 1000041;
size_t g_calls_seen = 0;

// What the operation alert model was sent since the last step.
void PrintSent() {
  hostkit::ScriptedModel* model = hostkit::FindModel(kOperationAlertModel);
  if (!model) return;
  const auto& calls = model->calls();
  if (g_calls_seen > calls.size()) g_calls_seen = 0;
  if (g_calls_seen == calls.size()) sim::Print("  the operation alert model hears nothing");
  for (; g_calls_seen < calls.size(); ++g_calls_seen) {
    const hostkit::CallRecord& call = calls[g_calls_seen];
    sim::Print("  model 1000041 <- command " + std::to_string(call.command_id) + " " + call.argument.ToJsonStr());
  }
}

bool SaveScheme(const Variant& step, sim::Context&) {
  Variant params = Variant::Map();
  params["scheme_url"] = step.GetString("scheme_url");
  op::SaveParseSchemeParams(params);
  sim::Print("start-up scheme saved");
  return true;
}

bool Init(const Variant&, sim::Context&) {
  op::InitOperationDispatcher();
  g_calls_seen =
      hostkit::FindModel(kOperationAlertModel) ? hostkit::FindModel(kOperationAlertModel)->calls().size() : 0;
  sim::Print("operation dispatcher initialised");
  return true;
}

bool Queue(const Variant& step, sim::Context&) {
  const std::string name = step.GetString("name", "alert");
  const auto type = static_cast<op::OperationAlertType>(step.GetInt32("type"));
  sim::Print("module: queues \"" + name + "\" (type " + std::to_string(type) + ")");
  const size_t logs_before = hostkit::Logs().size();
  op::CheckAndAddOperationAlert(type, step.GetString("scheme_path"),
                                [name] { sim::Print("module: \"" + name + "\" shows now"); });
  // Why the dispatcher dropped it, from its own records.
  for (size_t i = logs_before; i < hostkit::Logs().size(); ++i) {
    const std::string& text = hostkit::Logs()[i].text;
    if (text.find("ignore operation alert") != std::string::npos || text.find("is igore alert") != std::string::npos) {
      sim::Print("  dispatcher: " + text);
    }
  }
  PrintSent();
  return true;
}

const bool kRegistered = [] {
  sim::RegisterAction("op_save_scheme",
                      {"The client was started by a scheme: the dispatcher keeps its address.",
                       {sim::Str("scheme_url", "the start-up address").Required()}},
                      SaveScheme);
  sim::RegisterAction("op_init", {"Initialises the operation dispatcher.", {}}, Init);
  sim::RegisterAction("op_queue",
                      {"A module queues an operation alert; the dispatcher may hold it back or drop it.",
                       {sim::Int("type", 0, 1000, "the operation alert type").Required(),
                        sim::Str("scheme_path", "the page the alert opens"),
                        sim::Str("name", "printed when it shows (\"alert\")")}},
                      Queue);
  sim::RegisterQuery("operation.IsStartUpByScheme",
                     [] { return std::string(op::IsStartUpByScheme() ? "true" : "false"); });
  sim::RegisterQuery("operation.IsInMeetingPath", [] { return std::string(op::IsInMeetingPath() ? "true" : "false"); });

  sim::RegisterChapter(600, R"json({
    "name": "Operation alerts: held back while the client was opened for a meeting, shown when the model says so",
    "models": {
      "1000041": {"succeed": [20, 21]},
      "501": {"answers": {"13": {"scheme_url": ""}}},
      "504": {},
      "514": {},
      "517": {"answers": {"1": 0}}
    },
    "timeline": [
      {"at": 0, "do": "print", "text": "a meeting link opens the client straight into a meeting"},
      {"at": 0, "do": "op_save_scheme", "scheme_url": "velto://page/inmeeting?meeting_code=123456789"},
      {"at": 0, "do": "op_init"},
      {"at": 0, "do": "ask", "queries": ["operation.IsStartUpByScheme", "operation.IsInMeetingPath"]},
      {"at": 500, "do": "op_queue", "type": 2, "scheme_path": "velto://page/activity/spring",
       "name": "spring activity"},
      {"at": 3000, "do": "print", "text": "the meeting ends"},
      {"at": 3000, "do": "fire", "model": 514, "event": 2, "payload": {}},
      {"at": 3500, "do": "op_queue", "type": 2, "scheme_path": "velto://page/activity/spring",
       "name": "spring activity"},
      {"at": 5000, "do": "print", "text": "the operation alert model decides it is the activity's turn"},
      {"at": 5000, "do": "fire", "model": 1000041, "event": 1, "payload": {"operation_type": 2}},
      {"at": 5500, "do": "print", "text": "the same show event again: the alert has been shown already"},
      {"at": 5500, "do": "fire", "model": 1000041, "event": 1, "payload": {"operation_type": 2}},
      {"at": 6000, "do": "print", "text": "the model's rules now ignore questionnaires"},
      {"at": 6000, "do": "fire", "model": 1000041, "event": 2, "payload": [6]},
      {"at": 6500, "do": "op_queue", "type": 6, "scheme_path": "velto://page/questionnaire", "name": "questionnaire"}
    ]
  })json");
  return true;
}();

}  // namespace
