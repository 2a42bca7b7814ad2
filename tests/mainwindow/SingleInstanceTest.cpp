// SPDX-License-Identifier: Apache-2.0
// Two real processes: the second start hands over to the first and ends.
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <vector>

class SingleInstanceTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir config_;
  QTemporaryDir runtime_;  // made 0700, as a session's runtime folder is
  QString name_ = QStringLiteral("marlo-test-%1").arg(QCoreApplication::applicationPid());
  QString Socket() const { return runtime_.filePath(name_); }

  QProcessEnvironment Environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("MARLO_INSTANCE_NAME", name_);
    env.insert("XDG_CONFIG_HOME", config_.path());
    env.insert("XDG_RUNTIME_DIR", runtime_.path());
    env.insert("QT_LOGGING_RULES", "marlo.instance.info=true");
    return env;
  }

  bool Answers() const {
    QLocalSocket probe;
    probe.connectToServer(Socket());
    return probe.waitForConnected(100);
  }

  void Start(QProcess& process) const {
    process.setProcessEnvironment(Environment());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(MARLO_EXE, {});
  }

  // A start beside a running copy that does not answer runs on its own and
  // says so.
  void StartsUnguarded() const {
    QProcess second;
    Start(second);
    QByteArray log;
    QTRY_VERIFY_WITH_TIMEOUT((log += second.readAll()).contains("starting unguarded"), 30000);
    QCOMPARE(second.state(), QProcess::Running);
    second.kill();
    second.waitForFinished(5000);
  }

 private slots:
  void aSecondStartHandsOverAndEnds() {
    QProcess first;
    Start(first);
    QTRY_VERIFY_WITH_TIMEOUT(Answers(), 10000);
    QProcess second;
    Start(second);
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(first.state(), QProcess::Running);
    QByteArray log;
    QTRY_VERIFY_WITH_TIMEOUT((log += first.readAll()).contains("a second start handed over"), 5000);
    first.terminate();
    QVERIFY(first.waitForFinished(5000));
  }

  void twoStartsAtTheSameInstantLeaveOneRunningCopy() {
    const QString shared = name_;
    for (int round = 0; round < 4; ++round) {
      name_ = QStringLiteral("%1-race%2").arg(shared).arg(round);
      QProcess first, second;
      Start(first);
      Start(second);
      // One of them hands over and ends; the other keeps running.
      QTRY_VERIFY_WITH_TIMEOUT(
          first.state() == QProcess::NotRunning || second.state() == QProcess::NotRunning, 15000);
      QProcess& ended = first.state() == QProcess::NotRunning ? first : second;
      QProcess& running = &ended == &first ? second : first;
      QTest::qWait(500);
      QCOMPARE(ended.exitCode(), 0);
      QCOMPARE(running.state(), QProcess::Running);
      QVERIFY(Answers());
      running.terminate();
      QVERIFY(running.waitForFinished(5000));
    }
    name_ = shared;
  }

  // A running copy that does not answer (stopped, its queue of connections
  // full) keeps its socket: a new start never takes it over, runs
  // unguarded and says so, and the first is reached again once it goes on.
  void aCopyThatDoesNotAnswerKeepsItsSocket() {
    QProcess first;
    Start(first);
    QTRY_VERIFY_WITH_TIMEOUT(Answers(), 10000);
    ::kill(pid_t(first.processId()), SIGSTOP);
    std::vector<std::unique_ptr<QLocalSocket>> queue;  // fills its listen queue
    for (int k = 0; k < 1000; ++k) {
      auto socket = std::make_unique<QLocalSocket>();
      socket->connectToServer(Socket());
      if (!socket->waitForConnected(1000)) break;
      queue.push_back(std::move(socket));
    }
    StartsUnguarded();
    queue.clear();
    ::kill(pid_t(first.processId()), SIGCONT);
    QProcess third;
    Start(third);
    QVERIFY(third.waitForFinished(20000));
    QCOMPARE(third.exitCode(), 0);
    QByteArray firstLog;
    QTRY_VERIFY_WITH_TIMEOUT((firstLog += first.readAll()).contains("a second start handed over"),
                             10000);
    first.terminate();
    QVERIFY(first.waitForFinished(5000));
  }

  // A stopped copy takes a connection and a message into its socket's
  // buffer, but never answers: a start must not take that for a hand-over
  // and end, leaving its files unseen; it runs unguarded and says so.
  void aStoppedCopyIsNoAnswer() {
    QProcess first;
    Start(first);
    QTRY_VERIFY_WITH_TIMEOUT(Answers(), 10000);
    ::kill(pid_t(first.processId()), SIGSTOP);
    StartsUnguarded();
    ::kill(pid_t(first.processId()), SIGCONT);
    first.terminate();
    QVERIFY(first.waitForFinished(5000));
  }

  void aSocketLeftByACrashDoesNotBlockTheNextStart() {
    // A socket file that nobody listens on, as a killed copy leaves it.
    const QByteArray path = Socket().toUtf8();
    ::unlink(path.constData());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
    QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    QVERIFY(QFile::exists(path));

    QProcess first;
    Start(first);
    QTRY_VERIFY_WITH_TIMEOUT(Answers(), 10000);
    QCOMPARE(first.state(), QProcess::Running);
    first.terminate();
    QVERIFY(first.waitForFinished(5000));
  }

  // Another user's listening socket under the name in the shared temporary
  // folder used to receive the hand-over, and the window never showed.
  void aSocketInTheSharedTemporaryFolderIsNotListenedTo() {
    QLocalServer planted;
    QLocalServer::removeServer(QDir(QDir::tempPath()).filePath(name_));
    QVERIFY(planted.listen(QDir(QDir::tempPath()).filePath(name_)));
    QProcess first;
    Start(first);
    QTRY_VERIFY_WITH_TIMEOUT(Answers(), 10000);
    QCOMPARE(first.state(), QProcess::Running);
    QVERIFY(!planted.hasPendingConnections());
    first.terminate();
    QVERIFY(first.waitForFinished(5000));
  }

  // A runtime folder others may enter, read or write is not used: the
  // program makes one of its own, for this user alone.
  void aRuntimeFolderOthersMayEnterIsNotUsed_data() {
    QTest::addColumn<int>("mode");
    QTest::newRow("0777") << 0777;
    QTest::newRow("0755") << 0755;
    QTest::newRow("0750") << 0750;
    QTest::newRow("0705") << 0705;
    QTest::newRow("0701") << 0701;
  }
  void aRuntimeFolderOthersMayEnterIsNotUsed() {
    QFETCH(int, mode);
    QLocalServer::removeServer(Socket());  // what earlier copies left there
    QVERIFY(::chmod(QFile::encodeName(runtime_.path()).constData(), mode_t(mode)) == 0);
    QProcess first;
    Start(first);
    const QString own =
        QDir(QDir::tempPath()).filePath(QStringLiteral("marlo-%1").arg(::geteuid()));
    auto answersInOwn = [&] {
      QLocalSocket probe;
      probe.connectToServer(QDir(own).filePath(name_));
      return probe.waitForConnected(100);
    };
    QTRY_VERIFY_WITH_TIMEOUT(answersInOwn(), 10000);
    QVERIFY(!QFile::exists(Socket()));
    QCOMPARE(QFileInfo(own).permissions() & 0x0077, QFileDevice::Permissions());
    first.terminate();
    QVERIFY(first.waitForFinished(5000));
    QVERIFY(::chmod(QFile::encodeName(runtime_.path()).constData(), 0700) == 0);
  }

  void withoutADisplayItSaysSo() {
    QProcess process;
    QProcessEnvironment env = Environment();
    env.remove("QT_QPA_PLATFORM");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    process.setProcessEnvironment(env);
    process.start(MARLO_EXE, {});
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(process.readAllStandardError().contains("xvfb-run"));
  }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
