// Opening the camera and the microphone: the open traces follow the access check and the
// platform's three push callbacks, and report each stage's duration when a run reaches its end.
// The platform's callbacks are played on the simulated clock; the chapter prints each one as it
// arrives, the stage the run waits in, and the report.
#include <string>

#include "base/threading/looper.h"
#include "hostkit/hostkit.h"
#include "hostkit/meeting_service.h"
#include "module_api/media_trace/audio_state_machine.h"
#include "module_api/media_trace/video_state_machine.h"
#include "sim.h"

namespace {

using hostkit::MediaPushCallback;
using sim::Variant;
using velto_common::utils::AudioStateMachineUtil;
using velto_common::utils::VideoStateMachineUtil;

struct Trace {
  const char* names[6];  // stages 100..104, 110
  const char* total_key;
  const char* source_key;
  const char* event;
};

const Trace kVideo = {{"check_camera_access_state", "video_xmpp_sended_state", "video_xmpp_received_state",
                       "video_zolt_handle_state", "video_sm_end_state", "video_fail_case_state"},
                      "total_duration_time_video",
                      "open_video_from",
                      "e#open_video_stream_info"};
const Trace kAudio = {{"check_mic_access_state", "audio_xmpp_sended_state", "audio_xmpp_received_state",
                       "audio_zolt_handle_state", "audio_sm_end_state", "audio_fail_case_state"},
                      "total_duration_time",
                      "open_audio_from",
                      "e#open_audio_stream_info"};

bool IsVideo(const Variant& step) { return step.GetString("medium", "video") == "video"; }

std::string Waiting(bool video) {
  const int state = video ? VideoStateMachineUtil::GetInstance()->CurrentStateId()
                          : AudioStateMachineUtil::GetInstance()->CurrentStateId();
  const Trace& trace = video ? kVideo : kAudio;
  if (state < 100) return "has ended";
  const int index = state == 110 ? 5 : state - 100;
  return "waits in " + std::to_string(state) + " " + trace.names[index];
}

MediaPushCallback CallbackOf(const Variant& step) {
  const std::string name = step.GetString("step");
  const bool ok = step.GetBoolean("ok", true);
  if (name == "request") return MediaPushCallback::Request(ok);
  if (name == "response") return MediaPushCallback::Response(ok);
  return MediaPushCallback::Complete(ok, step.GetInt32("ret_code", 0), step.GetString("ret_msg", "success"));
}

void Play(bool video, const std::string& name, const MediaPushCallback& callback) {
  const size_t heard = video ? hostkit::PlayVideoCallback(callback) : hostkit::PlayAudioCallback(callback);
  sim::Print(std::string("platform: ") + (video ? "video " : "audio ") + name + (callback.ok ? "" : " (refused)") +
             ", heard by " + std::to_string(heard) + "; the run " + Waiting(video));
}

bool StartTrace(const Variant& step, sim::Context&) {
  const bool video = IsVideo(step);
  video ? velto_common::utils::StartVideoStateMachine(true) : velto_common::utils::StartAudioStateMachine(true);
  sim::Print(std::string(video ? "camera" : "microphone") + " trace started; the run " + Waiting(video));
  return true;
}

// Plays a controller callback now, or "delay" ms later on the simulated clock.
bool TraceCallback(const Variant& step, sim::Context&) {
  const bool video = IsVideo(step);
  const std::string name = step.GetString("step");
  const MediaPushCallback callback = CallbackOf(step);
  const int64_t delay = step.GetInteger("delay", 0);
  if (delay <= 0) {
    Play(video, name, callback);
    return true;
  }
  base::threading::LooperThread::MainLooper()->PostDelayedTask([video, name, callback] { Play(video, name, callback); },
                                                               delay, FROM_HERE);
  return true;
}

bool TraceState(const Variant& step, sim::Context&) {
  const bool video = IsVideo(step);
  sim::Print(std::string(video ? "camera" : "microphone") + " trace: the run " + Waiting(video));
  return true;
}

// Prints the trace's report if one arrived since the last time this was asked.
bool TraceReport(const Variant& step, sim::Context&) {
  const bool video = IsVideo(step);
  const Trace& trace = video ? kVideo : kAudio;
  static size_t seen[2] = {0, 0};
  size_t& reports_seen = seen[video ? 0 : 1];
  const size_t reports = hostkit::CountAnalytics(trace.event);
  if (reports <= reports_seen) {
    reports_seen = reports;
    sim::Print(std::string("no new ") + trace.event + " reported");
    return true;
  }
  reports_seen = reports;
  const hostkit::AnalyticsEvent* event = hostkit::LastAnalytics(trace.event);
  sim::Print(std::string("analytics ") + trace.event + ":");
  auto line = [event](const char* key, const char* unit) {
    auto it = event->properties.find(key);
    if (it != event->properties.end()) sim::Print(std::string("  ") + key + " = " + it->second + unit);
  };
  for (const char* name : trace.names) line(name, " ms");
  line(trace.total_key, " ms");
  line(trace.source_key, "");
  return true;
}

const bool kRegistered = [] {
  const sim::Field medium = sim::Str("medium", "the camera or the microphone (video when absent)").OneOf({"video", "audio"});
  sim::RegisterAction("trace_start", {"The user turns the camera or microphone on: its open trace starts.", {medium}},
                      StartTrace);
  sim::RegisterAction("trace_callback",
                      {"The platform's controller answers a stage of the open, now or after a delay.",
                       {medium, sim::Str("step", "the stage").OneOf({"request", "response", "complete"}).Required(),
                        sim::Bool("ok", "the stage succeeded (true when absent)"),
                        sim::Int("ret_code", -2147483648LL, sim::kMaxId, "complete: the result code"),
                        sim::Str("ret_msg", "complete: the result message"),
                        sim::Int("delay", 0, sim::kMaxAtMs, "milliseconds later")}},
                      TraceCallback);
  sim::RegisterAction("trace_state", {"Prints the stage the trace waits in.", {medium}}, TraceState);
  sim::RegisterAction("trace_report", {"Prints the trace's report if a new one arrived.", {medium}}, TraceReport);

  sim::RegisterChapter(970, R"json({
    "name": "Opening the camera and the microphone: the open traces, stage by stage",
    "models": {"511": {}, "510": {}},
    "timeline": [
      {"at": 0, "do": "print", "text": "the user turns the camera on"},
      {"at": 0, "do": "trace_start", "medium": "video"},
      {"at": 180, "do": "print", "text": "the system grants the camera"},
      {"at": 180, "do": "fire", "model": 511, "event": 41, "payload": {"is_camera_access": true, "from": "toolbar"}},
      {"at": 180, "do": "trace_state", "medium": "video"},
      {"at": 180, "do": "trace_callback", "medium": "video", "step": "request", "delay": 40},
      {"at": 180, "do": "trace_callback", "medium": "video", "step": "response", "delay": 310},
      {"at": 180, "do": "trace_callback", "medium": "video", "step": "response", "delay": 320},
      {"at": 180, "do": "trace_callback", "medium": "video", "step": "complete", "delay": 365},
      {"at": 1000, "do": "trace_report", "medium": "video"},

      {"at": 2000, "do": "print", "text": "the user unmutes; the server's answer overtakes the request"},
      {"at": 2000, "do": "trace_start", "medium": "audio"},
      {"at": 2030, "do": "fire", "model": 510, "event": 34, "payload": {"is_mic_access": true, "from": "shortcut"}},
      {"at": 2030, "do": "trace_callback", "medium": "audio", "step": "response", "delay": 60},
      {"at": 2030, "do": "trace_callback", "medium": "audio", "step": "request", "delay": 90},
      {"at": 2030, "do": "trace_callback", "medium": "audio", "step": "complete", "delay": 150},
      {"at": 4000, "do": "print", "text": "no answer is coming for this run: nothing is reported, it just waits"},
      {"at": 4000, "do": "trace_report", "medium": "audio"},
      {"at": 5000, "do": "print", "text": "the user unmutes again: the waiting run is stopped, a new one starts"},
      {"at": 5000, "do": "trace_start", "medium": "audio"},
      {"at": 5020, "do": "fire", "model": 510, "event": 34, "payload": {"is_mic_access": true, "from": "toolbar"}},
      {"at": 5020, "do": "trace_callback", "medium": "audio", "step": "request", "delay": 55},
      {"at": 5020, "do": "trace_callback", "medium": "audio", "step": "response", "delay": 205},
      {"at": 5020, "do": "trace_callback", "medium": "audio", "step": "complete", "delay": 260, "ret_code": 0},
      {"at": 6000, "do": "trace_report", "medium": "audio"},

      {"at": 7000, "do": "print", "text": "the camera again, but the system refuses it: the fail case, no report"},
      {"at": 7000, "do": "trace_start", "medium": "video"},
      {"at": 7100, "do": "fire", "model": 511, "event": 41, "payload": {"is_camera_access": false, "from": "toolbar"}},
      {"at": 7100, "do": "trace_state", "medium": "video"},
      {"at": 7200, "do": "trace_report", "medium": "video"}
    ]
  })json");
  return true;
}();

}  // namespace
