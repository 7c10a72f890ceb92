// base::statemachine runs: transitions by result, failure targets, parameters, stopping,
// asynchronous transitions and what the delegate hears.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/statemachine/state_machine.h"
#include "hostkit/hostkit.h"

using base::Variant;
using base::statemachine::CreateStateMachine;
using base::statemachine::StateMachine;
using hostkit::Json;

namespace {

using Journal = std::vector<std::string>;

// A state that journals its hooks and waits until the test finishes it.
class WaitingState : public StateMachine::State {
 public:
  WaitingState(int id, std::string name, Journal* journal) : State(id, std::move(name)), journal_(journal) {}
  void OnInit() override { journal_->push_back("init " + name()); }
  void StartWork(const Variant& params) override {
    journal_->push_back("work " + name() + " " + params.ToJsonStr());
    if (finish_at_once) FinishWork(*finish_at_once, finish_data);
  }
  void OnCleanUp(bool is_cancel) override {
    journal_->push_back("cleanup " + name() + (is_cancel ? " cancel" : ""));
  }
  void Cancel() override { journal_->push_back("cancel " + name()); }

  std::optional<uint32_t> finish_at_once;
  Variant finish_data;

 private:
  Journal* journal_;
};

class JournalDelegate : public StateMachine::Delegate {
 public:
  explicit JournalDelegate(Journal* journal) : journal_(journal) {}
  void WillEnterState(StateMachine::State* state) override {
    journal_->push_back("enter " + state->name());
    if (on_enter) on_enter(state);
  }
  void WillExitState(StateMachine::State* state, uint32_t result, const Variant& data) override {
    journal_->push_back("exit " + state->name() + " " + std::to_string(result) + " " + data.ToJsonStr());
    if (on_exit) on_exit(state);
  }
  void OnTransition(StateMachine::State* from, uint32_t result, StateMachine::State* to) override {
    journal_->push_back("transition " + from->name() + " -" + std::to_string(result) + "-> " + to->name());
  }
  std::function<void(StateMachine::State*)> on_enter;
  std::function<void(StateMachine::State*)> on_exit;

 private:
  Journal* journal_;
};

struct Fixture {
  Journal journal;
  JournalDelegate delegate{&journal};
  std::shared_ptr<StateMachine> machine;
  std::shared_ptr<WaitingState> check;
  std::shared_ptr<WaitingState> work;

  explicit Fixture(bool async = false) {
    machine = CreateStateMachine("test_sm", &delegate, async);
    check = std::make_shared<WaitingState>(1, "check", &journal);
    work = std::make_shared<WaitingState>(2, "work", &journal);
    machine->AddState(check);
    machine->AddState(work);
    machine->AddState(std::make_shared<StateMachine::State>(3, "failed"));
    machine->AddState(std::make_shared<StateMachine::State>(8, "cancelled"));
    machine->SetInitialState(1);
    machine->AddTransition(1, 1, 2);
    machine->AddTransition(1, 2, 8);
    machine->SetFailureState(1, 3);
    machine->SetFailureState(2, 3);
  }
};

}  // namespace

TEST(StateMachineRun, TransitionsByResultWithHooksInOrder) {
  Fixture f;
  ASSERT_TRUE(f.machine->Start(Json(R"({"auth_type": 1})")));
  EXPECT_TRUE(f.machine->IsRunning());
  EXPECT_EQ(f.machine->CurrentState(), f.check.get());
  EXPECT_TRUE(f.check->is_working());
  f.check->FinishWork(1);
  EXPECT_EQ(f.machine->CurrentState(), f.work.get());
  f.machine->AddTransition(2, 7, 8);
  f.work->FinishWork(7, Json(R"({"end": true})"));
  EXPECT_FALSE(f.machine->IsRunning());
  EXPECT_EQ(f.machine->CurrentState(), nullptr);
  EXPECT_EQ(f.journal, (Journal{"enter check", "init check", R"(work check {"auth_type":1})",
                                "exit check 1 null", "cleanup check", "transition check -1-> work",
                                // no data: the next state works on the start parameters
                                "enter work", "init work", R"(work work {"auth_type":1})",
                                R"(exit work 7 {"end":true})", "cleanup work", "transition work -7-> cancelled",
                                // a plain state finishes at once with 0 and, without a way on, ends the run
                                "enter cancelled", "exit cancelled 0 null"}));
}

TEST(StateMachineRun, DataOfAFinishedStateBecomesTheNextStatesParameters) {
  Fixture f;
  f.check->finish_at_once = 1;
  f.check->finish_data = Json(R"({"scheme_param": "s"})");
  f.machine->Start(Json(R"({"auth_type": 1})"));
  EXPECT_EQ(f.machine->CurrentState(), f.work.get());
  EXPECT_EQ(f.journal.back(), R"(work work {"scheme_param":"s"})");
  EXPECT_EQ(f.machine->start_params().GetInteger("auth_type"), 1);
}

