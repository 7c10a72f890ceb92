// Log records of the library and of modules that want the same format.
//
//   VELTO_LOG(1) << "get user info by unique id failed! index:" << index;
//
// Nothing after VELTO_LOG(level) is evaluated when base::log::GetLogLevel() is below `level`:
// no writer, no formatting, no allocation. Levels: 1 failure, 3 rejected input, 4 notable
// condition, 6 trace, 7 verbose. Texts over 1024 characters are cut, except at level 7.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/log/log.h"
#include "module_api/export.h"

namespace base::variant {
class Variant;
}

namespace velto::log {

inline constexpr int kFailure = 1;
inline constexpr int kRejected = 3;
inline constexpr int kNotable = 4;
inline constexpr int kTrace = 6;
inline constexpr int kVerbose = 7;
inline constexpr size_t kMaxTextLength = 1024;

// Streams one record into the thread's "base.log.stream" buffer and prints it when destroyed.
class VELTO_API RecordWriter {
 public:
  RecordWriter(int level, const char* file, int line, const char* function);
  ~RecordWriter();
  RecordWriter(const RecordWriter&) = delete;
  RecordWriter& operator=(const RecordWriter&) = delete;

  RecordWriter& operator<<(std::string_view text);
  RecordWriter& operator<<(const char* text) { return *this << std::string_view(text ? text : "(null)"); }
  RecordWriter& operator<<(const std::string& text) { return *this << std::string_view(text); }
  RecordWriter& operator<<(char c) { return *this << std::string_view(&c, 1); }
  RecordWriter& operator<<(bool value) { return *this << (value ? "true" : "false"); }
  RecordWriter& operator<<(int value) { return *this << static_cast<long long>(value); }
  RecordWriter& operator<<(long value) { return *this << static_cast<long long>(value); }
  RecordWriter& operator<<(long long value);
  RecordWriter& operator<<(unsigned value) { return *this << static_cast<unsigned long long>(value); }
  RecordWriter& operator<<(unsigned long value) { return *this << static_cast<unsigned long long>(value); }
  RecordWriter& operator<<(unsigned long long value);
  RecordWriter& operator<<(double value);
  RecordWriter& operator<<(const void* pointer);
  RecordWriter& operator<<(const base::variant::Variant& value);  // as JSON

 private:
  int level_;
  const char* file_;
  int line_;
  const char* function_;
  size_t start_;
};

// The base name of a path: what records carry as their file.
VELTO_API const char* FileBaseName(const char* path);

// How many record writers this thread has created; lets tests and benchmarks prove that a
// record below the level costs nothing.
VELTO_API uint64_t WritersCreatedOnThisThread();

// Internal: lets VELTO_LOG swallow the stream expression in its false branch.
struct Voidify {
  void operator&(RecordWriter&) {}
};

}  // namespace velto::log

#define VELTO_LOG(level)                                   \
  (::base::log::GetLogLevel() < (level))                   \
      ? (void)0                                            \
      : ::velto::log::Voidify() &                          \
            ::velto::log::RecordWriter((level), __FILE__, __LINE__, __func__)

// A record that carries another location than the macro's own: a helper logging for its caller.
#define VELTO_LOG_AT(level, location)                                                      \
  (::base::log::GetLogLevel() < (level))                                                   \
      ? (void)0                                                                            \
      : ::velto::log::Voidify() & ::velto::log::RecordWriter((level), (location).file_name(), \
                                                             (location).line_number(),     \
                                                             (location).function_name())
