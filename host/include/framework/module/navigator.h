// framework::module::Navigator: opens and closes pages, addressed by scheme
// ("velto://page/..."), in one page stack of a context's window.
//
//   auto nav = framework::module::Navigator::Of(context, framework::PageStack::kWindow);
//   nav.Push("velto://page/webview", args).Then([](const Variant& result) { ... });
//   nav.PopOther("velto://page/webview");
//
// A push's future completes with the page's result when the page closes. Navigate is the
// router: the host decides the window and the stack from the router map.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/threading/future.h"
#include "base/variant/variant.h"
#include "framework/context.h"

namespace framework {

// Page stacks of a window. The meaning of each stack belongs to the host's shell.
enum class PageStack : int32_t {
  kCurrent = 0,
  kWindow = 1,
  kMain = 2,
  kRoot = 3,
};

namespace module {

class Navigator {
 public:
  using Variant = base::variant::Variant;
  using Result = base::threading::Future<Variant>;

  // A null context addresses the application's main window.
  static Navigator Of(std::shared_ptr<const Context> context, PageStack page_stack);

  Result Push(const std::string& page, const Variant& arguments);
  // `navigation_scheme` names how the page enters (an animation or a container).
  Result Push(const std::string& page, const std::string& navigation_scheme, const Variant& arguments);
  Result PushModal(const std::string& page, const std::string& navigation_scheme, const Variant& arguments);
  // Pushes or, when that instance is already open, brings it forward.
  Result PushWithInstanceId(const std::string& page, const std::string& instance_id, const Variant& arguments);
  Result PushModalWithInstanceId(const std::string& page, const std::string& navigation_scheme,
                                 const std::string& instance_id, const Variant& arguments);
  // Pushes and closes every other page of the stack.
  void PushWithClosingOthers(const std::string& page, const Variant& arguments);

  // Closes the top page, completing its push with `result`.
  void Pop(const Variant& result);
  // Closes every page of this scheme.
  void PopOther(const std::string& page);
  void PopOtherWithInstanceId(const std::string& page, const std::string& instance_id);
  // Closes pages above the top-most page of this scheme.
  void PopUntil(const std::string& page);
  void PopAll();

  // The router: `flag` selects the router's behaviour (0 the default).
  static void Navigate(int flag, const std::string& scheme, const Variant& router);

  const std::shared_ptr<const Context>& context() const { return context_; }
  PageStack page_stack() const { return page_stack_; }

 private:
  Navigator(std::shared_ptr<const Context> context, PageStack page_stack)
      : context_(std::move(context)), page_stack_(page_stack) {}
  std::shared_ptr<const Context> context_;
  PageStack page_stack_;
};

}  // namespace module
}  // namespace framework
