#include "module_api/extension/p2p_delegate_holder.h"

#include <algorithm>
#include <utility>

namespace framework {
namespace {
uint64_t g_next_call_id = 99;
}  // namespace

P2PDelegate::P2PDelegate(uint64_t token) : token_(token), call_id_(g_next_call_id++) {}

P2PDelegate::~P2PDelegate() = default;

P2PDelegateHolder::P2PDelegateHolder() = default;

P2PDelegateHolder::~P2PDelegateHolder() = default;

void P2PDelegateHolder::SaveP2PDelegate(std::unique_ptr<P2PDelegate> delegate) {
  if (delegate) delegates_.push_back(std::move(delegate));
}

P2PDelegate* P2PDelegateHolder::GetP2PDelegateByCallId(uint64_t call_id) {
  for (const auto& delegate : delegates_) {
    if (delegate->call_id() == call_id) return delegate.get();
  }
  return nullptr;
}

P2PDelegate* P2PDelegateHolder::GetP2PDelegateByToken(uint64_t token) {
  for (const auto& delegate : delegates_) {
    if (delegate->token() == token) return delegate.get();
  }
  return nullptr;
}

void P2PDelegateHolder::DeleteP2PDelegate(P2PDelegate* delegate) {
  std::erase_if(delegates_, [delegate](const auto& owned) { return owned.get() == delegate; });
}

}  // namespace framework
