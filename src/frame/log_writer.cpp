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

// A record is one line: a control character written as it is would let a caller's text (an
// address from a server, a name) end the record and forge the next one. C0 controls and DEL
// become "\n", "\r", "\t" or "\xHH"; the C1 controls and the Unicode line and paragraph
// separators (which some viewers also break on) become "\u0085" and the like.
size_t EscapeLength(std::string_view text, size_t at) {
  const auto c = static_cast<unsigned char>(text[at]);
  if (c < 0x20 || c == 0x7f) return 1;
  if (c == 0xc2 && at + 1 < text.size()) {
    const auto next = static_cast<unsigned char>(text[at + 1]);
    if (next >= 0x80 && next <= 0x9f) return 2;
  }
  if (c == 0xe2 && at + 2 < text.size() && static_cast<unsigned char>(text[at + 1]) == 0x80) {
    const auto last = static_cast<unsigned char>(text[at + 2]);
    if (last == 0xa8 || last == 0xa9) return 3;
  }
  return 0;
}

void AppendEscaped(std::string& out, std::string_view text, size_t at, size_t length) {
  static constexpr char kHex[] = "0123456789abcdef";
  const auto c = static_cast<unsigned char>(text[at]);
  if (length == 1) {
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 0xf];
    }
    return;
  }
  const unsigned code = length == 2 ? static_cast<unsigned char>(text[at + 1])
                                    : 0x2000u | (static_cast<unsigned char>(text[at + 2]) & 0x3fu);
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(code >> shift) & 0xf];
}

void AppendText(std::string& out, std::string_view text) {
  size_t plain = 0;
  for (size_t i = 0; i < text.size();) {
    const size_t length = EscapeLength(text, i);
    if (length == 0) {
      ++i;
      continue;
    }
    out.append(text.substr(plain, i - plain));
    AppendEscaped(out, text, i, length);
    i += length;
    plain = i;
  }
  out.append(text.substr(plain));
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
  AppendText(Stream().buffer, text);
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
  AppendText(Stream().buffer, value.ToJsonStr());
  return *this;
}

}  // namespace velto::log
