// The authorization flow machine "auth_base_sm": the paths from the check to an end state
// (already authorized, cancelled, needs authorization, user code given), what the working
// state asks of the authorization model, restarting and releasing the machine.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "authorize_test_support.h"
#include "base/statemachine/state_machine.h"
#include "hostkit/hostkit.h"
#include "module_api/statemachine/auth_state.h"
#include "module_api/statemachine/check_auth_state.h"

using authorize_test::ScreenViewModel;
using base::Variant;
using base::statemachine::StateMachine;
using hostkit::Json;

namespace {

constexpr int kAuthModel = 504;
constexpr unsigned kJoinEvent = 40;      // the screen's end event
constexpr int kJoinStateId = 20;
constexpr int kUserCodeStateId = 21;
constexpr int kWanted = 1;               // the authorization kind the flow wants

// An end state that keeps the parameters it was entered with.
class EndState : public StateMachine::State {
 public:
  EndState(int id, std::string name) : State(id, std::move(name)) {}
  void StartWork(const Variant& params) override {
    entered_with.push_back(params);
    FinishWork(0);
  }
  std::vector<Variant> entered_with;
};

class NameJournal : public StateMachine::Delegate {
 public:
  void WillEnterState(StateMachine::State* state) override { entered.push_back(state->name()); }
  std::vector<std::string> entered;
};

class AuthFlow : public ::testing::Test {
 protected:
  void SetUp() override {
    auth_ = &hostkit::InstallModel(kAuthModel);
    auth_->Succeed(10).Succeed(11).Succeed(12);
    join_ = std::make_shared<EndState>(kJoinStateId, "join_state");
    user_code_ = std::make_shared<EndState>(kUserCodeStateId, "user_code_state");
    ScreenViewModel::ExtraStates extra = {{kJoinEvent, join_}, {velto::StateMachineCheckAuthState::kResultUserCode, user_code_}};
    vm_.SetupAuthStateMachine(extra, &journal_);
  }

  void AuthData(int64_t state, int64_t type) {
    Variant data = Variant::Map();
    data["auth_state"] = state;
    data["auth_type"] = type;
    auth_->Answer(3, data);
  }

  void Start(const char* end_params_json = "null") {
    const Variant end_params = Json(end_params_json);
    vm_.HandleActionWithAuthStateMachine(kWanted, kJoinEvent, &end_params);
  }

