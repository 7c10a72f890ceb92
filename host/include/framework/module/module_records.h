// What the stand-in host keeps of modules and extensions, in the order it happened: module
// loads and extension activations with their timings, the traffic between contributes and
// extensions, and the views the modules' view services made. hostkit hands these to tests.
//
//   for (const framework::module::ExtensionMessage& m : hostkit::ExtensionTraffic()) ...
#pragma once

#include <cstdint>
#include <string>

#include "base/variant/variant.h"

namespace framework::module {

// When a module load or an extension activation started, and how long it took.
struct LoadTiming {
  std::string module;
  std::string contributes_id;  // activations only
  std::string extension_id;    // activations only
  int64_t started_at_ms = 0;   // host clock
  int64_t duration_ms = 0;     // host clock
  int64_t duration_us = 0;     // real clock
  bool ok = true;              // false: it threw
  std::string error;
};

struct ExtensionMessage {
  enum class Kind { kEvent, kCommand };  // contributes -> extension, extension -> contributes
  Kind kind = Kind::kEvent;
  std::string contributes_id;
  std::string extension_id;
  std::string name;
  base::variant::Variant payload;
  int64_t at_ms = 0;
};

// A view made by a module's view service (command 0).
struct ViewRecord {
  std::string module;
  std::string contributes_id;
  std::string extension_id;
  std::string view_type;
  int64_t parent_view = 0;
  int64_t view = 0;
  bool tbui_extension = false;
};

}  // namespace framework::module
