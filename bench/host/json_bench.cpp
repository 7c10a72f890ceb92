// Parsing ten thousand user records (~10 MB) into a Variant, against nlohmann::json,
// RapidJSON's DOM and simdjson's DOM on the same bytes. JsonParseRatios times them all inside one
// benchmark and reports the ratios; the per-parser benchmarks give the throughput of each. The
// Variant reader is simdjson's DOM parse followed by building the Variant, so
// "variant_vs_simdjson" is what building the Variant adds to the parse.
#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>
#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#include <simdjson.h>

#include "allocation_count.h"
#include "base/variant/variant.h"
#include "user_records.h"

namespace {

using base::variant::Variant;

constexpr size_t kRecords = 10000;
// What Variant::ParseJson asks of RapidJSON, for a like-for-like DOM baseline.
constexpr unsigned kSameFlags = rapidjson::kParseFullPrecisionFlag | rapidjson::kParseValidateEncodingFlag;

const std::string& Document() {
  static const std::string doc = bench::MakeUserRecordsJson(kRecords);
  return doc;
}

void CheckVariant(benchmark::State& state, const Variant& v) {
  if (v["users"].size() != kRecords) state.SkipWithError("Variant parse lost records");
}

// Parsing only: each result is freed with the clock stopped, as the parsers free so differently
// (RapidJSON drops its pool; a Variant and nlohmann free value by value).
void BM_ParseUsers_Variant(benchmark::State& state) {
  const std::string& doc = Document();
  for (auto _ : state) {
    Variant v = Variant::ParseJson(doc);
    state.PauseTiming();
    CheckVariant(state, v);
    v = Variant();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * doc.size()));
  state.counters["doc_MB"] = static_cast<double>(doc.size()) / 1e6;
}
BENCHMARK(BM_ParseUsers_Variant)->Unit(benchmark::kMillisecond);

void BM_ParseUsers_Nlohmann(benchmark::State& state) {
  const std::string& doc = Document();
  for (auto _ : state) {
    nlohmann::json j = nlohmann::json::parse(doc);
    state.PauseTiming();
    j = nlohmann::json();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * doc.size()));
}
BENCHMARK(BM_ParseUsers_Nlohmann)->Unit(benchmark::kMillisecond);

template <unsigned kFlags>
void BM_ParseUsers_RapidJsonDom(benchmark::State& state) {
  const std::string& doc = Document();
  for (auto _ : state) {
    auto d = std::make_unique<rapidjson::Document>();
    d->Parse<kFlags>(doc.c_str());
    state.PauseTiming();
    if (d->HasParseError()) state.SkipWithError("RapidJSON rejected the document");
    d.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * doc.size()));
}
BENCHMARK_TEMPLATE(BM_ParseUsers_RapidJsonDom, rapidjson::kParseDefaultFlags)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_ParseUsers_RapidJsonDom, kSameFlags)->Unit(benchmark::kMillisecond);

// simdjson's DOM parse as the Variant reader calls it: one parser kept from document to document
// (so its buffers are allocated once), the text copied into the parser's padded buffer.
simdjson::dom::parser& KeptSimdjsonParser() {
  static simdjson::dom::parser parser;
  return parser;
}

bool SimdjsonParse(const std::string& doc) {
  simdjson::dom::element root;
  return KeptSimdjsonParser().parse(doc.data(), doc.size(), true).get(root) == simdjson::SUCCESS;
}

void BM_ParseUsers_SimdjsonDom(benchmark::State& state) {
  const std::string& doc = Document();
  for (auto _ : state) {
    if (!SimdjsonParse(doc)) state.SkipWithError("simdjson rejected the document");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * doc.size()));
}
BENCHMARK(BM_ParseUsers_SimdjsonDom)->Unit(benchmark::kMillisecond);

