// The recording family's exported question: whether a quick (local) recording runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/record/record_utils.h"
#include "query_table.h"

namespace {

namespace record = velto_common::utils::record;
namespace id = velto::model_id;
namespace cmd = velto::model_command;
using namespace query_table;

std::vector<Row> RecordRows() {
  return {
      {"IsQuickRecordRunning", Answered(id::kRecordModel, cmd::record::kQuickRecordRunning, true),
       [] { return Text(record::IsQuickRecordRunning()); }, "true", "false"},
  };
}

QUERY_TABLE_TEST(RecordQueryTable, QuickRecording, "record", RecordRows)

}  // namespace
