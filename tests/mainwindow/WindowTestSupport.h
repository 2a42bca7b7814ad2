// SPDX-License-Identifier: Apache-2.0
// What the main window's tests share: a temporary settings store and a
// temporary home folder for each test, and the ways they drive the window
// by its controls' object names. Each of the window's panels and lists has
// its own test class on this base.
#pragma once

#include <sys/stat.h>
#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <cstdio>
#include <functional>

#include "batch/ConversionTypes.h"
#include "clipboard/TextForms.h"
#include "clipboard/frmClipboard.h"
#include "frame/ElidedLabel.h"
#include "frame/ProgressBarMarlo.h"
#include "mainwindow/BackgroundRun.h"
#include "mainwindow/frmMain.h"
#include "settings/clsSettings.h"
#include "tests/support/ModalAnswerer.h"

namespace marlo::test {

inline const QByteArray kBig5Zhe("\xB3\x6F\r\n", 4);  // 這 in Big5
inline const QByteArray kGbZhe("\xD5\xE2\r\n", 4);    // 这 in GB2312

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

inline QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class WindowTest : public QObject {
  Q_OBJECT

 public slots:
  void RecordOpenedUrl(const QUrl& url) { opened_ << url; }

 protected:
  QTemporaryDir config_;
  std::unique_ptr<QTemporaryDir> home_;
  QList<QUrl> opened_;

  QString Home(const QString& name = {}) const {
    return name.isEmpty() ? home_->path() : home_->filePath(name);
  }
  template <typename T = QWidget>
  static T* Child(const frmMain& window, const char* name) {
    T* child = window.findChild<T*>(name);
    if (!child) qFatal("no control %s", name);
    return child;
  }
  static QStringList Texts(const QTreeWidget* list, int column = 0) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
      texts << list->topLevelItem(i)->text(column);
    return texts;
  }
  // What marlo-convert writes for a file with the given options.
  static QByteArray MarloConvert(const QStringList& args, const QString& input) {
    QProcess process;
    process.setStandardInputFile(input);
    process.start(QStringLiteral(MARLO_CONVERT_EXE), args);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
      qWarning("marlo-convert %s: %s", qPrintable(args.join(' ')),
               process.readAllStandardError().constData());
    return process.readAllStandardOutput();
  }
  static void Drop(frmMain& window, const QList<QUrl>& urls) {
    auto* dest = Child<QTreeWidget>(window, "lvwDest");
    QMimeData mime;
    mime.setUrls(urls);
    // Qt delivers a drop only where the drag was let in.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(dest->viewport(), &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(dest->viewport(), &drop);
  }
  // Selects files of FilSource by name and presses ">>".
  static void Add(frmMain& window, const QStringList& names) {
    auto* files = Child<QListWidget>(window, "FilSource");
    files->clearSelection();
    for (const QString& name : names) {
      const auto found = files->findItems(name, Qt::MatchExactly);
      QVERIFY2(!found.isEmpty(), qPrintable(name));
      found.first()->setSelected(true);
    }
    QTest::mouseClick(Child<QPushButton>(window, "cmdSelect"), Qt::LeftButton);
  }
  static void ClickHeader(QTreeWidget* list, int column) {
    QHeaderView* header = list->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
  }
  static void Convert(frmMain& window) {
    Child<QToolBar>(window, "tbToolbar")->findChild<QAction*>("butConvert")->trigger();
  }
  static void WaitForRun(frmMain& window) {
    QTRY_VERIFY_WITH_TIMEOUT(!window.IsConverting(), 10000);
  }

 private slots:
  void cleanupTestCase() { QDesktopServices::unsetUrlHandler("file"); }
  void initTestCase() {
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    QCoreApplication::setApplicationVersion("0.1.0");
    QDesktopServices::setUrlHandler("file", this, "RecordOpenedUrl");
  }
  void init() {
    QDir(config_.path()).removeRecursively();
    home_ = std::make_unique<QTemporaryDir>();
    qputenv("HOME", home_->path().toUtf8());
    opened_.clear();
  }
};

}  // namespace marlo::test
