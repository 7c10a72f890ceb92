// framework::AlertBuilder describes a dialog that a view model shows in its view's window.
//
//   framework::AlertBuilder(this)
//       .SetTitle(GetLocalizedString(kTitleId))
//       .SetContent(GetLocalizedString(kContentId))
//       .SetPositiveButtonText(GetLocalizedString(kOkId))
//       .SetNegativeButtonText(GetLocalizedString(kCancelId))
//       .SetCallback([this](int64_t alert_id, int button, const Variant& data) {
//         if (button == framework::AlertButton::kPositive) Confirm();
//       })
//       .Show();
//
// The callback runs on the UI thread once per button press. An auto-dismissed alert (the
// default) closes when a button is pressed; one that is not stays open until it is disposed
// (UIViewModel::DisposeAlert). A disposed alert never calls back. Alerts go away with the view
// model that showed them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/variant/variant.h"

namespace framework {

using base::variant::Variant;

class UIViewModel;

// Button values handed to an alert callback.
struct AlertButton {
  static constexpr int kClose = 0;
  static constexpr int kNegative = 1;
  static constexpr int kPositive = 2;
};

using AlertCallback = std::function<void(int64_t alert_id, int button, const Variant& data)>;

class AlertBuilder {
 public:
  explicit AlertBuilder(UIViewModel* owner) : owner_(owner) {}

  AlertBuilder& SetTitle(std::string title);
  AlertBuilder& SetContent(std::string content);
  AlertBuilder& SetPositiveButtonText(std::string text);  // an empty text hides the button
  AlertBuilder& SetNegativeButtonText(std::string text);
  AlertBuilder& SetCloseButtonVisible(bool visible);      // default true
  AlertBuilder& SetAutoDismiss(bool auto_dismiss);        // default true
  // A colour name of the theme for the content text ("" keeps the default).
  AlertBuilder& SetContentColor(std::string color_name);
  // Above every other window of the client.
  AlertBuilder& SetTopMost(bool top_most);
  // A check box under the content; its state comes back in the callback's data as
  // "checkbox_state" (bool).
  AlertBuilder& SetCheckBox(std::string text, bool checked);
  // A view of the owning module drawn inside the dialog, with the data it is drawn from.
  AlertBuilder& SetCustomView(std::string view_name, Variant data);
  AlertBuilder& SetCallback(AlertCallback callback);

  // Registers the alert with the host without showing it and returns its id; -1 without an
  // owner. Each call makes a new alert.
  int64_t Create();
  // Shows the alert of the last Create that is not shown yet, or creates and shows a new one.
  // Returns its id, -1 without an owner.
  int64_t Show();

 private:
  UIViewModel* owner_;
  std::string title_;
  std::string content_;
  std::string positive_text_;
  std::string negative_text_;
  bool close_button_visible_ = true;
  bool auto_dismiss_ = true;
  std::string content_color_;
  bool top_most_ = false;
  bool has_checkbox_ = false;
  std::string checkbox_text_;
  bool checkbox_checked_ = false;
  std::string custom_view_;
  Variant custom_data_;
  AlertCallback callback_;
  int64_t created_id_ = -1;
};

}  // namespace framework
