// hostkit: catching secrets in log records. Test fixtures hand the library tickets, codes and
// tokens that contain a marker; every record printed with a marker in clear is kept as a leak.
//
//   hostkit::WatchLogsForSecrets({hostkit::kSecretMarker});   // once, in the test main
//   hostkit::SetWebTicket(framework::module::TokenType::kWebTicket, "TK-S3CRET-1");
//   ...
//   EXPECT_TRUE(hostkit::TakeSecretLeaks().empty());
//
// Records are checked as they are printed, so a leak is kept even when a test clears the
// captured records or Reset() runs; the markers and the leaks survive Reset(). Records below
// the log level are never built, so they cannot leak. A gtest main fails each test with leaks
// through hostkit/secret_guard_listener.h.
#pragma once

#include <string>
#include <vector>

#include "hostkit/hostkit.h"

namespace hostkit {

// The marker the fixtures put into every secret they make up. Masking (first and last
// character kept) never leaves it whole inside a longer value.
inline constexpr char kSecretMarker[] = "S3CRET";

// Replaces the markers looked for; an empty list stops the watch.
void WatchLogsForSecrets(std::vector<std::string> markers);
// The records that showed a marker since the last call, oldest first; forgets them.
std::vector<LogRecord> TakeSecretLeaks();

}  // namespace hostkit
