// The one place where the library talks to application models synchronously. Every query
// function is a lookup, a call and a kind-checked read:
//
//   int64_t GetCurrentMeetingType() {
//     return velto::model::QueryValue<int64_t>(kMeetingModel, 3, nullptr,
//                                              {"meeting_item", "meeting_type"}, -1);
//   }
//
// A missing model, a failed call and an answer of the wrong kind all give the caller's failure
// value and a level-1 record at the caller's location (file, line and function of the query),
// naming the model, the command and what went wrong.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "base/location.h"
#include "base/variant/variant.h"
#include "framework/model.h"
#include "module_api/export.h"

namespace velto::model {

using base::variant::Variant;
using KeyPath = std::initializer_list<std::string_view>;

// The model, or null with a level-1 record "model <id> not found".
VELTO_API framework::Model* Find(int model_id, const base::Location& from = base::Location::Current());

// Call(command, argument, answer); false (logged) when the model is missing or the call fails.
// `argument` may be null; `answer` may be null for commands without one.
VELTO_API bool Call(int model_id, int command, const Variant* argument, Variant* answer,
                    const base::Location& from = base::Location::Current());

// A boolean command answered by the call's own result; false when the model is missing.
VELTO_API bool Ask(int model_id, int command, const Variant* argument = nullptr,
                   const base::Location& from = base::Location::Current());

// Follows `path` through nested maps; null when a step is not a map or lacks the key. An empty
// path gives `root` itself.
VELTO_API const Variant* Walk(const Variant& root, KeyPath path) noexcept;

// Logs "<what> of model <id> command <cmd> has the wrong kind" at level 1.
VELTO_API void LogWrongKind(int model_id, int command, KeyPath path, const base::Location& from);

// Strict kind checks: bool needs kind 1, integers kind 3, double kind 3 or 4, string kind 2.
template <typename T>
std::optional<T> As(const Variant* value) noexcept {
  if (!value) return std::nullopt;
  if constexpr (std::is_same_v<T, bool>) {
    if (value->IsBool()) return value->AsBoolean();
  } else if constexpr (std::is_same_v<T, double>) {
    if (value->IsNumber()) return value->AsDouble();
  } else if constexpr (std::is_integral_v<T>) {
    if (value->IsInteger()) return static_cast<T>(value->AsInteger());
  } else if constexpr (std::is_same_v<T, std::string>) {
    if (value->IsString()) return value->AsStr();
  } else {
    static_assert(std::is_same_v<T, Variant>, "unsupported answer type");
    return *value;
  }
  return std::nullopt;
}

// Reads root[path...] as T, or nullopt.
template <typename T>
std::optional<T> Read(const Variant& root, KeyPath path) noexcept {
  return As<T>(Walk(root, path));
}

// Calls the command and reads answer[path...] as T; `failure` on any failure, logged.
template <typename T>
T QueryValue(int model_id, int command, const Variant* argument, KeyPath path, T failure,
             const base::Location& from = base::Location::Current()) {
  Variant answer;
  if (!Call(model_id, command, argument, &answer, from)) return failure;
  if (auto value = Read<T>(answer, path)) return *value;
  LogWrongKind(model_id, command, path, from);
  return failure;
}

// The whole answer of a command; null on failure (logged).
VELTO_API Variant QueryAnswer(int model_id, int command, const Variant* argument = nullptr,
                              const base::Location& from = base::Location::Current());

// A record answer (a map read key by key with defaults); null on failure or when the answer is
// not a map, logged either way.
VELTO_API Variant QueryRecord(int model_id, int command, const Variant* argument = nullptr,
                              const base::Location& from = base::Location::Current());

// Observer ids are the observing object's address, sign-extended to 64 bits.
inline int64_t ObserverId(const void* observer) {
  return static_cast<int64_t>(reinterpret_cast<intptr_t>(observer));
}

}  // namespace velto::model
