// SPDX-License-Identifier: Apache-2.0
// Two real processes: the second start hands over to the first and ends.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class SingleInstanceTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir config_;
  QString name_ = QStringLiteral("marlo-test-%1").arg(QCoreApplication::applicationPid());

  QProcessEnvironment Environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("MARLO_INSTANCE_NAME", name_);
    env.insert("XDG_CONFIG_HOME", config_.path());
    env.insert("QT_LOGGING_RULES", "marlo.instance.info=true");
    return env;
  }

  bool Answers() const {
    QLocalSocket probe;
    probe.connectToServer(name_);
    return probe.waitForConnected(100);
  }

  void Start(QProcess& process) const {
    process.setProcessEnvironment(Environment());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(MARLO_EXE, {});
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

  void aSocketLeftByACrashDoesNotBlockTheNextStart() {
    // A socket file that nobody listens on, as a killed copy leaves it.
    const QByteArray path = QDir(QDir::tempPath()).filePath(name_).toUtf8();
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
