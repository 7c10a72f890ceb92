#include "framework/module/navigator.h"

#include <utility>

#include "platform_state.h"

namespace framework::module {
namespace {

NavigationRecord Make(const Navigator& navigator, NavigationKind kind, const std::string& page) {
  NavigationRecord navigation;
  navigation.kind = kind;
  navigation.page = page;
  navigation.page_stack = static_cast<int>(navigator.page_stack());
  navigation.has_context = navigator.context() != nullptr;
  navigation.view_ref = navigator.context() ? navigator.context()->view_context().view_ref() : 0;
  return navigation;
}

Navigator::Result Record(NavigationRecord navigation) {
  return host_internal::platform::RecordNavigation(std::move(navigation));
}

}  // namespace

Navigator Navigator::Of(std::shared_ptr<const Context> context, PageStack page_stack) {
  return Navigator(std::move(context), page_stack);
}

Navigator::Result Navigator::Push(const std::string& page, const Variant& arguments) {
  NavigationRecord n = Make(*this, NavigationKind::kPush, page);
  n.arguments = arguments;
  return Record(std::move(n));
}

Navigator::Result Navigator::Push(const std::string& page, const std::string& navigation_scheme,
                                  const Variant& arguments) {
  NavigationRecord n = Make(*this, NavigationKind::kPush, page);
  n.navigation_scheme = navigation_scheme;
  n.has_navigation_scheme = true;
  n.arguments = arguments;
  return Record(std::move(n));
}

Navigator::Result Navigator::PushModal(const std::string& page, const std::string& navigation_scheme,
                                       const Variant& arguments) {
  NavigationRecord n = Make(*this, NavigationKind::kPushModal, page);
  n.navigation_scheme = navigation_scheme;
  n.has_navigation_scheme = true;
  n.arguments = arguments;
  return Record(std::move(n));
}

Navigator::Result Navigator::PushWithInstanceId(const std::string& page, const std::string& instance_id,
                                                const Variant& arguments) {
  NavigationRecord n = Make(*this, NavigationKind::kPushWithInstanceId, page);
  n.instance_id = instance_id;
  n.arguments = arguments;
  return Record(std::move(n));
}

Navigator::Result Navigator::PushModalWithInstanceId(const std::string& page, const std::string& navigation_scheme,
                                                     const std::string& instance_id, const Variant& arguments) {
  NavigationRecord n = Make(*this, NavigationKind::kPushModalWithInstanceId, page);
  n.navigation_scheme = navigation_scheme;
  n.has_navigation_scheme = true;
  n.instance_id = instance_id;
  n.arguments = arguments;
  return Record(std::move(n));
}

void Navigator::PushWithClosingOthers(const std::string& page, const Variant& arguments) {
  NavigationRecord n = Make(*this, NavigationKind::kPushWithClosingOthers, page);
  n.arguments = arguments;
  Record(std::move(n));
}

void Navigator::Pop(const Variant& result) {
  NavigationRecord n = Make(*this, NavigationKind::kPop, {});
  n.arguments = result;
  Record(std::move(n));
}

void Navigator::PopOther(const std::string& page) { Record(Make(*this, NavigationKind::kPopOther, page)); }

void Navigator::PopOtherWithInstanceId(const std::string& page, const std::string& instance_id) {
  NavigationRecord n = Make(*this, NavigationKind::kPopOtherWithInstanceId, page);
  n.instance_id = instance_id;
  Record(std::move(n));
}

void Navigator::PopUntil(const std::string& page) { Record(Make(*this, NavigationKind::kPopUntil, page)); }

void Navigator::PopAll() { Record(Make(*this, NavigationKind::kPopAll, {})); }

void Navigator::Navigate(int flag, const std::string& scheme, const Variant& router) {
  NavigationRecord n;
  n.kind = NavigationKind::kNavigate;
  n.page = scheme;
  n.page_stack = -1;
  n.arguments = router;
  n.flag = flag;
  Record(std::move(n));
}

}  // namespace framework::module
