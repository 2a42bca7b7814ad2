// SPDX-License-Identifier: Apache-2.0
// The clipboard window, the preview page and the main window's openers, on
// temporary settings and data folders.
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QtTest>

#include "batch/ConversionPipeline.h"
#include "clipboard/PreviewData.h"
#include "clipboard/TextForms.h"
#include "clipboard/frmClipboard.h"
#include "mainwindow/frmMain.h"
#include "settings/clsSettings.h"
#include "tests/support/ModalAnswerer.h"

using marlo::frmClipboard;
using marlo::frmMain;
using marlo::test::BoxAnswerer;
using marlo::test::Press;

namespace {

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The page as it must be on disk, line 3 and line 11 filled in.
QByteArray ExpectedPage(const QByteArray& body, const QByteArray& charset) {
  return "<HTML>\r\n<HEAD>\r\n<meta http-equiv='Content-Type' content='text/html; charset=" +
         charset +
         "'>\r\n</HEAD>\r\n<BODY topmargin=0 leftmargin=0 bgcolor='White'>\r\n<DIV "
         "ID='TabStyle1Cont'>\r\n<table width=100% BORDER='0' CELLSPACING='1' "
         "CELLPADDING='1'>\r\n<TR valign=top align=left>\r\n<TD>\r\n<font face='Arial' "
         "size='2px'>\r\n" +
         body + "\r\n</font>\r\n</TD>\r\n</TR>\r\n</table>\r\n</DIV>\r\n</BODY>\r\n</HTML>\r\n";
}

}  // namespace

class frmClipboardTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir config_, data_;
  std::unique_ptr<QTemporaryDir> home_;

  static void StoreByteFlag(int value) {
    QSettings store(QStringLiteral("Marlo"), QStringLiteral("Marlo"));
    store.setValue("Configs/IsReturnbyte", QString::number(value));
  }
  template <typename T = QWidget>
  static T* Child(const QWidget& window, const char* name) {
    T* child = window.findChild<T*>(name);
    if (!child) qFatal("no control %s", name);
    return child;
  }
  static QString Shown(const frmClipboard& window, const char* box) {
    return Child<QPlainTextEdit>(window, box)->toPlainText();
  }

 private slots:
  void initTestCase() {
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    qputenv("XDG_DATA_HOME", data_.path().toUtf8());
    QCoreApplication::setApplicationName("Marlo");
    QCoreApplication::setOrganizationName("Marlo");
  }
  void init() {
    QDir(config_.path()).removeRecursively();
    QFile::remove(frmClipboard::PagePath());
    home_ = std::make_unique<QTemporaryDir>();
    qputenv("HOME", home_->path().toUtf8());
  }

  void thePageIsEighteenLinesWithTheCharsetVerbatim() {
    QCOMPARE(QByteArray::fromStdString(marlo::PreviewPage("", "big5")), ExpectedPage("", "big5"));
    QCOMPARE(QByteArray::fromStdString(marlo::PreviewPage("a\r\nb", "")),
             ExpectedPage("a\r\nb", ""));
    QCOMPARE(QByteArray::fromStdString(marlo::PreviewPage("x", "utf-8")).count("\r\n"), 18);
    // Markup characters in text are escaped, never inside a double-byte
    // character (a CNS plane 2 code may have a second byte of "<").
    QCOMPARE(marlo::EscapeHtmlText("#include <stdio.h> & \xA4\x3C\xA4\x26"),
             std::string("#include &lt;stdio.h&gt; &amp; \xA4\x3C\xA4\x26"));
  }

  // Past the page limit the text converts whole, the page and the byte
  // text show its start up to a line end, and the page says so in entities
  // that read the same in any character set.
  void aLargeSourceShowsItsStartOnThePage() {
    marlo::ConvMarlo engine;
    engine.InitMe();
    const std::string line = "\xB3\x6F <a>\r\n";  // 這 <a>
    std::string source;
    for (int k = 0; k < 10; ++k) source += line;
    for (const size_t limit : {source.size(), size_t(3 * line.size() + 2)}) {
      const auto data =
          marlo::ConvertForPreview(engine, marlo::ConvType::kBigToGb, source, true, {}, limit);
      const bool startOnly = limit < source.size();
      QCOMPARE(data.pageHoldsTheStartOnly, startOnly);
      QCOMPARE(data.result->strResult.size(), source.size());  // the text tab has it all
      const std::string lines = startOnly ? std::string(3, ' ') : std::string(10, ' ');
      std::string expected;
      for (size_t k = 0; k < lines.size(); ++k) expected += "\xD5\xE2 &lt;a&gt;\r\n";
      QCOMPARE(data.pageBody.substr(0, expected.size()), expected);
      QCOMPARE(data.pageBody.size() > expected.size(), startOnly);
      if (startOnly) QVERIFY(data.pageBody.find("<hr>&#") == expected.size());
      QCOMPARE(data.byteText.substr(0, 9), std::string(" D5 E2 20"));
    }
  }

  // A source longer than the preview's pieces converts as it does whole,
  // with a character cut by a piece's end and a widened type's pending
  // byte there: for a narrow, a wide and a phrase type.
  void aLongSourceConvertsAsItDoesWhole() {
    marlo::ConvMarlo engine;
    engine.InitMe();
    // Seven bytes first: the piece ends at 1 MiB fall inside a 這.
    std::string source = "abcdefg";
    while (source.size() < (size_t(3) << 20)) source += "\xB3\x6F\xC5\xE9 x\r\n";  // 這體 x
    const struct {
      marlo::ConvType type;
      bool phrases;
    } cases[] = {{marlo::ConvType::kBigToGb, false},
                 {marlo::ConvType::kBigToUscWide, false},
                 {marlo::ConvType::kBigToGb, true}};
    for (const auto& c : cases) {
      marlo::ConversionChoices choices;
      choices.phrases = c.phrases;
      const auto data = marlo::ConvertForPreview(engine, c.type, source, false, choices);
      marlo::ConversionPipeline whole(engine, c.type, {}, false, false, c.phrases);
      QVERIFY(data.result->strResult == whole.Feed(source, true));
    }
  }

  // The clipboard's text converts as a file read as UTF-8 does: for every
  // type, over every character of the basic plane and some beyond it, the
  // clipboard's bytes are marlo-convert --from-utf8's, and it counts the
  // characters the type's code lacks as marlo-convert reports them.
  void theClipboardGivesTheBytesOfAFileReadAsUtf8() {
    QString text;
    for (char32_t c = 1; c < 0x10000; ++c)
      if (c < 0xD800 || c > 0xDFFF) text += QChar(char16_t(c));
    for (const char32_t c : {U'\U0001F600', U'\U00020000', U'\U0010FFFD'})
      text += QString::fromUcs4(&c, 1);
    const QString file = home_->filePath("text.txt");
    {
      QFile out(file);
      QVERIFY(out.open(QIODevice::WriteOnly));
      out.write(text.toUtf8());
    }
    StoreByteFlag(0);
    marlo::clsSettings settings;
    marlo::ConvMarlo engine;
    engine.InitMe();
    frmClipboard window(engine, settings);
    for (int type = 0; type < marlo::kConversionTypeCount; ++type) {
      QProcess convert;
      convert.setStandardInputFile(file);
      convert.start(QStringLiteral(MARLO_CONVERT_EXE),
                    {"-t", QString::number(type), "--from-utf8"});
      QVERIFY(convert.waitForFinished(60000));
      QCOMPARE(convert.exitCode(), 0);
      const QString report = QString::fromUtf8(convert.readAllStandardError());
      qsizetype lost = -1;
      const auto result = window.GetConvData(text, type, &lost);
      QVERIFY(result);
      QVERIFY2(QByteArray::fromStdString(result->strResult) == convert.readAllStandardOutput(),
               marlo::GetConvTypeName(marlo::ConvType(type)).c_str());
      QVERIFY2(lost > 0 && report.contains(QStringLiteral(": %1 ").arg(lost)), qPrintable(report));
    }
  }

  // Bytes meet text through the engine's decoders: a dangling byte of the
  // UCS form and a code the form lacks read as U+FFFD.
  void bytesDecodeThroughTheEngine() {
    marlo::ConvMarlo engine;
    engine.InitMe();
    using marlo::ByteForm;
    QCOMPARE(marlo::DecodeBytes(engine, std::string("A\x00\xFF~\xFF\x21\xD8\x3D\xDE\x00", 10),
                                ByteForm::kUcs),
             QStringLiteral("A\u00FF~\uFF21\U0001F600"));
    QCOMPARE(marlo::DecodeBytes(engine, "a\x90", ByteForm::kUcs), QString("a\uFFFD"));
    QCOMPARE(marlo::DecodeBytes(engine, "\xD5\xE2\xA2\xA1", ByteForm::kGbk),
             QStringLiteral("这\u2170"));
    QCOMPARE(marlo::DecodeBytes(engine, "\xF9\xFA\xB3\x6F\xFF", ByteForm::kBig5),
             QStringLiteral("╭這\uFFFD"));
  }

  void getConvDataShowsEachFamily_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QString>("byteText");
    QTest::addColumn<QString>("rendered");
    QTest::newRow("table") << 1 << "這"
                           << "这" << ExpectedPage("\xD5\xE2", "gb2312") << " D5 E2"
                           << "这";
    QTest::newRow("report") << 5 << "這"
                            << "這" << ExpectedPage("&#36889;", "utf-8") << " 90 19"
                            << "這";
    QTest::newRow("wide") << 8 << "AB"
                          << "ＡＢ" << ExpectedPage("&#65313;&#65314;", "utf-8") << " FF 21 FF 22"
                          << "ＡＢ";
    QTest::newRow("narrow") << 9 << "Ａ<"
                            << "A<" << ExpectedPage("A&lt;", "gb2312") << " 41 3C"
                            << "A<";
    // The second step asks for no byte values. The page says gb2312 and
    // holds GBK, which the browser reads as browsers do.
    QTest::newRow("two steps") << 13 << "这"
                               << "這" << ExpectedPage("\xDF\x40", "gb2312") << ""
                               << "這";
  }
  // "按詞語轉換" reaches the clipboard for the types that take phrases.
  void theClipboardFollowsThePhraseChoice() {
    StoreByteFlag(0);
    marlo::clsSettings settings;
    marlo::ConvMarlo engine;
    engine.InitMe();
    frmClipboard window(engine, settings);
    const QString simplified = QString::fromUtf8("软件");
    QCOMPARE(QByteArray::fromStdString(window.GetConvData(simplified, 0)->strResult),
             QByteArray("\xB3\x6E\xA5\xF3"));  // 軟件, character by character
    settings.setChoices({true, false, true});
    QCOMPARE(QByteArray::fromStdString(window.GetConvData(simplified, 0)->strResult),
             QByteArray("\xB3\x6E\xC5\xE9"));  // 軟體, the phrase
    QCOMPARE(Child<QPlainTextEdit>(window, "txtDest")->toPlainText(), QString::fromUtf8("軟體"));
  }

  void getConvDataShowsEachFamily() {
    QFETCH(int, type);
    QFETCH(QString, source);
    for (const int flag : {1, 0}) {
      QFile::remove(frmClipboard::PagePath());
      StoreByteFlag(flag);
      marlo::clsSettings settings;
      marlo::ConvMarlo engine;
      engine.InitMe();
      frmClipboard window(engine, settings);
      auto* tabs = Child<QTabWidget>(window, "stbMain");
      QCOMPARE(tabs->isTabEnabled(1), flag == 1);
      QCOMPARE(ReadBytes(frmClipboard::PagePath()),
               flag ? QByteArray("\xFF\xFE") : QByteArray("<missing>"));
      Child<QPlainTextEdit>(window, "txtDestByte")->setPlainText("before");

      QVERIFY(window.GetConvData(source, type));
      QTEST(Shown(window, "txtDest"), "text");
      QCOMPARE(tabs->isTabEnabled(1), flag == 1);
      QCOMPARE(tabs->isTabEnabled(2), flag == 1);
      if (flag) {
        QTEST(ReadBytes(frmClipboard::PagePath()), "page");
        QTEST(Child<QTextBrowser>(window, "wbDest")->toPlainText().trimmed(), "rendered");
        QTEST(Shown(window, "txtDestByte"), "byteText");
      } else {
        QCOMPARE(Shown(window, "txtDestByte"), QString("before"));
      }
    }
  }

  void theByteTextStopsPast500CharactersAndAnEmptySourceShowsNothing() {
    StoreByteFlag(1);
    marlo::clsSettings settings;
    marlo::ConvMarlo engine;
    engine.InitMe();
    frmClipboard window(engine, settings);
    window.GetConvData(QString(200, 'x'), 1);
    QCOMPARE(Shown(window, "txtDestByte").size(), 501);  // 167 bytes
    QVERIFY(Shown(window, "txtDestByte").endsWith(" 78"));
    window.GetConvData(QString(), 1);
    QCOMPARE(Shown(window, "txtDest"), QString());
    QCOMPARE(Shown(window, "txtDestByte"), QString());
    // The page tab shows the page the browser opened at load.
    QCOMPARE(Child<QTextBrowser>(window, "wbDest")->source(),
             QUrl::fromLocalFile(frmClipboard::PagePath()));
  }

  void theClipboardComesBackConverted() {
    frmMain main;
    main.show();
    QTest::mouseClick(main.findChild<QRadioButton*>("optConvType_1"), Qt::LeftButton);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("這是中文 text"));
    main.ConvertClipboard();
    QCOMPARE(clipboard->text(), QStringLiteral("这是中文 text"));
    frmClipboard* window = main.LoadClipboardWindow();
    QVERIFY(window->isVisible());
    QCOMPARE(Child<QLabel>(*window, "lblTitle")->text(), QStringLiteral("剪貼板:(BigToGb)"));

    // No text on the clipboard: a refusal, and the window is not touched.
    auto* image = new QMimeData;
    image->setData("image/png", QByteArray("\x89PNG", 4));
    clipboard->setMimeData(image);
    BoxAnswerer answers({Press(QMessageBox::Ok)});
    main.ConvertClipboard();
    QCOMPARE(answers.seen.size(), 1);
    QCOMPARE(answers.seen[0].title, QStringLiteral("類型不匹配"));
    QCOMPARE(answers.seen[0].text, QStringLiteral("只有當剪貼板中的內容是文本時,才能使用該功能!"));
    QCOMPARE(answers.seen[0].icon, QMessageBox::Warning);
    window->close();
  }

  // What comes back on the clipboard is the text marlo-convert writes with
  // --to-utf8, for every type: the types that write the UCS form too, whose
  // bytes cannot be read back alone (0x4E 0x2D is 中, not "N-"). BigToCNS
  // writes no UTF-8: its codes come back read as the page declares, Big5.
  void theClipboardComesBackAsMarloConvertWritesIt() {
    const QString text = QStringLiteral("中文有一個 ABC，软件～\n");
    frmMain main;
    main.show();
    QClipboard* clipboard = QGuiApplication::clipboard();
    marlo::ConvMarlo engine;
    engine.InitMe();
    for (int type = 0; type < marlo::kConversionTypeCount; ++type) {
      const bool utf8 = marlo::WritesUtf8(marlo::ConvType(type));
      QProcess convert;
      convert.start(QStringLiteral(MARLO_CONVERT_EXE),
                    utf8 ? QStringList{"-t", QString::number(type), "--from-utf8", "--to-utf8"}
                         : QStringList{"-t", QString::number(type), "--from-utf8"});
      convert.write(text.toUtf8());
      convert.closeWriteChannel();
      QVERIFY(convert.waitForFinished(60000));
      const QByteArray out = convert.readAllStandardOutput();
      const QString expected =
          utf8 ? QString::fromUtf8(out)
               : marlo::DecodeBytes(engine, std::string_view(out.constData(), size_t(out.size())),
                                    marlo::ByteForm::kBig5);
      QTest::mouseClick(main.findChild<QRadioButton*>(QString("optConvType_%1").arg(type)),
                        Qt::LeftButton);
      clipboard->setText(text);
      // A type whose code lacks a character asks first: yes.
      BoxAnswerer answers({Press(QMessageBox::Yes)});
      main.ConvertClipboard();
      QVERIFY2(clipboard->text() == expected,
               qPrintable(QString::fromStdString(marlo::GetConvTypeName(marlo::ConvType(type))) +
                          ": " + clipboard->text() + " / " + expected));
      // The window's text is the same text.
      QCOMPARE(Child<QPlainTextEdit>(*main.LoadClipboardWindow(), "txtDest")->toPlainText(),
               expected);
    }
    main.LoadClipboardWindow()->close();
  }

  // Text the source code cannot hold would come back with ideographic
  // spaces in it: the clipboard stays as it was unless the user says
  // otherwise.
  void aLossyConversionAsksBeforeReplacingTheClipboard_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("after");
    const QString text = QStringLiteral("这是简体 😀");  // GbToBig reads GB2312: 😀 is not in it
    QTest::newRow("否: kept") << int(QMessageBox::No) << text;
    QTest::newRow("是: replaced") << int(QMessageBox::Yes) << QStringLiteral("這是簡體 \u3000");
  }
  void aLossyConversionAsksBeforeReplacingTheClipboard() {
    QFETCH(int, answer);
    frmMain main;
    main.show();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("这是简体 😀"));
    BoxAnswerer answers({Press(QMessageBox::StandardButton(answer))});
    main.ConvertClipboard();
    QCOMPARE(answers.seen.size(), 1);
    QCOMPARE(answers.seen[0].text, QStringLiteral("1 個字符無法用 GB2312 表示,已替換"));
    QCOMPARE(answers.seen[0].defaultButton, QMessageBox::No);
    QTEST(clipboard->text(), "after");
    main.LoadClipboardWindow()->close();

    // Nothing lost, nothing asked.
    clipboard->setText(QStringLiteral("这是简体"));
    BoxAnswerer none({});
    main.ConvertClipboard();
    QCOMPARE(none.seen.size(), 0);
    QCOMPARE(clipboard->text(), QStringLiteral("這是簡體"));
    main.LoadClipboardWindow()->close();
  }

  void aPreviewConvertsTheFileAndWritesNothing() {
    const QString file = home_->filePath("big5.txt");
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("\xB3\x6F\xAC\x4F\r\n");  // 這是
    out.close();
    frmMain main;
    main.show();
    QTest::mouseClick(main.findChild<QRadioButton*>("optConvType_1"), Qt::LeftButton);
    QGuiApplication::clipboard()->setText("untouched");
    main.PreviewFile(file, 1);
    QTRY_VERIFY_WITH_TIMEOUT(!main.IsPreviewing(), 10000);
    frmClipboard* window = main.LoadClipboardWindow();
    QCOMPARE(Shown(*window, "txtDest"), QStringLiteral("这是\n"));
    QCOMPARE(Child<QLabel>(*window, "lblTitle")->text(), file + "(BigToGb)");
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("untouched"));

    // What the type replaced, the title says, as the file's row would.
    const QString lacking = home_->filePath("lacking.txt");
    QFile third(lacking);
    QVERIFY(third.open(QIODevice::WriteOnly));
    third.write("\xA5\xED\xB3\x6F");  // 伕 (GB2312 lacks it) 這
    third.close();
    main.PreviewFile(lacking, 1);
    QTRY_VERIFY_WITH_TIMEOUT(!main.IsPreviewing(), 10000);
    QCOMPARE(Child<QLabel>(*window, "lblTitle")->text(),
             lacking + "(BigToGb): 1 個字符無法用 GB2312 表示,已替換");
    QFile::remove(lacking);
    QCOMPARE(QDir(home_->path()).entryList(QDir::Files), QStringList{"big5.txt"});
    QVERIFY(!QGuiApplication::overrideCursor());

    // A double click on the listed entry previews it the same way.
    window->findChild<QPlainTextEdit*>("txtDest")->setPlainText("");
    main.SetSourceFolder(home_->path());
    auto* dest = main.findChild<QTreeWidget*>("lvwDest");
    main.findChild<QListWidget*>("FilSource")->selectAll();
    QTest::mouseClick(main.findChild<QWidget*>("cmdSelect"), Qt::LeftButton);
    dest->topLevelItem(0)->setSelected(true);
    emit dest->itemActivated(dest->topLevelItem(0), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!main.IsPreviewing(), 10000);
    QCOMPARE(Shown(*window, "txtDest"), QStringLiteral("这是\n"));

    // A file gone since it was listed, and one that cannot be read.
    BoxAnswerer answers({Press(QMessageBox::Ok), Press(QMessageBox::Ok)});
    main.PreviewFile(home_->filePath("gone.txt"), 1);
    QFile::resize(file, 0);
    main.PreviewFile(file, 1);
    QTRY_VERIFY_WITH_TIMEOUT(answers.done(), 10000);
    QCOMPARE(answers.seen[0].text, QStringLiteral("該文件不存在!"));
    QCOMPARE(answers.seen[0].icon, QMessageBox::Warning);
    QVERIFY(answers.seen[1].text.contains(file));
    QCOMPARE(answers.seen[1].icon, QMessageBox::Critical);
    QVERIFY(!QGuiApplication::overrideCursor());
    window->close();
  }

  // An engine whose tables did not load makes zero bytes of every
  // character: no preview shows them, and the clipboard keeps its text.
  void anEngineWithoutTablesConvertsNothing() {
    const marlo::ConvMarlo empty;  // InitMe never called
    const std::string big5 = "\xA4\xA4\xA4\xE5";
    const marlo::PreviewData data =
        marlo::ConvertForPreview(empty, marlo::ConvType::kBigToGb, big5, true, {});
    QCOMPARE(data.failure, marlo::PreviewFailure::kEngineNotReady);
    QVERIFY(!data.result);
    QVERIFY(!marlo::ConvertTextForPreview(empty, marlo::ConvType::kGbToBig, "中文", true, false)
                 .result);
    marlo::clsSettings settings;
    frmClipboard window(empty, settings);
    QGuiApplication::clipboard()->setText("中文");
    BoxAnswerer answers({Press(QMessageBox::Ok)});
    qsizetype lost = 0;
    QVERIFY(!window.GetConvData(QStringLiteral("中文"), 0, &lost));
    QCOMPARE(answers.seen.size(), 1);
    QCOMPARE(answers.seen[0].icon, QMessageBox::Critical);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("中文"));
  }
};

QTEST_MAIN(frmClipboardTest)
#include "frmClipboardTest.moc"
