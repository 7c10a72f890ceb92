// The --report page: one HTML file with its data, style and script inside (no network, no other
// file). The script draws the chart from the embedded data; any script error is written into the
// page itself (window.onerror), so a headless browser's DOM shows whether the page worked.
#include <map>
#include <string>
#include <vector>

#include "base/variant/variant.h"
#include "record.h"

namespace sim {
namespace {

using base::variant::Variant;

// JSON that may sit inside a <script> element.
std::string ScriptSafe(std::string json) {
  std::string out;
  out.reserve(json.size());
  for (size_t i = 0; i < json.size(); ++i) {
    if (json[i] == '<' && i + 1 < json.size() && (json[i + 1] == '/' || json[i + 1] == '!')) {
      out += "\\u003c";
    } else {
      out += json[i];
    }
  }
  return out;
}

Variant Data(const Recorder& recorder) {
  Variant data = Variant::Map();
  data["title"] = recorder.title();
  data["end_ms"] = static_cast<long long>(recorder.end_ms());
  data["interrupted"] = static_cast<long long>(recorder.interrupted());
  Variant figures = Variant::Array();
  for (const auto& [name, value] : recorder.figures()) {
    Variant row = Variant::Array();
    row.Add(Variant(name));
    row.Add(Variant(static_cast<long long>(value)));
    figures.Add(row);
  }
  data["figures"] = figures;
  Variant timings = Variant::Array();
  for (const auto& [kind, timing] : recorder.timings()) {
    Variant row = Variant::Array();
    row.Add(Variant(kind));
    row.Add(Variant(static_cast<long long>(timing.count)));
    row.Add(Variant(timing.total_us / 1000.0));
    row.Add(Variant(timing.max_us / 1000.0));
    timings.Add(row);
  }
  data["timings"] = timings;
  Variant series = Variant::Map();
  for (const auto& sample : recorder.samples()) {
    Variant& points = series[sample.series];
    if (points.IsNull()) points = Variant::Array();
    Variant point = Variant::Array();
    point.Add(Variant(static_cast<long long>(sample.at_ms)));
    point.Add(Variant(static_cast<long long>(sample.value)));
    points.Add(point);
  }
  data["series"] = series;
  // Events per track, counted per simulated second: enough for a chart of any run's length.
  std::map<std::string, std::map<int64_t, long long>> lanes;
  for (const auto& slice : recorder.slices()) ++lanes[slice.track][slice.at_ms / 1000];
  Variant tracks = Variant::Map();
  for (const auto& [track, seconds] : lanes) {
    Variant points = Variant::Array();
    for (const auto& [second, count] : seconds) {
      Variant point = Variant::Array();
      point.Add(Variant(static_cast<long long>(second * 1000)));
      point.Add(Variant(count));
      points.Add(point);
    }
    tracks[track] = points;
  }
  data["lanes"] = tracks;
  Variant notices = Variant::Array();
  for (const auto& notice : recorder.notices()) {
    Variant row = Variant::Array();
    row.Add(Variant(static_cast<long long>(notice.at_ms)));
    row.Add(Variant(notice.what));
    row.Add(Variant(notice.text));
    row.Add(Variant(notice.answer));
    notices.Add(row);
  }
  data["notices"] = notices;
  return data;
}

constexpr char kHead[] = R"html(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>velto-sim report</title>
<script>
window.onerror = function (message, source, line, column) {
  var list = document.getElementById("script-errors");
  if (!list) { list = document.createElement("ul"); list.id = "script-errors"; document.documentElement.appendChild(list); }
  var item = document.createElement("li");
  item.className = "script-error";
  item.textContent = message + " (line " + line + ", column " + column + ")";
  list.appendChild(item);
};
</script>
<style>
body { font: 14px/1.4 system-ui, sans-serif; margin: 24px; color: #222; }
h1 { font-size: 20px; } h2 { font-size: 16px; margin-top: 28px; }
table { border-collapse: collapse; } td, th { padding: 2px 10px; border-bottom: 1px solid #ddd; text-align: left; }
td.n { text-align: right; font-variant-numeric: tabular-nums; }
svg { background: #fafafa; border: 1px solid #ddd; }
.axis { stroke: #999; } .label { font-size: 11px; fill: #555; }
#script-errors { color: #b00; }
</style>
</head>
<body>
<h1 id="title"></h1>
<p id="subtitle"></p>
<ul id="script-errors"></ul>
<h2>Timeline</h2>
<div id="chart"></div>
<h2>Summary</h2>
<table id="figures"></table>
<h2>Alerts, notifications and pages shown</h2>
<table id="notices"></table>
<h2>Time per event kind</h2>
<table id="timings"></table>
<script type="application/json" id="data">)html";

constexpr char kTail[] = R"html(</script>
<script>
(function () {
  var data = JSON.parse(document.getElementById("data").textContent);
  var NS = "http://www.w3.org/2000/svg";
  function el(name, attrs, parent) {
    var node = document.createElementNS(NS, name);
    for (var key in attrs) node.setAttribute(key, attrs[key]);
    if (parent) parent.appendChild(node);
    return node;
  }
  function cell(row, text, numeric) {
    var td = document.createElement("td");
    td.textContent = text;
    if (numeric) td.className = "n";
    row.appendChild(td);
  }
  function clock(ms) {
    var s = Math.floor(ms / 1000);
    return Math.floor(s / 60) + ":" + ("0" + (s % 60)).slice(-2);
  }
  document.getElementById("title").textContent = "velto-sim: " + data.title;
  document.getElementById("subtitle").textContent = "simulated " + clock(data.end_ms) +
      (data.interrupted ? " (stopped early by signal " + data.interrupted + ")" : "");

  // Two panels of counters, each on its own scale: the members, then the gallery and the rest.
  var names = Object.keys(data.series), lanes = Object.keys(data.lanes);
  var panels = [names.filter(function (n) { return n === "members"; }),
                names.filter(function (n) { return n !== "members"; })].filter(function (p) { return p.length; });
  var W = 960, left = 60, right = 20, plotH = 150, panelH = plotH + 40, laneH = 18, top = 20;
  var lanesTop = top + panels.length * panelH + 10;
  var H = lanesTop + lanes.length * laneH + 10;
  var end = Math.max(data.end_ms, 1);
  var svg = el("svg", {width: W, height: H, viewBox: "0 0 " + W + " " + H, id: "timeline"});
  function x(ms) { return left + (W - left - right) * ms / end; }
  var colours = ["#1f77b4", "#d62728", "#2ca02c", "#9467bd", "#ff7f0e", "#8c564b"], colour = 0;
  panels.forEach(function (series, p) {
    var base = top + p * panelH, max = 1;
    series.forEach(function (n) { data.series[n].forEach(function (q) { max = Math.max(max, q[1]); }); });
    function y(v) { return base + plotH - plotH * v / max; }
    el("line", {x1: left, y1: base + plotH, x2: W - right, y2: base + plotH, "class": "axis"}, svg);
    el("line", {x1: left, y1: base, x2: left, y2: base + plotH, "class": "axis"}, svg);
    el("text", {x: 4, y: base + 10, "class": "label"}, svg).textContent = String(max);
    for (var m = 0; m * 60000 <= end; m += Math.max(1, Math.ceil(end / 60000 / 12))) {
      el("text", {x: x(m * 60000) - 8, y: base + plotH + 14, "class": "label"}, svg).textContent = m + " min";
    }
    series.forEach(function (n, i) {
      var c = colours[colour++ % colours.length], points = [], last = null;
      data.series[n].forEach(function (q) {
        if (last !== null) points.push(x(q[0]) + "," + y(last));
        points.push(x(q[0]) + "," + y(q[1]));
        last = q[1];
      });
      if (last !== null) points.push(x(end) + "," + y(last));
      el("polyline", {points: points.join(" "), fill: "none", stroke: c, "stroke-width": 1.5, "class": "series",
                      "data-series": n}, svg);
      el("text", {x: left + 10 + i * 150, y: base + plotH + 30, fill: c, "class": "label"}, svg).textContent = n;
    });
  });
  lanes.forEach(function (track, i) {
    var ly = lanesTop + i * laneH;
    el("text", {x: 4, y: ly + 12, "class": "label"}, svg).textContent = track;
    var g = el("g", {"class": "lane", "data-track": track}, svg);
    data.lanes[track].forEach(function (p) {
      el("rect", {x: x(p[0]), y: ly + 2, width: 1.5, height: laneH - 4, fill: "#555",
                  opacity: Math.min(1, 0.3 + p[1] / 10), "class": "event"}, g);
    });
  });
  var chart = document.getElementById("chart");
  chart.appendChild(svg);

  var figures = document.getElementById("figures");
  data.figures.forEach(function (f) { var r = figures.insertRow(); cell(r, f[0]); cell(r, f[1], true); });
  var notices = document.getElementById("notices");
  var head = notices.insertRow();
  ["time", "what", "text", "answer"].forEach(function (t) { cell(head, t); });
  data.notices.forEach(function (n) {
    var r = notices.insertRow();
    r.className = "notice";
    cell(r, clock(n[0])); cell(r, n[1]); cell(r, n[2]); cell(r, n[3]);
  });
  var timings = document.getElementById("timings");
  head = timings.insertRow();
  ["event kind", "count", "total ms", "mean ms", "max ms"].forEach(function (t) { cell(head, t); });
  data.timings.forEach(function (t) {
    var r = timings.insertRow();
    cell(r, t[0]); cell(r, t[1], true); cell(r, t[2].toFixed(2), true);
    cell(r, (t[2] / t[1]).toFixed(3), true); cell(r, t[3].toFixed(3), true);
  });
  chart.setAttribute("data-rendered", "yes");
})();
</script>
</body>
</html>
)html";

}  // namespace

std::string ReportHtml(const Recorder& recorder) {
  return std::string(kHead) + ScriptSafe(Data(recorder).ToJsonStr()) + kTail;
}

}  // namespace sim
