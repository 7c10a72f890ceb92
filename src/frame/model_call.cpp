#include "module_api/model/model_call.h"

#include "framework/module/module.h"
#include "module_api/log.h"

namespace velto::model {

framework::Model* Find(int model_id, const base::Location& from) {
  framework::Model* model = framework::module::GetAppModuleModel(model_id);
  if (!model) VELTO_LOG_AT(log::kFailure, from) << "model " << model_id << " not found";
  return model;
}

bool Call(int model_id, int command, const Variant* argument, Variant* answer, const base::Location& from) {
  framework::Model* model = Find(model_id, from);
  if (!model) return false;
  if (model->Call(command, argument, answer)) return true;
  VELTO_LOG_AT(log::kFailure, from) << "call " << command << " of model " << model_id << " failed";
  return false;
}

bool Ask(int model_id, int command, const Variant* argument, const base::Location& from) {
  framework::Model* model = Find(model_id, from);
  return model && model->Call(command, argument, nullptr);
}

const Variant* Walk(const Variant& root, KeyPath path) noexcept {
  const Variant* current = &root;
  for (std::string_view key : path) {
    if (!current->IsMap()) return nullptr;
    current = current->Find(key);
    if (!current) return nullptr;
  }
  return current;
}

void LogWrongKind(int model_id, int command, KeyPath path, const base::Location& from) {
  if (base::log::GetLogLevel() < log::kFailure) return;
  log::RecordWriter writer(log::kFailure, from.file_name(), from.line_number(), from.function_name());
  writer << "answer of call " << command << " of model " << model_id << " has no valid ";
  if (path.size() == 0) writer << "value";
  for (std::string_view key : path) writer << '/' << key;
}

Variant QueryAnswer(int model_id, int command, const Variant* argument, const base::Location& from) {
  Variant answer;
  if (!Call(model_id, command, argument, &answer, from)) return Variant();
  return answer;
}

Variant QueryRecord(int model_id, int command, const Variant* argument, const base::Location& from) {
  Variant answer;
  if (!Call(model_id, command, argument, &answer, from)) return Variant();
  if (answer.IsMap()) return answer;
  LogWrongKind(model_id, command, {}, from);
  return Variant();
}

}  // namespace velto::model
