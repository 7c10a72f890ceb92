// The host's view-model side as modules see it: lifecycle hooks, properties, priority events,
// subscription records, alerts, toasts, loading indicators and app lifecycle listeners.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/alert_builder.h"
#include "framework/model.h"
#include "framework/module/module.h"
#include "framework/stateful_viewmodel.h"
#include "framework/ui_viewmodel.h"
#include "hostkit/hostkit.h"
#include "hostkit/navigation.h"
#include "hostkit/viewmodel.h"
#include "util/applifecycle/app_lifecycle.h"

using base::Variant;
using hostkit::Json;

namespace {

int64_t IdOf(const void* p) { return static_cast<int64_t>(reinterpret_cast<intptr_t>(p)); }

// Writes every hook and handler it receives into a journal.
class JournalViewModel : public framework::StatefulViewModel {
 public:
  explicit JournalViewModel(std::vector<std::string>* journal) : journal_(journal) {}
  void OnViewCreated(const Variant* p) override { Note("created", p); }
  void OnViewAttached(const Variant* p) override {
    Note("attached", p);
    if (on_attached) on_attached();
  }
  void OnViewDetached() override {
    journal_->push_back("detached(records=" + std::to_string(RecordedSubscriptionCount()) + ")");
  }
  void HandleAction(int action, const Variant* p) override { Note("action " + std::to_string(action), p); }
  void OnViewModelAttachedBefore(const Variant* p) override { Note("attached-before", p); }
  void OnViewModelAttachedAfter(const Variant* p) override { Note("attached-after", p); }
  void OnViewModelDetachedBefore() override { journal_->push_back("detached-before"); }
  void OnViewModelDetachedAfter() override {
    journal_->push_back("detached-after(records=" + std::to_string(RecordedSubscriptionCount()) + ")");
  }
  void OnViewModelHandleActionBefore(int action, const Variant*) override {
    journal_->push_back("action-before " + std::to_string(action));
  }
  void OnViewModelHandleActionAfter(int action, const Variant*) override {
    journal_->push_back("action-after " + std::to_string(action));
  }

  std::function<void()> on_attached;

 private:
  void Note(const std::string& what, const Variant* p) {
    journal_->push_back(what + (p ? "(" + p->GetString("k", "-") + ")" : "(null)"));
  }
  std::vector<std::string>* journal_;
};

class PlainViewModel : public framework::StatefulViewModel {};

}  // namespace

TEST(ViewModelLifecycle, HooksRunAroundHandlersInHostOrder) {
  std::vector<std::string> journal;
  JournalViewModel vm(&journal);
  auto& model = hostkit::InstallModel(514);
  vm.on_attached = [&] {
    vm.RecordSubscribe(&model, IdOf(&vm));
    model.Subscribe(1, IdOf(&vm), [](const Variant*) {});
  };

  EXPECT_FALSE(vm.is_view_attached());
  ASSERT_TRUE(hostkit::AttachViewModel(vm, Json(R"({"k": "a"})")));
  EXPECT_TRUE(vm.is_view_attached());
  hostkit::FireAction(vm, 42, Json(R"({"k": "b"})"));
  hostkit::FireAction(vm, 43);
  ASSERT_TRUE(hostkit::DetachViewModel(vm));
  ASSERT_TRUE(hostkit::AttachViewModel(vm));  // created only once
  EXPECT_EQ(journal, (std::vector<std::string>{
                         "created(a)", "attached-before(a)", "attached(a)", "attached-after(a)",
                         "action-before 42", "action 42(b)", "action-after 42",
                         "action-before 43", "action 43(null)", "action-after 43",
                         // subscriptions are released between the view model's detach and the after-hook
                         "detached-before", "detached(records=1)", "detached-after(records=0)",
                         "attached-before(null)", "attached(null)", "attached-after(null)"}));
}

TEST(ViewModelLifecycle, DoubleAttachAndStrayDetachAreRefusedWithALog) {
  std::vector<std::string> journal;
  JournalViewModel vm(&journal);
  EXPECT_FALSE(hostkit::DetachViewModel(vm));
  EXPECT_TRUE(hostkit::HasLog(3, "is not attached"));
  EXPECT_TRUE(hostkit::AttachViewModel(vm));
  journal.clear();
  EXPECT_FALSE(hostkit::AttachViewModel(vm));
  EXPECT_TRUE(hostkit::HasLog(3, "is already attached"));
  EXPECT_TRUE(journal.empty());
}

