// Opening and closing web pages: in the client's own web view (a page pushed on a navigator)
// or in the external browser.
//
//   velto::NavigateParams navigate;
//   navigate.push_type = 3;                         // modal
//   navigate.instance_id = "help";
//   auto result = velto::OpenWebPage(url, context, /*use_inner_webview=*/true, std::nullopt,
//                                    std::move(navigate));
//   result.Then([](const base::variant::Variant& page_result) { ... });
//
// The address itself may overrule the caller's choice of web view or browser through its
// "wv_navigate_style" and "vl_wv_setting" parameters (ParseNavigateStyleFromUrl,
// ParseUIStyleOfWVSetting). Use from the UI thread.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "base/threading/future.h"
#include "base/variant/variant.h"
#include "framework/context.h"
#include "framework/module/navigator.h"
#include "module_api/export.h"

namespace velto {

inline constexpr char kWebViewPage[] = "velto://page/webview";

struct VELTO_API NavigateParams {
  bool add_new_task_flag = false;
  framework::PageStack page_stack = framework::PageStack::kWindow;
  // "router_action_flag" of a router navigation.
  int32_t action_flag = 0;
  // 0 Push, 1 Push with navigation_scheme, 2 PushWithInstanceId, 3 PushModal,
  // 4 PushModalWithInstanceId, 5 PushWithClosingOthers, 6 router navigation.
  int32_t push_type = 0;
  // 0 PopOther, 1 PopOtherWithInstanceId, 2 Pop, 3 PopAll, 4 PopUntil, 5 router navigation.
  int32_t pop_type = 0;
  std::string scheme;             // empty: kWebViewPage
  std::string navigation_scheme;
  std::string instance_id;        // when set, pushes and closes address this instance
};

// Opens `url`. The future completes with the page's result for the pushes that have one; it
// never completes for the external browser, for push types 5 and 6, or when nothing opened.
// Without a context, nothing opens in the web view ("context is nullptr."). Only http(s)
// addresses reach the external browser, and a page that asks for the login state gets the
// user's ticket only when it is a trusted address (IsVeltoDomain); others open without it.
VELTO_API base::threading::Future<base::variant::Variant> OpenWebPage(
    const std::string& url, std::shared_ptr<const framework::Context> context, bool use_inner_webview,
    std::optional<base::variant::Variant> params, NavigateParams navigate);

// Closes a web page of `context`'s window (page stack 1) as `pop_type` says; an instance id
// always closes that instance.
VELTO_API void CloseWebPage(std::shared_ptr<const framework::Context> context, NavigateParams navigate);

// Reads "wv_navigate_style" of the (decoded) address into `out`: bit 0 as
// "is_support_set_open_in_app_state", bit 1 as "open_in_app_state". False when the address is
// not http(s) or the parameter is not numeric.
VELTO_API bool ParseNavigateStyleFromUrl(const std::string& url, base::variant::Variant& out);
// Reads "vl_wv_setting" into `out`: bit 0 as "is_need_login_state", bit 1 as
// "is_open_by_browser". False when the address is not http(s), or the value is missing, not
// numeric or 0.
VELTO_API bool ParseUIStyleOfWVSetting(const std::string& url, base::variant::Variant& out);

// The "web_ticket_type" of a trusted address when it is "NULL", "W9", "W10" or "W14"; "" else.
VELTO_API std::string ParseWebTicketTypeFromUrl(const std::string& url);
VELTO_API bool IsWebTicketNull(const std::string& ticket);

}  // namespace velto
