// The tracker's configuration: which view-model actions to report, and under which event code.
// It arrives as the file "vtracker.json" of the dynamic resource "visual_tracking_conf":
//
//   [{"page_hash": "meeting_toolbar",
//     "elements": [{"element_page_hash": ["<page hash>", ...],     // where the element is
//                   "element_hash": "<element hash>",               // which action it is
//                   "begin_version": "3.20.0",                      // the oldest client to report
//                   "event_code": "e#toolbar#mute#click"}]}]
//
// A page hash names a kind of view model of a module and an element hash an action
// (vtracker/vtracker.h makes both); each page hash of an element becomes one map entry under
// MakeVTrackerMapKey(page hash, element hash).
#pragma once

#include <string>
#include <unordered_map>

#include "base/json/json_value.h"
#include "module_api/export.h"

namespace vtracker {

struct VTrackerConfigItem {
  std::string begin_version;
  std::string event_code;
  std::string page_hash;     // the configuration's page, reported with the event
  std::string element_hash;  // reported with the event
};

using VTrackerConfigMap = std::unordered_map<std::string, VTrackerConfigItem>;

// Builds the map of a parsed "vtracker.json" into `out` (replacing what it held). Invalid pages
// and elements are logged and skipped; the rest loads. False, with `out` untouched, when the
// root is not an array.
VELTO_API bool CreateConfigMap(const base::json::JsonValue& root, VTrackerConfigMap* out);

}  // namespace vtracker
