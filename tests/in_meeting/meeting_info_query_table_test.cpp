// The meeting information family's exported question: the client's product version, which the
// analytics tracker compares with the version its configuration was parsed for.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module_api/in_meeting/meeting_info.h"
#include "query_table.h"

namespace {

namespace meeting_info = velto_common::utils::meeting_info;
using namespace query_table;

std::vector<Row> MeetingInfoRows() {
  return {
      // The platform's package version as it is now, with or without any model.
      {"GetProductVersion", None(),
       [] {
         hostkit::Environment().package_version = "4.1.0.7";
         return meeting_info::GetProductVersion();
       },
       "4.1.0.7", ""},
  };
}

QUERY_TABLE_TEST(MeetingInfoQueryTable, ProductVersion, "meeting_info", MeetingInfoRows)

}  // namespace
