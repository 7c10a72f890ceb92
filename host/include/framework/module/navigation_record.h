// framework::module::NavigationRecord: what the stand-in's Navigator keeps of each call, in call
// order, so that a test harness can read which pages were pushed or popped and with what.
//
//   const framework::module::NavigationRecord& nav = ...;
//   if (nav.kind == framework::module::NavigationKind::kPush) Open(nav.page, nav.arguments);
#pragma once

#include <cstdint>
#include <string>

#include "base/variant/variant.h"

namespace framework::module {

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

struct NavigationRecord {
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

}  // namespace framework::module
