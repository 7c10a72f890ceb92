// Fuzzes the reader of the resource text files ({"<language>": {"<decimal id>": "text"}}): any
// bytes must load or be refused cleanly, and loading is all or nothing.
//
// Properties checked besides the sanitizers:
//  - a refused file changes no text: a text set before keeps its value;
//  - a loaded file's texts are readable in their language, so every id of the document that
//    is a decimal 32-bit number and names a string is found with that string (the last one when
//    the document repeats an id).
//
//   build-fuzz/bin/resource_fuzz -dict=fuzz/json.dict fuzz/corpus/resource
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "base/variant/variant.h"
#include "framework/resource.h"
#include "hostkit/hostkit.h"

namespace {

using base::variant::Variant;

constexpr int32_t kSentinelId = 2147483000;

void Check(bool condition) {
  if (!condition) std::abort();
}

const std::string& InputPath() {
  static const std::string path =
      (std::filesystem::temp_directory_path() / ("velto_resource_fuzz_" + std::to_string(getpid()) + ".json")).string();
  return path;
}

// The document's texts as the reader must keep them: entries apply in order, so a later entry for
// the same language and id (also "7" after "007") wins.
void CheckLoaded(framework::Resource* resource, const Variant& document) {
  std::map<std::string, std::map<int32_t, std::string>> expected;
  for (size_t i = 0; i < document.size(); ++i) {
    auto& table = expected[std::string(document.KeyAt(i))];
    const Variant& texts = document.ValueAt(i);
    for (size_t j = 0; j < texts.size(); ++j) {
      Check(texts.ValueAt(j).IsString());
      table[static_cast<int32_t>(std::stol(std::string(texts.KeyAt(j))))] = texts.ValueAt(j).AsStr();
    }
  }
  for (const auto& [language, table] : expected) {
    resource->SetLanguage(language);
    for (const auto& [id, text] : table) Check(resource->GetString(id) == text);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool quiet = [] {
    hostkit::SetLogLevel(0);  // refused files are logged; the fuzzer need not keep the records
    return true;
  }();
  (void)quiet;
  framework::Resource* resource = framework::Resource::GetInstance();
  resource->Clear();
  resource->SetLanguage("zh-cn");
  resource->SetString("zh-cn", kSentinelId, "sentinel");
  {
    std::ofstream out(InputPath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const bool loaded = resource->LoadFile(InputPath());
  bool ok = false;
  const Variant document = Variant::ParseJson(std::string_view(reinterpret_cast<const char*>(data), size), &ok);
  if (!loaded) {
    Check(resource->GetString(kSentinelId) == "sentinel");
  } else {
    Check(ok && document.IsMap());
    CheckLoaded(resource, document);
  }
  return 0;
}
