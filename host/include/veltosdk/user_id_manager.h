// The local user's id as the platform SDK knows it.
#pragma once

#include <string>

namespace veltosdk {

class UserIdManager {
 public:
  static UserIdManager* SharedInstance();
  std::string GetSelfId() const;
  void SetSelfId(std::string id);  // host side: set at login

 private:
  std::string self_id_;
};

}  // namespace veltosdk
