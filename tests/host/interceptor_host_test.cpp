// The host pieces the tracker stands on: the module interceptor service around the view-model
// lifecycle, the ability configuration and dynamic resource services, and small JSON files
// parsed off the UI thread.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "base/async/parse_json_file.h"
#include "base/threading/looper.h"
#include "framework/module/module_interceptor.h"
#include "framework/viewmodel.h"
#include "hostkit/hostkit.h"
#include "hostkit/module_interceptor.h"
#include "hostkit/remote_config.h"
#include "hostkit/viewmodel.h"
#include "veltosdk/utils/ability_config_service.h"
#include "veltosdk/utils/dynamic_res_service.h"

namespace {

using base::variant::Variant;
using framework::module::IModuleRuntime;

class Journal : public framework::module::IViewModelInterceptor {
 public:
  std::vector<std::string> lines;
  std::function<void()> on_action;
  void OnViewModelCreated(framework::ViewModel*, IModuleRuntime* r) override { Note("created", r); }
  void OnViewModelHandleAction(framework::ViewModel*, int action, IModuleRuntime* r) override {
    Note("action " + std::to_string(action), r);
    if (on_action) on_action();
  }
  void OnViewModelHandleActionAfter(framework::ViewModel*, int action, IModuleRuntime* r) override {
    Note("after " + std::to_string(action), r);
  }
  void OnViewModelAttached(framework::ViewModel*, IModuleRuntime* r) override { Note("attached", r); }
  void OnViewModelDetached(framework::ViewModel*, IModuleRuntime* r) override { Note("detached", r); }
  void OnViewModelVisibleChanged(framework::ViewModel*, bool visible, IModuleRuntime* r) override {
    Note(visible ? "shown" : "hidden", r);
  }

