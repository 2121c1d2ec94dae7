#include "fwg/shell/SingleInstance.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QApplication>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <cerrno>
#include <cstring>
#include <functional>
#include <iostream>
#include <utility>

#include "fwg/Parts.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/objects/FileCommands.h"
#include "fwg/shell/Tasks.h"
#include "platform/oxapp/Application.h"
#include "platform/settings/oxSettings.h"
#include "platform/ui/uiMainWindow.h"

namespace fwg {

namespace {

// The request: this tag, the client's name (may be empty), the files.
// The answer is kTaken once the request is queued, before it is carried out,
// so that a start does not wait for a question the running instance asks.
const char kTag[] = "fwg-hand-over/1";
const char kTaken[] = "taken\n";
// While a dialog holds the user, or the program waits for its own work
// (Tasks::RunAndWait), requests wait for it to end.
constexpr int kRetryMs = 250;

struct Request {
  QStringList files;
  QString client;
};

oxiSignal2<void, const oxStlVector<oxString>&, const oxString&>& HandedOver() {
  static oxiSignal2<void, const oxStlVector<oxString>&, const oxString&> signal;
  return signal;
}

void BringWindowForward() {
  uiMainWindow* window = FindMainWindow();
  if (!window) return;
  if (window->isMinimized()) window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  window->activateWindow();
}

void CarryOut(const Request& request) {
  oxStlVector<oxString> files;
  for (const QString& file : request.files) files.push_back(file.toStdString());
  const oxString client = request.client.toStdString();
  // As a start would: the client's new document first, then the files.
  if (!client.empty()) {
    if (Client* found = ClientManager::Get() ? ClientManager::Get()->GetClient(client) : nullptr) {
      found->New();
    } else {
      std::cerr << "fwg: Could not find client named '" << client << "' for loading\n";
    }
  }
  FileCommands::OpenFiles(files);
  BringWindowForward();
  HandedOver().Emit(files, client);
}

// One request on the wire: its length (4 bytes, most significant first),
// then the tag, the client and the files as a QDataStream writes them.
constexpr quint32 kMostRequestBytes = 4 << 20;

QByteArray Encode(const Request& request) {
  QByteArray body;
  QDataStream out(&body, QIODevice::WriteOnly);
  out.setVersion(QDataStream::Qt_6_0);
  out << QString::fromLatin1(kTag) << request.client << request.files;
  const auto size = static_cast<quint32>(body.size());
  QByteArray wire(4, '\0');
  for (int i = 0; i < 4; ++i) wire[i] = static_cast<char>(size >> (24 - 8 * i));
  return wire + body;
}

// The request in `wire` once it is whole: true with `request` filled; false
// while more is to come, or with `bad` set for what is no request.
bool Decode(const QByteArray& wire, Request* request, bool* bad) {
  if (wire.size() < 4) return false;
  quint32 size = 0;
  for (int i = 0; i < 4; ++i) size = (size << 8) | static_cast<unsigned char>(wire[i]);
  if (size > kMostRequestBytes) {
    *bad = true;
    return false;
  }
  if (static_cast<quint32>(wire.size()) < 4 + size) return false;
  QDataStream in(wire.mid(4, static_cast<qsizetype>(size)));
  in.setVersion(QDataStream::Qt_6_0);
  QString tag;
  in >> tag >> request->client >> request->files;
  *bad = in.status() != QDataStream::Ok || tag != QLatin1String(kTag);
  return !*bad;
}

// A socket address for the path; false when the path is too long for one.
bool AddressOf(const QByteArray& path, sockaddr_un* address) {
  *address = {};
  address->sun_family = AF_UNIX;
  if (path.size() >= static_cast<qsizetype>(sizeof address->sun_path)) return false;
  std::memcpy(address->sun_path, path.constData(), static_cast<size_t>(path.size()));
  return true;
}

// A socket connected to whoever listens at `path` (non-blocking); -2 when
// somebody listens but takes no more connections now; -1 when nobody does.
int ConnectTo(const QByteArray& path) {
  sockaddr_un address;
  if (!AddressOf(path, &address)) return -1;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return fd;
  const bool busy = errno == EAGAIN;
  ::close(fd);
  return busy ? -2 : -1;
}

// Waits up to `ms` for `events` on `fd`.
bool Wait(int fd, short events, int ms) {
  pollfd one{fd, events, 0};
  int ready;
  do {
    ready = ::poll(&one, 1, ms);
  } while (ready < 0 && errno == EINTR);
  return ready > 0;
}

// A later start's connection: gathers its request, answers, closes.
class Connection : public QObject {
 public:
  Connection(int fd, QObject* parent, std::function<void(const Request&)> take)
      : QObject(parent), fd_(fd), notifier_(fd, QSocketNotifier::Read), take_(std::move(take)) {
    connect(&notifier_, &QSocketNotifier::activated, this, &Connection::Read);
  }
  ~Connection() override { ::close(fd_); }

 private:
  void Read() {
    char chunk[4096];
    for (;;) {
      const ssize_t got = ::read(fd_, chunk, sizeof chunk);
      if (got > 0) {
        wire_.append(chunk, got);
      } else if (got < 0 && errno == EINTR) {
        continue;
      } else if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        break;
      } else {
        return End();  // closed before the request was whole
      }
    }
    Request request;
    bool bad = false;
    if (Decode(wire_, &request, &bad)) {
      [[maybe_unused]] const ssize_t sent = ::write(fd_, kTaken, sizeof kTaken - 1);
      take_(request);
      End();
    } else if (bad) {
      End();
    }
  }
  void End() {
    notifier_.setEnabled(false);
    deleteLater();
  }

