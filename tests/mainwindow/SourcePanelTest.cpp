// SPDX-License-Identifier: Apache-2.0
// The source panel: the folder and file lists, ">>", tree walks, names in
// legacy codes, and the lists following the disk. Driven by object name, as a user would.
#include "tests/mainwindow/WindowTestSupport.h"

using namespace marlo::test;
using marlo::frmMain;

class SourcePanelTest : public WindowTest {
  Q_OBJECT

 private slots:
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
};

QTEST_MAIN(SourcePanelTest)
#include "SourcePanelTest.moc"
