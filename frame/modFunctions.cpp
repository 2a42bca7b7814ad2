// SPDX-License-Identifier: Apache-2.0
#include "modFunctions.h"

#include <unistd.h>

#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QLoggingCategory>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "Artwork.h"
#include "frmSplash.h"

namespace marlo::modFunctions {

namespace {

Q_LOGGING_CATEGORY(instanceLog, "marlo.instance", QtWarningMsg)

// Ends the program once the window has painted itself: for measuring the
// time from process start to a window on screen.
class QuitAfterFirstPaint : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    return false;
  }
};

std::vector<QPointer<QWidget>>& LoadedForms() {
  static std::vector<QPointer<QWidget>> forms;
  return forms;
}

}  // namespace

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {}

QString SingleInstance::DefaultName() {
  // Tests run their own copies side by side with a user's.
  const QString name = qEnvironmentVariable("MARLO_INSTANCE_NAME");
  return name.isEmpty() ? QStringLiteral("Marlo-%1").arg(::getuid()) : name;
}

bool SingleInstance::Claim() {
  // Without the lock, two copies could both find nobody to hand over to,
  // and the second to listen would remove the first one's live socket.
  // A lock left by a crashed copy is stale at once: its process is gone.
  QLockFile lock(QDir(QDir::tempPath()).filePath(name_ + ".lock"));
  lock.tryLock(10000);  // not had in time: go on unguarded rather than not start
  if (HandOver()) return false;
  Listen();
  return true;
}

bool SingleInstance::HandOver() {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(500)) return false;
  socket.write("activate\n");
  socket.waitForBytesWritten(500);
  socket.disconnectFromServer();
  return true;
}

bool SingleInstance::Listen() {
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(name_)) {
    // Nobody answered HandOver, so the socket is a crashed copy's leftover.
    QLocalServer::removeServer(name_);
    if (!server_->listen(name_)) return false;
  }
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (!socket->readAll().contains("activate")) return;
        qCInfo(instanceLog) << "a second start handed over";
        emit activationRequested();
      });
    }
  });
  return true;
}

void BringForward(QWidget* window) {
  if (!window) return;
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (screen) window->move(screen->availableGeometry().topLeft());
  window->showNormal();
  window->raise();
  window->activateWindow();
  QApplication::alert(window);
}

void RegisterForm(QWidget* window) { LoadedForms().emplace_back(window); }

void UnloadAllForms() {
  auto& forms = LoadedForms();
  for (size_t k = forms.size(); k-- > 1;)
    if (forms[k]) forms[k]->close();
  forms.clear();
  QCoreApplication::quit();
}

int Main(int argc, char** argv, const std::function<QWidget*()>& createMainWindow) {
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    std::fprintf(stderr,
                 "marlo: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are unset).\n"
                 "Run it on a desktop, or without one under a virtual display: xvfb-run -a marlo\n"
                 "For converting files without a window there is marlo-convert.\n");
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Marlo"));
  QApplication::setOrganizationName(QStringLiteral("Marlo"));
  QApplication::setApplicationVersion(QStringLiteral(MARLO_VERSION));
  QApplication::setWindowIcon(artwork::WindowIcon());
  // The desktop shell matches the window to its menu entry, icon included.
  QGuiApplication::setDesktopFileName(QStringLiteral("marlo"));

  SingleInstance instance;
  if (!instance.Claim()) return 0;

  auto* splash = new frmSplash;
  splash->show();
  splash->repaint();
  QApplication::processEvents();
  QWidget* mainWindow = createMainWindow();
  splash->close();
  delete splash;
  if (qEnvironmentVariableIsSet("MARLO_QUIT_WHEN_SHOWN"))
    mainWindow->installEventFilter(new QuitAfterFirstPaint(mainWindow));
  mainWindow->show();
  QObject::connect(&instance, &SingleInstance::activationRequested, mainWindow,
                   [mainWindow] { BringForward(mainWindow); });

  const int status = app.exec();
  delete mainWindow;
  return status;
}

}  // namespace marlo::modFunctions
