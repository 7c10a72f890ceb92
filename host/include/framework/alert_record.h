// framework::AlertRecord: what the stand-in keeps of each alert a view model made (see
// framework/alert_builder.h), from creation to its answer or disposal.
//
//   const framework::AlertRecord& alert = ...;
//   if (alert.state == framework::AlertState::kShown) ...   // open: waiting for a button
//   for (const auto& press : alert.presses) ...              // the buttons pressed, in order
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/variant/variant.h"

namespace framework {

class UIViewModel;

// kAnswered: an auto-dismissed alert whose button was pressed.
enum class AlertState { kCreated, kShown, kAnswered, kDisposed };

struct AlertPress {
  int button;
  base::variant::Variant data;
};

struct AlertRecord {
  int64_t id = 0;
  const UIViewModel* owner = nullptr;
  int64_t view_ref = 0;  // of the owner's context when the alert was made
  std::string title;
  std::string content;
  std::string positive_text;
  std::string negative_text;
  bool close_button_visible = true;
  bool auto_dismiss = true;
  std::string content_color;
  bool top_most = false;
  bool has_checkbox = false;
  std::string checkbox_text;
  bool checkbox_checked = false;  // the initial state
  std::string custom_view;
  base::variant::Variant custom_data;
  AlertState state = AlertState::kCreated;
  std::vector<AlertPress> presses;  // the buttons pressed, in order
};

}  // namespace framework
