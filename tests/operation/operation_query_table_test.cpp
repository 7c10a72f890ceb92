// The operation dispatcher's questions: how the client was started, whether its start leads into
// a meeting, and whether the user's task outranks advertising.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/operation/operation_dispatcher.h"
#include "query_table.h"

namespace {

namespace op = velto_common::utils::operation_dispatcher;
namespace id = velto::model_id;
namespace cmd = velto::model_command;
using hostkit::Json;
using namespace query_table;

std::vector<Row> DispatcherRows() {
  return {
      {"IsStartUpByScheme", None(), [] { return Text(op::IsStartUpByScheme()); }, "false", ""},
      {"IsStartUpByScheme", None(),
       [] {
         op::SavePushType(2);
         return Text(op::IsStartUpByScheme());
       },
       "true", ""},
      // A scheme still waiting to be parsed is the app state model's mission; an empty mission
      // (a map without "scheme_url") is an ordinary start, not a failure.
      {"IsInMeetingPath",
       Flat(Answered(id::kAppStateModel, cmd::app_state::kCallFuncGetParseSchemeMission,
                     Json(R"({"scheme_url": "velto://page/inmeeting?meeting_code=123"})"))),
       [] { return Text(op::IsInMeetingPath()); }, "true", "false"},
      {"IsAdvertisingPriorityExperience",
       ClientSetting("operating_activities.op_dispatcher.ad_priotity", static_cast<int>(op::kAdPriorityTypeExperience)),
       [] { return Text(op::IsAdvertisingPriorityExperience()); }, "true", "false"},
  };
}

QUERY_TABLE_TEST(OperationDispatcherQueryTable, StartSchemeAndAdvertisingPriority, "operation_dispatcher", DispatcherRows)

}  // namespace