 private:
  void Note(const std::string& what, IModuleRuntime* runtime) {
    lines.push_back(what + "@" + (runtime ? runtime->name() : "null"));
  }
};

class Screen : public framework::ViewModel {
 public:
  std::vector<std::string>* journal = nullptr;
  void HandleAction(int action, const Variant*) override { journal->push_back("handled " + std::to_string(action)); }
};

TEST(ModuleInterceptorHost, CallbacksSurroundTheViewModelsOwnHandlersWithItsModulesRuntime) {
  auto journal = std::make_shared<Journal>();
  auto* service = framework::module::GetModuleInterceptorService();
  ASSERT_NE(service, nullptr);
  EXPECT_TRUE(service->RegisterViewModelInterceptor(journal));
  EXPECT_FALSE(service->RegisterViewModelInterceptor(journal));
  EXPECT_FALSE(service->RegisterViewModelInterceptor(nullptr));

  Screen screen;
  screen.journal = &journal->lines;
  hostkit::AttachViewModel(screen);
  hostkit::SetViewModelModule(screen, "chat");
  hostkit::FireAction(screen, 5);
  hostkit::SetViewVisible(screen, false);
  hostkit::SetViewVisible(screen, false);  // no change, no callback
  hostkit::SetViewVisible(screen, true);
  hostkit::DetachViewModel(screen);
  hostkit::AttachViewModel(screen);  // created only once
  EXPECT_EQ(journal->lines, (std::vector<std::string>{"created@app", "attached@app", "action 5@chat", "handled 5",
                                                      "after 5@chat", "hidden@chat", "shown@chat", "detached@chat",
                                                      "attached@chat"}));
  EXPECT_TRUE(service->UnregisterViewModelInterceptor(journal));
  EXPECT_FALSE(service->UnregisterViewModelInterceptor(journal));
}

TEST(ModuleInterceptorHost, AnInterceptorMayUnregisterItselfWhileItIsCalled) {
  auto first = std::make_shared<Journal>();
  auto second = std::make_shared<Journal>();
  auto* service = framework::module::GetModuleInterceptorService();
  service->RegisterViewModelInterceptor(first);
  service->RegisterViewModelInterceptor(second);
  std::weak_ptr<Journal> weak = first;
  first->on_action = [service, weak] { service->UnregisterViewModelInterceptor(weak.lock()); };
  Screen screen;
  std::vector<std::string> handled;
  screen.journal = &handled;
  hostkit::FireAction(screen, 1);  // the second still hears this callback; the first leaves
  hostkit::FireAction(screen, 2);
  EXPECT_EQ(first->lines, (std::vector<std::string>{"action 1@app"}));
  EXPECT_EQ(second->lines.size(), 4u);
  EXPECT_EQ(hostkit::ViewModelInterceptorCount(), 1u);
}

TEST(ModuleInterceptorHost, ResetForgetsInterceptorsAndModuleFilings) {
  framework::module::GetModuleInterceptorService()->RegisterViewModelInterceptor(std::make_shared<Journal>());
  hostkit::SetModuleInterceptorServiceAvailable(false);
  EXPECT_EQ(framework::module::GetModuleInterceptorService(), nullptr);
  hostkit::Reset();
  EXPECT_NE(framework::module::GetModuleInterceptorService(), nullptr);
  EXPECT_EQ(hostkit::ViewModelInterceptorCount(), 0u);
  EXPECT_EQ(hostkit::ModuleRuntime("m")->name(), "m");
  EXPECT_EQ(hostkit::ModuleRuntime("m"), hostkit::ModuleRuntime("m"));
}

class Limits : public veltosdk::IAbilityConfigListener {
 public:
  std::vector<Variant> seen;
  bool leave = false;
  void OnAbilityConfigChanged() override {
    auto* service = veltosdk::utils::service::GetAbilityConfigService();
    seen.push_back(service->GetAbilityValue("g", "k"));
    if (leave) service->RemoveAbilityConfigListener(this);
  }
};

TEST(RemoteConfigHost, AbilityListenersReadTheNewValuesWhenTold) {
  auto* service = veltosdk::utils::service::GetAbilityConfigService();
  Limits a, b;
  a.leave = true;
  EXPECT_TRUE(service->AddAbilityConfigListener(&a));
  EXPECT_FALSE(service->AddAbilityConfigListener(&a));
  service->AddAbilityConfigListener(&b);
  hostkit::SetAbilityValue("g", "k", 5);
  EXPECT_EQ(hostkit::NotifyAbilityConfigChanged(), 2u);
  hostkit::SetAbilityValue("g", "k", Variant());
  EXPECT_EQ(hostkit::NotifyAbilityConfigChanged(), 1u);
  EXPECT_EQ(a.seen, (std::vector<Variant>{Variant(5)}));
  EXPECT_EQ(b.seen, (std::vector<Variant>{Variant(5), Variant()}));
  hostkit::SetAbilityConfigServiceAvailable(false);
  EXPECT_EQ(veltosdk::utils::service::GetAbilityConfigService(), nullptr);
}

class Download : public veltosdk::IDynamicResListener {
 public:
  std::vector<std::string> lines;
  void OnDynamicResUpdateStart(const std::string& name) override { lines.push_back("start " + name); }
  void OnDynamicResUpdateProgress(const std::string&, double p) override {
    lines.push_back("progress " + std::to_string(static_cast<int>(p * 100)));
  }
  void OnDynamicResUpdateComplete(const std::string&, const std::string& path, int state) override {
    lines.push_back("complete " + path + " " + std::to_string(state));
  }
};

TEST(RemoteConfigHost, ADownloadReachesOnlyTheListenersOfItsResource) {
  auto* service = veltosdk::utils::service::GetDynamicResService();
  Download conf, other;
  EXPECT_TRUE(service->RegisterDynamicResListener("conf", &conf));
  EXPECT_FALSE(service->RegisterDynamicResListener("conf", &conf));
  EXPECT_FALSE(service->RegisterDynamicResListener("", &other));
  service->RegisterDynamicResListener("other", &other);
  EXPECT_EQ(hostkit::DeliverDynamicRes("conf", "/d/1"), 1u);
  EXPECT_EQ(conf.lines, (std::vector<std::string>{"start conf", "progress 0", "progress 50", "progress 100",
                                                  "complete /d/1 0"}));
  EXPECT_TRUE(other.lines.empty());
  EXPECT_TRUE(service->UnregisterDynamicResListener("conf", &conf));
  EXPECT_EQ(hostkit::DynamicResUpdateComplete("conf", "/d/2", 1), 0u);
  EXPECT_EQ(hostkit::DynamicResListenerCount("other"), 1u);
}

class JsonFileHost : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("json_file_host_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Write(const std::string& name, const std::string& text) {
    std::ofstream(dir_ / name, std::ios::binary) << text;
    return (dir_ / name).string();
  }
  std::filesystem::path dir_;
};

TEST_F(JsonFileHost, AFileIsParsedOnTheWorkerAndAnsweredOnTheMainLooper) {
  std::vector<std::string> answers;
  auto done = [&answers](bool ok, const base::json::JsonValue& doc) {
    answers.push_back(std::string(ok ? "ok " : "failed ") + doc.ToJson() + " on " +
                      base::threading::LooperThread::CurrentLooper()->name());
  };
  EXPECT_TRUE(base::async::ParseSmallJsonFile(Write("a.json", R"({"a": [1, 2]})"), done));
  EXPECT_TRUE(base::async::ParseSmallJsonFile(Write("b.json", "[1, "), done));
  EXPECT_TRUE(base::async::ParseSmallJsonFile((dir_ / "missing.json").string(), done));
  EXPECT_TRUE(base::async::ParseSmallJsonFile(
      Write("big.json", "[" + std::string(base::async::kSmallJsonFileMaxBytes, ' ') + "]"), done));
  EXPECT_FALSE(base::async::ParseSmallJsonFile(Write("c.json", "[]"), nullptr));
  EXPECT_TRUE(answers.empty());
  hostkit::RunUntilIdle();
  const std::string main = base::threading::LooperThread::MainLooper()->name();
  EXPECT_EQ(answers, (std::vector<std::string>{"ok {\"a\":[1,2]} on " + main, "failed null on " + main,
                                               "failed null on " + main, "failed null on " + main}));
}

}  // namespace