TEST(StateMachineRun, ResultWithoutTransitionGoesToTheFailureTargetOrEndsTheRun) {
  Fixture f;
  f.machine->Start(Json("{}"));
  f.check->FinishWork(0xFFFFFF);
  EXPECT_FALSE(f.machine->IsRunning());
  EXPECT_EQ(f.journal[f.journal.size() - 2], "enter failed");

  Journal journal;
  JournalDelegate delegate(&journal);
  auto bare = CreateStateMachine("bare_sm", &delegate, false);
  auto only = std::make_shared<WaitingState>(100, "only", &journal);
  bare->AddState(only);
  bare->SetInitialState(100);
  bare->Start(Variant());
  only->FinishWork(1);
  EXPECT_FALSE(bare->IsRunning());
  EXPECT_EQ(journal.back(), "cleanup only");  // no failure target: nothing entered afterwards
}

TEST(StateMachineRun, StopCancelsTheWorkingStateWithoutExitNotification) {
  Fixture f;
  f.machine->Start(Json("{}"));
  f.journal.clear();
  f.machine->Stop();
  EXPECT_EQ(f.journal, (Journal{"cancel check", "cleanup check cancel"}));
  EXPECT_FALSE(f.machine->IsRunning());
  f.machine->Stop();  // nothing running: nothing happens
  EXPECT_EQ(f.journal.size(), 2u);

  f.check->FinishWork(1);  // a late answer of the stopped run
  EXPECT_TRUE(hostkit::HasLog(3, "state check finished with 1 while not working, ignored"));
  EXPECT_EQ(f.journal.size(), 2u);
}

TEST(StateMachineRun, StartIsRefusedWhileRunningAndRestartsAfterStop) {
  Fixture f;
  EXPECT_TRUE(f.machine->Start(Json(R"({"run": 1})")));
  f.check->FinishWork(1);
  EXPECT_FALSE(f.machine->Start(Json(R"({"run": 2})")));
  EXPECT_TRUE(hostkit::HasLog(3, "already running"));
  EXPECT_EQ(f.machine->CurrentState(), f.work.get());
  f.machine->Stop();
  f.journal.clear();
  EXPECT_TRUE(f.machine->Start(Json(R"({"run": 2})")));
  EXPECT_EQ(f.journal, (Journal{"enter check", "init check", R"(work check {"run":2})"}));
}

TEST(StateMachineRun, SetupMistakesAreRefused) {
  Journal journal;
  auto machine = CreateStateMachine("setup_sm", nullptr, false);
  EXPECT_FALSE(machine->Start(Variant()));
  EXPECT_TRUE(hostkit::HasLog(1, "no initial state"));
  auto state = std::make_shared<WaitingState>(1, "one", &journal);
  EXPECT_TRUE(machine->AddState(state));
  EXPECT_FALSE(machine->AddState(std::make_shared<StateMachine::State>(1, "same id")));
  EXPECT_FALSE(machine->AddState(nullptr));
  EXPECT_FALSE(machine->SetInitialState(9));
  auto other = CreateStateMachine("other_sm", nullptr, false);
  EXPECT_FALSE(other->AddState(state));  // belongs to the first machine
  EXPECT_EQ(machine->GetState(1), state.get());
  EXPECT_EQ(machine->GetState(2), nullptr);
  // Without a delegate the run still goes on.
  machine->SetInitialState(1);
  EXPECT_TRUE(machine->Start(Variant()));
  state->FinishWork(0);
  EXPECT_FALSE(machine->IsRunning());
}

TEST(StateMachineRun, WorkGivenToAPlainStateDecidesTheResult) {
  auto machine = CreateStateMachine("work_sm", nullptr, false);
  std::vector<int> seen;
  machine->AddState(std::make_shared<StateMachine::State>(1, "decide", [&](StateMachine::State& s, const Variant& p) {
    seen.push_back(1);
    s.FinishWork(p.GetBoolean("ok") ? 0 : 1);
  }));
  machine->AddState(std::make_shared<StateMachine::State>(2, "yes", [&](StateMachine::State&, const Variant&) {
    seen.push_back(2);  // waits: never finishes
  }));
  machine->AddState(std::make_shared<StateMachine::State>(3, "no"));
  machine->SetInitialState(1);
  machine->AddTransition(1, 0, 2);
  machine->AddTransition(1, 1, 3);
  machine->Start(Json(R"({"ok": true})"));
  EXPECT_EQ(machine->CurrentState()->name(), "yes");
  machine->Stop();
  machine->Start(Json(R"({"ok": false})"));
  EXPECT_FALSE(machine->IsRunning());
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 1}));
}

TEST(StateMachineRun, DelegateMayStopTheRunWhileAStateExits) {
  Fixture f;
  f.delegate.on_exit = [&](StateMachine::State*) { f.machine->Stop(); };
  f.machine->Start(Json("{}"));
  f.check->FinishWork(1);
  EXPECT_FALSE(f.machine->IsRunning());
  // Stopped inside the exit notification: no clean-up twice, no next state.
  EXPECT_EQ(f.journal, (Journal{"enter check", "init check", "work check {}", "exit check 1 null"}));
}

