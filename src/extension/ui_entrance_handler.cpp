#include "module_api/extension/ui_entrance_handler.h"

#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "util/time/server_time.h"

namespace velto {

using base::variant::Variant;

UIEntranceHandler::UIEntranceHandler() = default;
UIEntranceHandler::~UIEntranceHandler() = default;

bool UIEntranceHandler::QueryServiceEntranceIfVisible(const std::string& entrance_id, bool check_end_time) {
  entrance_ids_.insert(entrance_id);
  Variant query = Variant::Map();
  query["id"] = entrance_id;
  bool visible = model::QueryAnswer(model_id::kServiceEntranceModel, model_command::service_entrance::kEntranceVisible, &query)
                     .AsBoolean();
  if (visible && check_end_time) {
    query["attr"] = "end_time";
    const Variant end_time =
        model::QueryAnswer(model_id::kServiceEntranceModel, model_command::service_entrance::kEntranceVisible, &query);
    if (end_time.IsInteger()) visible = util::time::GetServerTimestamp(1) < end_time.AsInteger();
  }
  VELTO_LOG(log::kTrace) << "entrance_id = " << entrance_id << ", visible = " << visible;
  return visible;
}

void UIEntranceHandler::OnServiceEntranceVisibleChange(const std::string&, bool) {}

void UIEntranceHandler::OnEventUIControlConfigChanged(const Variant* params) {
  VELTO_LOG(log::kTrace) << "params = " << (params ? *params : Variant());
  if (params) HandleCallbackWithResult(params);
}

void UIEntranceHandler::HandleCallbackWithResult(const Variant* result) {
  // A copy: a listener may ask about further entrances while it is told.
  const std::set<std::string> ids = entrance_ids_;
  for (const std::string& id : ids) {
    if (!result->IsMap()) return;
    const Variant* value = result->Find(id);
    if (!value || !value->IsBool()) continue;
    VELTO_LOG(log::kTrace) << "entrance_id = " << id << ", visible = " << value->AsBoolean();
    OnServiceEntranceVisibleChange(id, value->AsBoolean());
  }
}

}  // namespace velto
