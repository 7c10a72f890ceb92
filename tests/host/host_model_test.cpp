// The host stand-in's models, loopers and futures as module code sees them.
#include <gtest/gtest.h>

#include <vector>

#include "base/threading/looper.h"
#include "framework/module/module.h"
#include "hostkit/hostkit.h"

using base::threading::LooperThread;
using hostkit::Json;

TEST(ModelEvents, DeliveredInSubscriptionOrderToTheRightEvent) {
  auto& model = hostkit::InstallModel(508);
  std::vector<int> seen;
  model.Subscribe(1, 30, [&](const base::Variant*) { seen.push_back(30); });
  model.Subscribe(1, 10, [&](const base::Variant*) { seen.push_back(10); });
  model.Subscribe(2, 20, [&](const base::Variant*) { seen.push_back(20); });
  model.Fire(1, Json("{}"));
  EXPECT_EQ(seen, (std::vector<int>{30, 10}));
  EXPECT_EQ(model.SubscriberCount(1), 2u);
  EXPECT_EQ(hostkit::TotalSubscribers(), 3u);
}

TEST(ModelEvents, PayloadAndNullPayloadReachTheCallback) {
  auto& model = hostkit::InstallModel(508);
  std::vector<std::string> seen;
  model.Subscribe(1, 1, [&](const base::Variant* p) { seen.push_back(p ? p->GetString("k") : "null"); });
  model.Fire(1, Json(R"({"k": "v"})"));
  model.FireNull(1);
  EXPECT_EQ(seen, (std::vector<std::string>{"v", "null"}));
}

TEST(ModelEvents, UnsubscribeOneEventOrAll) {
  auto& model = hostkit::InstallModel(508);
  int count = 0;
  model.Subscribe(1, 7, [&](const base::Variant*) { ++count; });
  model.Subscribe(2, 7, [&](const base::Variant*) { ++count; });
  model.Unsubscribe(1, 7);
  model.Fire(1, {});
  model.Fire(2, {});
  EXPECT_EQ(count, 1);
  model.Unsubscribe(int64_t{7});
  model.Fire(2, {});
  EXPECT_EQ(count, 1);
  EXPECT_EQ(hostkit::TotalSubscribers(), 0u);
}

TEST(ModelEvents, ChangesDuringDeliveryAreSafe) {
  auto& model = hostkit::InstallModel(508);
  std::vector<int> seen;
  model.Subscribe(1, 1, [&](const base::Variant*) {
    seen.push_back(1);
    model.Unsubscribe(1, 2);                                              // removes a later one
    model.Subscribe(1, 3, [&](const base::Variant*) { seen.push_back(3); });  // next event only
    model.Unsubscribe(1, 1);                                              // removes itself
  });
  model.Subscribe(1, 2, [&](const base::Variant*) { seen.push_back(2); });
  model.Fire(1, {});
  EXPECT_EQ(seen, (std::vector<int>{1}));
  model.Fire(1, {});
  EXPECT_EQ(seen, (std::vector<int>{1, 3}));
}

TEST(ModelEvents, ResubscribingReplacesTheCallback) {
  auto& model = hostkit::InstallModel(508);
  int which = 0;
  model.Subscribe(1, 5, [&](const base::Variant*) { which = 1; });
  model.Subscribe(1, 5, [&](const base::Variant*) { which = 2; });
  model.Fire(1, {});
  EXPECT_EQ(which, 2);
  EXPECT_EQ(model.SubscriberCount(1), 1u);
}

TEST(ScriptedModel, RecordsEveryCallAndAnswersAsScripted) {
  auto& model = hostkit::InstallModel(514);
  base::Variant out;
  EXPECT_FALSE(model.Call(9, nullptr, &out));  // unscripted fails
  model.Handle(9, [](const base::Variant& in, base::Variant* answer) {
    *answer = in.GetInteger("x") * 2;
    return true;
  });
  base::Variant in = Json(R"({"x": 21})");
  EXPECT_TRUE(model.Call(9, &in, &out));
  EXPECT_EQ(out.AsInteger(), 42);
  EXPECT_TRUE(model.P2PCall(9, 77, &in, &out));
  ASSERT_EQ(model.calls().size(), 3u);
  EXPECT_EQ(model.calls()[2].kind, hostkit::CallRecord::Kind::kP2P);
  EXPECT_EQ(model.calls()[2].target, 77u);
  EXPECT_EQ(model.LastArgument(9).GetInteger("x"), 21);
  EXPECT_EQ(framework::module::GetAppModuleModel(514), &model);

  // With recording off the model still answers; it just keeps no record.
  model.RecordCalls(false);
  EXPECT_TRUE(model.Call(9, &in, &out));
  EXPECT_EQ(out.AsInteger(), 42);
  EXPECT_EQ(model.calls().size(), 3u);
  model.RecordCalls(true);
  model.AsyncCall(9, &in);
  EXPECT_EQ(model.calls().size(), 4u);
}

