#include "veltosdk/user_id_manager.h"

#include <utility>

namespace veltosdk {

UserIdManager* UserIdManager::SharedInstance() {
  static auto* const instance = new UserIdManager();  // the SDK owns it for the whole process
  return instance;
}

std::string UserIdManager::GetSelfId() const { return self_id_; }

void UserIdManager::SetSelfId(std::string id) { self_id_ = std::move(id); }

}  // namespace veltosdk