TEST(ViewModelLifecycle, VisibleOnlyWhileAttachedAndNotHidden) {
  PlainViewModel vm;
  EXPECT_FALSE(vm.is_view_visible());
  hostkit::AttachViewModel(vm);
  EXPECT_TRUE(vm.is_view_visible());
  hostkit::SetViewVisible(vm, false);
  EXPECT_FALSE(vm.is_view_visible());
  hostkit::DetachViewModel(vm);
  hostkit::AttachViewModel(vm);  // a new attach shows the view again
  EXPECT_TRUE(vm.is_view_visible());
  hostkit::DetachViewModel(vm);
  EXPECT_FALSE(vm.is_view_visible());
}

TEST(ViewModelLifecycle, AttachGivesAContextThatNavigationsAndAlertsCarry) {
  PlainViewModel vm;
  EXPECT_EQ(vm.context(), nullptr);
  hostkit::AttachViewModel(vm, std::make_shared<framework::Context>(777));
  ASSERT_NE(vm.context(), nullptr);
  EXPECT_EQ(vm.context()->view_context().view_ref(), 777);

  vm.Navigate("velto://page/home", Json(R"({"from": "vm"})"), framework::PageStack::kWindow);
  vm.Navigate(framework::PageStack::kMain).PopAll();
  ASSERT_EQ(hostkit::Navigations().size(), 2u);
  EXPECT_EQ(hostkit::Navigations()[0].kind, hostkit::NavigationKind::kPush);
  EXPECT_EQ(hostkit::Navigations()[0].page, "velto://page/home");
  EXPECT_EQ(hostkit::Navigations()[0].view_ref, 777);
  EXPECT_EQ(hostkit::Navigations()[0].page_stack, static_cast<int>(framework::PageStack::kWindow));
  EXPECT_EQ(hostkit::Navigations()[0].arguments.GetString("from"), "vm");
  EXPECT_EQ(hostkit::Navigations()[1].kind, hostkit::NavigationKind::kPopAll);
  EXPECT_EQ(hostkit::Navigations()[1].page_stack, static_cast<int>(framework::PageStack::kMain));

  framework::AlertBuilder(&vm).SetTitle("t").Show();
  EXPECT_EQ(hostkit::LastAlert()->view_ref, 777);

  PlainViewModel other;  // without a context of its own, a fresh one per view
  hostkit::AttachViewModel(other);
  ASSERT_NE(other.context(), nullptr);
  EXPECT_NE(other.context()->view_context().view_ref(), 777);
}

TEST(ViewModelProperties, EveryValueKindIsStoredWithItsKind) {
  PlainViewModel vm;
  EXPECT_TRUE(vm.GetPropValue(1).IsNull());
  vm.SetPropValue(1, true);
  vm.SetPropValue(2, -7);
  vm.SetPropValue(3, 7u);
  vm.SetPropValue(4, "text");
  vm.SetPropValue(5, static_cast<const char*>(nullptr));
  vm.SetPropValue(6, Json(R"({"a": [1, 2]})"));
  vm.SetPropValue(7, nullptr);
  vm.SetPropValue(8, int64_t{1} << 40);
  vm.SetPropValue(9, 2.5);
  vm.SetPropValue(10, std::string("std"));

  EXPECT_TRUE(vm.GetPropValue(1).IsBool() && vm.GetPropValue(1).AsBoolean());
  EXPECT_TRUE(vm.GetPropValue(2).IsInteger());
  EXPECT_EQ(vm.GetPropValue(2).AsInteger(), -7);
  EXPECT_FALSE(vm.GetPropValue(2).IsUnsigned());
  EXPECT_TRUE(vm.GetPropValue(3).IsUnsigned());
  EXPECT_EQ(vm.GetPropValue(4).AsStr(), "text");
  EXPECT_TRUE(vm.GetPropValue(5).IsString());  // a null C string is written as ""
  EXPECT_EQ(vm.GetPropValue(5).AsStr(), "");
  EXPECT_EQ(vm.GetPropValue(6).Get("a").At(1).AsInteger(), 2);
  EXPECT_TRUE(vm.GetPropValue(7).IsNull());
  EXPECT_EQ(vm.GetPropValue(8).AsInteger(), int64_t{1} << 40);
  EXPECT_DOUBLE_EQ(vm.GetPropValue(9).AsDouble(), 2.5);
  EXPECT_EQ(vm.GetPropValue(10).AsStr(), "std");
}

