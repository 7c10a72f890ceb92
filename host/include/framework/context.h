// framework::Context: what a view model or page hands to the framework to say where it lives,
// so that navigations and alerts open in the right window.
//
//   auto context = std::make_shared<framework::Context>(view_ref);
//   framework::module::Navigator::Of(context, framework::PageStack::kWindow).Push(page, args);
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace framework {

// The view a context belongs to, addressed by the host's view reference. Its type says what
// draws the view: 0 the host's native views, 2 the UI toolkit (tbui).
class ViewContext {
 public:
  static constexpr int kToolkitView = 2;
  explicit ViewContext(int64_t view_ref = 0, int type = 0) : view_ref_(view_ref), type_(type) {}
  int64_t view_ref() const { return view_ref_; }
  int type() const { return type_; }

 private:
  int64_t view_ref_;
  int type_;
};

class Context {
 public:
  explicit Context(int64_t view_ref = 0, std::string name = {}, int view_type = 0)
      : view_context_(view_ref, view_type), name_(std::move(name)) {}
  virtual ~Context() = default;

  const ViewContext& view_context() const { return view_context_; }
  const std::string& name() const { return name_; }

 private:
  ViewContext view_context_;
  std::string name_;
};

}  // namespace framework
