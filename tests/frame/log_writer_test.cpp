// The library's log records: level gate, cut at 1024 characters, per-thread buffer.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "hostkit/hostkit.h"
#include "module_api/log.h"

namespace {

int g_formatted = 0;
std::string Expensive() {
  ++g_formatted;
  return "formatted";
}

}  // namespace

TEST(LogWriter, RecordBelowTheLevelBuildsNothing) {
  hostkit::SetLogLevel(3);
  g_formatted = 0;
  const uint64_t writers = velto::log::WritersCreatedOnThisThread();
  VELTO_LOG(6) << Expensive();
  EXPECT_EQ(g_formatted, 0);
  EXPECT_EQ(velto::log::WritersCreatedOnThisThread(), writers);
  EXPECT_TRUE(hostkit::Logs().empty());

  VELTO_LOG(3) << Expensive();
  EXPECT_EQ(g_formatted, 1);
  ASSERT_EQ(hostkit::Logs().size(), 1u);
  EXPECT_EQ(hostkit::Logs()[0].text, "formatted");
}

TEST(LogWriter, CarriesLevelBaseNameLineAndFunction) {
  const int line = __LINE__ + 1;
  VELTO_LOG(4) << "value " << 42 << ' ' << -7LL << ' ' << true << ' ' << 2.5;
  ASSERT_EQ(hostkit::Logs().size(), 1u);
  const auto& record = hostkit::Logs()[0];
  EXPECT_EQ(record.level, 4);
  EXPECT_EQ(record.file, "log_writer_test.cpp");
  EXPECT_EQ(record.line, line);
  EXPECT_EQ(record.function, "TestBody");
  EXPECT_EQ(record.tag, "");
  EXPECT_EQ(record.text, "value 42 -7 true 2.5");
}

TEST(LogWriter, CutsAt1024ExceptAtLevel7) {
  hostkit::SetLogLevel(7);
  VELTO_LOG(1) << std::string(1024, 'a');
  VELTO_LOG(1) << std::string(1025, 'b');
  VELTO_LOG(7) << std::string(3000, 'c');
  ASSERT_EQ(hostkit::Logs().size(), 3u);
  EXPECT_EQ(hostkit::Logs()[0].text.size(), 1024u);
  EXPECT_EQ(hostkit::Logs()[1].text, std::string(1024, 'b'));
  EXPECT_EQ(hostkit::Logs()[2].text.size(), 3000u);
}

TEST(LogWriter, BufferIsClearedBetweenRecords) {
  VELTO_LOG(1) << "first";
  VELTO_LOG(1) << "second";
  ASSERT_EQ(hostkit::Logs().size(), 2u);
  EXPECT_EQ(hostkit::Logs()[1].text, "second");
}

TEST(LogWriter, RecordWrittenWhileStreamingAnotherKeepsBothIntact) {
  auto inner = [] {
    VELTO_LOG(1) << "inner";
    return "tail";
  };
  VELTO_LOG(1) << "outer " << inner();
  ASSERT_EQ(hostkit::Logs().size(), 2u);
  EXPECT_EQ(hostkit::Logs()[0].text, "inner");
  EXPECT_EQ(hostkit::Logs()[1].text, "outer tail");
}

TEST(LogWriter, ThreadsDoNotMixTheirTexts) {
  std::thread other([] {
    for (int i = 0; i < 200; ++i) VELTO_LOG(1) << "thread-" << "other";
  });
  for (int i = 0; i < 200; ++i) VELTO_LOG(1) << "thread-" << "main";
  other.join();
  ASSERT_EQ(hostkit::Logs().size(), 400u);
  for (const auto& record : hostkit::Logs()) {
    EXPECT_TRUE(record.text == "thread-main" || record.text == "thread-other") << record.text;
  }
}

TEST(LogWriter, ControlCharactersAreEscapedSoARecordStaysOneLine) {
  VELTO_LOG(1) << "a\nb\r" << '\t' << std::string("\x01\x7f", 2) << std::string(1, '\0') << "|\xc2\x85|\xe2\x80\xa8|";
  VELTO_LOG(1) << "caf\xc3\xa9 \xe2\x82\xac \xc2\xa0";  // other characters pass as they are
  ASSERT_EQ(hostkit::Logs().size(), 2u);
  EXPECT_EQ(hostkit::Logs()[0].text, "a\\nb\\r\\t\\x01\\x7f\\x00|\\u0085|\\u2028|");
  EXPECT_EQ(hostkit::Logs()[1].text, "caf\xc3\xa9 \xe2\x82\xac \xc2\xa0");
}