TEST(ViewModelProperties, HistoryKeepsEveryWriteIncludingRepeats) {
  PlainViewModel vm;
  vm.SetPropValue(1, 5);
  vm.SetPropValue(1, 5);
  vm.SetPropValue(1, "six");
  const auto& history = hostkit::PropHistory(vm, 1);
  ASSERT_EQ(history.size(), 3u);
  EXPECT_EQ(history[1].AsInteger(), 5);
  EXPECT_EQ(history[2].AsStr(), "six");
  EXPECT_TRUE(hostkit::PropHistory(vm, 2).empty());
}

TEST(ViewModelProperties, StatefulDataIsPublishedWithItsState) {
  PlainViewModel vm;
  vm.InitState(3);
  EXPECT_EQ(vm.GetCurrentState(), 3);
  EXPECT_EQ(vm.GetPropValue(framework::StatefulViewModel::kCurrentStateProp).AsInt32(), 3);

  Variant rows = Json(R"([1, 2])");
  vm.SetStatefulData(5, &rows);
  EXPECT_EQ(vm.GetCurrentState(), 5);
  EXPECT_EQ(vm.GetPropValue(framework::StatefulViewModel::kStatefulDataProp), rows);
  vm.InitState(3);  // back to a state without data
  EXPECT_TRUE(vm.GetPropValue(framework::StatefulViewModel::kStatefulDataProp).IsNull());
  EXPECT_EQ(vm.GetStatefulData(5), rows);
  vm.SetStatefulData(5, nullptr);
  EXPECT_TRUE(vm.GetStatefulData(5).IsNull());
}

TEST(ViewModelProperties, ActionThresholdHoldsForTheGivenTime) {
  PlainViewModel vm;
  EXPECT_FALSE(vm.IsHitActionThreshold(9, 300));
  vm.RecordLastAction4Threshold(9);
  hostkit::AdvanceClock(299);
  EXPECT_TRUE(vm.IsHitActionThreshold(9, 300));
  EXPECT_FALSE(vm.IsHitActionThreshold(8, 300));
  hostkit::AdvanceClock(1);
  EXPECT_FALSE(vm.IsHitActionThreshold(9, 300));
}

TEST(PriorityEvents, HigherPriorityFirstThenOrdinaryInSubscriptionOrder) {
  auto& model = hostkit::InstallModel(514);
  framework::PrioritySubscribable* source = framework::AsPrioritySubscribable(&model);
  ASSERT_NE(source, nullptr);
  std::vector<std::string> seen;
  model.Subscribe(33, 1, [&](const Variant*) { seen.push_back("plain1"); });
  source->SubscribePriority(33, 2, 1, [&](const Variant*, bool&) { seen.push_back("p1"); });
  source->SubscribePriority(33, 3, 5, [&](const Variant*, bool&) { seen.push_back("p5a"); });
  source->SubscribePriority(33, 4, 5, [&](const Variant*, bool&) { seen.push_back("p5b"); });
  model.Subscribe(33, 5, [&](const Variant*) { seen.push_back("plain2"); });
  source->SubscribePriority(34, 6, 9, [&](const Variant*, bool&) { seen.push_back("other event"); });

  EXPECT_TRUE(model.FireEvent(33, nullptr));
  EXPECT_EQ(seen, (std::vector<std::string>{"p5a", "p5b", "p1", "plain1", "plain2"}));
  EXPECT_EQ(model.SubscriberCount(33), 5u);
  EXPECT_EQ(model.PrioritySubscriberCount(33), 3u);
}

