// hostkit: every framework::module::Navigator call, recorded in order, and the results of pushes.
//
//   velto::OpenWebPage(url, context, true, std::nullopt, std::move(params));
//   const hostkit::Navigation& nav = hostkit::Navigations().back();
//   EXPECT_EQ(nav.kind, hostkit::NavigationKind::kPushWithInstanceId);
//   EXPECT_EQ(nav.arguments.GetString("url"), "https://...");
//   hostkit::CompletePush(hostkit::Navigations().size() - 1, result);  // the page closed
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/variant/variant.h"
#include "framework/module/navigation_record.h"

namespace hostkit {

using NavigationKind = framework::module::NavigationKind;
const char* NavigationKindName(NavigationKind kind);

using Navigation = framework::module::NavigationRecord;

const std::vector<Navigation>& Navigations();
void ClearNavigations();
// Completes the future of the push recorded at `index`; false when that record is no push or
// was completed already.
bool CompletePush(size_t index, base::variant::Variant result);

}  // namespace hostkit