  int fd_;
  QSocketNotifier notifier_;
  QByteArray wire_;
  std::function<void(const Request&)> take_;
};

// The listening end: takes each connection's request and carries the
// requests out in order once no dialog holds the user.
class Server : public QObject {
 public:
  Server(int fd, QByteArray path, QObject* parent)
      : QObject(parent), fd_(fd), path_(std::move(path)), notifier_(fd, QSocketNotifier::Read) {
    connect(&notifier_, &QSocketNotifier::activated, this, &Server::Accept);
  }
  ~Server() override {
    ::close(fd_);
    ::unlink(path_.constData());
  }

 private:
  void Accept() {
    for (int fd; (fd = ::accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC)) >= 0;) {
      new Connection(fd, this, [this](const Request& request) {
        pending_.push_back(request);
        QTimer::singleShot(0, this, &Server::RunPending);
      });
    }
  }

  void RunPending() {
    if (running_) return;
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget() || Tasks::IsWaiting()) {
      if (!retrying_) {
        retrying_ = true;
        QTimer::singleShot(kRetryMs, this, [this] {
          retrying_ = false;
          RunPending();
        });
      }
      return;
    }
    running_ = true;
    QPointer<Server> alive(this);
    while (alive && !pending_.empty()) {
      const Request request = pending_.front();
      pending_.erase(pending_.begin());
      CarryOut(request);  // may ask questions: events run meanwhile
    }
    if (alive) running_ = false;
  }

  int fd_;
  QByteArray path_;
  QSocketNotifier notifier_;
  oxStlVector<Request> pending_;
  bool running_ = false;
  bool retrying_ = false;
};

QPointer<Server>& GetServer() {
  static QPointer<Server> server;
  return server;
}

}  // namespace

oxString SingleInstance::GetServerName() {
  const QString config = QDir(QString::fromStdString(oxSettings::GetConfigFolder())).absolutePath();
  const QByteArray hash =
      QCryptographicHash::hash(config.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
  // The runtime folder is the user's own; the temporary one is shared, so
  // the name carries the user there too.
  // Read directly: QStandardPaths warns on stderr where it is not set.
  QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::tempPath();
  QString app = QString::fromStdString(oxapp::Application::Get()->GetName());
  if (app.isEmpty()) app = QStringLiteral("fwg");
  const QString name = QStringLiteral("%1-%2-%3").arg(app).arg(getuid()).arg(QString::fromLatin1(hash));
  return QDir(folder).filePath(name).toStdString();
}

bool SingleInstance::HandOver(const oxStlVector<oxString>& files, const oxString& client) {
  const int fd = ConnectTo(QFile::encodeName(QString::fromStdString(GetServerName())));
  if (fd == -1) return false;  // nobody there, or a socket left by a killed instance
  Request request;
  request.client = QString::fromStdString(client);
  for (const oxString& file : files) {
    request.files << QFileInfo(QString::fromStdString(file)).absoluteFilePath();
  }
  bool taken = false;
  if (fd >= 0) {
    const QByteArray wire = Encode(request);
    qsizetype written = 0;
    while (written < wire.size() && Wait(fd, POLLOUT, kAnswerMs)) {
      const ssize_t sent =
          ::write(fd, wire.constData() + written, static_cast<size_t>(wire.size() - written));
      if (sent > 0) written += sent;
      if (sent < 0 && errno != EINTR && errno != EAGAIN) break;
    }
    QByteArray answer;
    char chunk[64];
    while (written == wire.size() && !answer.contains('\n') && Wait(fd, POLLIN, kAnswerMs)) {
      const ssize_t got = ::read(fd, chunk, sizeof chunk);
      if (got > 0) answer.append(chunk, got);
      if (got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN)) break;
    }
    ::close(fd);
    taken = answer == kTaken;
  }
  if (!taken) std::cerr << "fwg: the running instance did not answer; starting another\n";
  return taken;
}

bool SingleInstance::Listen() {
  if (GetServer()) return true;
  if (!QCoreApplication::instance()) return false;
  const QByteArray path = QFile::encodeName(QString::fromStdString(GetServerName()));
  // Somebody answering there is another instance: leave it alone.
  if (const int probe = ConnectTo(path); probe != -1) {
    if (probe >= 0) ::close(probe);
    return false;
  }
  ::unlink(path.constData());  // left by an instance that was killed
  sockaddr_un address;
  if (!AddressOf(path, &address)) {
    std::cerr << "fwg: later starts cannot reach this instance: the path " << path.constData()
              << " is too long for a socket\n";
    return false;
  }
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::chmod(path.constData(), 0600) != 0 || ::listen(fd, 16) != 0) {
    std::cerr << "fwg: later starts cannot reach this instance: " << std::strerror(errno) << "\n";
    if (fd >= 0) ::close(fd);
    return false;
  }
  GetServer() = new Server(fd, path, QCoreApplication::instance());
  return true;
}

void SingleInstance::StopListening() { delete GetServer().data(); }

bool SingleInstance::IsListening() { return !GetServer().isNull(); }

oxiSignal2<void, const oxStlVector<oxString>&, const oxString&>& SingleInstance::OnHandedOver() {
  return HandedOver();
}

}  // namespace fwg
