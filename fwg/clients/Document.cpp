#include "fwg/clients/Document.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <optional>
#include <utility>
#include <sys/stat.h>

#include "fwg/LibraryTexts.h"
#include "fwg/clients/OpenFailures.h"
#include "fwg/shell/Tasks.h"
#include "platform/vos/vosSaveFile.h"

namespace fwg {

namespace {

bool Fail(const oxString& reason, oxString* error) {
  if (error) *error = reason;
  return false;
}

oxString Text(const char* text) { return TranslateLibraryText(text); }

oxString Absolute(const oxString& path) {
  return path.empty() ? path : QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
}

// Files from this size on are read by a task, the status bar showing how
// far it is, while the window keeps painting.
constexpr qint64 kReadAsTask = qint64(16) << 20;
constexpr qint64 kChunk = qint64(4) << 20;

// The first `size` bytes of the file, read on the pool while the window
// shows how far; Open still answers its caller when it returns.
bool ReadAsTask(const oxString& path, qint64 size, QByteArray* data, oxString* error) {
  struct Read {
    QByteArray data;
    oxString error;
  };
  const QString name = QFileInfo(QString::fromStdString(path)).fileName();
  std::optional<Read> read = fwg::Tasks::RunAndWait(
      QString::fromStdString(Text("Opening %1")).arg(name).toStdString(),
      [path, size](fwg::TaskProgress& progress) {
        Read read;
        QFile file(QString::fromStdString(path));
        if (!file.open(QIODevice::ReadOnly)) {
          read.error = file.errorString().toStdString();
          return read;
        }
        progress.SetRange(0, int(size >> 10));
        read.data.reserve(size);
        while (read.data.size() < size) {
          const QByteArray chunk = file.read(std::min(kChunk, size - read.data.size()));
          if (chunk.isEmpty()) break;
          read.data += chunk;
          progress.SetValue(int(read.data.size() >> 10));
        }
        if (file.error() != QFileDevice::NoError) read.error = file.errorString().toStdString();
        return read;
      });
  if (!read) return Fail(Text("the reading was canceled"), error);
  if (!read->error.empty()) return Fail(read->error, error);
  *data = std::move(read->data);
  return true;
}

// The whole of a regular file, refused before anything is read when it is
// something else (a FIFO would block, a device never ends) or too large.
bool ReadRegularFile(const oxString& path, QByteArray* data, oxString* error) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    QFile probe(QString::fromStdString(path));
    probe.open(QIODevice::ReadOnly);
    return Fail(probe.errorString().toStdString(), error);
  }
  if (S_ISDIR(info.st_mode)) return Fail(Text("it is a folder"), error);
  if (!S_ISREG(info.st_mode)) return Fail(Text("it is not a regular file"), error);
  if (info.st_size > Document::kMaxFileSize) {
    return Fail(QString::fromStdString(Text("it is too large (%1 MiB; at most %2 MiB are read)"))
                    .arg(info.st_size >> 20)
                    .arg(Document::kMaxFileSize >> 20)
                    .toStdString(),
                error);
  }
  const QCoreApplication* application = QCoreApplication::instance();
  if (info.st_size >= kReadAsTask && application && application->thread() == QThread::currentThread()) {
    return ReadAsTask(path, info.st_size, data, error);
  }
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return Fail(file.errorString().toStdString(), error);
  *data = file.read(Document::kMaxFileSize);
  if (file.error() != QFileDevice::NoError) return Fail(file.errorString().toStdString(), error);
  return true;
}

// The last failure only: the file commands take it right after the call.
std::pair<oxString, oxString>& GetOpenFailure() {
  static std::pair<oxString, oxString> failure;
  return failure;
}

}  // namespace

void NoteOpenFailure(const oxString& path, const oxString& reason) {
  GetOpenFailure() = {path, reason};
}

oxString TakeOpenFailure(const oxString& path) {
  std::pair<oxString, oxString> failure;
  failure.swap(GetOpenFailure());
  return failure.first == path ? failure.second : oxString();
}

struct Document::Internal {
  oxString path;
  oxString mimeType;
  bool modified = false;
  Stamp stamp;
  oxiSignal1<void, Document*> onChanged;
};

Document::Document() : internal_(new Internal) {}

Document::~Document() { delete internal_; }

bool Document::IsModified() const { return internal_->modified; }

void Document::SetModified(bool modified) {
  if (internal_->modified == modified) return;
  internal_->modified = modified;
  Changed();
}

const oxString& Document::GetFilePath() const { return internal_->path; }

oxString Document::GetFileName() const {
  return QFileInfo(QString::fromStdString(internal_->path)).fileName().toStdString();
}

void Document::SetFilePath(const oxString& path) {
  const oxString absolute = Absolute(path);
  if (absolute == internal_->path) return;
  internal_->path = absolute;
  internal_->stamp = ReadStamp(absolute);
  Changed();
}

const oxString& Document::GetMimeType() const { return internal_->mimeType; }

void Document::SetMimeType(const oxString& type) { internal_->mimeType = type; }

bool Document::Open(const oxString& path, oxString* error) {
  const oxString absolute = Absolute(path);
  QByteArray data;
  oxString reason;
  if (!ReadRegularFile(absolute, &data, &reason)) {
    NoteOpenFailure(absolute, reason);
    return Fail(reason, error);
  }
  const Stamp stamp = ReadStamp(absolute);
  // The path first: a view that reports the new content as a change asks
  // which file it belongs to.
  const oxString previous = std::exchange(internal_->path, absolute);
  if (!Load(data, &reason)) {
    internal_->path = previous;
    if (reason.empty()) reason = Text("its content could not be read");
    NoteOpenFailure(absolute, reason);
    return Fail(reason, error);
  }
  internal_->stamp = stamp;
  SetModified(false);
  Changed();
  return true;
}

bool Document::Save(oxString* error) {
  if (!HasFile()) return Fail(Text("the document has no file yet"), error);
  return SaveAs(internal_->path, error);
}

bool Document::SaveAs(const oxString& path, oxString* error) {
  const oxString absolute = Absolute(path);
  if (absolute.empty()) return Fail(Text("no file was named"), error);
  QByteArray data;
  oxString reason;
  if (!Store(&data, &reason)) {
    return Fail(reason.empty() ? Text("the content could not be written") : reason, error);
  }
  if (!vosSaveFile::WriteFile(absolute, data, error)) return false;
  internal_->path = absolute;
  internal_->stamp = ReadStamp(absolute);
  SetModified(false);
  Changed();
  return true;
}

bool Document::Reload(oxString* error) {
  if (!HasFile()) return Fail(Text("the document has no file yet"), error);
  return Open(internal_->path, error);
}

const Document::Stamp& Document::GetStamp() const { return internal_->stamp; }

void Document::AcceptStamp() { internal_->stamp = ReadStamp(internal_->path); }

Document::Stamp Document::ReadStamp(const oxString& path) {
  Stamp stamp;
  struct stat info {};
  if (path.empty() || ::stat(path.c_str(), &info) != 0) return stamp;
  stamp.exists = true;
  stamp.size = info.st_size;
  stamp.modified = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  stamp.inode = qint64(info.st_ino);
  return stamp;
}

oxiSignal1<void, Document*>& Document::OnChanged() { return internal_->onChanged; }

void Document::Changed() { internal_->onChanged.Emit(this); }

}  // namespace fwg
