// base::Location names the source line that posted a task, subscribed or created a timer, so
// that logs and hostkit records can say where work came from.
#pragma once

namespace base {

class Location {
 public:
  constexpr Location() = default;
  constexpr Location(const char* function, const char* file, int line)
      : function_(function), file_(file), line_(line) {}
  // The caller's location: `base::Location::Current()` as a default argument captures it.
  static constexpr Location Current(const char* function = __builtin_FUNCTION(),
                                    const char* file = __builtin_FILE(),
                                    int line = __builtin_LINE()) {
    return Location(function, file, line);
  }
  constexpr const char* function_name() const { return function_; }
  constexpr const char* file_name() const { return file_; }
  constexpr int line_number() const { return line_; }

 private:
  const char* function_ = "";
  const char* file_ = "";
  int line_ = 0;
};

}  // namespace base

#define FROM_HERE ::base::Location(__func__, __FILE__, __LINE__)
