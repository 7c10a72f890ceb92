// Calls of the video pull model (569) shared by the pull helper and the manager. Without the
// model nothing is sent and nothing is logged: a client without the media layer pulls nothing.
#pragma once

#include <string>

#include "base/variant/variant.h"
#include "module_api/model_commands.h"

namespace velto::internal {

// Command 6 answers the streams the media layer receives, by stream id.
using velto::model_command::video_pull::kReceivedStreams;

// Calls the video pull model: false without it (silently) or when the call fails (logged).
bool CallVideoPull(int command, const base::variant::Variant* argument, base::variant::Variant* answer);

// Command 1: starts (enable) or stops the pull of one stream.
void SendVideoPull(const std::string& stream_id, int32_t size_type, bool enable, int32_t from_type);
// Command 4 with {"degrade_streams": ids} or {"recover_streams": ids}.
void SendVideoQualityChange(bool degrade, const base::variant::Variant& stream_ids);

}  // namespace velto::internal
