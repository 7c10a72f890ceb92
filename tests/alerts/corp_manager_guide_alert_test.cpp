// The company administrator's guide: queued on the host's pop-up dispatcher when the operation
// alert model asks, opened over the home page when its turn comes, and never left blocking the
// queue.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/module/dispatcher.h"
#include "hostkit/hostkit.h"
#include "hostkit/navigation.h"
#include "hostkit/viewmodel.h"
#include "module_api/alerts/corp_manager_guide_alert_manager.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace {

using hostkit::Json;
using framework::module::Dispatcher;
constexpr int kGuideEvent = velto::model_event::operation_alert::kShowCorpManagerGuide;

class HomeViewModel : public velto::ICorpManagerGuideAlertManagerDelegate {
 public:
  std::shared_ptr<const framework::Context> ViewModelContext() override { return context; }
  std::shared_ptr<const framework::Context> context = std::make_shared<framework::Context>(77);
};

class CorpGuideTest : public testing::Test {
 protected:
  void SetUp() override {
    operation_ = &hostkit::InstallModel(velto::model_id::kOperationAlertModel);
    manager_ = std::make_unique<velto::CorpManagerGuideAlertManager>();
    manager_->SetDelegate(&home_);
    manager_->SetViewAttached();
  }
  void FireGuide(const char* json) { operation_->Fire(kGuideEvent, Json(json)); }

  HomeViewModel home_;
  hostkit::ScriptedModel* operation_ = nullptr;
  std::unique_ptr<velto::CorpManagerGuideAlertManager> manager_;
};

constexpr char kGuide[] =
    R"({"alert_url": "https://admin.velto.example/guide", "alert_width": 800, "alert_height": 600, "event_id": "e1"})";

TEST_F(CorpGuideTest, TheGuideWaitsForItsTurnThenOpensOverTheHomePage) {
  Dispatcher::Event other;
  other.name = "promotion";
  other.show = [] {};
  const std::string first = Dispatcher::GetInstance().Enqueue(std::move(other));
  hostkit::RunUntilIdle();

  FireGuide(kGuide);
  EXPECT_FALSE(manager_->dispatcher_token().empty());
  EXPECT_EQ(Dispatcher::GetInstance().WaitingCount(), 1u);
  hostkit::RunUntilIdle();
  EXPECT_TRUE(hostkit::Navigations().empty()) << "opened before its turn";

  Dispatcher::GetInstance().Finish(first);
  hostkit::RunUntilIdle();
  ASSERT_EQ(hostkit::Navigations().size(), 1u);
  const hostkit::Navigation& page = hostkit::Navigations()[0];
  EXPECT_EQ(page.page, "velto://page/home_mask_webview");
  EXPECT_EQ(page.navigation_scheme, "velto://page/home");
  EXPECT_EQ(page.view_ref, 77);
  EXPECT_EQ(page.arguments.GetString("url").rfind("https://admin.velto.example/guide", 0), 0u);
  EXPECT_TRUE(page.arguments.GetBoolean("hide_nav_refresh"));
  EXPECT_TRUE(page.arguments.GetBoolean("window_full_screen"));
  EXPECT_TRUE(page.arguments.GetBoolean("is_from_qt"));
  EXPECT_EQ(page.arguments.GetInteger("default_width"), 800);
  EXPECT_EQ(page.arguments.GetInteger("default_height"), 600);
  EXPECT_TRUE(hostkit::HasLog(6, "corp guide alert dequeue to show"));
  EXPECT_EQ(Dispatcher::GetInstance().CurrentToken(), manager_->dispatcher_token());

  // Closing the page ends the guide's turn.
  ASSERT_TRUE(hostkit::CompletePush(0, Json("{}")));
  hostkit::RunUntilIdle();
  EXPECT_EQ(Dispatcher::GetInstance().CurrentToken(), "");
}

TEST_F(CorpGuideTest, RequestsThatCannotBeShownQueueNothing) {
  struct Row {
    const char* name;
    const char* json;
    bool with_delegate;
    const char* log;
  };
  const Row rows[] = {
      {"empty url", R"({"alert_url": "", "alert_width": 1})", true, "url is null"},
      {"no url", R"({"event_id": "e"})", true, "url is null"},
      {"not a map", "[1]", true, "url is null"},
      {"no delegate", kGuide, false, "delegate is null"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    hostkit::ClearLogs();
    manager_->SetDelegate(row.with_delegate ? &home_ : nullptr);
    FireGuide(row.json);
    hostkit::RunUntilIdle();
    EXPECT_TRUE(manager_->dispatcher_token().empty());
    EXPECT_EQ(Dispatcher::GetInstance().CurrentToken(), "");
    EXPECT_TRUE(hostkit::Navigations().empty());
    EXPECT_TRUE(hostkit::HasLog(1, row.log));
  }
}

TEST_F(CorpGuideTest, DetachingWhileQueuedReleasesTheDispatcherSlot) {
  Dispatcher::Event other;
  other.name = "promotion";
  other.show = [] {};
  const std::string first = Dispatcher::GetInstance().Enqueue(std::move(other));
  FireGuide(kGuide);
  EXPECT_EQ(Dispatcher::GetInstance().WaitingCount(), 1u);
  manager_->SetViewDetached();
  EXPECT_EQ(Dispatcher::GetInstance().WaitingCount(), 0u);
  EXPECT_EQ(hostkit::SubscriptionsOf(manager_.get()), 0u);
  Dispatcher::GetInstance().Finish(first);
  hostkit::RunUntilIdle();
  EXPECT_TRUE(hostkit::Navigations().empty());
  FireGuide(kGuide);  // no longer listening
  EXPECT_EQ(Dispatcher::GetInstance().WaitingCount(), 0u);
}

TEST_F(CorpGuideTest, DestroyingTheManagerGivesItsTurnAway) {
  FireGuide(kGuide);  // its turn comes at once, as a task not yet run
  Dispatcher::Event later;
  bool later_shown = false;
  later.name = "later";
  later.show = [&] { later_shown = true; };
  Dispatcher::GetInstance().Enqueue(std::move(later));
  manager_.reset();
  hostkit::RunUntilIdle();
  EXPECT_TRUE(later_shown);
  EXPECT_TRUE(hostkit::Navigations().empty());
  EXPECT_TRUE(hostkit::HasLog(6, "dealloc"));
}

}  // namespace
