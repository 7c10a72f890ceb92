// veltosdk::SdkEnvironment: the environment facts the SDK answers through
// veltosdk::utils::environment, version_util, context and cgi (directories, build identity,
// product flavour, the running instance, the back-end host), in one value.
//
//   veltosdk::SdkEnvironment environment;            // the stand-in's defaults
//   environment.cgi_host = "https://api.test.example";
#pragma once

#include <string>

namespace veltosdk {

struct SdkEnvironment {
  std::string install_dir = "/opt/velto";
  std::string resource_dir = "/opt/velto/resources";
  std::string app_res_dir = "/opt/velto/app_res";
  std::string global_dir = "/tmp/velto_global";
  std::string package_version = "3.26.0.100";
  std::string branch = "master";
  std::string pipe_build_id = "1000";
  std::string pipe_job_id = "2000";
  std::string instance_id = "default";
  std::string instance_display_name = "";
  bool pelu = false;
  bool bexa_sdk = false;
  bool saas_sdk = true;
  bool test_env = false;
  std::string cgi_host = "https://api.velto.example";
  // Signed requests (veltosdk/plugin/velto_signal_request.h): the HMAC key and the user's
  // token. Secrets: never logged.
  std::string cgi_sign_key = "velto-default-sign-key";
  std::string user_token;
};

}  // namespace veltosdk
