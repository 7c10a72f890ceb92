// hostkit: every framework::module::Navigator call, recorded in order, and the results of pushes.
//
//   velto::OpenWebPage(url, context, true, std::nullopt, std::move(params));
//   const hostkit::Navigation& nav = hostkit::Navigations().back();
//   EXPECT_EQ(nav.kind, hostkit::NavigationKind::kPushWithInstanceId);
//   EXPECT_EQ(nav.arguments.GetString("url"), "https://...");
//   hostkit::CompletePush(hostkit::Navigations().size() - 1, result);  // the page closed
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/variant/variant.h"

namespace hostkit {

enum class NavigationKind {
  kPush,
  kPushModal,
  kPushWithInstanceId,
  kPushModalWithInstanceId,
  kPushWithClosingOthers,
  kPop,
  kPopOther,
  kPopOtherWithInstanceId,
  kPopUntil,
  kPopAll,
  kNavigate,  // the static router
};
const char* NavigationKindName(NavigationKind kind);

struct Navigation {
  NavigationKind kind;
  std::string page;                    // the router's scheme for kNavigate
  std::string navigation_scheme;
  bool has_navigation_scheme = false;  // the overload with a navigation scheme was used
  std::string instance_id;
  int page_stack = 0;                  // -1 for kNavigate
  bool has_context = false;
  int64_t view_ref = 0;                // of the navigator's context
  base::variant::Variant arguments;    // push arguments, Pop's result, or the router map
  int flag = 0;                        // kNavigate only
};

const std::vector<Navigation>& Navigations();
void ClearNavigations();
// Completes the future of the push recorded at `index`; false when that record is no push or
// was completed already.
bool CompletePush(size_t index, base::variant::Variant result);

}  // namespace hostkit
