// Joining from several devices needs the paid plan: the guide before paying and the pay page.
//
//   multi_device_join::ShowMultiDeviceJoinAlertBeforePay(this, "join", guide, done);
//   multi_device_join::OpenPayGuideUrl(context(), url);
#pragma once

#include <memory>
#include <string>

#include "base/variant/variant.h"
#include "framework/context.h"
#include "framework/ui_viewmodel.h"
#include "module_api/export.h"
#include "module_api/join/join_alerts.h"

namespace velto_common::utils::multi_device_join {

// Shows the block guide when `data`'s "guide_page_scenes" lists `scene`: the texts of its
// "multiclient_pro_guide_block_word" ("content", "continue_pay", "later_pay"), reported as
// "e#multiclient_pro_guide_block#all#exposure". False when nothing was shown.
VELTO_API bool ShowMultiDeviceJoinAlertBeforePay(framework::UIViewModel* view_model, const std::string& scene,
                                                 const base::variant::Variant& data,
                                                 velto_common::utils::join::JoinAlertDone done);
// Opens the pay guide: in a fixed 840x604 in-client window, or in the browser when the
// address asks for it ("wv_navigate_style=1"). An empty address is logged and ignored.
VELTO_API void OpenPayGuideUrl(std::shared_ptr<const framework::Context> context, const std::string& url);

}  // namespace velto_common::utils::multi_device_join
