#include "module_api/runtime.h"

#include <atomic>
#include <filesystem>
#include <thread>

#include "base/scope_singleton.h"
#include "framework/resource.h"
#include "module_api/log.h"
#include "veltosdk/utils/environment.h"

namespace velto_common::utils {

framework::module::IModuleRuntime* GetAppModuleRuntime() {
  framework::module::IModuleService* service = framework::module::GetModuleService();
  return service ? service->GetAppModuleRuntime() : nullptr;
}

std::string GetLocalizedString(int id) {
  return framework::Resource::GetInstance()->GetString(id);
}

}  // namespace velto_common::utils

framework::module::IModuleRuntime* GetAppModuleRuntime() {
  return velto_common::utils::GetAppModuleRuntime();
}

void AppTBModuleRuntime::InitAssets(bool flag) {
  // The toolkit expects the Windows-style child path; it is kept as the client ships it.
  std::string dir = veltosdk::utils::environment::GetInstallDir();
  if (!dir.empty() && dir.back() != '/' && dir.back() != '\\') dir += '/';
  SetAssetDirectory(dir + "tbui\\app", flag);
}

namespace {

std::atomic<AppTBModuleRuntime*> g_tb_runtime{nullptr};
std::atomic_flag g_tb_runtime_lock = ATOMIC_FLAG_INIT;

void DestroyTBRuntime(void*) {
  delete g_tb_runtime.exchange(nullptr);
}

}  // namespace

AppTBModuleRuntime* GetAppTBModuleRuntime() {
  if (AppTBModuleRuntime* runtime = g_tb_runtime.load(std::memory_order_acquire)) return runtime;
  while (g_tb_runtime_lock.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
  AppTBModuleRuntime* runtime = g_tb_runtime.load(std::memory_order_relaxed);
  if (!runtime) {
    runtime = new AppTBModuleRuntime();
    g_tb_runtime.store(runtime, std::memory_order_release);
    base::RegisterScopeSingleton(&g_tb_runtime, &DestroyTBRuntime);
  }
  g_tb_runtime_lock.clear(std::memory_order_release);
  return runtime;
}

bool InitLog(const std::string& log_dir, LogSink sink, const char* /*name*/) {
  std::error_code error;
  std::filesystem::create_directories(log_dir, error);
  const bool dir_ok = !error && std::filesystem::is_directory(log_dir, error);
  base::log::SetLogLevel(velto::log::kTrace);
  base::log::SetConsoleEnabled(false);
  base::log::SetLogDir(log_dir);
  base::log::SetSink(std::move(sink));
  const bool started = dir_ok && base::log::InitializeLogger();
  if (!dir_ok) VELTO_LOG(velto::log::kFailure) << "log directory unusable: " << log_dir;
  return started;
}