  hostkit::ScriptedModel* auth_ = nullptr;
  NameJournal journal_;
  std::shared_ptr<EndState> join_;
  std::shared_ptr<EndState> user_code_;
  ScreenViewModel vm_;
};

TEST_F(AuthFlow, AlreadyAuthorizedLeavesStraightToTheEndState) {
  AuthData(2, kWanted);
  Start(R"({"meeting_code": "123", "scheme_param": {"s": 1}})");
  EXPECT_EQ(journal_.entered, (std::vector<std::string>{"check_auth_state", "join_state"}));
  ASSERT_EQ(join_->entered_with.size(), 1u);
  EXPECT_EQ(join_->entered_with[0], Json(R"({"scheme_param": {"s": 1},
                                             "end_state_params": {"meeting_code": "123", "scheme_param": {"s": 1}}})"));
  EXPECT_TRUE(hostkit::HasLog(6, "[login-module] already login"));
  EXPECT_EQ(auth_->CallCount(10), 0u);
}

TEST_F(AuthFlow, AuthorizedWithAnotherKindStartsTheWantedAuthorizationAndWaitsForIt) {
  AuthData(2, 2);
  Start(R"({"meeting_code": "123"})");
  EXPECT_EQ(journal_.entered, (std::vector<std::string>{"check_auth_state", "do_auth_state"}));
  EXPECT_EQ(auth_->CallCount(10), 1u);
  EXPECT_EQ(auth_->LastArgument(10).GetInteger("auth_type"), kWanted);
  ASSERT_EQ(auth_->CallCount(11), 1u);
  EXPECT_EQ(auth_->LastArgument(11).GetInteger("auth_type"), kWanted);
  EXPECT_EQ(auth_->SubscriberCount(1), 1u);

  auth_->Fire(1, Json(R"({"auth_state": 2, "auth_type": 2})"));  // still the other kind: keep waiting
  EXPECT_TRUE(join_->entered_with.empty());
  auth_->Fire(1, Json(R"({"auth_state": 2, "auth_type": 1})"));
  ASSERT_EQ(join_->entered_with.size(), 1u);
  EXPECT_EQ(join_->entered_with[0], Json(R"({"meeting_code": "123"})"));
  EXPECT_EQ(auth_->SubscriberCount(1), 0u);
  EXPECT_TRUE(hostkit::HasLog(6, "[login-module] is cancel:false"));
}

TEST_F(AuthFlow, ACancelledAuthorizationEndsInTheCancelledState) {
  AuthData(8, kWanted);
  Start();
  EXPECT_EQ(journal_.entered, (std::vector<std::string>{"check_auth_state", "auth_cancelled_state"}));
}

TEST_F(AuthFlow, NeedsAuthorizationAndAFailedResultEndsInTheFailedState) {
  AuthData(1, 0);
  Start();
  EXPECT_EQ(auth_->CallCount(11), 1u);
  EXPECT_EQ(journal_.entered.back(), "do_auth_state");
  auth_->Fire(1, Json(R"({"auth_result": 5017, "auth_state": 1})"));
  EXPECT_EQ(journal_.entered.back(), "auth_failed_state");
  EXPECT_TRUE(join_->entered_with.empty());
}

TEST_F(AuthFlow, AGivenUserCodeGoesToTheScreensUserCodeState) {
  AuthData(1, 0);
  Start(R"({"user_code": "uc-9", "quick_auth_param": {"q": true}})");
  EXPECT_EQ(journal_.entered, (std::vector<std::string>{"check_auth_state", "user_code_state"}));
  ASSERT_EQ(user_code_->entered_with.size(), 1u);
  EXPECT_EQ(user_code_->entered_with[0], Json(R"({"user_code": "uc-9", "quick_auth_param": {"q": true}})"));
  EXPECT_TRUE(hostkit::HasLog(6, "check auth, current not authed"));

  // An empty user code counts as none.
  journal_.entered.clear();
  Start(R"({"user_code": ""})");
  EXPECT_EQ(journal_.entered, (std::vector<std::string>{"check_auth_state", "do_auth_state"}));
}

TEST_F(AuthFlow, TheWorkingStateAsksByTheAuthorizationState) {
  struct Case {
    int64_t state_in_work;
    int retry_calls;
    int start_calls;
    int log_level;
    const char* log;
  };
  const Case cases[] = {
      {5, 1, 0, 6, "reconnect and auth again"},
      {6, 1, 0, 6, "reconnect and auth again"},
      {8, 0, 0, 1, "should not come here, let's assert"},
      {3, 0, 0, 6, "do nothing but waiting for auth result"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state_in_work);
    auth_->ClearCalls();
    hostkit::ClearLogs();
    // The check sees an unauthorized user; by the time the work asks, the state has moved on.
    int asked = 0;
    auth_->Handle(3, [&](const Variant&, Variant* out) {
      (*out)["auth_state"] = ++asked == 1 ? int64_t{1} : c.state_in_work;
      (*out)["auth_type"] = 0;
      return true;
    });
    Start();
    EXPECT_EQ(auth_->CallCount(12), static_cast<size_t>(c.retry_calls));
    EXPECT_EQ(auth_->CallCount(11), static_cast<size_t>(c.start_calls));
    EXPECT_TRUE(hostkit::HasLog(c.log_level, c.log));
    EXPECT_EQ(journal_.entered.back(), "do_auth_state");
  }
}

TEST_F(AuthFlow, ARunningFlowIsStoppedBeforeItStartsAgain) {
  AuthData(1, 0);
  Start();
  ASSERT_TRUE(vm_.auth_state_machine()->IsRunning());
  Start();
  EXPECT_TRUE(hostkit::HasLog(6, "state machine is running, abort it"));
  EXPECT_TRUE(hostkit::HasLog(6, "is cancel:true"));
  EXPECT_EQ(auth_->SubscriberCount(1), 1u);  // only the new run waits

  vm_.ReleaseAuthStateMachine();
  EXPECT_EQ(vm_.auth_state_machine(), nullptr);
  EXPECT_EQ(auth_->SubscriberCount(1), 0u);
  EXPECT_TRUE(hostkit::HasLog(6, "release auth statemachine"));

  Start();
  EXPECT_TRUE(hostkit::HasLog(1, "state machine must be initialized first!"));
}

TEST_F(AuthFlow, SetupTwiceKeepsTheFirstMachine) {
  StateMachine* first = vm_.auth_state_machine();
  ScreenViewModel::ExtraStates none;
  vm_.SetupAuthStateMachine(none, nullptr);
  EXPECT_EQ(vm_.auth_state_machine(), first);
  EXPECT_TRUE(hostkit::HasLog(3, "state machine can only setup once!"));
  AuthData(2, kWanted);
  Start();
  EXPECT_EQ(join_->entered_with.size(), 1u);  // the first machine's end states still apply
}

// Unreadable authorization data counts as neither authorized nor cancelled: the check asks for
// an authorization (result 1), or goes to the user-code state when a code was given. It never
// finishes with a result of its own for the failure.
TEST_F(AuthFlow, UnreadableAuthorizationDataNeedsAnAuthorization) {
  const char* answers[] = {nullptr, "\"authorized\"", R"({"auth_state": "2", "auth_type": 1})", "[2, 1]"};
  for (const char* answer : answers) {
    SCOPED_TRACE(answer ? answer : "failed call");
    if (answer) {
      auth_->Answer(3, Json(answer));
    } else {
      auth_->Fail(3);
    }
    hostkit::ClearLogs();
    journal_.entered.clear();
    Start();
    EXPECT_EQ(journal_.entered, (std::vector<std::string>{"check_auth_state", "do_auth_state"}));
    // The working state cannot read a state to act on either: it waits for event 1.
    EXPECT_EQ(auth_->CallCount(11) + auth_->CallCount(12), 0u);
    EXPECT_TRUE(hostkit::HasLog(6, "do nothing but waiting for auth result"));
    if (!answer || answer[0] != '{') {
      EXPECT_TRUE(hostkit::HasLog(1, "call kCallFuncQueryAuthData failed"));
    }
    auth_->Fire(1, Json(R"({"auth_state": 2, "auth_type": 1})"));
    EXPECT_EQ(journal_.entered.back(), "join_state");
  }

  auth_->Fail(3);
  journal_.entered.clear();
  Start(R"({"user_code": "uc-9"})");
  EXPECT_EQ(journal_.entered, (std::vector<std::string>{"check_auth_state", "user_code_state"}));
}

// Without the model the check still asks for an authorization; the working state, with nothing
// that could ever end its wait, fails.
TEST_F(AuthFlow, WithoutAnAuthorizationModelTheFlowFails) {
  hostkit::RemoveModel(kAuthModel);
  Start();
  EXPECT_EQ(journal_.entered,
            (std::vector<std::string>{"check_auth_state", "do_auth_state", "auth_failed_state"}));
  EXPECT_TRUE(hostkit::HasLog(1, "cannot wait for auth result without an authorization model"));
}

}  // namespace
