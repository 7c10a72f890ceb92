// base::log: the host's process log. Records go to rotating files in the log directory (once
// InitializeLogger has run), to the console unless it is turned off, to an optional sink, and
// to hostkit's capture when a test asks for it.
//
// A record is wanted when GetLogLevel() >= its level: 1 failure, 3 rejected input, 4 notable
// condition, 6 trace, 7 verbose. Callers check the level before building a record.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace base::log {

int GetLogLevel() noexcept;
void SetLogLevel(int level) noexcept;

// Hands one finished record to every destination. `tag` may be empty; `file` is a base name.
void PrintLog(const char* tag, const char* file, int line, const char* function, int level,
              std::string_view text);

void SetConsoleEnabled(bool enabled);
// Creates nothing: the directory must exist. Takes effect at the next InitializeLogger.
void SetLogDir(const std::string& dir);
std::string GetLogDir();

// Receives (text, level, tag) of every printed record, on the printing thread.
using Sink = std::function<void(const std::string& text, int level, const char* tag)>;
void SetSink(Sink sink);

// Opens "<log dir>/<name>.log" with size-based rotation (5 files of 10 MiB). Returns false, and
// keeps logging elsewhere, when the directory is unset or not writable.
bool InitializeLogger(const std::string& name = "velto");
void Flush();
// Closes the files and drops the sink; console and level return to their defaults.
void ShutdownLogger();

}  // namespace base::log
