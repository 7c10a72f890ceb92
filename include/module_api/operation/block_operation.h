// Operations (opening a page, starting a flow) that may have to wait behind the host's block
// view, as the operation alert model (1000041) decides (velto_common::utils::block_operation).
//
//   namespace block = velto_common::utils::block_operation;
//   block::BlockOperationIfNeed(context, "open_schedule", [] { OpenSchedule(); }, "home_toolbar");
//   ...
//   block::CancelBlockOperation(context, "");   // the page goes away: drop what waits for it
//
// Without the model, or when it says so, the operation runs at once. Otherwise the block view
// "velto://page/operating_activities/block_meeting_view" is pushed (from a main-looper task) as
// a modal on the context's navigator; when it closes with {"from_source", "need_display",
// "state": "passed"} the operation runs, with "blocked" it keeps waiting. A name waits at most
// once: asking again while it waits runs the new request at once. Cancelled operations never run.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/context.h"
#include "module_api/export.h"

namespace velto_common::utils::block_operation {

inline constexpr char kBlockMeetingViewPage[] = "velto://page/operating_activities/block_meeting_view";

using Operation = std::function<void()>;

// `from_source` names the caller to the model ({"from_source": from_source}).
VELTO_API void BlockOperationIfNeed(std::shared_ptr<const framework::Context> context,
                                    const std::string& operation_name, Operation operation,
                                    const std::string& from_source);
// An empty name cancels every operation of `context` that waits.
VELTO_API void CancelBlockOperation(std::shared_ptr<const framework::Context> context,
                                    const std::string& operation_name);

}  // namespace velto_common::utils::block_operation
