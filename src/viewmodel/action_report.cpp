#include "viewmodel/action_report.h"

#include <string>

#include "module_api/analytics.h"

namespace velto::viewmodel {

void ReportStatisticsId(const base::variant::Variant* params) {
  if (!params || !params->IsMap()) return;
  const base::variant::Variant* id = params->Find("statistics_report_id");
  if (!id) return;
  std::string name;
  if (id->IsString()) {
    name = id->AsStr();
  } else if (id->IsInteger()) {
    name = id->IsUnsigned() ? std::to_string(id->AsUint64()) : std::to_string(id->AsInteger());
  }
  if (!name.empty()) velto_common::utils::analytics::LogEvent(name);
}

}  // namespace velto::viewmodel
