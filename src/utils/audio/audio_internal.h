// The audio family's model access: the query frame, with the family's own message for a
// missing audio model. Not installed.
#pragma once

#include <optional>

#include "base/location.h"
#include "module_api/model/model_call.h"

namespace velto_common::utils::audio::internal {

using base::variant::Variant;

// Calls the audio model; false with "no audio model!" (or the failed call) logged at `from`.
bool AudioCall(int command, const Variant* argument, Variant* answer,
               const base::Location& from = base::Location::Current());

// The answer's value at `path` as T, `failure` when anything is missing or of another kind.
template <typename T>
T AudioQuery(int command, const Variant* argument, velto::model::KeyPath path, T failure,
             const base::Location& from = base::Location::Current()) {
  Variant answer;
  if (!AudioCall(command, argument, &answer, from)) return failure;
  if (auto value = velto::model::Read<T>(answer, path)) return *value;
  velto::model::LogWrongKind(510, command, path, from);
  return failure;
}

// {"enable": on} to the audio model; the model's acceptance.
bool AudioSwitch(int command, bool on, const base::Location& from = base::Location::Current());

}  // namespace velto_common::utils::audio::internal
