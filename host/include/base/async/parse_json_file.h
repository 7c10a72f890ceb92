// base::async::ParseSmallJsonFile: reads and parses a small JSON file (a configuration document)
// away from the UI thread.
//
//   base::async::ParseSmallJsonFile(path, [](bool ok, const base::json::JsonValue& doc) {
//     if (ok && doc.IsArray()) ...        // back on the main looper
//   });
//
// The file is read and parsed on the worker looper; `done` runs on the main looper afterwards,
// also when the file could not be read. Under hostkit both loopers run when the test drives
// them (RunUntilIdle), so the answer never arrives inside the call.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/json/json_value.h"
#include "base/location.h"

namespace base::async {

// Files larger than this are not read: they are not small configuration documents.
inline constexpr int64_t kSmallJsonFileMaxBytes = 4 * 1024 * 1024;

// `ok` is false, with a null document, when the file is missing, unreadable, too large or not
// valid JSON.
using JsonFileCallback = std::function<void(bool ok, const json::JsonValue& document)>;

// False (nothing is posted) when `done` is empty.
bool ParseSmallJsonFile(const std::string& path, JsonFileCallback done, const Location& from = Location::Current());

}  // namespace base::async
