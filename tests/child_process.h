// Parts of a test that run in a forked child: for what a test process must not do to itself,
// such as giving up root (so that file permissions bind, as they do for every user of the
// client) or shrinking its file size limit (so that writes fail like on a full disk).
//
//   const int status = child_process::Run([&] {
//     if (!child_process::DropPrivileges()) return child_process::kSkip;
//     CHILD_CHECK(1, TKV::Create(path, {}) != nullptr);
//     return 0;
//   });
//   EXPECT_CHILD_PASSED(status);
//
// The child reports through its exit status: 0 passed, kSkip when it could not set itself up,
// otherwise the number of the check that failed (also printed on stderr). The child leaves
// with _exit: what it holds is not destroyed unless the body destroys it.
#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

namespace child_process {

inline constexpr int kSkip = 77;

// The exit status of `body` run in a child process; -1 when the child did not exit normally.
inline int Run(const std::function<int()>& body) {
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) ::_exit(body());
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// In the child: run as an unprivileged user ("nobody") when running as root. False when that
// cannot be done.
inline bool DropPrivileges() {
  if (::geteuid() != 0) return true;
  constexpr uid_t kNobody = 65534;
  return ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
}

}  // namespace child_process

#define CHILD_CHECK(number, condition)                                                  \
  do {                                                                                  \
    if (!(condition)) {                                                                 \
      std::fprintf(stderr, "child check %d failed: %s\n", (number), #condition);       \
      return (number);                                                                  \
    }                                                                                   \
  } while (0)

#define EXPECT_CHILD_PASSED(status)                                                     \
  do {                                                                                  \
    const int child_status_ = (status);                                                 \
    if (child_status_ == child_process::kSkip) GTEST_SKIP() << "cannot run as an unprivileged user"; \
    EXPECT_EQ(child_status_, 0) << "the child's failed check, see stderr";              \
  } while (0)