TEST(PriorityEvents, ClearingCallNextStopsEveryoneAfter) {
  auto& model = hostkit::InstallModel(514);
  auto* source = framework::AsPrioritySubscribable(&model);
  std::vector<std::string> seen;
  bool stop = true;
  source->SubscribePriority(2, 1, 10, [&](const Variant* v, bool& call_next) {
    EXPECT_TRUE(call_next);  // arrives true
    seen.push_back("first:" + (v ? v->GetString("who") : std::string("null")));
    if (stop) call_next = false;
  });
  source->SubscribePriority(2, 2, 1, [&](const Variant*, bool&) { seen.push_back("second"); });
  model.Subscribe(2, 3, [&](const Variant*) { seen.push_back("plain"); });

  EXPECT_FALSE(model.FireEvent(2, nullptr));
  model.Fire(2, Json(R"({"who": "x"})"));
  EXPECT_EQ(seen, (std::vector<std::string>{"first:null", "first:x"}));
  stop = false;
  seen.clear();
  model.Fire(2, Json("{}"));
  EXPECT_EQ(seen, (std::vector<std::string>{"first:", "second", "plain"}));
}

TEST(PriorityEvents, ResubscribingMovesAndUnsubscribingLeavesTheOrdinarySubscription) {
  auto& model = hostkit::InstallModel(514);
  auto* source = framework::AsPrioritySubscribable(&model);
  std::vector<int> seen;
  source->SubscribePriority(2, 1, 5, [&](const Variant*, bool&) { seen.push_back(1); });
  source->SubscribePriority(2, 2, 3, [&](const Variant*, bool&) { seen.push_back(2); });
  source->SubscribePriority(2, 1, 1, [&](const Variant*, bool&) { seen.push_back(10); });  // replaces, now last
  model.Subscribe(2, 1, [&](const Variant*) { seen.push_back(100); });
  model.Fire(2, {});
  EXPECT_EQ(seen, (std::vector<int>{2, 10, 100}));

  seen.clear();
  source->UnsubscribePriority(int64_t{1});
  model.Fire(2, {});
  EXPECT_EQ(seen, (std::vector<int>{2, 100}));
  model.Unsubscribe(int64_t{2});  // the ordinary unsubscribe does not touch priority ones
  model.Fire(2, {});
  EXPECT_EQ(seen, (std::vector<int>{2, 100, 2, 100}));
  source->UnsubscribePriority(2, 2);
  EXPECT_EQ(model.PrioritySubscriberCount(2), 0u);
}

TEST(PriorityEvents, NewcomersDuringDeliveryHearTheNextEvent) {
  auto& model = hostkit::InstallModel(514);
  auto* source = framework::AsPrioritySubscribable(&model);
  std::vector<int> seen;
  source->SubscribePriority(2, 1, 1, [&](const Variant*, bool&) {
    seen.push_back(1);
    source->SubscribePriority(2, 2, 9, [&](const Variant*, bool&) { seen.push_back(2); });
    source->UnsubscribePriority(2, 3);
  });
  source->SubscribePriority(2, 3, 0, [&](const Variant*, bool&) { seen.push_back(3); });
  model.Fire(2, {});
  EXPECT_EQ(seen, (std::vector<int>{1}));
  model.Fire(2, {});
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 1}));
}

TEST(PriorityEvents, ModelsWithoutThemOfferNone) {
  class BareModel : public framework::Model {
   public:
    bool Subscribe(int, int64_t, framework::EventCallback) override { return false; }
    bool SubscribeWithLocation(int, int64_t, framework::EventCallback, const base::Location&) override {
      return false;
    }
    void Unsubscribe(int64_t) override {}
    void Unsubscribe(int, int64_t) override {}
    bool Call(int, const Variant*, Variant*) override { return false; }
    bool P2PCall(int, uint64_t, const Variant*, Variant*) override { return false; }
    framework::Future<Variant> AsyncCall(int, const Variant*) override { return {}; }
    int type() const override { return 1; }
    std::shared_ptr<framework::TBObservableObject> GetStateOf(int, const Variant&) override { return nullptr; }
  };
  BareModel bare;
  EXPECT_EQ(framework::AsPrioritySubscribable(&bare), nullptr);
  EXPECT_EQ(framework::AsPrioritySubscribable(nullptr), nullptr);
}

