// Blocked operations: when they run at once, when they wait behind the block view, what the
// view's report does, and what cancelling drops.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "hostkit/hostkit.h"
#include "hostkit/navigation.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/operation/block_operation.h"

namespace {

namespace block = velto_common::utils::block_operation;
namespace id = velto::model_id;
namespace command = velto::model_command;
using hostkit::Json;
using hostkit::NavigationKind;
using hostkit::Variant;
using Context = std::shared_ptr<const framework::Context>;

class BlockOperationTest : public testing::Test {
 protected:
  void SetUp() override {
    alerts_ = &hostkit::InstallModel(id::kOperationAlertModel);
    alerts_->Answer(command::operation_alert::kSkipBlock, false);
    alerts_->Answer(command::operation_alert::kNeedBlock, Json(R"({"need_block": true, "from_scheme": "vip_guide"})"));
  }

  void Block(const Context& context, const std::string& name) {
    block::BlockOperationIfNeed(
        context, name, [this, name] { ran_.push_back(name); }, "home");
  }

  // Index of each block view pushed so far.
  static std::vector<size_t> BlockViews() {
    std::vector<size_t> indexes;
    const auto& navigations = hostkit::Navigations();
    for (size_t i = 0; i < navigations.size(); ++i) {
      if (navigations[i].kind == NavigationKind::kPushModal && navigations[i].page == block::kBlockMeetingViewPage) {
        indexes.push_back(i);
      }
    }
    return indexes;
  }

  static void Report(size_t push, const char* state) {
    ASSERT_TRUE(hostkit::CompletePush(
        push, Json(std::string(R"({"from_source": "home", "need_display": true, "state": ")") + state + "\"}")));
    hostkit::RunUntilIdle();
  }

