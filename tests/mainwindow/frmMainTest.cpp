// SPDX-License-Identifier: Apache-2.0
// The form as a whole: its named controls, their accessible names, its
// size on small screens, the clipboard window's place, the tray and the
// about box. Driven by object name, as a user would.
#include "tests/mainwindow/WindowTestSupport.h"

using namespace marlo::test;
using marlo::frmMain;

class frmMainTest : public WindowTest {
  Q_OBJECT

 private slots:
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