namespace {

// Subscribes ordinary and priority events on two models, one of them through a helper
// observer, and records them all, as screens tied to the authorization model do.
class SubscribingViewModel : public framework::StatefulViewModel {
 public:
  void OnViewAttached(const Variant*) override {
    for (int id : {504, 537}) {
      framework::Model* model = framework::module::GetAppModuleModel(id);
      if (!model) continue;
      RecordSubscribe(model, IdOf(this));
      model->Subscribe(2, IdOf(this), [this](const Variant*) { ++plain; });
      model->Subscribe(8, IdOf(this), [this](const Variant*) { ++plain; });
      if (auto* source = framework::AsPrioritySubscribable(model)) {
        RecordPrioritySubscribe(model, IdOf(this));
        source->SubscribePriority(2, IdOf(this), 12, [this](const Variant*, bool&) { ++priority; });
      }
    }
    if (framework::Model* model = framework::module::GetAppModuleModel(504)) {
      RecordSubscribe(model, IdOf(&helper));
      model->Subscribe(5, IdOf(&helper), [this](const Variant*) { ++plain; });
    }
  }
  int plain = 0;
  int priority = 0;
  char helper = 0;
};

}  // namespace

TEST(SubscriptionRecords, DetachLeavesNothingBehindButSparesOthers) {
  auto& auth = hostkit::InstallModel(504);
  hostkit::InstallModel(537);
  auth.Subscribe(2, 999, [](const Variant*) {});  // someone else's
  SubscribingViewModel vm;
  hostkit::AttachViewModel(vm);
  EXPECT_EQ(hostkit::SubscriptionsOf(&vm), 6u);
  EXPECT_EQ(hostkit::SubscriptionsOf(&vm.helper), 1u);
  EXPECT_EQ(vm.RecordedSubscriptionCount(), 5u);
  auth.Fire(2, {});
  EXPECT_EQ(vm.plain, 1);
  EXPECT_EQ(vm.priority, 1);

  hostkit::DetachViewModel(vm);
  EXPECT_EQ(hostkit::SubscriptionsOf(&vm), 0u);
  EXPECT_EQ(hostkit::SubscriptionsOf(&vm.helper), 0u);
  EXPECT_EQ(hostkit::TotalSubscribers(), 1u);
  auth.Fire(2, {});
  EXPECT_EQ(vm.plain, 1);

  hostkit::AttachViewModel(vm);  // subscribes again on the next attach
  EXPECT_EQ(hostkit::SubscriptionsOf(&vm), 6u);
}

TEST(SubscriptionRecords, ClearReleasesOneModelAndItsKindOnly) {
  auto& auth = hostkit::InstallModel(504);
  auto& profile = hostkit::InstallModel(537);
  SubscribingViewModel vm;
  hostkit::AttachViewModel(vm);
  vm.RecordClearPrioritySubscribe(&auth, IdOf(&vm));
  EXPECT_EQ(auth.PrioritySubscriberCount(2), 0u);
  EXPECT_EQ(auth.SubscriberCount(2), 1u);  // the ordinary one stays
  vm.RecordClearSubscribe(&auth, IdOf(&vm));
  EXPECT_EQ(auth.SubscriberCount(2), 0u);
  EXPECT_EQ(auth.SubscriberCount(8), 0u);
  EXPECT_EQ(profile.SubscriberCount(2), 2u);
  EXPECT_EQ(vm.RecordedSubscriptionCount(), 3u);
  vm.RecordSubscribe(&auth, IdOf(&vm));  // twice is once
  vm.RecordSubscribe(&auth, IdOf(&vm));
  EXPECT_EQ(vm.RecordedSubscriptionCount(), 4u);
}

TEST(SubscriptionRecords, RemovedModelsAreSkippedAndDestructionReleases) {
  hostkit::InstallModel(504);
  auto& profile = hostkit::InstallModel(537);
  {
    SubscribingViewModel vm;
    hostkit::AttachViewModel(vm);
    hostkit::RemoveModel(504);  // the recorded pointer is gone: release must not touch it
    hostkit::InstallModel(504);
    EXPECT_EQ(profile.SubscriberCount(), 3u);
  }  // destroyed while attached
  EXPECT_EQ(hostkit::TotalSubscribers(), 0u);
}

