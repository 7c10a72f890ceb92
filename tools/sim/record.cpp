#include "record.h"

#include <algorithm>
#include <cstdio>

#include "base/variant/variant.h"

namespace sim {

using base::variant::Variant;

void Recorder::Event(int64_t at_ms, const std::string& kind, const std::string& track, double cost_us,
                     std::string detail) {
  slices_.push_back({at_ms, kind, track, cost_us, std::move(detail)});
  Timing& timing = timings_[kind];
  ++timing.count;
  timing.total_us += cost_us;
  timing.max_us = std::max(timing.max_us, cost_us);
}

void Recorder::Counter(int64_t at_ms, const std::string& series, int64_t value) {
  auto [it, inserted] = last_sample_.emplace(series, value);
  if (!inserted && it->second == value) return;
  it->second = value;
  samples_.push_back({at_ms, series, value});
}

size_t Recorder::Shown(int64_t at_ms, std::string what, std::string text, std::string answer) {
  notices_.push_back({at_ms, std::move(what), std::move(text), std::move(answer)});
  return notices_.size() - 1;
}

void Recorder::Answer(size_t notice, std::string answer) {
  if (notice < notices_.size()) notices_[notice].answer = std::move(answer);
}

void Recorder::Figure(const std::string& name, int64_t value) {
  for (auto& [key, old] : figures_) {
    if (key == name) {
      old = value;
      return;
    }
  }
  figures_.emplace_back(name, value);
}

int64_t Recorder::FigureOf(const std::string& name) const {
  for (const auto& [key, value] : figures_) {
    if (key == name) return value;
  }
  return 0;
}

std::string Recorder::TimingTable() const {
  std::string text = "  event kind             count    total ms     mean ms      max ms\n";
  for (const auto& [kind, timing] : timings_) {
    char line[160];
    std::snprintf(line, sizeof line, "  %-20s %7zu %11.2f %11.3f %11.3f\n", kind.c_str(), timing.count,
                  timing.total_us / 1000.0, timing.total_us / 1000.0 / static_cast<double>(timing.count),
                  timing.max_us / 1000.0);
    text += line;
  }
  return text;
}

std::string SummaryJson(const Recorder& recorder) {
  Variant summary = Variant::Map();
  summary["title"] = recorder.title();
  summary["simulated_ms"] = static_cast<long long>(recorder.end_ms());
  summary["interrupted_by_signal"] = static_cast<long long>(recorder.interrupted());
  Variant figures = Variant::Map();
  for (const auto& [name, value] : recorder.figures()) figures[name] = static_cast<long long>(value);
  summary["figures"] = figures;
  Variant timings = Variant::Map();
  for (const auto& [kind, timing] : recorder.timings()) {
    Variant entry = Variant::Map();
    entry["count"] = static_cast<long long>(timing.count);
    entry["total_ms"] = timing.total_us / 1000.0;
    entry["mean_ms"] = timing.total_us / 1000.0 / static_cast<double>(timing.count);
    entry["max_ms"] = timing.max_us / 1000.0;
    timings[kind] = entry;
  }
  summary["timings"] = timings;
  Variant notices = Variant::Array();
  for (const auto& notice : recorder.notices()) {
    Variant entry = Variant::Map();
    entry["at_ms"] = static_cast<long long>(notice.at_ms);
    entry["what"] = notice.what;
    entry["text"] = notice.text;
    entry["answer"] = notice.answer;
    notices.Add(entry);
  }
  summary["shown"] = notices;
  Variant counters = Variant::Map();
  for (const auto& sample : recorder.samples()) {
    Variant& series = counters[sample.series];
    if (series.IsNull()) {
      series = Variant::Map();
      series["max"] = static_cast<long long>(sample.value);
    }
    series["last"] = static_cast<long long>(sample.value);
    series["max"] = static_cast<long long>(std::max<int64_t>(series.GetInteger("max"), sample.value));
  }
  summary["counters"] = counters;
  return summary.ToJsonStr() + "\n";
}

}  // namespace sim
