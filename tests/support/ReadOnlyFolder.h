// A folder that refuses new entries for as long as the object lives, also
// to root, which ignores mode bits but not the immutable flag: a settings
// or configuration folder on a read-only disk.
#pragma once

#include <QString>
#include <fcntl.h>
#include <linux/fs.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const QString& path) : path_(path.toStdString()) {
    chmod(path_.c_str(), 0555);
    immutable_ = geteuid() == 0 && SetImmutable(true);
  }
  ~ReadOnlyFolder() {
    if (immutable_) SetImmutable(false);
    chmod(path_.c_str(), 0755);
  }
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
  // False where the folder could not be locked (root on a file system
  // without the flag): the caller skips.
  bool IsLocked() const { return geteuid() != 0 || immutable_; }

 private:
  bool SetImmutable(bool on) {
    const int fd = open(path_.c_str(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    bool done = fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0) close(fd);
    return done;
  }
  std::string path_;
  bool immutable_ = false;
};
