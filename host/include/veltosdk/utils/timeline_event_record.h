// veltosdk::TimelineEventRecord: one event logged to the timeline service
// (veltosdk/utils/timeline_service.h), as the stand-in keeps it.
//
//   const veltosdk::TimelineEventRecord& event = ...;
//   if (event.name == "join_start" && event.operation == 4) ...   // LogEventWithProperties
#pragma once

#include <map>
#include <string>

namespace veltosdk {

struct TimelineEventRecord {
  int operation;  // 1..6: which service operation recorded it, in declaration order
  std::string module;
  std::string category;
  std::string name;
  std::map<std::string, std::string> properties;
  int retry_count = 0;
};

}  // namespace veltosdk