TEST(ScriptedModel, AsyncAnswersArriveOnTheMainLooper) {
  auto& model = hostkit::InstallModel(514);
  model.Answer(1, 5).HoldAsync(2);
  std::vector<int64_t> seen;
  model.AsyncCall(1, nullptr).Then([&](const base::Variant& v) { seen.push_back(v.AsInteger()); });
  auto held = model.AsyncCall(2, nullptr);
  held.Then([&](const base::Variant& v) { seen.push_back(v.AsInteger()); });
  EXPECT_TRUE(seen.empty());  // never inside the call
  hostkit::RunUntilIdle();
  EXPECT_EQ(seen, (std::vector<int64_t>{5}));
  EXPECT_FALSE(held.IsReady());
  EXPECT_TRUE(model.CompleteAsync(2, 9));
  EXPECT_FALSE(model.CompleteAsync(2, 9));
  hostkit::RunUntilIdle();
  EXPECT_EQ(seen, (std::vector<int64_t>{5, 9}));
}

TEST(Loopers, TasksRunByDueTimeThenPostingOrder) {
  std::vector<int> order;
  auto* main = LooperThread::MainLooper();
  main->PostDelayedTask([&] { order.push_back(3); }, 20);
  main->PostDelayedTask([&] { order.push_back(2); }, 10);
  main->PostTask([&] { order.push_back(0); });
  main->PostTask([&] { order.push_back(1); });
  EXPECT_EQ(hostkit::RunUntilIdle(), 2u);
  EXPECT_EQ(order, (std::vector<int>{0, 1}));
  hostkit::AdvanceClock(9);
  EXPECT_EQ(order.size(), 2u);
  hostkit::AdvanceClock(11);
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(hostkit::NowMs(), 20);
}

TEST(Loopers, ClockStopsAtEachDueTaskSoTasksSeeTheirOwnTime) {
  std::vector<int64_t> times;
  auto* main = LooperThread::MainLooper();
  main->PostDelayedTask([&] {
    times.push_back(hostkit::NowMs());
    LooperThread::MainLooper()->PostDelayedTask([&] { times.push_back(hostkit::NowMs()); }, 5);
  }, 10);
  hostkit::AdvanceClock(100);
  EXPECT_EQ(times, (std::vector<int64_t>{10, 15}));
}

TEST(Loopers, CancelledTaskNeverRunsAndCancelReportsIt) {
  int ran = 0;
  auto* worker = LooperThread::WorkerLooper();
  auto id = worker->PostDelayedTask([&] { ++ran; }, 5);
  EXPECT_TRUE(worker->CancelTask(id));
  EXPECT_FALSE(worker->CancelTask(id));
  hostkit::AdvanceClock(10);
  EXPECT_EQ(ran, 0);
}

TEST(Loopers, CurrentLooperIsTheOneRunningTheTask) {
  base::threading::Looper* seen = nullptr;
  LooperThread::FileLooper()->PostTask([&] { seen = LooperThread::CurrentLooper(); });
  hostkit::RunUntilIdle();
  EXPECT_EQ(seen, LooperThread::FileLooper());
  EXPECT_EQ(LooperThread::CurrentLooper(), LooperThread::MainLooper());
}

TEST(HostReset, DropsModelsTasksAndClock) {
  hostkit::InstallModel(514);
  int ran = 0;
  LooperThread::MainLooper()->PostDelayedTask([&] { ++ran; }, 5);
  hostkit::AdvanceClock(1);
  hostkit::Reset();
  EXPECT_EQ(framework::module::GetAppModuleModel(514), nullptr);
  EXPECT_EQ(hostkit::NowMs(), 0);
  hostkit::AdvanceClock(10);
  EXPECT_EQ(ran, 0);
}
