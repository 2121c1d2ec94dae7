#include "platform/vos/vosSaveFile.h"

#include <QSaveFile>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

bool Fail(const oxString& reason, oxString* error) {
  if (error) *error = reason;
  return false;
}

bool FailWithErrno(int code, oxString* error) { return Fail(std::strerror(code), error); }

}  // namespace

bool vosSaveFile::WriteAndSync(QFileDevice& file, const QByteArray& data, oxString* error) {
  // Whatever the device still buffers goes first, so that the raw writes
  // below follow it.
  if (!file.flush()) return Fail(file.errorString().toStdString(), error);
  const int fd = file.handle();
  if (fd < 0) return Fail("the file is not open", error);
  // Written past Qt's buffer so that each failure comes back with its errno.
  const char* next = data.constData();
  size_t left = static_cast<size_t>(data.size());
  while (left > 0) {
    const ssize_t written = ::write(fd, next, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      return FailWithErrno(errno, error);
    }
    next += written;
    left -= static_cast<size_t>(written);
  }
  if (::fsync(fd) != 0) return FailWithErrno(errno, error);
  return true;
}

oxString vosSaveFile::WhyNotWritable(const oxString& folder) {
  oxString probe = (folder.empty() ? oxString(".") : folder) + "/.fwg-probe-XXXXXX";
  const int fd = mkstemp(probe.data());
  if (fd < 0) return std::strerror(errno);
  // As much as a lock file holds: an empty file takes no room on a full disk.
  static const char kBytes[64] = {};
  oxString reason;
  for (size_t done = 0; done < sizeof kBytes && reason.empty();) {
    const ssize_t written = ::write(fd, kBytes + done, sizeof kBytes - done);
    if (written > 0) done += static_cast<size_t>(written);
    else if (written < 0 && errno != EINTR) reason = std::strerror(errno);
    else if (written == 0) reason = std::strerror(ENOSPC);
  }
  if (reason.empty() && ::fsync(fd) != 0) reason = std::strerror(errno);
  ::close(fd);
  ::unlink(probe.c_str());
  return reason;
}

bool vosSaveFile::WriteFile(const oxString& path, const QByteArray& data, oxString* error) {
  QSaveFile file(QString::fromStdString(path));
  file.setDirectWriteFallback(false);  // never write over the old file in place
  if (!file.open(QIODevice::WriteOnly)) return Fail(file.errorString().toStdString(), error);
  if (!WriteAndSync(file, data, error)) {
    file.cancelWriting();  // the temporary file goes with `file`
    return false;
  }
  if (!file.commit()) return Fail(file.errorString().toStdString(), error);
  return true;
}
