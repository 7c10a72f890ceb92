// What a run leaves for --report, --json and --trace: every event played (simulated time, kind,
// feature track, measured cost), the counters sampled after each event, what was shown to the
// user (alerts, notifications, pages) and the figures of the summary.
//
//   sim::Recorder recorder;
//   recorder.Event(60000, "join", "members", 84.0, "3 users");
//   recorder.Counter(60000, "members", 41);   // kept only when the value changed
//   recorder.Shown(60000, "notification", "Alice invites you", "Join");
//   recorder.Figure("joins", 300);
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace sim {

class Recorder {
 public:
  struct Slice {
    int64_t at_ms;
    std::string kind;
    std::string track;
    double cost_us;
    std::string detail;
  };
  struct Sample {
    int64_t at_ms;
    std::string series;
    int64_t value;
  };
  struct Notice {
    int64_t at_ms;
    std::string what;  // "alert", "notification", "message", "page"
    std::string text;
    std::string answer;  // the button pressed, "" while none
  };
  struct Timing {
    size_t count = 0;
    double total_us = 0;
    double max_us = 0;
  };

  void SetTitle(std::string title) { title_ = std::move(title); }
  void Event(int64_t at_ms, const std::string& kind, const std::string& track, double cost_us,
             std::string detail = {});
  // Records the value when it differs from the series' last one.
  void Counter(int64_t at_ms, const std::string& series, int64_t value);
  // Returns the notice's number, for Answer when the user answers it later.
  size_t Shown(int64_t at_ms, std::string what, std::string text, std::string answer = {});
  void Answer(size_t notice, std::string answer);
  // A summary figure; setting one again replaces it, keeping its place.
  void Figure(const std::string& name, int64_t value);
  void SetEnd(int64_t end_ms) { end_ms_ = end_ms; }
  void SetInterrupted(int signal) { interrupted_ = signal; }

  const std::string& title() const { return title_; }
  const std::vector<Slice>& slices() const { return slices_; }
  const std::vector<Sample>& samples() const { return samples_; }
  const std::vector<Notice>& notices() const { return notices_; }
  const std::vector<std::pair<std::string, int64_t>>& figures() const { return figures_; }
  const std::map<std::string, Timing>& timings() const { return timings_; }
  int64_t end_ms() const { return end_ms_; }
  int interrupted() const { return interrupted_; }
  int64_t FigureOf(const std::string& name) const;  // 0 when unset

  // The time per event kind, as the text table the summary prints.
  std::string TimingTable() const;

 private:
  std::string title_;
  std::vector<Slice> slices_;
  std::vector<Sample> samples_;
  std::map<std::string, int64_t> last_sample_;
  std::vector<Notice> notices_;
  std::vector<std::pair<std::string, int64_t>> figures_;
  std::map<std::string, Timing> timings_;
  int64_t end_ms_ = 0;
  int interrupted_ = 0;
};

// The summary for machines (--json): figures, timings, notices and the counters' last values.
std::string SummaryJson(const Recorder& recorder);
// The Chrome trace-event document (--trace).
std::string TraceJson(const Recorder& recorder);
// One self-contained page (--report).
std::string ReportHtml(const Recorder& recorder);

}  // namespace sim
