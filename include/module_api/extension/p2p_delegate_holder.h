// framework::P2PDelegate and framework::P2PDelegateHolder: bookkeeping of the callbacks a
// module waits on for peer-to-peer model calls (Model::P2PCall). Each delegate gets a call id
// of its own (process-wide, from 99 up) beside the caller's token; the holder owns the waiting
// delegates and finds them when the answer comes back.
//
//   class ShareDelegate : public framework::P2PDelegate { ... };
//   class ShareBridge : public framework::P2PDelegateHolder {
//     void Ask(uint64_t token) {
//       auto delegate = std::make_unique<ShareDelegate>(token);
//       model->P2PCall(39, delegate->call_id(), &args, nullptr);
//       SaveP2PDelegate(std::move(delegate));
//     }
//     void OnAnswer(uint64_t call_id) {
//       if (auto* d = GetP2PDelegateByCallId(call_id)) { ...; DeleteP2PDelegate(d); }
//     }
//   };
//
// UI thread only: the call-id counter is not synchronised.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "module_api/export.h"

namespace framework {

class VELTO_API P2PDelegate {
 public:
  explicit P2PDelegate(uint64_t token);
  P2PDelegate(const P2PDelegate&) = default;  // the copy keeps both ids
  P2PDelegate& operator=(const P2PDelegate&) = default;
  virtual ~P2PDelegate();

  uint64_t token() const { return token_; }
  uint64_t call_id() const { return call_id_; }

 private:
  uint64_t token_;
  uint64_t call_id_;
};

class VELTO_API P2PDelegateHolder {
 public:
  P2PDelegateHolder();
  P2PDelegateHolder(const P2PDelegateHolder&) = delete;
  P2PDelegateHolder& operator=(const P2PDelegateHolder&) = delete;
  virtual ~P2PDelegateHolder();

 protected:
  // Null is ignored.
  void SaveP2PDelegate(std::unique_ptr<P2PDelegate> delegate);
  // The first saved delegate with that id or token; null when none.
  P2PDelegate* GetP2PDelegateByCallId(uint64_t call_id);
  P2PDelegate* GetP2PDelegateByToken(uint64_t token);
  // Destroys the delegate; the others keep their order.
  void DeleteP2PDelegate(P2PDelegate* delegate);

 private:
  std::vector<std::unique_ptr<P2PDelegate>> delegates_;
};

}  // namespace framework
