// The quick-record question: the record model's answer, and false with a failure record when the
// model is missing, refuses or answers something else than a bool.
#include <gtest/gtest.h>

#include "hostkit/hostkit.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/record/record_utils.h"

namespace {

using hostkit::Variant;
using velto_common::utils::record::IsQuickRecordRunning;
namespace cmd = velto::model_command::record;

TEST(QuickRecord, ReadsTheRecordModelAndFailsToNo) {
  EXPECT_FALSE(IsQuickRecordRunning());
  EXPECT_TRUE(hostkit::HasLog(1, "1000018"));
  hostkit::ClearLogs();

  auto& record = hostkit::InstallModel(velto::model_id::kRecordModel);
  record.Answer(cmd::kQuickRecordRunning, Variant(true));
  EXPECT_TRUE(IsQuickRecordRunning());
  record.Answer(cmd::kQuickRecordRunning, Variant(false));
  EXPECT_FALSE(IsQuickRecordRunning());
  EXPECT_TRUE(hostkit::Logs().empty());

  record.Answer(cmd::kQuickRecordRunning, Variant(1));
  EXPECT_FALSE(IsQuickRecordRunning());
  EXPECT_TRUE(hostkit::HasLog(1, "answer of call 63 of model 1000018 has no valid value"));
  record.Fail(cmd::kQuickRecordRunning);
  EXPECT_FALSE(IsQuickRecordRunning());
}

}  // namespace
