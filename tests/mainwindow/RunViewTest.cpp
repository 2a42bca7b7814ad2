// SPDX-License-Identifier: Apache-2.0
// A run as the window shows it: existing targets, failed and doubtful
// rows, the bytes written against marlo-convert, the summary, and stopping. Driven by object name,
// as a user would.
#include "tests/mainwindow/WindowTestSupport.h"

using namespace marlo::test;
using marlo::frmMain;

class RunViewTest : public WindowTest {
  Q_OBJECT

 private slots:
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
        << "轉換成功; 看起來不是 Big5 文本: 84.6% 的非 ASCII 字符無效,像是 UTF-8 文本; "
           "1 個字符無法用 GB2312 表示,已替換"
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
    // A character the type writes: GbkToBig's is traditional (這 in GBK).
    WriteBytes(Home("plain.txt"), type == 1 ? kBig5Zhe : type == 2 ? "\xDF\x40" : kGbZhe);
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
};

QTEST_MAIN(RunViewTest)
#include "RunViewTest.moc"
