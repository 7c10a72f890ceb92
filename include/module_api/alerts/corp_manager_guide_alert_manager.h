// The web-page guide for a company administrator, asked for by the operation alert model. It
// waits its turn on the host's pop-up queue (framework::module::Dispatcher) and then opens as
// "velto://page/home_mask_webview" over the home page.
//
//   guide_ = std::make_unique<velto::CorpManagerGuideAlertManager>();
//   guide_->SetDelegate(this);       // gives the home view's context
//   guide_->SetViewAttached();       // listens for the request
//   ...
//   guide_->SetViewDetached();       // a guide still waiting gives up its turn
//
// UI thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/variant/variant.h"
#include "framework/context.h"
#include "module_api/export.h"

namespace velto {

class ICorpManagerGuideAlertManagerDelegate {
 public:
  // Where the guide opens; null opens nothing.
  virtual std::shared_ptr<const framework::Context> ViewModelContext() = 0;

 protected:
  ~ICorpManagerGuideAlertManagerDelegate() = default;  // not owned through this interface
};

class VELTO_API CorpManagerGuideAlertManager {
 public:
  CorpManagerGuideAlertManager();
  ~CorpManagerGuideAlertManager();  // detaches; a queued guide then finds nobody and moves on
  CorpManagerGuideAlertManager(const CorpManagerGuideAlertManager&) = delete;
  CorpManagerGuideAlertManager& operator=(const CorpManagerGuideAlertManager&) = delete;

  void SetDelegate(ICorpManagerGuideAlertManagerDelegate* delegate);
  // Subscribes to the operation alert model's guide request.
  void SetViewAttached();
  // Unsubscribes and gives the queued or shown guide's turn back to the dispatcher.
  void SetViewDetached();

  // The dispatcher token of the guide queued last ("" before any).
  const std::string& dispatcher_token() const { return *token_; }

 private:
  struct GuideRequest {
    std::string url;
    int64_t width = 0;
    int64_t height = 0;
    std::string event_id;
  };

  void OnShowCorpManagerGuideAlert(const base::variant::Variant* value);
  void ShowGuide(const GuideRequest& request);

  ICorpManagerGuideAlertManagerDelegate* delegate_ = nullptr;
  // Shared with the queued show callback, which learns its token only after queueing.
  std::shared_ptr<std::string> token_ = std::make_shared<std::string>();
  GuideRequest request_;
  // Held weakly by the queued show callback: empty once this manager is gone.
  std::shared_ptr<CorpManagerGuideAlertManager*> self_ = std::make_shared<CorpManagerGuideAlertManager*>(this);
  bool attached_ = false;
};

}  // namespace velto
