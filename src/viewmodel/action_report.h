// The statistics mark a view may attach to any action ("statistics_report_id"): the feature view
// models report it as an analytics event before they handle the action. Internal to the library.
#pragma once

#include "base/variant/variant.h"

namespace velto::viewmodel {

// Reports params["statistics_report_id"] (text, or a number as its decimal text) as an event;
// nothing without one.
void ReportStatisticsId(const base::variant::Variant* params);

}  // namespace velto::viewmodel