TEST(StateMachineRun, DelegateMayRestartTheRunWhileAStateIsEntered) {
  Fixture f;
  int starts = 0;
  f.delegate.on_enter = [&](StateMachine::State* state) {
    if (state->id() == 2 && starts++ == 0) {
      f.machine->Stop();
      f.machine->Start(Json(R"({"again": 1})"));
    }
  };
  f.check->finish_at_once = 1;
  f.machine->Start(Json("{}"));
  f.check->finish_at_once.reset();
  // The first run never worked in "work"; the second run waits in it.
  EXPECT_EQ(f.machine->CurrentState(), f.work.get());
  EXPECT_EQ(std::count(f.journal.begin(), f.journal.end(), std::string("init work")), 1);
  EXPECT_EQ(f.journal.back(), R"(work work {"again":1})");
}

TEST(StateMachineRun, AsynchronousTransitionsEnterTheNextStateFromATask) {
  Fixture f(/*async=*/true);
  f.machine->Start(Json("{}"));
  f.check->FinishWork(1);
  EXPECT_EQ(f.machine->CurrentState(), nullptr);
  EXPECT_TRUE(f.machine->IsRunning());
  EXPECT_EQ(f.journal.back(), "transition check -1-> work");
  hostkit::RunUntilIdle();
  EXPECT_EQ(f.machine->CurrentState(), f.work.get());

  // Stopped before the task runs: the next state is never entered.
  f.machine->Stop();
  f.machine->Start(Json("{}"));
  f.check->FinishWork(2);
  f.machine->Stop();
  f.journal.clear();
  hostkit::RunUntilIdle();
  EXPECT_TRUE(f.journal.empty());
}

TEST(StateMachineRun, DestroyingTheMachineCleansUpTheWorkingState) {
  Journal journal;
  auto state = std::make_shared<WaitingState>(1, "waiting", &journal);
  {
    auto machine = CreateStateMachine("short_sm", nullptr, false);
    machine->AddState(state);
    machine->SetInitialState(1);
    machine->Start(Variant());
  }
  EXPECT_EQ(journal.back(), "cleanup waiting cancel");
  EXPECT_EQ(state->machine(), nullptr);
  state->FinishWork(0);  // an event that arrives after the machine went away
  EXPECT_TRUE(hostkit::HasLog(3, "while not working, ignored"));
}

TEST(StateMachineRun, OwnerMayReleaseTheMachineFromInsideAState) {
  Journal journal;
  JournalDelegate delegate(&journal);
  auto machine = CreateStateMachine("release_sm", &delegate, false);
  auto first = std::make_shared<WaitingState>(1, "first", &journal);
  machine->AddState(first);
  machine->AddState(std::make_shared<StateMachine::State>(2, "release", [&](StateMachine::State&, const Variant&) {
    machine.reset();  // the owner lets go while the machine is running this state
  }));
  machine->SetInitialState(1);
  machine->AddTransition(1, 0, 2);
  machine->Start(Variant());
  first->FinishWork(0);
  EXPECT_EQ(machine, nullptr);
  EXPECT_EQ(journal.back(), "enter release");
}

TEST(StateMachineRun, OwnerMayReleaseTheMachineWhenAStateExitsOrIsCancelled) {
  Fixture f;
  f.delegate.on_exit = [&](StateMachine::State*) { f.machine.reset(); };
  f.machine->Start(Json("{}"));
  f.check->FinishWork(1);
  EXPECT_EQ(f.machine, nullptr);
  // Released while running: the finished state is cleaned up, and nothing goes on to "work".
  EXPECT_EQ(f.journal, (Journal{"enter check", "init check", "work check {}", "exit check 1 null", "cleanup check"}));

  Journal journal;
  auto machine = CreateStateMachine("cancel_sm", nullptr, false);
  class Releasing : public StateMachine::State {
   public:
    Releasing(std::shared_ptr<StateMachine>* owner, Journal* journal) : State(1, "releasing"), owner_(owner), journal_(journal) {}
    void StartWork(const Variant&) override {}
    void Cancel() override { owner_->reset(); }
    void OnCleanUp(bool is_cancel) override { journal_->push_back(is_cancel ? "cleanup cancel" : "cleanup"); }

   private:
    std::shared_ptr<StateMachine>* owner_;
    Journal* journal_;
  };
  machine->AddState(std::make_shared<Releasing>(&machine, &journal));
  machine->SetInitialState(1);
  machine->Start(Variant());
  machine->Stop();
  EXPECT_EQ(machine, nullptr);
  EXPECT_EQ(journal, (Journal{"cleanup cancel"}));
}

TEST(StateMachineRun, StatesThatKeepFinishingAtOnceAreStopped) {
  auto machine = CreateStateMachine("loop_sm", nullptr, false);
  machine->AddState(std::make_shared<StateMachine::State>(1, "ping"));
  machine->AddState(std::make_shared<StateMachine::State>(2, "pong"));
  machine->SetInitialState(1);
  machine->AddTransition(1, 0, 2);
  machine->AddTransition(2, 0, 1);
  machine->Start(Variant());
  EXPECT_FALSE(machine->IsRunning());
  EXPECT_TRUE(hostkit::HasLog(1, "states keep finishing at once, stopping the run"));
}
