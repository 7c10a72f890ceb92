// Environment facts of the platform SDK: directories, build identity, product flavour and the
// running instance. The stand-in answers from one veltosdk::SdkEnvironment
// (veltosdk/sdk_environment.h).
#pragma once

#include <string>

namespace veltosdk::utils::environment {
std::string GetInstallDir();
std::string GetResourceDirectory();
std::string GetAppResDirectory();
std::string GetGlobalDirectory();
std::string PackageVersion();
std::string Branch();
std::string PipeBuildId();
std::string PipeJobId();
}  // namespace veltosdk::utils::environment

namespace veltosdk::utils::version_util {
bool IsPeluVersion();
bool IsBexaSdk();
bool IsSaasSdk();
bool IsTestEnv();
}  // namespace veltosdk::utils::version_util

namespace veltosdk::utils::context {
std::string GetCurrentInstanceId();
std::string GetCurrentInstanceNameForDisplay();
}  // namespace veltosdk::utils::context