TEST(Alerts, ButtonsPressedFromTheTestReachTheCallbackOnce) {
  PlainViewModel vm;
  std::vector<std::string> answers;
  const int64_t id = framework::AlertBuilder(&vm)
                         .SetTitle("Leave?")
                         .SetContent("The meeting goes on")
                         .SetPositiveButtonText("Leave")
                         .SetNegativeButtonText("Stay")
                         .SetCloseButtonVisible(false)
                         .SetCustomView("in_using_meeting_info", Json(R"({"meeting_code": "123"})"))
                         .SetCallback([&](int64_t alert_id, int button, const Variant& data) {
                           answers.push_back(std::to_string(alert_id) + ":" + std::to_string(button) + ":" +
                                             data.GetString("k"));
                         })
                         .Show();
  ASSERT_GT(id, 0);
  const hostkit::AlertRecord* alert = hostkit::FindAlert(id);
  ASSERT_NE(alert, nullptr);
  EXPECT_EQ(alert->title, "Leave?");
  EXPECT_EQ(alert->content, "The meeting goes on");
  EXPECT_EQ(alert->positive_text, "Leave");
  EXPECT_EQ(alert->negative_text, "Stay");
  EXPECT_FALSE(alert->close_button_visible);
  EXPECT_EQ(alert->custom_view, "in_using_meeting_info");
  EXPECT_EQ(alert->custom_data.GetString("meeting_code"), "123");
  EXPECT_EQ(alert->owner, &vm);
  EXPECT_EQ(alert->state, hostkit::AlertState::kShown);
  EXPECT_EQ(hostkit::OpenAlertCount(), 1u);

  EXPECT_TRUE(hostkit::PressAlertButton(id, framework::AlertButton::kPositive, Json(R"({"k": "v"})")));
  EXPECT_FALSE(hostkit::PressAlertButton(id, framework::AlertButton::kNegative));  // closed by the first
  EXPECT_EQ(answers, (std::vector<std::string>{std::to_string(id) + ":2:v"}));
  alert = hostkit::FindAlert(id);
  EXPECT_EQ(alert->state, hostkit::AlertState::kAnswered);
  ASSERT_EQ(alert->presses.size(), 1u);
  EXPECT_EQ(alert->presses[0].button, framework::AlertButton::kPositive);
  EXPECT_EQ(hostkit::OpenAlertCount(), 0u);
}

TEST(Alerts, AlertThatIsNotAutoDismissedStaysUntilDisposedAndThenNeverCallsBack) {
  PlainViewModel vm;
  int calls = 0;
  const int64_t id = framework::AlertBuilder(&vm)
                         .SetTitle("Enrol")
                         .SetAutoDismiss(false)
                         .SetCallback([&](int64_t, int, const Variant&) { ++calls; })
                         .Show();
  EXPECT_TRUE(hostkit::PressAlertButton(id, framework::AlertButton::kNegative));
  EXPECT_TRUE(hostkit::PressAlertButton(id, framework::AlertButton::kPositive));
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(hostkit::FindAlert(id)->state, hostkit::AlertState::kShown);
  vm.DisposeAlert(id);
  EXPECT_EQ(hostkit::FindAlert(id)->state, hostkit::AlertState::kDisposed);
  EXPECT_FALSE(hostkit::PressAlertButton(id, framework::AlertButton::kPositive));
  EXPECT_EQ(calls, 2);
}

TEST(Alerts, CreateHoldsTheAlertBackUntilShow) {
  PlainViewModel vm;
  framework::AlertBuilder builder(&vm);
  builder.SetTitle("later");
  const int64_t id = builder.Create();
  EXPECT_EQ(hostkit::FindAlert(id)->state, hostkit::AlertState::kCreated);
  EXPECT_FALSE(hostkit::PressAlertButton(id, framework::AlertButton::kPositive));
  EXPECT_EQ(builder.Show(), id);
  EXPECT_EQ(hostkit::FindAlert(id)->state, hostkit::AlertState::kShown);
  const int64_t second = builder.Show();  // a new alert from the same description
  EXPECT_NE(second, id);
  EXPECT_EQ(hostkit::Alerts().size(), 2u);
  EXPECT_EQ(framework::AlertBuilder(nullptr).SetTitle("orphan").Show(), -1);
  EXPECT_TRUE(hostkit::HasLog(1, "alert without a view model: orphan"));
}

