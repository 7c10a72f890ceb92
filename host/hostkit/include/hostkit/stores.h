// hostkit: what the host's key-value stores (base::tkv) reported through their fatal-error path.
//
//   auto store = base::tkv::TKV::Create(path, {});
//   ...
//   for (const hostkit::StoreFailure& failure : hostkit::StoreFailures()) Print(failure.content);
//   std::optional<base::tkv::TKVFatalError> why = store->GetLastError();  // a live store's health
//
// Every report is kept, whether or not a fatal-error listener was installed. Reset() clears them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace hostkit {

struct StoreFailure {
  std::string path;      // the store's file
  std::string file;      // where the store noticed it
  std::string function;
  int32_t line = 0;
  std::string content;
};

// In the order they were reported, since Reset.
std::vector<StoreFailure> StoreFailures();

}  // namespace hostkit