  hostkit::ScriptedModel* alerts_ = nullptr;
  std::vector<std::string> ran_;
  Context a_ = std::make_shared<framework::Context>(1, "a");
  Context b_ = std::make_shared<framework::Context>(2, "b");
};

TEST_F(BlockOperationTest, TheModelsAnswersDecideWhetherTheOperationRunsAtOnce) {
  struct Case {
    const char* rule;
    std::function<void(hostkit::ScriptedModel*)> arrange;
    int level;
    const char* log;
  };
  const Case cases[] = {
      {"no model", [](hostkit::ScriptedModel*) { hostkit::RemoveModel(id::kOperationAlertModel); }, 4,
       "check need skip block failed, maybe no such module, just continue operation (open)"},
      {"skip fails", [](hostkit::ScriptedModel* m) { m->Fail(command::operation_alert::kSkipBlock); }, 4,
       "check need skip block failed, maybe no such module, just continue operation (open)"},
      {"skip", [](hostkit::ScriptedModel* m) { m->Answer(command::operation_alert::kSkipBlock, true); }, 6,
       "skip blocking, execute operation(open) directly. ctx:"},
      {"need fails", [](hostkit::ScriptedModel* m) { m->Fail(command::operation_alert::kNeedBlock); }, 4,
       "check need block failed, maybe no such module, just continue operation (open)"},
      {"no need", [](hostkit::ScriptedModel* m) { m->Answer(command::operation_alert::kNeedBlock, false); }, 6,
       "execute operation(open) directly. ctx:"},
      {"no need, as a map",
       [](hostkit::ScriptedModel* m) {
         m->Answer(command::operation_alert::kNeedBlock, Json(R"({"need_block": false, "from_scheme": "x"})"));
       },
       6, "execute operation(open) directly. ctx:"},
  };
  for (const Case& c : cases) {
    hostkit::Reset();
    ran_.clear();
    SetUp();
    c.arrange(alerts_);
    Block(a_, "open");
    EXPECT_EQ(ran_, std::vector<std::string>{"open"}) << c.rule;
    EXPECT_TRUE(hostkit::HasLog(c.level, c.log)) << c.rule;
    hostkit::RunUntilIdle();
    EXPECT_TRUE(hostkit::Navigations().empty()) << c.rule;
  }
}

TEST_F(BlockOperationTest, TheModelIsAskedWithTheCallersSource) {
  Block(a_, "open");
  EXPECT_EQ(alerts_->LastArgument(command::operation_alert::kSkipBlock).ToJsonStr(), R"({"from_source":"home"})");
  EXPECT_EQ(alerts_->LastArgument(command::operation_alert::kNeedBlock).ToJsonStr(), R"({"from_source":"home"})");
  EXPECT_TRUE(hostkit::HasLog(6, "do not skip blocking, continue show block procedure"));
}

TEST_F(BlockOperationTest, ABlockedOperationRunsWhenTheBlockViewLetsItPass) {
  Block(a_, "open");
  EXPECT_TRUE(ran_.empty());
  EXPECT_TRUE(hostkit::HasLog(6, "operation (open) will be blocked from vip_guide. ctx:"));
  EXPECT_TRUE(BlockViews().empty()) << "the view comes from a main-looper task";
  hostkit::RunUntilIdle();
  ASSERT_EQ(BlockViews().size(), 1u);
  const hostkit::Navigation& view = hostkit::Navigations()[BlockViews()[0]];
  EXPECT_EQ(view.view_ref, 1);
  EXPECT_EQ(view.arguments.GetString("from_source"), "home");
  EXPECT_EQ(view.arguments.GetString("from_scheme"), "vip_guide");
  EXPECT_TRUE(hostkit::HasLog(6, "PushModal: SCHEME_OPERATING_ACTIVITIES_BLOCK_MEETING_VIEW"));

  Report(BlockViews()[0], "passed");
  EXPECT_EQ(ran_, std::vector<std::string>{"open"});
  EXPECT_TRUE(hostkit::HasLog(6, "blocked operation (open) state changed to passed"));
  EXPECT_TRUE(hostkit::HasLog(6, "execute blocked operation (open). ctx:"));

  Block(a_, "open");  // forgotten after it ran: blocked anew
  hostkit::RunUntilIdle();
  EXPECT_EQ(ran_.size(), 1u);
  EXPECT_EQ(BlockViews().size(), 2u);
}

TEST_F(BlockOperationTest, ABlockedReportKeepsItWaitingAndASecondRequestGoesThrough) {
  Block(a_, "open");
  hostkit::RunUntilIdle();
  Report(BlockViews()[0], "blocked");
  EXPECT_TRUE(ran_.empty());
  EXPECT_TRUE(hostkit::HasLog(6, "blocked operation (open) state changed to blocked"));

  Block(a_, "open");
  EXPECT_EQ(ran_, std::vector<std::string>{"open"});
  EXPECT_TRUE(hostkit::HasLog(6, "operation (open) is already blocked from vip_guide. ctx:"));
  EXPECT_TRUE(hostkit::HasLog(6, ". just let it go."));
  hostkit::RunUntilIdle();
  EXPECT_EQ(BlockViews().size(), 1u) << "no second view for a request let through";
}

TEST_F(BlockOperationTest, BlockingTheSameOperationTwiceWhileItWaitsRunsTheSecondAtOnce) {
  Block(a_, "open");
  Block(a_, "open");
  EXPECT_EQ(ran_, std::vector<std::string>{"open"});
  hostkit::RunUntilIdle();
  ASSERT_EQ(BlockViews().size(), 1u);
  Report(BlockViews()[0], "passed");
  EXPECT_EQ(ran_, (std::vector<std::string>{"open", "open"})) << "the first still waited and now passes";
}

TEST_F(BlockOperationTest, CancellingWithoutANameDropsEveryOperationOfThatContextOnly) {
  Block(a_, "a1");
  Block(a_, "a2");
  Block(b_, "b1");
  hostkit::RunUntilIdle();
  ASSERT_EQ(BlockViews().size(), 3u);
  block::CancelBlockOperation(a_, "");
  EXPECT_TRUE(hostkit::HasLog(6, "cancel all blocked operations. ctx:"));
  for (size_t push : BlockViews()) Report(push, "passed");
  EXPECT_EQ(ran_, std::vector<std::string>{"b1"});
}

TEST_F(BlockOperationTest, CancellingByNameDropsThatOperationOfThatContext) {
  Block(a_, "open");
  block::CancelBlockOperation(b_, "open");
  EXPECT_TRUE(hostkit::HasLog(6, "no blocked operation (open)"));
  block::CancelBlockOperation(a_, "missing");
  EXPECT_TRUE(hostkit::HasLog(6, "no blocked operation (missing)"));
  block::CancelBlockOperation(a_, "open");
  EXPECT_TRUE(hostkit::HasLog(6, "cancel blocked operation (open)"));
  hostkit::RunUntilIdle();
  EXPECT_TRUE(BlockViews().empty()) << "cancelled before its view was presented";
  EXPECT_TRUE(ran_.empty());
}

TEST_F(BlockOperationTest, AnOldViewsReportDoesNotRunTheOperationBlockedAfterIt) {
  Block(a_, "open");
  hostkit::RunUntilIdle();
  block::CancelBlockOperation(a_, "open");
  block::BlockOperationIfNeed(
      a_, "open", [this] { ran_.push_back("second"); }, "home");
  hostkit::RunUntilIdle();
  ASSERT_EQ(BlockViews().size(), 2u);
  Report(BlockViews()[0], "passed");
  EXPECT_TRUE(ran_.empty());
  Report(BlockViews()[1], "passed");
  EXPECT_EQ(ran_, std::vector<std::string>{"second"});
}

TEST_F(BlockOperationTest, AContextGoneBeforeTheViewShowsLeavesNothingToShow) {
  Context context = std::make_shared<framework::Context>(3, "gone");
  Block(context, "open");
  context.reset();
  hostkit::RunUntilIdle();
  EXPECT_TRUE(hostkit::HasLog(4, "context maybe erase,op_name:open"));
  EXPECT_TRUE(BlockViews().empty());
  EXPECT_TRUE(ran_.empty());
}

TEST_F(BlockOperationTest, ABooleanAnswerBlocksWithoutANamedSource) {
  alerts_->Answer(command::operation_alert::kNeedBlock, true);
  Block(a_, "open");
  EXPECT_TRUE(hostkit::HasLog(6, "operation (open) will be blocked from . ctx:"));
  hostkit::RunUntilIdle();
  ASSERT_EQ(BlockViews().size(), 1u);
  Report(BlockViews()[0], "passed");
  EXPECT_EQ(ran_, std::vector<std::string>{"open"});
}

}  // namespace
