// Environment facts come from the stand-in's SdkEnvironment, which hostkit lets a test or the
// simulator edit.
#include "veltosdk/utils/environment.h"

#include "veltosdk/sdk_environment.h"
#include "veltosdk/sdk_state.h"

namespace host_internal::sdk {

veltosdk::SdkEnvironment& Environment() {
  static auto* environment = new veltosdk::SdkEnvironment;  // read by SDK getters until the process ends
  return *environment;
}

}  // namespace host_internal::sdk

namespace veltosdk::utils::environment {

std::string GetInstallDir() { return host_internal::sdk::Environment().install_dir; }
std::string GetResourceDirectory() { return host_internal::sdk::Environment().resource_dir; }
std::string GetAppResDirectory() { return host_internal::sdk::Environment().app_res_dir; }
std::string GetGlobalDirectory() { return host_internal::sdk::Environment().global_dir; }
std::string PackageVersion() { return host_internal::sdk::Environment().package_version; }
std::string Branch() { return host_internal::sdk::Environment().branch; }
std::string PipeBuildId() { return host_internal::sdk::Environment().pipe_build_id; }
std::string PipeJobId() { return host_internal::sdk::Environment().pipe_job_id; }

}  // namespace veltosdk::utils::environment

namespace veltosdk::utils::version_util {

bool IsPeluVersion() { return host_internal::sdk::Environment().pelu; }
bool IsBexaSdk() { return host_internal::sdk::Environment().bexa_sdk; }
bool IsSaasSdk() { return host_internal::sdk::Environment().saas_sdk; }
bool IsTestEnv() { return host_internal::sdk::Environment().test_env; }

}  // namespace veltosdk::utils::version_util

namespace veltosdk::utils::context {

std::string GetCurrentInstanceId() { return host_internal::sdk::Environment().instance_id; }
std::string GetCurrentInstanceNameForDisplay() { return host_internal::sdk::Environment().instance_display_name; }

}  // namespace veltosdk::utils::context
