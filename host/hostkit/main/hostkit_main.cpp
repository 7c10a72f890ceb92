// The main() of a module's test binary (target velto::hostkit_main): GoogleTest with a clean
// host around every test, so that no test sees the models, clock, logs or library singletons
// another one left behind.
#include <gtest/gtest.h>

#include "hostkit/hostkit.h"
#include "hostkit/secret_guard_listener.h"

namespace {

// Every test starts from a clean host: no models, manual clock at 0, no captured records.
class HostResetListener : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override { hostkit::Reset(); }
  void OnTestEnd(const testing::TestInfo&) override { hostkit::Reset(); }
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new HostResetListener);
  // Fixtures put this marker into every ticket, code and token they make up.
  hostkit::FailOnSecretsInLogs({hostkit::kSecretMarker});
  return RUN_ALL_TESTS();
}
