#include "platform/vos/vosFile.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Fail(const oxString& reason, oxString* error) {
  if (error) *error = reason;
  return false;
}

// "1 MB", "512 KB", "100 bytes": limits are round numbers.
oxString DescribeSize(size_t bytes) {
  if (bytes >= (1u << 20) && bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MB";
  if (bytes >= (1u << 10) && bytes % (1u << 10) == 0) return std::to_string(bytes >> 10) + " KB";
  return std::to_string(bytes) + " bytes";
}

const char* DescribeKind(mode_t mode) {
  if (S_ISDIR(mode)) return "not a regular file but a folder";
  if (S_ISFIFO(mode)) return "not a regular file but a named pipe";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "not a regular file but a device";
  if (S_ISSOCK(mode)) return "not a regular file but a socket";
  return "not a regular file";
}

// What is wrong with a file of this kind and size, or "".
oxString Refusal(const struct stat& info, size_t maxSize) {
  if (!S_ISREG(info.st_mode)) return DescribeKind(info.st_mode);
  if (static_cast<uintmax_t>(info.st_size) > maxSize) return "larger than " + DescribeSize(maxSize);
  return {};
}

bool IsResource(const oxString& path) { return !path.empty() && path[0] == ':'; }

bool ReadResource(const oxString& path, size_t maxSize, QByteArray* data, oxString* error) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return Fail(file.errorString().toStdString(), error);
  if (static_cast<uint64_t>(file.size()) > maxSize) return Fail("larger than " + DescribeSize(maxSize), error);
  if (data) *data = file.readAll();
  return true;
}

}  // namespace

bool vosFile::Exists(const oxString& path) {
  if (path.empty()) return false;
  std::error_code error;  // a permission problem is a miss, not a throw
  return std::filesystem::is_regular_file(std::filesystem::path(path), error);
}

bool vosFile::CheckReadable(const oxString& path, size_t maxSize, oxString* error) {
  if (IsResource(path)) return ReadResource(path, maxSize, nullptr, error);
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return Fail(std::strerror(errno), error);
  const oxString refusal = Refusal(info, maxSize);
  if (!refusal.empty()) return Fail(refusal, error);
  if (::access(path.c_str(), R_OK) != 0) return Fail(std::strerror(errno), error);
  return true;
}

bool vosFile::ReadFile(const oxString& path, size_t maxSize, QByteArray* data, oxString* error) {
  data->clear();
  if (IsResource(path)) return ReadResource(path, maxSize, data, error);
  // Looked at before it is opened: opening some devices already does
  // something. Without O_NONBLOCK a pipe put in its place meanwhile would
  // still block open(); the descriptor is checked again once open.
  if (!CheckReadable(path, maxSize, error)) return false;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Fail(std::strerror(errno), error);
  struct stat info {};
  oxString reason = ::fstat(fd, &info) != 0 ? std::strerror(errno) : Refusal(info, maxSize);
  // A file that grows while it is read still stops one byte past the limit.
  const size_t cap = maxSize + 1;
  size_t filled = 0;
  if (reason.empty()) data->resize(static_cast<qsizetype>(std::min<uintmax_t>(info.st_size + 1, cap)));
  while (reason.empty()) {
    if (filled == static_cast<size_t>(data->size())) {
      if (filled >= cap) break;
      data->resize(static_cast<qsizetype>(std::min(cap, std::max<size_t>(2 * filled, 1 << 16))));
    }
    const ssize_t got = ::read(fd, data->data() + filled, static_cast<size_t>(data->size()) - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) reason = std::strerror(errno);
    if (got <= 0) break;
    filled += static_cast<size_t>(got);
  }
  if (reason.empty() && filled > maxSize) reason = "larger than " + DescribeSize(maxSize);
  data->truncate(static_cast<qsizetype>(filled));
  ::close(fd);
  if (reason.empty()) return true;
  data->clear();
  return Fail(reason, error);
}
