#include <algorithm>
#include <charconv>
#include <cstring>
#include <string>

#include "base/variant/variant.h"
#include "module_api/log.h"

namespace velto::log {
namespace {

// The per-thread record buffer, known to the host as "base.log.stream". A writer streams into
// it and clears it when it prints, so a thread allocates its buffer once.
struct ThreadLogStream {
  std::string buffer;
  uint64_t writers_created = 0;
  ThreadLogStream() { buffer.reserve(kMaxTextLength); }
};

ThreadLogStream& Stream() {
  thread_local ThreadLogStream stream;
  return stream;
}

template <typename T>
void AppendNumber(std::string& out, T value) {
  char digits[32];
  auto [end, ec] = std::to_chars(digits, digits + sizeof(digits), value);
  if (ec == std::errc()) out.append(digits, end);
}

}  // namespace

const char* FileBaseName(const char* path) {
  if (!path) return "";
  const char* base = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '/' || *p == '\\') base = p + 1;
  }
  return base;
}

uint64_t WritersCreatedOnThisThread() { return Stream().writers_created; }

RecordWriter::RecordWriter(int level, const char* file, int line, const char* function)
    : level_(level),
      file_(FileBaseName(file)),
      line_(line),
      function_(function ? function : ""),
      start_(Stream().buffer.size()) {
  ++Stream().writers_created;
}

RecordWriter::~RecordWriter() {
  std::string& buffer = Stream().buffer;
  // A record built while another is being streamed (a logging call inside a << operand) owns
  // only the text after its start; the outer record's text stays in place.
  std::string_view text(buffer);
  text.remove_prefix(std::min(start_, text.size()));
  if (level_ != kVerbose && text.size() > kMaxTextLength) text = text.substr(0, kMaxTextLength);
  base::log::PrintLog("", file_, line_, function_, level_, text);
  buffer.resize(std::min(start_, buffer.size()));
}

RecordWriter& RecordWriter::operator<<(std::string_view text) {
  Stream().buffer.append(text);
  return *this;
}

RecordWriter& RecordWriter::operator<<(long long value) {
  AppendNumber(Stream().buffer, value);
  return *this;
}

RecordWriter& RecordWriter::operator<<(unsigned long long value) {
  AppendNumber(Stream().buffer, value);
  return *this;
}

RecordWriter& RecordWriter::operator<<(double value) {
  AppendNumber(Stream().buffer, value);
  return *this;
}

RecordWriter& RecordWriter::operator<<(const void* pointer) {
  std::string& out = Stream().buffer;
  out.append("0x");
  char digits[32];
  auto [end, ec] = std::to_chars(digits, digits + sizeof(digits), reinterpret_cast<uintptr_t>(pointer), 16);
  if (ec == std::errc()) out.append(digits, end);
  return *this;
}

RecordWriter& RecordWriter::operator<<(const base::variant::Variant& value) {
  Stream().buffer.append(value.ToJsonStr());
  return *this;
}

}  // namespace velto::log
