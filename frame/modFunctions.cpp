// SPDX-License-Identifier: Apache-2.0
#include "frame/modFunctions.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include "batch/UserTexts.h"
#include "frame/Artwork.h"
#include "frame/Translations.h"
#include "frame/frmSplash.h"

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
    : QObject(parent), name_(std::move(name)) {
  if (const QString folder = PrivateFolder(); !folder.isEmpty())
    path_ = QDir(folder).filePath(name_);
}

QString SingleInstance::DefaultName() {
  // Tests run their own copies side by side with a user's.
  const QString name = qEnvironmentVariable("MARLO_INSTANCE_NAME");
  return name.isEmpty() ? QStringLiteral("Marlo-%1").arg(::getuid()) : name;
}

QString SingleInstance::PrivateFolder() {
  // In the shared temporary folder any user could plant a socket or a lock
  // under the name and keep this user's window from starting.
  auto isPrivate = [](const QString& folder) {
    struct stat info;
    return !folder.isEmpty() && ::lstat(QFile::encodeName(folder).constData(), &info) == 0 &&
           S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
  };
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (isPrivate(runtime)) return runtime;
  const QString own = QDir(QDir::tempPath()).filePath(QStringLiteral("marlo-%1").arg(::geteuid()));
  ::mkdir(QFile::encodeName(own).constData(), 0700);  // there already: checked below
  return isPrivate(own) ? own : QString();
}

SingleInstance::~SingleInstance() {
  if (owner_ >= 0) ::close(owner_);
}

bool SingleInstance::Claim(const QList<QByteArray>& paths) {
  if (path_.isEmpty()) {
    qWarning("marlo: no private folder for the single-instance socket; starting unguarded");
    return true;
  }
  // The running copy holds the lock as long as it runs; the kernel lets go
  // of it when the copy ends, however it ends, so a lock to be had means
  // that any socket under the name is a dead copy's.
  owner_ =
      ::open(QFile::encodeName(path_ + ".lock").constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (owner_ < 0) {
    qWarning("marlo: cannot open the single-instance lock; starting unguarded");
    return true;
  }
  QDeadlineTimer deadline(10000);
  while (::flock(owner_, LOCK_EX | LOCK_NB) != 0) {
    if (HandOver(paths)) return false;
    if (deadline.hasExpired()) {
      // Alive but not answering: its socket stays, and this copy runs alone.
      qWarning("marlo: the running copy does not answer; starting unguarded");
      ::close(owner_);
      owner_ = -1;
      return true;
    }
    QThread::msleep(50);  // it may be starting, not listening yet
  }
  // A copy of an older version holds no lock: it answers, if it runs.
  if (HandOver(paths)) return false;
  guarded_ = Listen();
  if (!guarded_) qWarning("marlo: cannot listen for later starts; starting unguarded");
  return true;
}

QByteArray SingleInstance::HandOverMessage(const QList<QByteArray>& paths) {
  QByteArray body;
  for (const QByteArray& path : paths)
    if (!path.isEmpty() && !path.contains('\0')) body += path + '\0';
  return "activate\n" + QByteArray::number(body.size()) + '\n' + body;
}

std::optional<QList<QByteArray>> SingleInstance::ReadHandOver(const QByteArray& message) {
  static const QByteArray kHead("activate\n");
  if (!message.startsWith(kHead)) return std::nullopt;
  // The body's length first: a message cut anywhere, also right after a
  // NUL, is no message.
  const qsizetype lineEnd = message.indexOf('\n', kHead.size());
  if (lineEnd < 0) return std::nullopt;
  bool number = false;
  const qlonglong length = message.mid(kHead.size(), lineEnd - kHead.size()).toLongLong(&number);
  if (!number || length < 0 || message.size() - lineEnd - 1 != length) return std::nullopt;
  QList<QByteArray> paths;
  qsizetype at = lineEnd + 1;
  while (at < message.size()) {
    const qsizetype end = message.indexOf('\0', at);
    if (end < 0) return std::nullopt;
    if (end > at) paths.append(message.mid(at, end - at));
    at = end + 1;
  }
  return paths;
}

bool SingleInstance::HandOver(const QList<QByteArray>& paths) {
  QLocalSocket socket;
  socket.connectToServer(path_);
  if (!socket.waitForConnected(500)) return false;
  socket.write(HandOverMessage(paths));
  // A copy answers with one byte once it has taken the message: a write
  // alone may sit unread in the socket of a copy that is stopped or hung,
  // and the files would wait unseen. A busy copy may take a while to read
  // a long list.
  QDeadlineTimer deadline(3000);
  while (socket.bytesToWrite() > 0 && !deadline.hasExpired())
    if (!socket.waitForBytesWritten(int(std::max<qint64>(1, deadline.remainingTime())))) break;
  bool taken = false;
  while (!taken && socket.bytesToWrite() == 0 && !deadline.hasExpired()) {
    if (socket.bytesAvailable() == 0 &&
        !socket.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime()))))
      break;
    taken = socket.read(1) == kHandOverTaken;
  }
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(1000);
  return taken;
}