TEST(Alerts, DisposeAllTouchesOnlyTheOwnersAlertsAndDestructionDisposesTheRest) {
  PlainViewModel mine;
  PlainViewModel theirs;
  const int64_t a = framework::AlertBuilder(&mine).SetTitle("a").Show();
  const int64_t b = framework::AlertBuilder(&mine).SetTitle("b").Show();
  const int64_t c = framework::AlertBuilder(&theirs).SetTitle("c").Show();
  mine.DisposeAlert(c);  // not its alert
  EXPECT_EQ(hostkit::FindAlert(c)->state, hostkit::AlertState::kShown);
  mine.DisposeAllAlerts();
  EXPECT_EQ(hostkit::FindAlert(a)->state, hostkit::AlertState::kDisposed);
  EXPECT_EQ(hostkit::FindAlert(b)->state, hostkit::AlertState::kDisposed);
  EXPECT_EQ(hostkit::FindAlert(c)->state, hostkit::AlertState::kShown);

  int calls = 0;
  int64_t d = 0;
  {
    PlainViewModel dying;
    d = framework::AlertBuilder(&dying).SetCallback([&](int64_t, int, const Variant&) { ++calls; }).Show();
  }
  EXPECT_EQ(hostkit::FindAlert(d)->state, hostkit::AlertState::kDisposed);
  EXPECT_FALSE(hostkit::PressAlertButton(d, framework::AlertButton::kPositive));
  EXPECT_EQ(calls, 0);
}

TEST(Alerts, ACallbackMayShowTheNextAlert) {
  PlainViewModel vm;
  int64_t next = 0;
  const int64_t first = framework::AlertBuilder(&vm)
                            .SetTitle("first")
                            .SetCallback([&](int64_t, int, const Variant&) {
                              next = framework::AlertBuilder(&vm).SetTitle("second").Show();
                            })
                            .Show();
  EXPECT_TRUE(hostkit::PressAlertButton(first, framework::AlertButton::kClose));
  ASSERT_NE(hostkit::FindAlert(next), nullptr);
  EXPECT_EQ(hostkit::FindAlert(next)->title, "second");
  EXPECT_EQ(hostkit::LastAlert()->state, hostkit::AlertState::kShown);
}

TEST(ToastsAndLoading, ToastsAreRecordedWithTheirSettings) {
  PlainViewModel vm;
  hostkit::AdvanceClock(50);
  vm.ShowToast("saved");
  vm.ShowToast("slow", 2, 5000, 1, "warn.png", "more");
  ASSERT_EQ(hostkit::Toasts().size(), 2u);
  const auto& first = hostkit::Toasts()[0];
  EXPECT_EQ(first.text, "saved");
  EXPECT_EQ(first.type, 0);
  EXPECT_EQ(first.duration_ms, 2000);
  EXPECT_EQ(first.flags, 0);
  EXPECT_EQ(first.owner, &vm);
  EXPECT_EQ(first.shown_at_ms, 50);
  const auto& second = hostkit::Toasts()[1];
  EXPECT_EQ(second.type, 2);
  EXPECT_EQ(second.duration_ms, 5000);
  EXPECT_EQ(second.flags, 1);
  EXPECT_EQ(second.icon, "warn.png");
  EXPECT_EQ(second.extra, "more");
  hostkit::ClearToasts();
  EXPECT_TRUE(hostkit::Toasts().empty());
}

