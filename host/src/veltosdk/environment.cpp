// Environment facts come from hostkit::Environment(), which a test or the simulator edits.
#include "veltosdk/utils/environment.h"

#include "hostkit/hostkit.h"

namespace veltosdk::utils::environment {

std::string GetInstallDir() { return hostkit::Environment().install_dir; }
std::string GetResourceDirectory() { return hostkit::Environment().resource_dir; }
std::string GetAppResDirectory() { return hostkit::Environment().app_res_dir; }
std::string GetGlobalDirectory() { return hostkit::Environment().global_dir; }
std::string PackageVersion() { return hostkit::Environment().package_version; }
std::string Branch() { return hostkit::Environment().branch; }
std::string PipeBuildId() { return hostkit::Environment().pipe_build_id; }
std::string PipeJobId() { return hostkit::Environment().pipe_job_id; }

}  // namespace veltosdk::utils::environment

namespace veltosdk::utils::version_util {

bool IsPeluVersion() { return hostkit::Environment().pelu; }
bool IsBexaSdk() { return hostkit::Environment().bexa_sdk; }
bool IsSaasSdk() { return hostkit::Environment().saas_sdk; }
bool IsTestEnv() { return hostkit::Environment().test_env; }

}  // namespace veltosdk::utils::version_util

namespace veltosdk::utils::context {

std::string GetCurrentInstanceId() { return hostkit::Environment().instance_id; }
std::string GetCurrentInstanceNameForDisplay() { return hostkit::Environment().instance_display_name; }

}  // namespace veltosdk::utils::context