bool SingleInstance::Listen() {
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(path_)) {
    // The lock is this copy's and nobody answered: the socket is a dead
    // copy's leftover.
    QLocalServer::removeServer(path_);
    if (!server_->listen(path_)) return false;
  }
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      // The message is whole when its sender closes; a runaway one is cut.
      auto message = std::make_shared<QByteArray>();
      constexpr qsizetype kLongest = 64 << 20;
      connect(socket, &QLocalSocket::readyRead, this, [this, socket, message] {
        *message += socket->readAll();
        if (message->size() > kLongest) {
          socket->abort();
          return;
        }
        // Whole once it holds its length's worth: taken, and said so.
        const std::optional<QList<QByteArray>> paths = ReadHandOver(*message);
        if (!paths) return;
        message->clear();
        socket->write(kHandOverTaken);
        socket->flush();
        qCInfo(instanceLog) << "a second start handed over" << paths->size() << "paths";
        emit activationRequested(*paths);
      });
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
  });
  return true;
}

QList<QByteArray> PathArguments(int argc, char** argv, const QByteArray& currentFolder) {
  QList<QByteArray> paths;
  bool options = true;
  for (int k = 1; k < argc; ++k) {
    const QByteArray argument(argv[k]);
    if (options && argument == "--") {
      options = false;
      continue;
    }
    if (argument.isEmpty() || (options && argument.startsWith('-'))) continue;
    paths.append(argument.startsWith('/') || currentFolder.isEmpty() ? argument
                 : currentFolder.endsWith('/')                       ? currentFolder + argument
                                               : currentFolder + '/' + argument);
  }
  return paths;
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

namespace {

int signalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
  const char byte = 1;
  // Only async-signal-safe calls here; the window closes on the event loop.
  [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

void CloseOnTerminationSignals(QWidget* window) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
    qWarning("marlo: cannot watch for termination signals: %s", std::strerror(errno));
    return;
  }
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, window);
  QObject::connect(notifier, &QSocketNotifier::activated, window, [window] {
    char byte;
    [[maybe_unused]] const ssize_t read = ::read(signalPipe[0], &byte, 1);
    // A second one while the first is still being answered (a message box
    // open, a file under way) ends the program at once.
    static bool closing = false;
    if (closing) ::_exit(1);
    closing = true;
    window->close();
  });
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(signal, &action, nullptr);
}

int Main(int argc, char** argv, std::optional<Language> chosenLanguage,
         const std::function<QWidget*()>& createMainWindow,
         const std::function<void(QWidget*, const QList<QByteArray>&)>& openPaths) {
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

  // The windows' words, and Qt's own buttons and dialogs ("OK", the file
  // chooser), in the chosen language.
  if (!InstallTranslations(WindowLanguage(chosenLanguage)))
    qWarning("marlo: Qt's translations are not installed (qt6-translations-l10n)");

  // Qt has taken its own options out of argc and argv by now.
  // The working folder as its bytes: a legacy-named one would not survive
  // a decoding.
  std::vector<char> folder(4096);
  while (!::getcwd(folder.data(), folder.size()) && errno == ERANGE)
    folder.resize(folder.size() * 2);
  const QList<QByteArray> paths = PathArguments(argc, argv, QByteArray(folder.data()));
  SingleInstance instance;
  if (!instance.Claim(paths)) return 0;

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
                   [mainWindow, openPaths](const QList<QByteArray>& handed) {
                     BringForward(mainWindow);
                     if (openPaths && !handed.isEmpty()) openPaths(mainWindow, handed);
                   });
  if (openPaths && !paths.isEmpty()) openPaths(mainWindow, paths);
  if (!instance.guarded()) {
    // Said once: a later start may open a window of its own beside this one.
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Marlo"),
                                UserWord(text::kUnguarded), QMessageBox::Ok, mainWindow);
    box->setObjectName("msgUnguarded");
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
  }

  // A polite end from the system or the session closes the window as the
  // user would, so the settings are saved: SIGTERM, SIGHUP and SIGINT, and
  // the desktop logging out.
  CloseOnTerminationSignals(mainWindow);
  QObject::connect(&app, &QGuiApplication::commitDataRequest, mainWindow,
                   [mainWindow] { mainWindow->close(); });

  const int status = app.exec();
  delete mainWindow;
  return status;
}

}  // namespace marlo::modFunctions
