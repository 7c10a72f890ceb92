// The --report page opened in headless Chromium: the script ran without an error (the page writes
// any into itself through window.onerror) and drew the chart. On CI a missing browser is a
// failure; elsewhere the test is skipped.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "sim_run.h"

namespace {

using simtest::TempDir;

bool HaveChromium() { return std::system("command -v chromium >/dev/null 2>&1") == 0; }

size_t Occurrences(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

TEST(SimReport, RendersInHeadlessChromiumWithoutScriptErrors) {
  if (!HaveChromium()) {
    const char* ci = std::getenv("CI");
    if (ci && std::string(ci) == "true") FAIL() << "chromium is missing: scripts/deps.sh installs it";
    GTEST_SKIP() << "chromium is not installed";
  }
  TempDir dir;
  const std::string report = dir.File("report.html");
  const simtest::Result run = simtest::RunSim({"--users", "60", "--minutes", "12", "--report", report}, dir);
  ASSERT_EQ(run.status, 0) << run.err;

  const std::string dom = dir.File("dom.html");
  const std::string command = "timeout 60 chromium --headless --no-sandbox --disable-dev-shm-usage --disable-gpu "
                              "--user-data-dir='" + dir.File("profile") + "' --dump-dom 'file://" + report + "' >'" +
                              dom + "' 2>/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  const std::string page = simtest::ReadFile(dom);
  EXPECT_EQ(Occurrences(page, "class=\"script-error\""), 0u) << page.substr(0, 2000);
  EXPECT_NE(page.find("data-rendered=\"yes\""), std::string::npos);
  EXPECT_GE(Occurrences(page, "<polyline"), 4u);          // members, tiles, pulled streams, waiting, hands
  EXPECT_GT(Occurrences(page, "class=\"event\""), 100u);  // the event lanes
  EXPECT_GT(Occurrences(page, "<tr class=\"notice\""), 2u);
  EXPECT_NE(page.find("velto-sim: a meeting of 60 people over 12 minutes"), std::string::npos);
  // Self-contained: nothing is fetched from anywhere.
  const std::string html = simtest::ReadFile(report);
  EXPECT_EQ(html.find("src="), std::string::npos);
  EXPECT_EQ(html.find("http://"), html.find("http://www.w3.org/2000/svg"));
}

}  // namespace
