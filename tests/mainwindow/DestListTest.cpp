// SPDX-License-Identifier: Apache-2.0
// The list of files to convert: drops and sorting. Driven by object name, as a user would.
#include "tests/mainwindow/WindowTestSupport.h"

using namespace marlo::test;
using marlo::frmMain;

class DestListTest : public WindowTest {
  Q_OBJECT

 private slots:
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
};

QTEST_MAIN(DestListTest)
#include "DestListTest.moc"
