#include "base/log/log.h"

#include <unistd.h>

#include <atomic>
#include <exception>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <utility>

#include <fmt/format.h>
#include <spdlog/logger.h>
#include <spdlog/sinks/rotating_file_sink.h>
#include <spdlog/sinks/stdout_color_sinks.h>

#include "base/log/log_capture.h"
#include "host_internal.h"

namespace base::log {
namespace {

constexpr int kDefaultLevel = 6;
constexpr size_t kMaxFileSize = size_t{10} * 1024 * 1024;
// spdlog counts the rotated copies only; with the live file that makes five.
constexpr size_t kRotatedFiles = 4;
// Our own level, tag, place and text are formatted into the message; spdlog adds the time.
constexpr char kPattern[] = "%Y-%m-%d %H:%M:%S.%e %v";

std::atomic<int> g_level{kDefaultLevel};
std::atomic<bool> g_console{true};

struct Destinations {
  std::mutex mutex;
  std::string dir;
  std::shared_ptr<spdlog::logger> file;
  std::shared_ptr<spdlog::logger> console;  // made on first use
  std::shared_ptr<const Sink> sink;
};

// Never destroyed: destructors that run at exit may still log. The rotating file is a stdio
// stream, which exit() flushes.
Destinations& State() {
  static auto* state = new Destinations;
  return *state;
}

// Only decides colours on the console and when the file is flushed; filtering is the callers'.
spdlog::level::level_enum ToSpdLevel(int level) {
  if (level <= 0) return spdlog::level::critical;
  if (level <= 1) return spdlog::level::err;
  if (level <= 3) return spdlog::level::warn;
  if (level <= 5) return spdlog::level::info;
  if (level <= 6) return spdlog::level::debug;
  return spdlog::level::trace;
}

std::string_view OrEmpty(const char* text) { return text ? std::string_view(text) : std::string_view(); }

std::string_view BaseName(const char* path) {
  std::string_view name = OrEmpty(path);
  size_t slash = name.find_last_of("/\\");
  return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

std::shared_ptr<spdlog::logger> MakeLogger(const char* name, spdlog::sink_ptr sink) {
  auto logger = std::make_shared<spdlog::logger>(name, std::move(sink));
  logger->set_level(spdlog::level::trace);
  logger->set_pattern(kPattern);
  logger->flush_on(spdlog::level::err);
  return logger;
}

std::shared_ptr<spdlog::logger> MakeConsole() {
  try {
    return MakeLogger("velto_console", std::make_shared<spdlog::sinks::stderr_color_sink_mt>());
  } catch (const std::exception&) {
    return nullptr;
  }
}

void LogFailure(int line, const char* function, std::string_view text) {
  if (GetLogLevel() >= 1) PrintLog("log", __FILE__, line, function, 1, text);
}

// Why `dir` cannot hold the log files, or "" when it can.
std::string CheckLogDir(const std::string& dir) {
  if (dir.empty()) return "no log dir set";
  std::error_code error;
  if (!std::filesystem::is_directory(dir, error)) return "log dir is not a directory";
  if (::access(dir.c_str(), W_OK) != 0) return "log dir is not writable";
  return {};
}

}  // namespace

int GetLogLevel() noexcept { return g_level.load(std::memory_order_relaxed); }

void SetLogLevel(int level) noexcept { g_level.store(level, std::memory_order_relaxed); }

void PrintLog(const char* tag, const char* file, int line, const char* function, int level,
              std::string_view text) {
  const std::string_view tag_text = OrEmpty(tag);
  const std::string_view file_name = BaseName(file);
  const std::string_view function_name = OrEmpty(function);
  const bool want_console = g_console.load(std::memory_order_relaxed);

  // Take the destinations under the lock, write outside it: a sink may log in turn.
  std::shared_ptr<spdlog::logger> file_logger;
  std::shared_ptr<spdlog::logger> console;
  std::shared_ptr<const Sink> sink;
  {
    Destinations& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    file_logger = state.file;
    if (want_console) {
      if (!state.console) state.console = MakeConsole();
      console = state.console;
    }
    sink = state.sink;
  }

  if (file_logger || console) {
    const std::string record = fmt::format("{} [{}] {}:{} {} {}", level, tag_text, file_name, line,
                                           function_name, text);
    const auto spd_level = ToSpdLevel(level);
    // spdlog reports its own write errors through its error handler; nothing escapes log().
    if (file_logger) file_logger->log(spd_level, spdlog::string_view_t(record.data(), record.size()));
    if (console) console->log(spd_level, spdlog::string_view_t(record.data(), record.size()));
  }

  if (sink && *sink) {
    try {
      (*sink)(std::string(text), level, tag ? tag : "");
    } catch (...) {
      // A throwing sink must not take the caller down; the other destinations still get it.
    }
  }

  host_internal::CaptureLogRecord(level, tag_text, file_name, line, function_name, text);
}

void SetConsoleEnabled(bool enabled) { g_console.store(enabled, std::memory_order_relaxed); }

void SetLogDir(const std::string& dir) {
  Destinations& state = State();
  std::lock_guard<std::mutex> lock(state.mutex);
  state.dir = dir;
}

std::string GetLogDir() {
  Destinations& state = State();
  std::lock_guard<std::mutex> lock(state.mutex);
  return state.dir;
}

void SetSink(Sink sink) {
  auto shared = sink ? std::make_shared<const Sink>(std::move(sink)) : nullptr;
  Destinations& state = State();
  std::lock_guard<std::mutex> lock(state.mutex);
  state.sink = std::move(shared);
}

bool InitializeLogger(const std::string& name) {
  const std::string dir = GetLogDir();
  std::string reason = CheckLogDir(dir);
  if (reason.empty() && (name.empty() || name.find_first_of("/\\") != std::string::npos)) {
    reason = "log name \"" + name + "\" is not a plain file name";
  }
  std::shared_ptr<spdlog::logger> logger;
  if (reason.empty()) {
    const std::string path = (std::filesystem::path(dir) / (name + ".log")).string();
    try {
      logger = MakeLogger("velto_file", std::make_shared<spdlog::sinks::rotating_file_sink_mt>(
                                            path, kMaxFileSize, kRotatedFiles));
    } catch (const std::exception& e) {
      reason = e.what();
    }
  }
  if (!logger) {
    // The previous file, if any, stays open: a bad directory must not lose records.
    LogFailure(__LINE__, __func__, "log file not opened in \"" + dir + "\": " + reason);
    return false;
  }

  std::shared_ptr<spdlog::logger> previous;
  {
    Destinations& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    previous = std::exchange(state.file, logger);
  }
  if (previous) previous->flush();
  return true;
}

void Flush() {
  std::shared_ptr<spdlog::logger> file_logger;
  std::shared_ptr<spdlog::logger> console;
  {
    Destinations& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    file_logger = state.file;
    console = state.console;
  }
  if (file_logger) file_logger->flush();
  if (console) console->flush();
}

void ShutdownLogger() {
  std::shared_ptr<spdlog::logger> file_logger;
  std::shared_ptr<const Sink> sink;
  {
    Destinations& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    file_logger = std::move(state.file);
    sink = std::move(state.sink);
  }
  // A printer that copied the logger just before keeps it alive until it is done; the file
  // closes when the last copy goes.
  if (file_logger) file_logger->flush();
  SetConsoleEnabled(true);
  SetLogLevel(kDefaultLevel);
}

}  // namespace base::log

namespace host_internal {

void ResetLogging() {
  base::log::ShutdownLogger();
  base::log::SetLogDir("");
  // Tests stay quiet; they read the capture instead.
  base::log::SetConsoleEnabled(false);
  ClearCapturedLogs();
}

}  // namespace host_internal
