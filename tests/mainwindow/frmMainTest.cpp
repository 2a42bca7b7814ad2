// SPDX-License-Identifier: Apache-2.0
// The main window, driven by object name, on a temporary settings store and
// a temporary home folder.
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

using marlo::frmMain;
using marlo::test::BoxAnswerer;
using marlo::test::Press;
using marlo::test::SeenBox;

namespace {

const QByteArray kBig5Zhe("\xB3\x6F\r\n", 4);  // 這 in Big5
const QByteArray kGbZhe("\xD5\xE2\r\n", 4);    // 这 in GB2312

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

}  // namespace

class frmMainTest : public QObject {
  Q_OBJECT

 public slots:
  void RecordOpenedUrl(const QUrl& url) { opened_ << url; }

 private:
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

  void everyNamedControlIsThere() {
    frmMain window;
    for (const char* name :
         {"lblTitle",       "Imageicon",      "imgTitleLeft",       "imgTitleClose",
          "tbToolbar",      "fraSource",      "drvSource",          "dirSource",
          "FilSource",      "imcFileType",    "cmdSelect",          "cmdDisSelect",
          "lvwDest",        "fraOption",      "lblRemark",          "fraHandleExistFile",
          "fraDesc",        "lblDescPath",    "txtDescPath",        "imgFindPath",
          "procTotal",      "lblcurFile",     "lblHandleFieldName", "lblHandle",
          "lblHandFileCnt", "cmdStopConvert", "lvwResult",          "picTaskbar"})
      QVERIFY2(window.findChild<QObject*>(name), name);
    for (const char* key :
         {"butConvert", "butConfig", "butClipboard", "butPreview", "butAbout", "butExit"})
      QVERIFY2(window.findChild<QAction*>(key), key);
    QCOMPARE(window.findChild<QAction*>("butConfig")->text(), QString("設    置"));
    auto* results = Child<QTreeWidget>(window, "lvwResult");
    QCOMPARE(results->headerItem()->text(1), QString("耗時(秒)"));
    QVERIFY(Child(window, "cmdStopConvert")->isHidden());
    QCOMPARE(Child<QLabel>(window, "lblHandFileCnt")->text(), QString("0"));
    QCOMPARE(window.windowTitle(), QString("Marlo"));
    QCOMPARE(Child<QLabel>(window, "lblTitle")->text(), QString("Marlo  0.1.0 Bata"));
    QCOMPARE(Child<QComboBox>(window, "imcFileType")->count(), 18);
    QCOMPARE(Child<QComboBox>(window, "drvSource")->itemData(0).toString(), Home());
    // Only the main window's unload may end the program.
    QVERIFY(!QGuiApplication::quitOnLastWindowClosed());
  }

  void conversionTypesShowTheirCaptionsAndDescriptions() {
    frmMain window;
    window.show();
    QCOMPARE(window.GetConvType(), 0);
    window.SetSourceFolder("/data/texts");
    for (const marlo::ConversionType& type : marlo::ConversionTypes()) {
      auto* option = window.findChild<QRadioButton*>(
          QStringLiteral("optConvType_%1").arg(marlo::IndexOf(type.type)));
      QCOMPARE(option->text(), QString::fromUtf8(type.caption));
      QTest::mouseClick(option, Qt::LeftButton);
      QCOMPARE(window.GetConvType(), marlo::IndexOf(type.type));
      QCOMPARE(Child<QLabel>(window, "lblRemark")->text(), QString::fromUtf8(type.description));
      QCOMPARE(Child<QLineEdit>(window, "txtDescPath")->text(),
               "/data/texts/" + QString::fromUtf8(type.identifier));
    }
    QCOMPARE(frmMain::GetConvTypeName(11), QString("BigToUscWide"));
    QCOMPARE(frmMain::GetConvTypeName(14), QString());
  }

  void theListsStartAtHomeAndFollowTheChosenFolder() {
    QDir(Home()).mkpath("sub/deeper");
    WriteBytes(Home("sub/a.txt"), "a");
    WriteBytes(Home("sub/b.log"), "b");
    WriteBytes(Home("sub/README"), "c");
    frmMain window;
    window.show();
    auto* target = Child<QLineEdit>(window, "txtDescPath");
    // From the start a run writes beside the sources, not over them.
    QCOMPARE(target->text(), Home("GbToBig"));

    auto* folders = Child<QListWidget>(window, "dirSource");
    const auto sub = folders->findItems("sub", Qt::MatchExactly);
    QCOMPARE(sub.size(), 1);
    emit folders->itemActivated(sub.first());
    QCOMPARE(window.SourceFolder(), Home("sub"));
    QCOMPARE(target->text(), Home("sub/GbToBig"));
    QVERIFY(!folders->findItems("deeper", Qt::MatchExactly).isEmpty());
    auto* files = Child<QListWidget>(window, "FilSource");
    QCOMPARE(files->count(), 3);  // "*.*" takes names without a dot too

    auto* patterns = Child<QComboBox>(window, "imcFileType");
    patterns->setCurrentIndex(patterns->findText("*.log"));
    emit patterns->activated(patterns->currentIndex());
    QCOMPARE(files->count(), 1);
    QCOMPARE(files->item(0)->text(), QString("b.log"));

    // The root joins the identifier with a single separator.
    QTest::mouseClick(window.findChild<QRadioButton*>("optConvType_13"), Qt::LeftButton);
    window.SetSourceFolder("/");
    QCOMPARE(target->text(), QString("/GbToBigToGbk"));

    // An unreadable or vanished folder lists what it can, without a word.
    window.SetSourceFolder(Home("gone/away"));
    QCOMPARE(files->count(), 0);
    QVERIFY(!QApplication::activeModalWidget());
  }

  void addingSkipsIgnoredAndListedFilesAndRemovingTakesTheSelection() {
    for (const char* name : {"a.txt", "b.txt", "setup.exe", "Makefile", "x.h"})
      WriteBytes(Home(name), "x");
    frmMain window;
    window.show();
    window.Settings().setIgnoreFileTypes(".EXE;.HTM");
    Add(window, {"a.txt", "setup.exe", "Makefile", "x.h"});
    auto* dest = Child<QTreeWidget>(window, "lvwDest");
    QCOMPARE(Texts(dest), QStringList({"a.txt", "Makefile"}));
    QCOMPARE(dest->topLevelItem(0)->toolTip(0), Home("a.txt"));
    QCOMPARE(Child<QLabel>(window, "lblHandFileCnt")->text(), QString("2"));

    // Twice the same selection adds nothing; a double click adds like ">>".
    Add(window, {"a.txt"});
    auto* files = Child<QListWidget>(window, "FilSource");
    files->clearSelection();
    files->findItems("b.txt", Qt::MatchExactly).first()->setSelected(true);
    emit files->itemActivated(files->findItems("b.txt", Qt::MatchExactly).first());
    QCOMPARE(Texts(dest), QStringList({"a.txt", "Makefile", "b.txt"}));

    dest->clearSelection();
    QTest::mouseClick(Child<QPushButton>(window, "cmdDisSelect"), Qt::LeftButton);
    QCOMPARE(dest->topLevelItemCount(), 3);
    dest->topLevelItem(0)->setSelected(true);
    dest->topLevelItem(2)->setSelected(true);
    QTest::mouseClick(Child<QPushButton>(window, "cmdDisSelect"), Qt::LeftButton);
    QCOMPARE(Texts(dest), QStringList({"Makefile"}));
    QCOMPARE(Child<QLabel>(window, "lblHandFileCnt")->text(), QString("1"));

    // The Delete key does the same, and a removed file can be added again.
    dest->topLevelItem(0)->setSelected(true);
    dest->setFocus();
    QTest::keyClick(dest, Qt::Key_Delete);
    QCOMPARE(dest->topLevelItemCount(), 0);
    Add(window, {"Makefile"});
    QCOMPARE(dest->topLevelItemCount(), 1);
  }

