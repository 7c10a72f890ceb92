#include "framework/alert_builder.h"

#include <utility>

#include "framework/ui_viewmodel.h"
#include "framework/viewmodel/viewmodel_records.h"

namespace framework {

AlertBuilder& AlertBuilder::SetTitle(std::string title) {
  title_ = std::move(title);
  return *this;
}

AlertBuilder& AlertBuilder::SetContent(std::string content) {
  content_ = std::move(content);
  return *this;
}

AlertBuilder& AlertBuilder::SetPositiveButtonText(std::string text) {
  positive_text_ = std::move(text);
  return *this;
}

AlertBuilder& AlertBuilder::SetNegativeButtonText(std::string text) {
  negative_text_ = std::move(text);
  return *this;
}

AlertBuilder& AlertBuilder::SetCloseButtonVisible(bool visible) {
  close_button_visible_ = visible;
  return *this;
}

AlertBuilder& AlertBuilder::SetAutoDismiss(bool auto_dismiss) {
  auto_dismiss_ = auto_dismiss;
  return *this;
}

AlertBuilder& AlertBuilder::SetContentColor(std::string color_name) {
  content_color_ = std::move(color_name);
  return *this;
}

AlertBuilder& AlertBuilder::SetTopMost(bool top_most) {
  top_most_ = top_most;
  return *this;
}

AlertBuilder& AlertBuilder::SetCheckBox(std::string text, bool checked) {
  has_checkbox_ = true;
  checkbox_text_ = std::move(text);
  checkbox_checked_ = checked;
  return *this;
}

AlertBuilder& AlertBuilder::SetCustomView(std::string view_name, Variant data) {
  custom_view_ = std::move(view_name);
  custom_data_ = std::move(data);
  return *this;
}

AlertBuilder& AlertBuilder::SetCallback(AlertCallback callback) {
  callback_ = std::move(callback);
  return *this;
}

int64_t AlertBuilder::Create() {
  if (!owner_) {
    host_internal::viewmodel::LogHost(1, __FILE__, __LINE__, __func__, "alert without a view model: " + title_);
    return -1;
  }
  framework::AlertRecord record;
  record.owner = owner_;
  record.view_ref = owner_->context() ? owner_->context()->view_context().view_ref() : 0;
  record.title = title_;
  record.content = content_;
  record.positive_text = positive_text_;
  record.negative_text = negative_text_;
  record.close_button_visible = close_button_visible_;
  record.auto_dismiss = auto_dismiss_;
  record.content_color = content_color_;
  record.top_most = top_most_;
  record.has_checkbox = has_checkbox_;
  record.checkbox_text = checkbox_text_;
  record.checkbox_checked = checkbox_checked_;
  record.custom_view = custom_view_;
  record.custom_data = custom_data_;
  created_id_ = host_internal::viewmodel::CreateAlert(std::move(record), callback_);
  return created_id_;
}

int64_t AlertBuilder::Show() {
  const int64_t id = created_id_ >= 0 ? created_id_ : Create();
  created_id_ = -1;
  if (id < 0) return -1;
  host_internal::viewmodel::ShowAlert(id);
  return id;
}

}  // namespace framework