// Thread CPU time, so that other processes on a busy machine do not skew one parser's share.
double CpuSeconds() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// All parsers in one benchmark, so that the ratios compare one machine state. Each parser runs
// in a block that starts with an untimed parse, so that it meets a heap shaped by its own
// garbage rather than by the previous parser's.
//   variant_vs_nlohmann               how many times faster than nlohmann (target >= 5)
//   variant_vs_rapidjson              how many times slower than RapidJSON's DOM (target <= 2)
//   variant_vs_rapidjson_same_flags   the same, RapidJSON validating UTF-8 at full precision too
//   variant_vs_simdjson               how many times slower than simdjson's DOM parse alone, the
//                                     first step of the Variant reader (target <= 2)
//   *_with_free                       the same ratios counting the time to free the result
//   *_allocs_per_record               allocations a parse makes, per user record
void BM_JsonParseRatios(benchmark::State& state) {
  const std::string& doc = Document();
  enum { kVariant, kNlohmann, kRapid, kRapidSame, kSimdjson, kCount };
  constexpr int kRunsPerBlock = 2;
  double parse[kCount] = {};
  double free[kCount] = {};
  uint64_t allocations[kCount] = {};
  auto block = [&](int which, auto&& make) {
    { [[maybe_unused]] auto warm_up = make(); }
    for (int i = 0; i < kRunsPerBlock; ++i) {
      const uint64_t a0 = bench::AllocationCount();
      double t0 = CpuSeconds();
      auto value = make();
      double t1 = CpuSeconds();
      allocations[which] += bench::AllocationCount() - a0;
      benchmark::DoNotOptimize(value);
      value = {};
      double t2 = CpuSeconds();
      parse[which] += t1 - t0;
      free[which] += t2 - t1;
    }
  };
  for (auto _ : state) {
    block(kVariant, [&] { return Variant::ParseJson(doc); });
    block(kNlohmann, [&] { return nlohmann::json::parse(doc); });
    block(kRapid, [&] {
      auto d = std::make_unique<rapidjson::Document>();
      d->Parse(doc.c_str());
      return d;
    });
    block(kRapidSame, [&] {
      auto d = std::make_unique<rapidjson::Document>();
      d->Parse<kSameFlags>(doc.c_str());
      return d;
    });
    // The parser keeps its result; there is nothing to free but a flag.
    block(kSimdjson, [&] { return SimdjsonParse(doc); });
  }
  const double n = static_cast<double>(state.iterations()) * kRunsPerBlock;
  state.counters["variant_ms"] = parse[kVariant] / n * 1e3;
  state.counters["variant_free_ms"] = free[kVariant] / n * 1e3;
  state.counters["nlohmann_ms"] = parse[kNlohmann] / n * 1e3;
  state.counters["nlohmann_free_ms"] = free[kNlohmann] / n * 1e3;
  state.counters["rapidjson_ms"] = parse[kRapid] / n * 1e3;
  state.counters["rapidjson_same_flags_ms"] = parse[kRapidSame] / n * 1e3;
  state.counters["variant_vs_nlohmann"] = parse[kNlohmann] / parse[kVariant];
  state.counters["variant_vs_rapidjson"] = parse[kVariant] / parse[kRapid];
  state.counters["variant_vs_rapidjson_same_flags"] = parse[kVariant] / parse[kRapidSame];
  state.counters["simdjson_ms"] = parse[kSimdjson] / n * 1e3;
  state.counters["variant_vs_simdjson"] = parse[kVariant] / parse[kSimdjson];
  auto per_record = [&](int which) { return static_cast<double>(allocations[which]) / (n * kRecords); };
  state.counters["variant_allocs_per_record"] = per_record(kVariant);
  state.counters["nlohmann_allocs_per_record"] = per_record(kNlohmann);
  state.counters["rapidjson_allocs_per_record"] = per_record(kRapid);
  auto total = [&](int which) { return parse[which] + free[which]; };
  state.counters["variant_vs_nlohmann_with_free"] = total(kNlohmann) / total(kVariant);
  state.counters["variant_vs_rapidjson_with_free"] = total(kVariant) / total(kRapid);
}
BENCHMARK(BM_JsonParseRatios)->Unit(benchmark::kMillisecond)->Iterations(4);

void BM_WriteUsers_Variant(benchmark::State& state) {
  const Variant v = Variant::ParseJson(Document());
  size_t bytes = 0;
  for (auto _ : state) {
    std::string text = v.ToJsonStr();
    bytes = text.size();
    benchmark::DoNotOptimize(text);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_WriteUsers_Variant)->Unit(benchmark::kMillisecond);

void BM_WriteUsers_RapidJsonDom(benchmark::State& state) {
  rapidjson::Document d;
  d.Parse(Document().c_str());
  size_t bytes = 0;
  for (auto _ : state) {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    d.Accept(writer);
    bytes = buffer.GetSize();
    benchmark::DoNotOptimize(buffer.GetString());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_WriteUsers_RapidJsonDom)->Unit(benchmark::kMillisecond);

}  // namespace
