// The paid plan for joining from several devices: the guide before paying and the pay page.
#include "module_api/join/multi_device_join.h"

#include <optional>

#include "framework/alert_builder.h"
#include "module_api/analytics.h"
#include "module_api/log.h"
#include "module_api/web/web_util.h"
#include "module_api/web/web_view.h"

namespace velto_common::utils::multi_device_join {
namespace {
using base::variant::Variant;
namespace log = velto::log;
}  // namespace

bool ShowMultiDeviceJoinAlertBeforePay(framework::UIViewModel* view_model, const std::string& scene,
                                       const Variant& data, join::JoinAlertDone done) {
  bool listed = false;
  for (const Variant& entry : data.Get("guide_page_scenes").Elements()) listed = listed || entry.AsStr() == scene;
  if (!listed) {
    VELTO_LOG(log::kTrace) << "[multi device join utils] no guide for scene " << scene;
    return false;
  }
  if (!view_model) {
    VELTO_LOG(log::kFailure) << "[multi device join utils] view_model is null";
    return false;
  }
  const Variant& words = data.Get("multiclient_pro_guide_block_word");
  framework::AlertBuilder(view_model)
      .SetContent(words.GetString("content"))
      .SetPositiveButtonText(words.GetString("continue_pay"))
      .SetNegativeButtonText(words.GetString("later_pay"))
      .SetCallback([done](int64_t, int button, const Variant& answer) {
        if (done) done(button, answer);
      })
      .Show();
  analytics::LogEventWithProperty("e#multiclient_pro_guide_block#all#exposure", "scene", scene);
  return true;
}

void OpenPayGuideUrl(std::shared_ptr<const framework::Context> context, const std::string& url) {
  if (url.empty()) {
    VELTO_LOG(log::kFailure) << "[multi device join utils] url is empty";
    return;
  }
  VELTO_LOG(log::kTrace) << "[multi device join utils] open pay guide url: " << url;
  const std::string revised = web::ReviseWebUrl(url);
  if (revised.find("wv_navigate_style=1") == std::string::npos) {
    Variant window = Variant::Map();
    window["wnd_size_width"] = 840;
    window["wnd_size_height"] = 604;
    window["show_max_btn"] = false;
    window["show_min_btn"] = false;
    window["fix_size"] = true;
    window["hide_toolbar"] = true;
    window["top_most"] = true;
    velto::NavigateParams navigate;
    navigate.instance_id = "PayRelation_id";
    navigate.push_type = 2;  // with the instance id: one pay window at a time
    velto::OpenWebPage(revised, std::move(context), true, std::move(window), std::move(navigate));
    return;
  }
  velto::OpenWebPage(web::Generate2ExternalBrowserUrlByToken(web::GetUserCenterMiddleLoginUrl(), revised),
                     std::move(context), false, std::nullopt, {});
}

}  // namespace velto_common::utils::multi_device_join
