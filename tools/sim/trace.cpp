// The run as a Chrome trace-event document, for Perfetto and chrome://tracing.
//
// Time on the trace is simulated time. Each event is an "X" slice on its feature's track whose
// duration is what playing it cost on this machine; when two events of one track fall on the
// same simulated millisecond (or a slice outlasts the gap to the next), the later one starts
// where the earlier ended, so that slices on a track never overlap. The "meeting" track holds
// the whole run with one nested slice per simulated minute; counters are "C" events and what
// was shown to the user are instant events on the "shown" track.
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

#include "base/variant/variant.h"
#include "record.h"

namespace sim {
namespace {

std::string Quote(const std::string& text) { return base::variant::Variant(text).ToJsonStr(); }

std::string Number(double value) {
  char text[48];
  std::snprintf(text, sizeof text, "%.3f", value);
  return text;
}

}  // namespace

std::string TraceJson(const Recorder& recorder) {
  std::string out = "{\"displayTimeUnit\": \"ms\", \"traceEvents\": [\n";
  bool first = true;
  auto add = [&](const std::string& event) {
    out += first ? "  " : ",\n  ";
    out += event;
    first = false;
  };
  std::map<std::string, int> tids;
  auto tid_of = [&](const std::string& track) {
    auto [it, inserted] = tids.emplace(track, static_cast<int>(tids.size()) + 2);
    if (inserted) {
      add("{\"name\": \"thread_name\", \"ph\": \"M\", \"pid\": 1, \"tid\": " + std::to_string(it->second) +
          ", \"args\": {\"name\": " + Quote(track) + "}}");
    }
    return it->second;
  };

  add("{\"name\": \"process_name\", \"ph\": \"M\", \"pid\": 1, \"args\": {\"name\": " +
      Quote("velto-sim: " + recorder.title()) + "}}");
  add("{\"name\": \"thread_name\", \"ph\": \"M\", \"pid\": 1, \"tid\": 1, \"args\": {\"name\": \"meeting\"}}");

  const double end_us = static_cast<double>(recorder.end_ms()) * 1000.0;
  if (end_us > 0) {
    add("{\"name\": " + Quote(recorder.title().empty() ? "run" : recorder.title()) +
        ", \"cat\": \"meeting\", \"ph\": \"X\", \"ts\": 0, \"dur\": " + Number(end_us) + ", \"pid\": 1, \"tid\": 1}");
    for (int64_t minute = 0; minute * 60000 < recorder.end_ms(); ++minute) {
      const double start = static_cast<double>(minute) * 60e6;
      const double stop = std::min(end_us, start + 60e6);
      add("{\"name\": \"minute " + std::to_string(minute) + "\", \"cat\": \"meeting\", \"ph\": \"X\", \"ts\": " +
          Number(start) + ", \"dur\": " + Number(stop - start) + ", \"pid\": 1, \"tid\": 1}");
    }
  }

  std::map<int, double> cursor;  // per track: where its last slice ended
  for (const auto& slice : recorder.slices()) {
    const int tid = tid_of(slice.track);
    double& free_from = cursor[tid];
    const double ts = std::max(static_cast<double>(slice.at_ms) * 1000.0, free_from);
    const double dur = std::max(slice.cost_us, 0.001);
    free_from = ts + dur;
    std::string event = "{\"name\": " + Quote(slice.kind) + ", \"cat\": " + Quote(slice.track) +
                        ", \"ph\": \"X\", \"ts\": " + Number(ts) + ", \"dur\": " + Number(dur) +
                        ", \"pid\": 1, \"tid\": " + std::to_string(tid) + ", \"args\": {\"simulated_ms\": " +
                        std::to_string(slice.at_ms);
    if (!slice.detail.empty()) event += ", \"detail\": " + Quote(slice.detail);
    add(event + "}}");
  }
  for (const auto& sample : recorder.samples()) {
    add("{\"name\": " + Quote(sample.series) + ", \"ph\": \"C\", \"ts\": " +
        Number(static_cast<double>(sample.at_ms) * 1000.0) + ", \"pid\": 1, \"args\": {" + Quote(sample.series) +
        ": " + std::to_string(sample.value) + "}}");
  }
  if (!recorder.notices().empty()) {
    const int tid = tid_of("shown");
    for (const auto& notice : recorder.notices()) {
      add("{\"name\": " + Quote(notice.what) + ", \"cat\": \"shown\", \"ph\": \"i\", \"s\": \"t\", \"ts\": " +
          Number(static_cast<double>(notice.at_ms) * 1000.0) + ", \"pid\": 1, \"tid\": " + std::to_string(tid) +
          ", \"args\": {\"text\": " + Quote(notice.text) + ", \"answer\": " + Quote(notice.answer) + "}}");
    }
  }
  out += "\n]}\n";
  return out;
}

}  // namespace sim
