// hostkit's secret guard: records that show a marker are kept as leaks, whatever happens to the
// captured records afterwards.
#include <gtest/gtest.h>

#include <string>

#include "base/log/log.h"
#include "hostkit/hostkit.h"
#include "hostkit/secret_guard.h"

TEST(SecretGuard, KeepsEveryRecordThatShowsAMarkerUntilTaken) {
  hostkit::TakeSecretLeaks();
  base::log::PrintLog("", "a.cpp", 3, "Fn", 6, std::string("client_key=tk-") + hostkit::kSecretMarker);
  base::log::PrintLog("", "a.cpp", 4, "Fn", 6, "client_key=t********1");
  hostkit::ClearLogs();
  hostkit::Reset();  // neither clearing nor a reset loses a leak
  const auto leaks = hostkit::TakeSecretLeaks();
  ASSERT_EQ(leaks.size(), 1u);
  EXPECT_EQ(leaks[0].line, 3);
  EXPECT_EQ(leaks[0].file, "a.cpp");
  EXPECT_TRUE(hostkit::TakeSecretLeaks().empty());
}