TEST(ToastsAndLoading, OneLoadingIndicatorPerViewModel) {
  PlainViewModel vm;
  PlainViewModel other;
  vm.DisposeLoading();  // none shown: nothing happens
  EXPECT_FALSE(hostkit::IsLoadingShown(vm));
  const int64_t first = vm.ShowLoading("joining");
  const int64_t second = vm.ShowLoading("still joining");
  other.ShowLoading();
  EXPECT_NE(first, second);
  ASSERT_EQ(hostkit::Loadings().size(), 3u);
  EXPECT_TRUE(hostkit::Loadings()[0].disposed);  // replaced
  EXPECT_EQ(hostkit::Loadings()[1].text, "still joining");
  EXPECT_TRUE(hostkit::IsLoadingShown(vm));
  vm.DisposeLoading();
  EXPECT_FALSE(hostkit::IsLoadingShown(vm));
  EXPECT_TRUE(hostkit::IsLoadingShown(other));
}

TEST(LocalizedTexts, FormatStringFillsOnlyBoundPlaceholders) {
  PlainViewModel vm;
  hostkit::SetLocalizedString(0x1d4cf025, "{nickname} holds {member_limit} seats, {unbound} stays");
  EXPECT_EQ(vm.GetLocalizedString(0x1d4cf025), "{nickname} holds {member_limit} seats, {unbound} stays");
  EXPECT_EQ(vm.FormatString(0x1d4cf025).Arg("nickname", "{member_limit}").Arg("member_limit", 300).Str(),
            "{member_limit} holds 300 seats, {unbound} stays");
  EXPECT_EQ(vm.FormatString(0x7fff0001).Arg("x", 1).Str(), "");  // unknown id
  EXPECT_EQ(framework::StringFormatter("a {b {c} d}").Arg("c", "C").Str(), "a {b C d}");
  EXPECT_EQ(framework::StringFormatter("{x}{x}{").Arg("x", 1u).Arg("x", -2).Str(), "-2-2{");
  EXPECT_EQ(framework::StringFormatter("{r}").Arg("r", 0.25).Str(), "0.25");
}

TEST(DisposeBag, RunsNewestFirstExactlyOnce) {
  std::vector<int> order;
  {
    PlainViewModel vm;
    vm.AddDisposable([&] { order.push_back(1); });
    vm.AddDisposable(nullptr);
    vm.AddDisposable([&] {
      order.push_back(2);
      vm.AddDisposable([&] { order.push_back(3); });  // added while disposing: runs too
    });
    EXPECT_EQ(vm.DisposableCount(), 2u);
    vm.DisposeAll();
    EXPECT_EQ(order, (std::vector<int>{2, 3, 1}));
    vm.AddDisposable([&] { order.push_back(4); });
  }
  EXPECT_EQ(order, (std::vector<int>{2, 3, 1, 4}));
}

namespace {

class Listener : public util::applifecycle::IAppLifecycleListener {
 public:
  Listener(std::vector<std::string>* log, std::string name) : log_(log), name_(std::move(name)) {}
  void OnResume(uint64_t ms) override { log_->push_back(name_ + " resume " + std::to_string(ms)); }
  void OnPause() override {
    log_->push_back(name_ + " pause");
    if (on_pause) on_pause();
  }
  std::function<void()> on_pause;

 private:
  std::vector<std::string>* log_;
  std::string name_;
};

}  // namespace

TEST(AppLifecycle, ListenersHearInRegistrationOrderAndLeaveWhenDestroyed) {
  std::vector<std::string> log;
  Listener a(&log, "a");
  auto b = std::make_unique<Listener>(&log, "b");
  util::applifecycle::AddAppLifecycleListener(&a);
  util::applifecycle::AddAppLifecycleListener(b.get());
  util::applifecycle::AddAppLifecycleListener(&a);  // once only
  EXPECT_EQ(hostkit::AppLifecycleListenerCount(), 2u);
  hostkit::NotifyAppPause();
  hostkit::NotifyAppResume(1500);
  EXPECT_EQ(log, (std::vector<std::string>{"a pause", "b pause", "a resume 1500", "b resume 1500"}));

  log.clear();
  a.on_pause = [&] { b.reset(); };  // destroyed during the notification: not called afterwards
  hostkit::NotifyAppPause();
  EXPECT_EQ(log, (std::vector<std::string>{"a pause"}));
  EXPECT_EQ(hostkit::AppLifecycleListenerCount(), 1u);
  util::applifecycle::RemoveAppLifecycleListener(&a);
  EXPECT_EQ(hostkit::AppLifecycleListenerCount(), 0u);
}
