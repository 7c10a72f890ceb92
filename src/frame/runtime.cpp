#include "module_api/runtime.h"

#include <filesystem>

#include "framework/resource.h"
#include "module_api/log.h"
#include "frame/scope_singleton.h"
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

// Made once under a spin flag, registered for the host's teardown.
velto_common::utils::ScopeSingleton<AppTBModuleRuntime> g_tb_runtime;

}  // namespace

AppTBModuleRuntime* GetAppTBModuleRuntime() { return g_tb_runtime.Get(); }

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