  void droppedFilesAndFoldersAreAddedByTheSameRules() {
    QDir(Home()).mkpath("drop/inner");
    for (const char* name : {"drop/1.txt", "drop/2.exe", "drop/inner/3.txt", "4.txt"})
      WriteBytes(Home(name), "x");
    frmMain window;
    window.show();
    auto* dest = Child<QTreeWidget>(window, "lvwDest");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(Home("drop")), QUrl::fromLocalFile(Home("4.txt")),
                  QUrl::fromLocalFile(Home("drop/1.txt")), QUrl::fromLocalFile(Home("gone.txt")),
                  QUrl::fromLocalFile(Home("gone/"))});
    // Qt delivers a drop only where the drag was let in.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QVERIFY(QApplication::sendEvent(dest->viewport(), &enter));
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QVERIFY(QApplication::sendEvent(dest->viewport(), &drop));
    QCOMPARE(Texts(dest), QStringList({"1.txt", "4.txt"}));  // not recursive, .EXE ignored
    QCOMPARE(Child<QLabel>(window, "lblHandFileCnt")->text(), QString("2"));
    // What is not there is named, not left out without a word.
    QCOMPARE(Child<QLabel>(window, "lblHandleFieldName")->toolTip(),
             "2 個路徑不存在, 未加入: " + Home("gone.txt") + ", " + Home("gone"));
    // Paths named to the program (a file manager's "Open with") go the same way.
    window.AddPaths(
        {QFile::encodeName(Home("drop/inner/3.txt")), QFile::encodeName(Home("drop/"))});
    QCOMPARE(Texts(dest), QStringList({"1.txt", "4.txt", "3.txt"}));
  }

  void bothListsSortByTheClickedColumnWithOneFlippingOrder() {
    for (const char* name : {"b.txt", "c.txt", "a.txt"}) WriteBytes(Home(name), "plain");
    WriteBytes(Home("d.txt"), "");
    frmMain window;
    window.show();
    Add(window, {"b.txt", "c.txt", "a.txt", "d.txt"});
    auto* dest = Child<QTreeWidget>(window, "lvwDest");
    QCOMPARE(Texts(dest), QStringList({"a.txt", "b.txt", "c.txt", "d.txt"}));  // as listed
    ClickHeader(dest, 0);
    QCOMPARE(Texts(dest), QStringList({"d.txt", "c.txt", "b.txt", "a.txt"}));
    ClickHeader(dest, 0);
    QCOMPARE(Texts(dest), QStringList({"a.txt", "b.txt", "c.txt", "d.txt"}));
    ClickHeader(dest, 0);

    // The run converts in display order; the result list sorts as text.
    Child<QLineEdit>(window, "txtDescPath")->setText(Home("out"));
    Convert(window);
    WaitForRun(window);
    auto* results = Child<QTreeWidget>(window, "lvwResult");
    QCOMPARE(Texts(results), QStringList({"d.txt", "c.txt", "b.txt", "a.txt"}));
    ClickHeader(results, 2);  // descending by description: the failed row last
    QCOMPARE(Texts(results).last(), QString("d.txt"));
    ClickHeader(results, 0);  // another column flips the one order
    QCOMPARE(Texts(results), QStringList({"a.txt", "b.txt", "c.txt", "d.txt"}));
  }

  void theSaveDialogPicksTheTargetFolder() {
    QDir(Home()).mkpath("picked");
    frmMain window;
    window.show();
    auto* target = Child<QLineEdit>(window, "txtDescPath");
    QString title;
    {
      BoxAnswerer accept(
          {[&](QWidget* box) {
            auto* dialog = qobject_cast<QFileDialog*>(box);
            title = box->windowTitle();
            QVERIFY(dialog && dialog->objectName() == "dlgMain");
            QCOMPARE(dialog->fileMode(), QFileDialog::Directory);  // a folder, no made-up file name
            dialog->setDirectory(Home("picked"));  // a chosen folder is the one it shows
            static_cast<QDialog*>(dialog)->accept();
            box->close();
          }},
          "QFileDialog");
      QTest::mouseClick(Child(window, "imgFindPath"), Qt::LeftButton);
    }
    QCOMPARE(title, QString("保存路徑"));
    QCOMPARE(target->text(), Home("picked"));
    {
      BoxAnswerer cancel({[](QWidget* box) { box->close(); }}, "QFileDialog");
      QTest::mouseClick(Child(window, "imgFindPath"), Qt::LeftButton);
      QVERIFY(cancel.done());
    }
    QCOMPARE(target->text(), Home("picked"));

    // A later type change brings back the automatic target.
    QTest::mouseClick(window.findChild<QRadioButton*>("optConvType_1"), Qt::LeftButton);
    QCOMPARE(target->text(), Home("BigToGb"));
  }

  void existingTargetsFollowTheChosenOption_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<QStringList>("answers");  // Yes, No, or a button's object name
    QTest::addColumn<QByteArray>("expectedA");
    QTest::addColumn<QByteArray>("expectedB");
    QTest::addColumn<QStringList>("rows");
    const QString done = "轉換成功", kept = "已跳過(目標文件已存在)";
    QTest::newRow("跳過該文件") << 0 << QStringList() << QByteArray("old") << QByteArray("old")
                                << QStringList{kept, kept};
    QTest::newRow("詢問用戶: 否, 是")
        << 1 << QStringList{"No", "Yes"} << QByteArray("old") << kGbZhe << QStringList{kept, done};
    QTest::newRow("詢問用戶: 全部覆蓋")
        << 1 << QStringList{"cmdOverwriteAll"} << kGbZhe << kGbZhe << QStringList{done, done};
    QTest::newRow("詢問用戶: 全部跳過") << 1 << QStringList{"cmdSkipAll"} << QByteArray("old")
                                        << QByteArray("old") << QStringList{kept, kept};
    QTest::newRow("直接覆蓋") << 2 << QStringList() << kGbZhe << kGbZhe << QStringList{done, done};
  }
  void existingTargetsFollowTheChosenOption() {
    QFETCH(int, option);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, rows);
    WriteBytes(Home("a.txt"), kBig5Zhe);
    WriteBytes(Home("b.txt"), kBig5Zhe);
    QDir(Home()).mkpath("BigToGb");
    WriteBytes(Home("BigToGb/a.txt"), "old");
    WriteBytes(Home("BigToGb/b.txt"), "old");
    {
      QSettings store(QStringLiteral("Marlo"), QStringLiteral("Marlo"));
      store.setValue("Configs/HandleExistFile", QString::number(option));
    }
    frmMain window;
    window.show();
    QCOMPARE(window.GetHandleExistFile(), option);
    QTest::mouseClick(window.findChild<QRadioButton*>("optConvType_1"), Qt::LeftButton);
    Add(window, {"a.txt", "b.txt"});
    QList<BoxAnswerer::Answer> presses;
    for (const QString& answer : answers)
      presses << (answer == "Yes"  ? Press(QMessageBox::Yes)
                  : answer == "No" ? Press(QMessageBox::No)
                                   : marlo::test::PressNamed(answer));
    BoxAnswerer box(presses);
    Convert(window);
    WaitForRun(window);

    QCOMPARE(box.seen.size(), answers.size());  // an "all" answer asks no more
    for (qsizetype k = 0; k < box.seen.size(); ++k) {
      QCOMPARE(box.seen[k].title, QString("目標文件已經存在"));
      QCOMPARE(box.seen[k].text, QString("該文件已經存在,是否覆蓋?"));
      QCOMPARE(box.seen[k].informative, Home(k ? "BigToGb/b.txt" : "BigToGb/a.txt"));
      QCOMPARE(box.seen[k].icon, QMessageBox::NoIcon);
      QCOMPARE(box.seen[k].defaultButton, QMessageBox::Yes);
    }
    QTEST(ReadBytes(Home("BigToGb/a.txt")), "expectedA");
    QTEST(ReadBytes(Home("BigToGb/b.txt")), "expectedB");
    auto* results = Child<QTreeWidget>(window, "lvwResult");
    QCOMPARE(Texts(results, 2), rows);
    QCOMPARE(results->topLevelItem(0)->toolTip(0), Home("BigToGb/a.txt") + '\n' + rows[0]);
    // The icons tell a written target from one left alone.
    QCOMPARE(results->topLevelItem(0)->icon(0).pixmap(16).toImage() ==
                 results->topLevelItem(1)->icon(0).pixmap(16).toImage(),
             rows[0] == rows[1]);
    // A finished run empties the list and says how it went; the count stays.
    QCOMPARE(Child<QTreeWidget>(window, "lvwDest")->topLevelItemCount(), 0);
    QCOMPARE(Child<QLabel>(window, "lblHandFileCnt")->text(), QString("2"));
    const int written = int(rows.count("轉換成功"));
    QVERIFY2(Child<QLabel>(window, "lblHandleFieldName")
                 ->text()
                 .startsWith(QString("完成: %1 個轉換成功, %2 個已跳過, 0 個失敗, 用時 ")
                                 .arg(written)
                                 .arg(2 - written)),
             qPrintable(Child<QLabel>(window, "lblHandleFieldName")->text()));
    QVERIFY(Child(window, "lblcurFile")->isHidden());
    QVERIFY(Child(window, "cmdStopConvert")->isHidden());
    QVERIFY(!QGuiApplication::overrideCursor());

    // A double click opens the target with the desktop's program.
    emit results->itemDoubleClicked(results->topLevelItem(1), 0);
    QCOMPARE(opened_, QList<QUrl>{QUrl::fromLocalFile(Home("BigToGb/b.txt"))});
  }

  void failedFilesGetTheirOwnRowsAndTheRunGoesOn() {
    WriteBytes(Home("empty.txt"), "");
    WriteBytes(Home("folder.txt"), "x");
    WriteBytes(Home("gone.txt"), "x");
    WriteBytes(Home("locked.txt"), kBig5Zhe);
    WriteBytes(Home("ok.txt"), kBig5Zhe);
    frmMain window;
    window.show();
    Add(window, {"empty.txt", "folder.txt", "gone.txt", "locked.txt", "ok.txt"});
    QFile::remove(Home("folder.txt"));
    QDir(Home()).mkdir("folder.txt");
    QFile::remove(Home("gone.txt"));
    QFile::setPermissions(Home("locked.txt"), {});
    const bool rootReadsAnything = ReadBytes(Home("locked.txt")) == kBig5Zhe;
    QTest::mouseClick(window.findChild<QRadioButton*>("optConvType_1"), Qt::LeftButton);
    Child<QLineEdit>(window, "txtDescPath")->setText(Home("out"));
    Convert(window);
    WaitForRun(window);

    auto* results = Child<QTreeWidget>(window, "lvwResult");
    QCOMPARE(results->topLevelItemCount(), 5);
    for (int row = 0; row < 4; ++row) {
      const QTreeWidgetItem* item = results->topLevelItem(row);
      if (row == 3 && rootReadsAnything) continue;
      QVERIFY2(item->text(2).contains(item->text(0)), qPrintable(item->text(2)));
      QCOMPARE(item->text(1), QString());
      QCOMPARE(item->toolTip(2), item->text(2));  // the whole reason, however narrow the column
      emit results->itemDoubleClicked(results->topLevelItem(row), 0);
    }
    QCOMPARE(results->topLevelItem(4)->text(2), QString("轉換成功"));
    QCOMPARE(ReadBytes(Home("out/ok.txt")), kGbZhe);
    QVERIFY(opened_.isEmpty());  // a failed row has nothing to open
    QVERIFY(!results->topLevelItem(0)->icon(0).isNull());
  }

  // A converted file that is doubtful is no plain success: bytes that are
  // not the type's code (most likely garbage), and UTF-8 text the type's
  // code could not hold. Its row says what and how many, with its own icon,
  // and the summary counts such files apart.
  void doubtfulFilesAreNoPlainSuccess_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("detectUtf8");
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QByteArray>("target");  // empty: not checked
    const QByteArray utf8("這是 UTF-8 的中文文本。\n");
    QTest::newRow("UTF-8 read as Big5")
        << 1 << false << utf8
        << "轉換成功; 看起來不是 Big5 文本: 84.6% 的非 ASCII 字符無效,像是 UTF-8 文本"
        << QByteArray();
    // GbToBig reads GB2312: 這 and 體 are GBK's only, and would be read as
    // other characters if they went in as GBK codes.
    QStringEncoder big5("Big5");  // ICU's, not the engine's
    QTest::newRow("UTF-8 beyond GB2312")
        << 0 << true << QString("這是繁體字,电脑软件").toUtf8()
        << "轉換成功(UTF-8 源文件); 2 個字符無法用 GB2312 表示,已替換"
        << QByteArray(big5.encode(QString("　是繁　字,電腦軟件")));
    QTest::newRow("UTF-8 beyond the basic plane")
        << 2 << true << QString("軟體😀").toUtf8()
        << "轉換成功(UTF-8 源文件); 1 個字符無法用 GBK 表示,已替換"
        << QByteArray(big5.encode(QString("軟體　")));
  }
  void doubtfulFilesAreNoPlainSuccess() {
    QFETCH(int, type);
    QFETCH(bool, detectUtf8);
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, target);
    WriteBytes(Home("plain.txt"), type == 1 ? kBig5Zhe : kGbZhe);
    WriteBytes(Home("doubtful.txt"), source);
    frmMain window;
    window.show();
    QTest::mouseClick(Child<QRadioButton>(window, qPrintable(QString("optConvType_%1").arg(type))),
                      Qt::LeftButton);
    Child<QCheckBox>(window, "chkAutoUtf8")->setChecked(detectUtf8);
    Add(window, {"doubtful.txt", "plain.txt"});
    Child<QLineEdit>(window, "txtDescPath")->setText(Home("out"));
    Convert(window);
    WaitForRun(window);
    auto* results = Child<QTreeWidget>(window, "lvwResult");
    QCOMPARE(results->topLevelItem(1)->text(2), QString("轉換成功"));
    QTEST(results->topLevelItem(0)->text(2), "warning");
    QVERIFY(results->topLevelItem(0)->toolTip(2).endsWith(results->topLevelItem(0)->text(2)));
    QVERIFY(results->topLevelItem(0)->icon(0).pixmap(16).toImage() !=
            results->topLevelItem(1)->icon(0).pixmap(16).toImage());
    const QString summary = Child<QLabel>(window, "lblHandleFieldName")->text();
    QVERIFY2(summary.startsWith("完成: 2 個轉換成功, 0 個已跳過, 0 個失敗, 用時 ") &&
                 summary.endsWith("; 其中 1 個有警告"),
             qPrintable(summary));
    if (!target.isEmpty()) QCOMPARE(ReadBytes(Home("out/doubtful.txt")), target);
  }

  // Each of the window's choices writes what marlo-convert writes with the
  // matching option, and the preview shows it.
  void theChoicesWriteWhatMarloConvertWrites_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<bool>("detectUtf8");
    QTest::addColumn<bool>("toUtf8");
    QTest::addColumn<bool>("phrases");
    QTest::addColumn<QStringList>("options");
    const QByteArray big5("\xB3\x6F\xAC\x4F\xB3\x6E\xC5\xE9 <abc>\r\n");  // 這是軟體
    const QByteArray gb("\xC8\xED\xBC\xFE\xBA\xCD\xD3\xB2\xBC\xFE\n");    // 软件和硬件
    const QByteArray gbk("\xD6\xD0\xCE\xC4 abc\n");                       // 中文
    const QByteArray utf8Traditional("這是軟體 <abc>\n");
    const QByteArray utf8Simplified("软件和硬件\n");
    QTest::newRow("UTF-8 found") << 1 << utf8Traditional << true << false << false
                                 << QStringList{"-t", "BigToGb", "--from-utf8"};
    QTest::newRow("Big5 under detection")
        << 1 << big5 << true << false << false << QStringList{"-t", "BigToGb"};
    QTest::newRow("GB2312 under detection")
        << 0 << gb << true << false << false << QStringList{"-t", "GbToBig"};
    QTest::newRow("UTF-8 read as Big5 when not detected")
        << 1 << utf8Traditional << false << false << false << QStringList{"-t", "BigToGb"};
    QTest::newRow("UTF-8 out, simplifying")
        << 1 << big5 << false << true << false << QStringList{"-t", "BigToGb", "--to-utf8"};
    QTest::newRow("UTF-8 out of the UCS form")
        << 5 << big5 << false << true << false << QStringList{"-t", "BigToUsc", "--to-utf8"};
    QTest::newRow("UTF-8 out, same characters")
        << 2 << gbk << false << true << false << QStringList{"-t", "GbkToBig", "--to-utf8"};
    QTest::newRow("phrases") << 0 << gb << false << false << true
                             << QStringList{"-t", "GbToBig", "--phrases"};
    QTest::newRow("phrases, UTF-8 both ways")
        << 13 << utf8Simplified << true << true << true
        << QStringList{"-t", "GbToBigToGbk", "--from-utf8", "--to-utf8", "--phrases"};
    QTest::newRow("phrases where the type takes none")
        << 2 << gbk << false << false << true << QStringList{"-t", "GbkToBig"};
  }
  void theChoicesWriteWhatMarloConvertWrites() {
    QFETCH(int, type);
    QFETCH(QByteArray, source);
    QFETCH(bool, detectUtf8);
    QFETCH(bool, toUtf8);
    QFETCH(bool, phrases);
    QFETCH(QStringList, options);
    WriteBytes(Home("src.txt"), source);
    const QByteArray expected = MarloConvert(options, Home("src.txt"));
    QVERIFY(!expected.isEmpty());
    frmMain window;
    window.show();
    QTest::mouseClick(Child<QRadioButton>(window, qPrintable(QString("optConvType_%1").arg(type))),
                      Qt::LeftButton);
    Child<QCheckBox>(window, "chkAutoUtf8")->setChecked(detectUtf8);
    Child<QCheckBox>(window, "chkToUtf8")->setChecked(toUtf8);
    Child<QCheckBox>(window, "chkPhrases")->setChecked(phrases);
    Add(window, {"src.txt"});
    Child<QLineEdit>(window, "txtDescPath")->setText(Home("out"));
    Convert(window);
    WaitForRun(window);
    QCOMPARE(ReadBytes(Home("out/src.txt")), expected);
    const QString row = Child<QTreeWidget>(window, "lvwResult")->topLevelItem(0)->text(2);
    QCOMPARE(row.contains("(UTF-8 源文件)"), options.contains("--from-utf8"));

    window.PreviewFile(Home("src.txt"), type);
    QTRY_VERIFY_WITH_TIMEOUT(!window.IsPreviewing(), 10000);
    QWidget* preview = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->objectName() == "frmClipboard") preview = top;
    QVERIFY(preview);
    const auto form = marlo::TypeInfo(marlo::ConvType(type)).target;
    const QString shown = preview->findChild<QPlainTextEdit*>("txtDest")->toPlainText();
    delete preview;
    // The text box keeps line ends as LF.
    QCOMPARE(shown,
             marlo::DecodeBytes(window.cfMain(),
                                std::string_view(expected.constData(), size_t(expected.size())),
                                form, toUtf8)
                 .remove('\r'));
  }

  // A folder tree with "包含子文件夾" ticked: every file under it, named by
  // its path below it, the ignored types, links to folders and the target
  // folder left out; the targets mirror the tree as marlo-convert -r does.
  void aTreeIsAddedAndMirroredAsMarloConvertDoes() {
    QDir home(Home());
    for (const char* folder : {"tree/sub/deeper", "tree/out"}) home.mkpath(folder);
    for (const char* name : {"tree/a.txt", "tree/sub/b.txt", "tree/sub/deeper/c.txt",
                             "tree/sub/skip.exe", "tree/out/old.txt"})
      WriteBytes(Home(name), kBig5Zhe);
    QVERIFY(QFile::link(Home("tree"), Home("tree/sub/loop")));
    // marlo-convert first, into the same target folder; its targets then go aside.
    MarloConvert({"-t", "BigToGb", "-r", Home("tree"), "-o", Home("tree/out")}, "/dev/null");
    QVERIFY(home.rename("tree/out/sub", "cli-sub"));
    QVERIFY(home.rename("tree/out/a.txt", "cli-a.txt"));

    frmMain window;
    window.show();
    QTest::mouseClick(Child<QRadioButton>(window, "optConvType_1"), Qt::LeftButton);
    Child<QCheckBox>(window, "chkSubFolders")->setChecked(true);
    Child<QLineEdit>(window, "txtDescPath")->setText(Home("tree/out"));
    Drop(window, {QUrl::fromLocalFile(Home("tree"))});
    QTRY_VERIFY(!window.IsAddingTree());
    auto* dest = Child<QTreeWidget>(window, "lvwDest");
    QStringList listed = Texts(dest);
    listed.sort();
    QCOMPARE(listed, QStringList({"a.txt", "sub/b.txt", "sub/deeper/c.txt"}));
    Drop(window, {QUrl::fromLocalFile(Home("tree"))});  // nothing twice
    QTRY_VERIFY(!window.IsAddingTree());
    QCOMPARE(dest->topLevelItemCount(), 3);
    Convert(window);
    WaitForRun(window);
    QCOMPARE(ReadBytes(Home("tree/out/a.txt")), ReadBytes(Home("cli-a.txt")));
    QCOMPARE(ReadBytes(Home("tree/out/sub/b.txt")), ReadBytes(Home("cli-sub/b.txt")));
    QCOMPARE(ReadBytes(Home("tree/out/sub/deeper/c.txt")), ReadBytes(Home("cli-sub/deeper/c.txt")));
    QCOMPARE(ReadBytes(Home("tree/out/old.txt")), kBig5Zhe);

    // ">>" with the folder chosen in the folder list adds the same tree.
    frmMain second;
    second.show();
    Child<QCheckBox>(second, "chkSubFolders")->setChecked(true);
    Child<QLineEdit>(second, "txtDescPath")->setText(Home("tree/out"));
    auto* folders = Child<QListWidget>(second, "dirSource");
    const auto tree = folders->findItems("tree", Qt::MatchExactly);
    QVERIFY(!tree.isEmpty());
    tree.first()->setSelected(true);
    QTest::mouseClick(Child<QPushButton>(second, "cmdSelect"), Qt::LeftButton);
    QTRY_VERIFY(!second.IsAddingTree());
    listed = Texts(Child<QTreeWidget>(second, "lvwDest"));
    listed.sort();
    QCOMPARE(listed, QStringList({"a.txt", "sub/b.txt", "sub/deeper/c.txt"}));
  }

  // ">>" adds the chosen files, with the tree option on too; a tree only
  // for a folder the user chose, without the folders earlier runs wrote.
  void theTreeOptionAddsOnlyWhatTheUserChose() {
    QDir home(Home());
    for (const char* folder : {"docs/BigToGb", "docs/GbToBig/sub", "docs/notes"})
      home.mkpath(folder);
    for (const char* name : {"docs/a.txt", "docs/b.txt", "docs/BigToGb/a.txt",
                             "docs/GbToBig/sub/a.txt", "docs/notes/c.txt", "docs/notes/d.exe"})
      WriteBytes(Home(name), "x");
    frmMain window;
    window.show();
    Child<QCheckBox>(window, "chkSubFolders")->setChecked(true);
    auto* folders = Child<QListWidget>(window, "dirSource");
    auto* files = Child<QListWidget>(window, "FilSource");
    auto* dest = Child<QTreeWidget>(window, "lvwDest");
    emit folders->itemActivated(folders->findItems("docs", Qt::MatchExactly).first());
    QVERIFY(folders->selectedItems().isEmpty());  // entering a folder does not choose it
    Add(window, {"a.txt"});
    QTRY_VERIFY(!window.IsAddingTree());
    QCOMPARE(Texts(dest), QStringList({"a.txt"}));
    files->clearSelection();
    emit files->itemActivated(files->findItems("b.txt", Qt::MatchExactly).first());
    QTRY_VERIFY(!window.IsAddingTree());
    QCOMPARE(Texts(dest), QStringList({"a.txt", "b.txt"}));
    QCOMPARE(Child<QLabel>(window, "lblHandFileCnt")->text(), QString("2"));

    // No file chosen, the shown folder chosen: its tree.
    files->clearSelection();
    folders->currentItem()->setSelected(true);
    QTest::mouseClick(Child<QPushButton>(window, "cmdSelect"), Qt::LeftButton);
    QTRY_VERIFY(!window.IsAddingTree());
    QCOMPARE(Texts(dest), QStringList({"a.txt", "b.txt", "notes/c.txt"}));
    QCOMPARE(Child<QLabel>(window, "lblHandFileCnt")->text(), QString("3"));
    QCOMPARE(Child<QLabel>(window, "lblHandleFieldName")->text(),
             QString("已加入 1 個文件; 未進入 2 個以轉換方式命名的文件夾 (以前轉換的結果); "
                     "1 個文件按忽略列表跳過"));
  }

  // "按詞語轉換" is there only for the types that take phrases, and the
  // remark says what it does while the pointer is on it.
  void thePhraseChoiceGoesWithItsTypes() {
    frmMain window;
    window.show();
    auto* phrases = Child<QCheckBox>(window, "chkPhrases");
    for (int type = 0; type < 14; ++type) {
      QTest::mouseClick(
          Child<QRadioButton>(window, qPrintable(QString("optConvType_%1").arg(type))),
          Qt::LeftButton);
      QCOMPARE(phrases->isEnabled(), type == 0 || type == 1 || type == 13);
    }
    auto* remark = Child<QLabel>(window, "lblRemark");
    const QString typeRemark = remark->text();
    QEvent enter(QEvent::Enter), leave(QEvent::Leave);
    QApplication::sendEvent(phrases, &enter);
    QVERIFY(remark->text().startsWith(QString::fromUtf8("按詞語轉換")));
    QApplication::sendEvent(phrases, &leave);
    QCOMPARE(remark->text(), typeRemark);
  }

  void aBlankTargetIsRefusedWithFocusOnTheTarget() {
    WriteBytes(Home("a.txt"), "x");
    frmMain window;
    window.show();
    Add(window, {"a.txt"});
    Child<QLineEdit>(window, "txtDescPath")->setText("   ");
    BoxAnswerer answers({Press(QMessageBox::Ok)});
    Convert(window);
    QTRY_VERIFY(answers.done());
    WaitForRun(window);
    QCOMPARE(answers.seen.size(), 1);
    QCOMPARE(answers.seen[0].text, QString("請輸入目標路徑!"));
    QCOMPARE(answers.seen[0].icon, QMessageBox::Critical);
    QCOMPARE(window.focusWidget(), Child(window, "txtDescPath"));
    QCOMPARE(Child<QTreeWidget>(window, "lvwDest")->topLevelItemCount(), 1);
  }

  // The summary counts this run's files alone, and a stopped run's "left"
  // are the files it never came to, not the failed ones.
  void theSummaryCountsThisRunsFilesAlone() {
    for (const char* name : {"ok1.txt", "ok2.txt", "gone.txt", "a.txt", "b.txt", "0gone.txt"})
      WriteBytes(Home(name), "x");
    QDir(Home()).mkpath("out");
    WriteBytes(Home("out/a.txt"), "old");
    frmMain window;
    window.show();
    Child<QLineEdit>(window, "txtDescPath")->setText(Home("out"));
    auto summary = [&] { return Child<QLabel>(window, "lblHandleFieldName")->text(); };
    Add(window, {"ok1.txt", "gone.txt"});
    QFile::remove(Home("gone.txt"));
    Convert(window);
    WaitForRun(window);
    QVERIFY2(summary().startsWith("完成: 1 個轉換成功, 0 個已跳過, 1 個失敗, 用時 "),
             qPrintable(summary()));
    Add(window, {"ok2.txt"});
    Convert(window);
    WaitForRun(window);
    QVERIFY2(summary().startsWith("完成: 1 個轉換成功, 0 個已跳過, 0 個失敗, 用時 "),
             qPrintable(summary()));

    QTest::mouseClick(window.findChild<QRadioButton*>("optHandleExistFile_1"), Qt::LeftButton);
    Add(window, {"0gone.txt", "a.txt", "b.txt"});
    QFile::remove(Home("0gone.txt"));
    {
      BoxAnswerer answers({[&](QWidget* box) {
        QTest::mouseClick(Child<QPushButton>(window, "cmdStopConvert"), Qt::LeftButton);
        static_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->click();
      }});
      Convert(window);
      WaitForRun(window);
    }
    QCOMPARE(summary(),
             QString("已停止: 1 個轉換成功, 0 個已跳過, 1 個失敗; 列表中還有 1 個文件未處理"));
    // Where the row is too narrow the summary is cut with "…", whole in the
    // tooltip; never cut off without a sign.
    auto* label = Child<marlo::ElidedLabel>(window, "lblHandleFieldName");
    window.resize(window.minimumSize());
    QTRY_VERIFY(label->ShownText() != label->text());
    QVERIFY2(label->ShownText().endsWith(QChar(0x2026)), qPrintable(label->ShownText()));
    QVERIFY(label->fontMetrics().horizontalAdvance(label->ShownText()) <=
            label->contentsRect().width());
    QCOMPARE(label->toolTip(), summary());
  }

  // The clipboard and preview window opens over the main window, inside the
  // screen, not at the screen's corner; a long path loses its middle in the
  // title, not the file's name.
  void theClipboardWindowOpensOverTheMainWindow() {
    const QString deep = QString("很長的文件夾名字/").repeated(8);
    QVERIFY(QDir(Home()).mkpath(deep));
    WriteBytes(Home(deep + "最後的文件.txt"), "x");
    frmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QGuiApplication::clipboard()->setText("x");
    window.ConvertClipboard();
    marlo::frmClipboard* clipboard = window.LoadClipboardWindow();
    QTRY_VERIFY(clipboard->isVisible());
    const QRect room = window.screen()->availableGeometry();
    QVERIFY(room.contains(clipboard->frameGeometry()));
    const QPoint offCentre = clipboard->frameGeometry().center() - window.frameGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(offCentre.x()).arg(offCentre.y())));

    window.PreviewFile(Home(deep + "最後的文件.txt"), 1);
    QTRY_VERIFY(!window.IsPreviewing());
    const QString title = clipboard->findChild<QLabel*>("lblTitle")->text();
    QVERIFY2(title.endsWith("最後的文件.txt(BigToGb)") && title.contains(QChar(0x2026)),
             qPrintable(title));
    clipboard->close();
  }

  // A screen reader, and a test driving the window by role, finds every
  // control by a name in the window's language.
  void everyControlHasAnAccessibleName() {
    frmMain window;
    window.show();
    QGuiApplication::clipboard()->setText("x");
    window.ConvertClipboard();
    QStringList unnamed;
    for (QWidget* top :
         {static_cast<QWidget*>(&window), static_cast<QWidget*>(window.LoadClipboardWindow())})
      for (QWidget* control : top->findChildren<QWidget*>()) {
        const bool isControl =
            control->focusPolicy() != Qt::NoFocus ||
            (qobject_cast<QAbstractItemView*>(control) && !qobject_cast<QHeaderView*>(control)) ||
            control->objectName().startsWith("imgTitle") || control->objectName() == "procTotal";
        const bool decoration = control->objectName() == "imgTitleLeft" ||
                                control->objectName() == "imgTitleMain" ||
                                control->objectName() == "imgTitleRight";
        if (!isControl || decoration || !control->isVisibleTo(top)) continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty())
          unnamed << control->objectName() + '(' + control->metaObject()->className() + ')';
      }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    QCOMPARE(Child(window, "imgTitleClose")->accessibleName(), QString("關閉"));
    window.LoadClipboardWindow()->close();
  }

  void stopReentryAndAdditionsDuringARun() {
    for (const char* name : {"a.txt", "b.txt", "c.txt", "late.txt"}) WriteBytes(Home(name), "x");
    QDir(Home()).mkpath("out");
    WriteBytes(Home("out/a.txt"), "old");
    frmMain window;
    window.show();
    QTest::mouseClick(window.findChild<QRadioButton*>("optHandleExistFile_1"), Qt::LeftButton);
    Add(window, {"a.txt", "b.txt", "c.txt"});
    Child<QLineEdit>(window, "txtDescPath")->setText(Home("out"));

    // While the question about a.txt is open: a second start does nothing,
    // a new file can be listed, and stop is pressed.
    bool busyWhileAsking = false, stopShown = false;
    {
      BoxAnswerer answers({[&](QWidget* box) {
        busyWhileAsking = QGuiApplication::overrideCursor() != nullptr;
        stopShown = Child(window, "cmdStopConvert")->isVisible();
        Convert(window);
        Add(window, {"late.txt"});
        QTest::mouseClick(Child<QPushButton>(window, "cmdStopConvert"), Qt::LeftButton);
        static_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->click();
      }});
      Convert(window);
      WaitForRun(window);
    }
    QVERIFY(busyWhileAsking);
    QVERIFY(stopShown);
    QCOMPARE(Texts(Child<QTreeWidget>(window, "lvwResult")), QStringList({"a.txt"}));
    QCOMPARE(ReadBytes(Home("out/a.txt")), QByteArray("x"));  // the file under way finished
    QVERIFY(!QFile::exists(Home("out/b.txt")));
    // A stopped run keeps every entry, and the bar keeps its value.
    QCOMPARE(Texts(Child<QTreeWidget>(window, "lvwDest")),
             QStringList({"a.txt", "b.txt", "c.txt", "late.txt"}));
    QCOMPARE(Child<marlo::ProgressBarMarlo>(window, "procTotal")->Value(), 1);
    QCOMPARE(Child<QLabel>(window, "lblHandleFieldName")->text(),
             QString("已停止: 1 個轉換成功, 0 個已跳過, 0 個失敗; 列表中還有 3 個文件未處理"));

    // A finished run takes out its own entries, not one added meanwhile.
    Child<QTreeWidget>(window, "lvwDest")->topLevelItem(3)->setSelected(true);
    QTest::mouseClick(Child<QPushButton>(window, "cmdDisSelect"), Qt::LeftButton);
    BoxAnswerer again({[&](QWidget* box) {
      Add(window, {"late.txt"});
      static_cast<QMessageBox*>(box)->button(QMessageBox::No)->click();
    }});
    Convert(window);
    WaitForRun(window);
    QCOMPARE(Texts(Child<QTreeWidget>(window, "lvwDest")), QStringList({"late.txt"}));
    QCOMPARE(Child<QTreeWidget>(window, "lvwResult")->topLevelItemCount(), 3);
  }

  // Names from Chinese Windows archives are GBK or Big5 bytes, no UTF-8:
  // listed readably, converted and previewed under the same bytes.
  void legacyNamesAreListedConvertedAndPreviewedUnderTheirBytes() {
    const QByteArray gbkName("\xBC\xF2\xCC\xE5\xCE\xC4\xBC\xFE\xD2\xBB.txt");  // 简体文件一
    const QByteArray big5Name("\xC1\x63\xC5\xE9\xC0\xC9\xAE\xD7.txt");         // 繁體檔案
    const QByteArray gbkFolder("\xD6\xD0\xCE\xC4\xC4\xBF\xC2\xBC");            // 中文目录
    const QByteArray home = QFile::encodeName(Home());
    auto write = [](const QByteArray& path, const QByteArray& bytes) {
      FILE* file = std::fopen(path.constData(), "wb");
      QVERIFY(file);
      std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file);
      std::fclose(file);
    };
    write(home + '/' + gbkName, kBig5Zhe);
    write(home + '/' + big5Name, kBig5Zhe);
    QVERIFY(::mkdir((home + '/' + gbkFolder).constData(), 0755) == 0);
    write(home + '/' + gbkFolder + "/a.txt", kBig5Zhe);

    frmMain window;
    window.show();
    auto* files = Child<QListWidget>(window, "FilSource");
    QCOMPARE(files->findItems("简体文件一.txt", Qt::MatchExactly).first()->toolTip(),
             QString("文件名為 GBK 編碼"));
    QCOMPARE(files->findItems("繁體檔案.txt", Qt::MatchExactly).first()->toolTip(),
             QString("文件名為 Big5 編碼"));
    QTest::mouseClick(window.findChild<QRadioButton*>("optConvType_1"), Qt::LeftButton);
    Add(window, {"简体文件一.txt", "繁體檔案.txt"});
    QCOMPARE(Texts(Child<QTreeWidget>(window, "lvwDest")),
             QStringList({"简体文件一.txt", "繁體檔案.txt"}));

    // A double click on the entry previews the file behind those bytes.
    auto* dest = Child<QTreeWidget>(window, "lvwDest");
    emit dest->itemActivated(dest->topLevelItem(0), 0);
    QTRY_VERIFY(!window.IsPreviewing());
    QWidget* preview = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->objectName() == "frmClipboard") preview = top;
    QVERIFY(preview);
    QCOMPARE(preview->findChild<QPlainTextEdit*>("txtDest")->toPlainText(), QString("这\n"));
    preview->close();

    Convert(window);
    WaitForRun(window);
    auto* results = Child<QTreeWidget>(window, "lvwResult");
    QCOMPARE(Texts(results, 2), QStringList({"轉換成功", "轉換成功"}));
    QCOMPARE(Texts(results), QStringList({"简体文件一.txt", "繁體檔案.txt"}));
    // A double click hands the desktop the target's own bytes.
    emit results->itemDoubleClicked(results->topLevelItem(0), 0);
    QCOMPARE(opened_.size(), 1);
    QCOMPARE(QByteArray::fromPercentEncoding(opened_[0].path(QUrl::FullyEncoded).toLatin1()),
             home + "/BigToGb/" + gbkName);
    const QByteArray target = home + "/BigToGb/";
    for (const QByteArray& name : {gbkName, big5Name}) {
      FILE* file = std::fopen((target + name).constData(), "rb");
      QVERIFY2(file, (target + name).constData());
      char bytes[8] = {};
      QCOMPARE(std::fread(bytes, 1, sizeof bytes, file), size_t(4));
      std::fclose(file);
      QCOMPARE(QByteArray(bytes, 4), kGbZhe);
    }

    // A folder of such a name opens, and its target keeps its bytes too.
    auto* folders = Child<QListWidget>(window, "dirSource");
    const auto found = folders->findItems("中文目录", Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    emit folders->itemActivated(found.first());
    QCOMPARE(window.SourceFolderBytes(), home + '/' + gbkFolder);
    QCOMPARE(files->count(), 1);
    Add(window, {"a.txt"});
    Convert(window);
    WaitForRun(window);
    struct stat info;
    QCOMPARE(::stat((home + '/' + gbkFolder + "/BigToGb/a.txt").constData(), &info), 0);

    // A tree's entries decode folder by folder: a UTF-8 folder holding a GBK one.
    const QByteArray mixed = QByteArray("文檔/") + gbkFolder;
    QVERIFY(QDir(Home()).mkpath("文檔"));
    QVERIFY(::mkdir((home + '/' + mixed).constData(), 0755) == 0);
    write(home + '/' + mixed + "/d.txt", kBig5Zhe);
    Child<QCheckBox>(window, "chkSubFolders")->setChecked(true);
    Drop(window, {QUrl::fromLocalFile(Home())});
    QTRY_VERIFY(!window.IsAddingTree());
    QVERIFY2(Texts(dest).contains("文檔/中文目录/d.txt"), qPrintable(Texts(dest).join(',')));

    // The target can be a folder of such a name: the one chosen in the list.
    window.SetSourceFolderBytes(home);
    const auto chosen = folders->findItems("中文目录", Qt::MatchExactly);
    QCOMPARE(chosen.size(), 1);
    chosen.first()->setSelected(true);
    QTest::mouseClick(Child<QToolButton>(window, "imgUseFolder"), Qt::LeftButton);
    QCOMPARE(Child<QLineEdit>(window, "txtDescPath")->text(), Home("中文目录"));
    dest->selectAll();
    QTest::mouseClick(Child<QPushButton>(window, "cmdDisSelect"), Qt::LeftButton);
    Add(window, {"繁體檔案.txt"});
    Convert(window);
    WaitForRun(window);
    QCOMPARE(::stat((home + '/' + gbkFolder + '/' + big5Name).constData(), &info), 0);
  }

  // A file made while its folder is shown appears, the selection kept.
  void theListsFollowChangesOnDisk() {
    WriteBytes(Home("a.txt"), "x");
    frmMain window;
    window.show();
    auto* files = Child<QListWidget>(window, "FilSource");
    QCOMPARE(files->count(), 1);
    files->item(0)->setSelected(true);
    WriteBytes(Home("b.txt"), "x");
    QDir(Home()).mkdir("new folder");
    QTRY_COMPARE_WITH_TIMEOUT(files->count(), 2, 10000);
    QVERIFY(files->findItems("a.txt", Qt::MatchExactly).first()->isSelected());
    // So do those of a folder whose name is GBK, no UTF-8.
    const QByteArray gbkFolder = QFile::encodeName(Home()) + "/\xD6\xD0\xCE\xC4";  // 中文
    QVERIFY(::mkdir(gbkFolder.constData(), 0755) == 0);
    frmMain legacy;
    legacy.show();
    legacy.SetSourceFolderBytes(gbkFolder);
    auto* legacyFiles = Child<QListWidget>(legacy, "FilSource");
    QCOMPARE(legacyFiles->count(), 0);
    FILE* file = std::fopen((gbkFolder + "/new.txt").constData(), "wb");
    QVERIFY(file);
    std::fclose(file);
    QTRY_COMPARE_WITH_TIMEOUT(legacyFiles->count(), 1, 10000);
    QVERIFY(!files->findItems("b.txt", Qt::MatchExactly).first()->isSelected());
    QTRY_VERIFY(!Child<QListWidget>(window, "dirSource")
                     ->findItems("new folder", Qt::MatchExactly)
                     .isEmpty());
  }

  // The window can be made larger; the lists take the room, and the size
  // is there again at the next start.
  // The window fits a screen of 1024 × 560 logical pixels with every
  // control on it; at its first size (on 1280 × 1024) the lists show six
  // rows, the results five, and what the window gains goes to the lists.
  void theListsTakeTheRoomAndTheWindowFitsSmallScreens() {
    QDir home(Home());
    for (int i = 0; i < 12; ++i) {
      home.mkpath(QStringLiteral("folder%1").arg(i));
      WriteBytes(Home(QStringLiteral("file%1.txt").arg(i)), "x");
    }
    auto* window = new frmMain;
    window->show();
    QVERIFY2(window->minimumSize().width() <= 1024 && window->minimumSize().height() <= 560,
             qPrintable(QStringLiteral("%1 x %2")
                            .arg(window->minimumSize().width())
                            .arg(window->minimumSize().height())));
    window->resize(window->minimumSize());
    // Nothing is pushed out of the window or squeezed out of sight: the
    // content ends above the bottom border.
    const int contentBottom = window->height() - 30;
    for (const char* name : {"lvwResult", "procTotal", "cmdSelect", "tbToolbar", "scrOptions"}) {
      auto* control = Child(*window, name);
      const QRect placed(control->mapTo(window, QPoint(0, 0)), control->size());
      QVERIFY2(placed.height() > 0 && placed.bottom() < contentBottom, name);
    }

    window->resize(frmMain::StartSize());
    auto* folders = Child<QListWidget>(*window, "dirSource");
    auto* files = Child<QListWidget>(*window, "FilSource");
    auto* results = Child<QTreeWidget>(*window, "lvwResult");
    for (int i = 0; i < 8; ++i) results->addTopLevelItem(new QTreeWidgetItem({"x"}));
    auto rows = [](QAbstractItemView* list) {
      return list->viewport()->height() / list->sizeHintForRow(0);
    };
    QTRY_VERIFY(rows(folders) > 0);
    QVERIFY2(rows(folders) >= 6, qPrintable(QString::number(rows(folders))));
    QVERIFY2(rows(files) >= 6, qPrintable(QString::number(rows(files))));
    QVERIFY2(rows(results) >= 5, qPrintable(QString::number(rows(results))));

    auto* options = Child(*window, "fraOption");
    const int listHeight = results->height(), folderHeight = folders->height(),
              optionHeight = options->height();
    window->resize(window->width() + 40, window->height() + 120);
    QTRY_VERIFY(results->height() > listHeight);
    QVERIFY(folders->height() > folderHeight);
    QCOMPARE(options->height(), optionHeight);
    const QSize closedAt = window->size();
    window->close();
    QSettings store(QStringLiteral("Marlo"), QStringLiteral("Marlo"));
    QCOMPARE(store.value("Configs/WindowWidth").toString(), QString::number(closedAt.width()));
    QCOMPARE(store.value("Configs/WindowHeight").toString(), QString::number(closedAt.height()));
    // Never less than the controls need, whatever the store says.
    store.setValue("Configs/WindowWidth", "10");
    store.setValue("Configs/WindowHeight", "10");
    store.sync();
    frmMain again;
    QCOMPARE(again.size(), again.minimumSize());
  }

  void closingDuringARunStopsAfterTheCurrentFileThenUnloads() {
    for (const char* name : {"a.txt", "b.txt"}) WriteBytes(Home(name), "x");
    QDir(Home()).mkpath("out");
    WriteBytes(Home("out/a.txt"), "old");
    auto* window = new frmMain;
    window->show();
    QTest::mouseClick(window->findChild<QRadioButton*>("optHandleExistFile_1"), Qt::LeftButton);
    Add(*window, {"a.txt", "b.txt"});
    Child<QLineEdit>(*window, "txtDescPath")->setText(Home("out"));
    bool stillOpen = false;
    BoxAnswerer answers({[&](QWidget* box) {
      window->close();
      stillOpen = window->isVisible();
      static_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->click();
    }});
    Convert(*window);
    QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), 10000);
    QVERIFY(stillOpen);
    QVERIFY(!QFile::exists(Home("out/b.txt")));
    QSettings store(QStringLiteral("Marlo"), QStringLiteral("Marlo"));
    QCOMPARE(store.value("Configs/HandleExistFile").toString(), QString("1"));
    delete window;
  }

  // The run's question waits for the window's answer. A window that goes
  // away while the question is open answers "no" for it: the run ends
  // without writing, and nothing waits forever.
  void aRunDestroyedWhileItAsksLeavesTheTarget() {
    WriteBytes(Home("a.txt"), "\xB3\x6F");
    QDir(Home()).mkpath("out");
    WriteBytes(Home("out/a.txt"), "old");
    struct Host : marlo::RunHost {
      std::unique_ptr<marlo::BackgroundRun>* run = nullptr;
      marlo::OverwriteAnswer AskOverwrite(const std::string&) override {
        run->reset();  // the window closes with the question on screen
        return marlo::OverwriteAnswer::kOverwrite;
      }
      void ShowError(const std::string&) override {}
      void AddRow(const marlo::RunRow&) override {}
    } host;
    marlo::ConvMarlo engine;
    engine.InitMe();
    marlo::RunSettings run;
    run.entries.push_back({Home("a.txt").toStdString(), "a.txt"});
    run.targetFolderText = Home("out").toStdString();
    run.handleExistFile = marlo::ExistingFile::kAsk;
    auto background = std::make_unique<marlo::BackgroundRun>(engine, run, host);
    host.run = &background;
    background->Start();
    QTRY_VERIFY_WITH_TIMEOUT(!background, 10000);
    QCOMPARE(ReadBytes(Home("out/a.txt")), QByteArray("old"));
  }

  void theExistingFileChoiceIsStoredOnClose() {
    {
      QSettings store(QStringLiteral("Marlo"), QStringLiteral("Marlo"));
      store.setValue("Configs/HandleExistFile", "1");
    }
    auto* window = new frmMain;
    window->show();
    QCOMPARE(window->GetHandleExistFile(), 1);
    QTest::mouseClick(window->findChild<QRadioButton*>("optHandleExistFile_2"), Qt::LeftButton);
    window->close();
    QSettings store(QStringLiteral("Marlo"), QStringLiteral("Marlo"));
    QCOMPARE(store.value("Configs/HandleExistFile").toString(), QString("2"));
    delete window;
  }

  void anOutOfRangeStoredChoiceKeepsTheFirst() {
    {
      QSettings store(QStringLiteral("Marlo"), QStringLiteral("Marlo"));
      store.setValue("Configs/HandleExistFile", "7");
    }
    frmMain window;
    QCOMPARE(window.GetHandleExistFile(), 0);
  }

  void minimizingWithoutANotificationAreaKeepsTheWindowReachable() {
    frmMain window;
    window.show();
    QTest::mouseClick(Child<QLabel>(window, "imgTitleMinimize"), Qt::LeftButton);
    QVERIFY(window.isVisible());  // minimized, not hidden: there is no tray here
  }

  void theAboutBoxIsTheSplashWindowShownModally() {
    frmMain window;
    window.show();
    QString name;
    BoxAnswerer answers({[&](QWidget* about) {
                          name = about->objectName();
                          QTest::mouseClick(about, Qt::LeftButton, {},
                                            QPoint(5, 5));  // the background closes it
                        }},
                        "marlo::frmSplash");
    window.findChild<QAction*>("butAbout")->trigger();
    QCOMPARE(name, QString("frmSplash"));
    QVERIFY(!QApplication::activeModalWidget());
  }
};

QTEST_MAIN(frmMainTest)
#include "frmMainTest.moc"
