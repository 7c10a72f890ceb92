// The platform SDK's dynamic resources: files the server publishes by resource name (remote
// configuration documents, for example) and the SDK downloads into a directory of their own.
//
//   class Conf : public veltosdk::IDynamicResListener { ... };
//   auto* service = veltosdk::utils::service::GetDynamicResService();
//   service->RegisterDynamicResListener("visual_tracking_conf", &conf);   // not owned
//
// For each download the listener hears a start, progress from 0 to 1, and a completion with the
// directory the files were put in (every download gets a directory of its own) and its state,
// all on the UI thread.
#pragma once

#include <string>

namespace veltosdk {

// The state a download completes with.
enum DynamicResUpdateState : int {
  kDynamicResUpdateSucceeded = 0,
  kDynamicResUpdateFailed = 1,
  kDynamicResUpdateUnchanged = 2,  // the server has nothing newer
};

class IDynamicResListener {
 public:
  virtual ~IDynamicResListener() = default;
  virtual void OnDynamicResUpdateStart(const std::string& res_name) = 0;
  // `progress` runs from 0 to 1.
  virtual void OnDynamicResUpdateProgress(const std::string& res_name, double progress) = 0;
  virtual void OnDynamicResUpdateComplete(const std::string& res_name, const std::string& path, int state) = 0;
};

class IDynamicResService {
 public:
  virtual ~IDynamicResService() = default;
  // False for a null listener, an empty name or a pair registered already.
  virtual bool RegisterDynamicResListener(const std::string& res_name, IDynamicResListener* listener) = 0;
  virtual bool UnregisterDynamicResListener(const std::string& res_name, IDynamicResListener* listener) = 0;
};

namespace utils::service {
// Null when the service is not loaded.
IDynamicResService* GetDynamicResService();
}  // namespace utils::service

}  // namespace veltosdk
