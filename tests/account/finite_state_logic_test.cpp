// The table-driven state machine: arcs, the first-arc rule, undeclared targets and callbacks.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "hostkit/hostkit.h"
#include "module_api/account/finite_state_logic.h"

using velto_common::utils::FiniteStateLogic;
using velto_common::utils::tagStateArc;
using base::variant::Variant;

namespace {

struct Trace {
  std::vector<std::string> events;
  FiniteStateLogic::TransitionCallback transition() {
    return [this](int32_t from, int32_t to, const Variant* param, Variant* result) {
      events.push_back("T" + std::to_string(from) + ">" + std::to_string(to) + ":" +
                       (param ? param->ToJsonStr() : "none"));
      (*result)["written_by_transition"] = to * 10;
    };
  }
  FiniteStateLogic::StateCallback state() {
    return [this](int32_t state, const Variant* result) {
      events.push_back("S" + std::to_string(state) + ":" + result->ToJsonStr());
    };
  }
};

}  // namespace

TEST(FiniteStateLogic, StartsInZeroEvenWhenZeroIsNotDeclared) {
  FiniteStateLogic fsm({1, 2}, {{0, 1, 7}, {1, 2, 8}});
  EXPECT_EQ(fsm.GetState(), 0);
  EXPECT_FALSE(fsm.HandleActionForFsm(8, nullptr));  // no arc from 0 on 8
  EXPECT_TRUE(fsm.HandleActionForFsm(7, nullptr));
  EXPECT_EQ(fsm.GetState(), 1);
  EXPECT_TRUE(fsm.HandleActionForFsm(8, nullptr));
  EXPECT_EQ(fsm.GetState(), 2);
}

TEST(FiniteStateLogic, TheFirstListedArcWinsForTheSameStateAndAction) {
  FiniteStateLogic fsm({0, 1, 2}, {{0, 2, 5}, {0, 1, 5}});
  EXPECT_TRUE(fsm.HandleActionForFsm(5, nullptr));
  EXPECT_EQ(fsm.GetState(), 2);
}

TEST(FiniteStateLogic, CallbacksRunInOrderAndShareTheResult) {
  Trace trace;
  FiniteStateLogic fsm({0, 1}, {{0, 1, 3}}, trace.transition(), trace.state());
  Variant param = hostkit::Json(R"({"why": "click"})");
  EXPECT_TRUE(fsm.HandleActionForFsm(3, &param));
  ASSERT_EQ(trace.events.size(), 2u);
  EXPECT_EQ(trace.events[0], R"(T0>1:{"why":"click"})");
  EXPECT_EQ(trace.events[1], R"(S1:{"written_by_transition":10})");
}

TEST(FiniteStateLogic, AnUndeclaredTargetIsReportedButNotEntered) {
  Trace trace;
  FiniteStateLogic fsm({0, 1}, {{0, 9, 4}}, trace.transition(), trace.state());
  EXPECT_TRUE(fsm.HandleActionForFsm(4, nullptr));
  EXPECT_EQ(fsm.GetState(), 0);
  ASSERT_EQ(trace.events.size(), 2u);
  EXPECT_EQ(trace.events[0], "T0>9:none");
  EXPECT_EQ(trace.events[1].substr(0, 3), "S9:");
}

TEST(FiniteStateLogic, SelfArcRunsBothCallbacks) {
  Trace trace;
  FiniteStateLogic fsm({0}, {{0, 0, 1}}, trace.transition(), trace.state());
  EXPECT_TRUE(fsm.HandleActionForFsm(1, nullptr));
  EXPECT_EQ(fsm.GetState(), 0);
  EXPECT_EQ(trace.events.size(), 2u);
}

TEST(FiniteStateLogic, WithoutCallbacksAMatchingActionStillMoves) {
  FiniteStateLogic fsm({0, 4}, {{0, 4, 2}});
  EXPECT_TRUE(fsm.HandleActionForFsm(2, nullptr));
  EXPECT_EQ(fsm.GetState(), 4);
}

TEST(FiniteStateLogic, RefusedActionsAndGoToStateRunNoCallback) {
  Trace trace;
  FiniteStateLogic fsm({0, 1, 2}, {{0, 1, 1}}, trace.transition(), trace.state());
  EXPECT_FALSE(fsm.HandleActionForFsm(99, nullptr));
  fsm.GoToState(7);  // undeclared
  EXPECT_EQ(fsm.GetState(), 0);
  fsm.GoToState(2);
  EXPECT_EQ(fsm.GetState(), 2);
  EXPECT_FALSE(fsm.HandleActionForFsm(1, nullptr));  // the arc leaves 0, not 2
  EXPECT_TRUE(trace.events.empty());
}

TEST(FiniteStateLogic, CopiesCarryStateAndCallbacks) {
  Trace trace;
  FiniteStateLogic fsm({0, 1, 2}, {{0, 1, 1}, {1, 2, 1}}, trace.transition(), trace.state());
  fsm.HandleActionForFsm(1, nullptr);
  FiniteStateLogic copy = fsm;
  EXPECT_EQ(copy.GetState(), 1);
  EXPECT_TRUE(copy.HandleActionForFsm(1, nullptr));
  EXPECT_EQ(copy.GetState(), 2);
  EXPECT_EQ(fsm.GetState(), 1);
  EXPECT_EQ(trace.events.size(), 4u);
}

TEST(FiniteStateLogic, AnOwnerReleasedInsideACallbackDoesNotPullTheMachineAway) {
  auto holder = std::make_shared<std::shared_ptr<FiniteStateLogic>>();
  int state_calls = 0;
  *holder = std::make_shared<FiniteStateLogic>(
      std::vector<int32_t>{0, 1}, std::vector<tagStateArc>{{0, 1, 1}},
      [holder](int32_t, int32_t, const Variant*, Variant*) { holder->reset(); },
      [&state_calls](int32_t, const Variant*) { ++state_calls; });
  std::weak_ptr<FiniteStateLogic> weak = *holder;
  EXPECT_TRUE((*holder)->HandleActionForFsm(1, nullptr));
  EXPECT_EQ(state_calls, 1);
  EXPECT_TRUE(weak.expired());
}
