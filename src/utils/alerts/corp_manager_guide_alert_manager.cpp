#include "module_api/alerts/corp_manager_guide_alert_manager.h"

#include <utility>

#include "framework/module/dispatcher.h"
#include "module_api/log.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/web/web_view.h"
#include "utils/alerts/alert_subscription.h"

namespace velto {
namespace {

using base::variant::Variant;

constexpr char kGuidePage[] = "velto://page/home_mask_webview";
constexpr char kHomePage[] = "velto://page/home";
constexpr char kDispatcherName[] = "corp_manager_guide";

}  // namespace

CorpManagerGuideAlertManager::CorpManagerGuideAlertManager() { VELTO_LOG(velto::log::kTrace) << "alloc"; }

CorpManagerGuideAlertManager::~CorpManagerGuideAlertManager() {
  VELTO_LOG(velto::log::kTrace) << "dealloc";
  SetViewDetached();
  self_.reset();
}

void CorpManagerGuideAlertManager::SetDelegate(ICorpManagerGuideAlertManagerDelegate* delegate) {
  VELTO_LOG(velto::log::kTrace) << "set delegate -> " << static_cast<const void*>(delegate);
  delegate_ = delegate;
}

void CorpManagerGuideAlertManager::SetViewAttached() {
  if (attached_) return;
  attached_ = alerts::SubscribeEvent(this, nullptr, velto::model_id::kOperationAlertModel,
                                     velto::model_event::operation_alert::kShowCorpManagerGuide,
                                     [this](const Variant* value) { OnShowCorpManagerGuideAlert(value); });
}

void CorpManagerGuideAlertManager::SetViewDetached() {
  if (attached_) {
    alerts::UnsubscribeEvent(this, velto::model_id::kOperationAlertModel,
                             velto::model_event::operation_alert::kShowCorpManagerGuide);
    attached_ = false;
  }
  // A guide still waiting would hold up every later pop-up.
  if (!token_->empty()) framework::module::Dispatcher::GetInstance().Finish(*token_);
}

void CorpManagerGuideAlertManager::OnShowCorpManagerGuideAlert(const Variant* value) {
  if (!delegate_) {
    VELTO_LOG(velto::log::kFailure) << "delegate is null";
    return;
  }
  const Variant& request = value && value->IsMap() ? *value : Variant::EmptyVariant();
  GuideRequest guide;
  guide.url = request.GetString("alert_url", "");
  guide.width = request.GetInteger("alert_width", 0);
  guide.height = request.GetInteger("alert_height", 0);
  guide.event_id = request.GetString("event_id", "");
  if (guide.url.empty()) {
    VELTO_LOG(velto::log::kFailure) << "url is null";
    return;
  }
  request_ = guide;
  // A fresh token holder per guide: an earlier guide's callback keeps its own.
  auto token = std::make_shared<std::string>();
  std::weak_ptr<CorpManagerGuideAlertManager*> weak = self_;
  framework::module::Dispatcher::Event event;
  event.name = kDispatcherName;
  event.show = [weak, token, guide] {
    std::shared_ptr<CorpManagerGuideAlertManager*> self = weak.lock();
    if (!self) {
      VELTO_LOG(velto::log::kFailure) << "self is null," << " event_id: " << guide.event_id;
      framework::module::Dispatcher::GetInstance().Finish(*token);
      return;
    }
    (*self)->ShowGuide(guide);
  };
  *token = framework::module::Dispatcher::GetInstance().Enqueue(std::move(event));
  token_ = token;
}

void CorpManagerGuideAlertManager::ShowGuide(const GuideRequest& request) {
  VELTO_LOG(velto::log::kTrace) << "corp guide alert dequeue to show";
  Variant params;
  params.Set("url", request.url);
  params.Set("hide_nav_refresh", true);
  params.Set("window_full_screen", true);
  params.Set("is_from_qt", true);
  params.Set("default_width", request.width);
  params.Set("default_height", request.height);
  NavigateParams navigate;
  navigate.push_type = 1;  // over the home page
  navigate.scheme = kGuidePage;
  navigate.navigation_scheme = kHomePage;
  auto closed = OpenWebPage(request.url, delegate_ ? delegate_->ViewModelContext() : nullptr, true, params,
                            std::move(navigate));
  // The guide's turn lasts until its page closes.
  std::shared_ptr<std::string> token = token_;
  closed.Then([token](const Variant&) { framework::module::Dispatcher::GetInstance().Finish(*token); });
}

}  // namespace velto
