// Runs part of a test in a child process, for what must not touch the test
// process itself: a full disk (a small one mounted for the child alone, or a
// file size limit standing in for it), or a second instance writing the
// same files.
#pragma once

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

struct ChildResult {
  int exitCode = -1;  // -1 when the child did not exit normally
  std::string error;  // what the child wrote to stderr
};

// Forks, runs `body` in the child with its stderr captured and ends the child
// with _exit(body()), so nothing of the parent's is torn down twice. With a
// `fileSizeLimit`, no file may grow past that many bytes; SIGXFSZ is ignored,
// so a write past it fails with EFBIG the way a write to a full disk fails.
inline ChildResult RunInChild(const std::function<int()>& body, rlim_t fileSizeLimit = 0) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(pipeEnds[1], STDERR_FILENO);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    if (fileSizeLimit > 0) {
      std::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{fileSizeLimit, fileSizeLimit};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(125);
    }
    _exit(body());
  }
  close(pipeEnds[1]);
  ChildResult result;
  char buffer[4096];
  for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) result.error.append(buffer, n);
  close(pipeEnds[0]);
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  return result;
}

// In a child of RunInChild: mounts a disk of `bytes` in memory on `folder`,
// seen by this child alone and gone with it. False where the machine allows
// no such mount (no privileges, a container); the caller then stands in
// with a file size limit.
inline bool MountSmallDisk(const std::string& folder, size_t bytes) {
  if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
  const std::string size = "size=" + std::to_string(bytes);
  return mount("fwg-test", folder.c_str(), "tmpfs", 0, size.c_str()) == 0;
}

// Fills the disk holding `folder` up to its last page.
inline void FillDisk(const std::string& folder) {
  const int fd = open((folder + "/filler").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  static const char kPage[4096] = {};
  while (fd >= 0 && write(fd, kPage, sizeof kPage) > 0) {}
  if (fd >= 0) close(fd);
}
