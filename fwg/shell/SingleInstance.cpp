#include "fwg/shell/SingleInstance.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <iostream>
#include <memory>
#include <unistd.h>

#include "fwg/Parts.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/objects/FileCommands.h"
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
// While a dialog holds the user, requests wait for it to close.
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
  for (const oxString& file : files) FileCommands::Open(file);
  BringWindowForward();
  HandedOver().Emit(files, client);
}

// The listening end: reads each connection's request, answers it, and
// carries the requests out in order once no dialog holds the user.
class Server : public QObject {
 public:
  explicit Server(QObject* parent) : QObject(parent) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &Server::Accept);
  }
  ~Server() override { server_.close(); }

  bool Listen(const QString& name) { return server_.listen(name); }
  QString GetError() const { return server_.errorString(); }

 private:
  void Accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
      Read(socket);  // what came with the connection
    }
  }

  void Read(QLocalSocket* socket) {
    QDataStream in(socket);
    in.setVersion(QDataStream::Qt_6_0);
    in.startTransaction();
    QString tag;
    Request request;
    in >> tag >> request.client >> request.files;
    if (!in.commitTransaction()) return;  // wait for the rest
    if (tag != QLatin1String(kTag)) {
      socket->abort();
      return;
    }
    socket->write(kTaken);
    socket->flush();
    pending_.push_back(request);
    QTimer::singleShot(0, this, &Server::RunPending);
  }

  void RunPending() {
    if (running_) return;
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
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

  QLocalServer server_;
  oxStlVector<Request> pending_;
  bool running_ = false;
  bool retrying_ = false;
};

QPointer<Server>& GetServer() {
  static QPointer<Server> server;
  return server;
}

// Socket calls want an application object; a start that only hands over
// makes a short-lived one.
class ApplicationForSockets {
 public:
  ApplicationForSockets() {
    if (!QCoreApplication::instance()) own_ = std::make_unique<QCoreApplication>(argc_, argv_);
  }

 private:
  int argc_ = 1;
  char name_[6] = "fwg";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QCoreApplication> own_;
};

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
  const ApplicationForSockets application;
  QLocalSocket socket;
  socket.connectToServer(QString::fromStdString(GetServerName()));
  if (!socket.waitForConnected(kAnswerMs)) return false;  // nobody there, or a stale socket
  QStringList absolute;
  for (const oxString& file : files) absolute << QFileInfo(QString::fromStdString(file)).absoluteFilePath();
  QByteArray request;
  QDataStream out(&request, QIODevice::WriteOnly);
  out.setVersion(QDataStream::Qt_6_0);
  out << QString::fromLatin1(kTag) << QString::fromStdString(client) << absolute;
  socket.write(request);
  if (!socket.waitForBytesWritten(kAnswerMs)) return false;
  QByteArray answer;
  while (!answer.contains('\n') && socket.waitForReadyRead(kAnswerMs)) answer += socket.readAll();
  socket.disconnectFromServer();
  if (answer != kTaken) {
    std::cerr << "fwg: the running instance did not answer; starting another\n";
    return false;
  }
  return true;
}

bool SingleInstance::Listen() {
  if (GetServer()) return true;
  if (!QCoreApplication::instance()) return false;
  const QString name = QString::fromStdString(GetServerName());
  {
    // Somebody answering there is another instance: leave it alone.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(1000)) return false;
  }
  QLocalServer::removeServer(name);  // left by an instance that was killed
  auto* server = new Server(QCoreApplication::instance());
  if (!server->Listen(name)) {
    std::cerr << "fwg: later starts cannot reach this instance: " << server->GetError().toStdString()
              << "\n";
    delete server;
    return false;
  }
  GetServer() = server;
  return true;
}

void SingleInstance::StopListening() { delete GetServer().data(); }

bool SingleInstance::IsListening() { return !GetServer().isNull(); }

oxiSignal2<void, const oxStlVector<oxString>&, const oxString&>& SingleInstance::OnHandedOver() {
  return HandedOver();
}

}  // namespace fwg
