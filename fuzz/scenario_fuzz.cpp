// Fuzzes the simulator's scenario reader: any bytes must be refused with one error or accepted,
// never crash, hang or read out of bounds, whatever the nesting, numbers or keys.
//
// Properties checked besides the sanitizers:
//  - a refused text gets a non-empty, single-line error;
//  - reading is deterministic: the same text gives the same verdict twice;
//  - an accepted document stays accepted after a write-and-read round trip.
//
//   build-fuzz/bin/scenario_fuzz -dict=fuzz/scenario.dict -max_len=4096 fuzz/corpus/scenario
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "format.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::string Read(std::string_view text) {
  base::variant::Variant document;
  std::string error = sim::ParseDocument(text, &document);
  if (error.empty()) error = sim::Validate(document);
  return error;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string error = Read(text);
  Check(Read(text) == error);
  if (!error.empty()) {
    Check(error.find('\n') == std::string::npos);
    return 0;
  }
  base::variant::Variant document;
  Check(sim::ParseDocument(text, &document).empty());
  Check(Read(document.ToJsonStr()).empty());
  return 0;
}
