// SPDX-License-Identifier: Apache-2.0
// The windows in each language: chosen by the locale or the stored choice,
// Qt's own buttons included, every caption fitting its control.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "clipboard/frmClipboard.h"
#include "engine/ConvMarlo.h"
#include "frame/Translations.h"
#include "frame/frmSplash.h"
#include "mainwindow/frmMain.h"
#include "settings/StoredSettings.h"
#include "settings/clsSettings.h"
#include "settings/frmConfig.h"
#include "tests/support/ModalAnswerer.h"

using marlo::Language;

namespace {

// Showing a window takes a moment on a machine busy with builds; these
// waits only need the window laid out, so they may take as long as the
// test's own time limit allows.
constexpr int kBusyMachine = 60000;

// The captions, of every kind of control, that their control cuts off.
QStringList Clipped(const QWidget& window) {
  QStringList clipped;
  auto note = [&](const QWidget* control, const QString& text) {
    clipped << control->objectName() + " \"" + text + "\"";
  };
  for (const auto* button : window.findChildren<QAbstractButton*>()) {
    // A push button's size hint has a style's minimum width besides its
    // text; narrow ones such as ">>" are drawn that way on purpose.
    const int needed =
        qobject_cast<const QPushButton*>(button)
            ? button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&')) + 6
            : button->sizeHint().width();
    if (button->isVisible() && !button->text().isEmpty() && button->width() < needed)
      note(button, button->text());
  }
  for (const auto* label : window.findChildren<QLabel*>()) {
    if (!label->isVisible() || label->text().isEmpty()) continue;
    if (label->wordWrap() ? label->height() < label->heightForWidth(label->width())
                          : label->width() < label->sizeHint().width())
      note(label, label->text());
  }
  for (const auto* box : window.findChildren<QGroupBox*>())
    if (box->isVisible() && box->width() < box->fontMetrics().horizontalAdvance(box->title()) + 12)
      note(box, box->title());
  for (const auto* bar : window.findChildren<QTabBar*>())
    for (int i = 0; i < bar->count(); ++i)
      if (bar->tabRect(i).width() < bar->fontMetrics().horizontalAdvance(bar->tabText(i)))
        note(bar, bar->tabText(i));
  return clipped;
}

void Shoot(QWidget& window, const QString& name) {
  const QString folder = qEnvironmentVariable("MARLO_SCREENSHOTS");
  if (!folder.isEmpty()) window.grab().save(QDir(folder).filePath(name + ".png"));
}

}  // namespace

class LanguageTest : public QObject {
  Q_OBJECT

  QTemporaryDir config_;

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", config_.path().toUtf8()); }
  void cleanup() { marlo::InstallTranslations(Language::kTraditional); }

  void theWindowsSpeakTheLocalesLanguage_data() {
    QTest::addColumn<QByteArray>("locale");
    QTest::addColumn<QStringList>("expected");
    // The toolbar, an option frame, a batch word, a type's remark, a
    // message box and its button, the settings' and the clipboard's tabs,
    // two accessible names.
    QTest::newRow("zh_CN")
        << QByteArray("zh_CN.UTF-8")
        << QStringList{
               "开始转换",      "转换方式",
               "包含子文件夹",  "将GB2312码(简体Windows默认内码)转换为Big5码(繁体Windows默认内码).",
               "该文件不存在!", "确定",
               "界面语言",      "文本",
               "要转换的文件",  "关闭"};
    QTest::newRow("en_US") << QByteArray("en_US.UTF-8")
                           << QStringList{"Convert",
                                          "Conversion Type",
                                          "Include subfolders",
                                          "Converts GB2312 (the simplified-Chinese Windows code) "
                                          "to Big5 (the traditional-Chinese Windows code).",
                                          "The file does not exist.",
                                          "OK",
                                          "Language",
                                          "Text",
                                          "Files to convert",
                                          "Close"};
    QTest::newRow("C")
        << QByteArray("C")
        << QStringList{
               "開始轉換",      "轉換方式",
               "包含子文件夾",  "將GB2312碼(簡体Windows默認內碼)轉換為Big5碼(繁体Windows默認內碼).",
               "該文件不存在!", "確定",
               "界面語言",      "文本",
               "要轉換的文件",  "關閉"};
  }
  void theWindowsSpeakTheLocalesLanguage() {
    QFETCH(QByteArray, locale);
    QFETCH(QStringList, expected);
    qputenv("LC_ALL", locale);
    QVERIFY(marlo::InstallTranslations(marlo::WindowLanguage(std::nullopt)));

    marlo::frmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window, kBusyMachine));
    QTest::mouseClick(window.findChild<QAbstractButton*>("optConvType_0"), Qt::LeftButton);
    QStringList seen = {window.findChild<QAction*>("butConvert")->text(),
                        window.findChild<QGroupBox*>("fraOption")->title(),
                        window.findChild<QAbstractButton*>("chkSubFolders")->text(),
                        window.findChild<QLabel*>("lblRemark")->text()};
    QString boxText, okText;
    {
      marlo::test::BoxAnswerer answers({[&](QWidget* box) {
        auto* message = qobject_cast<QMessageBox*>(box);
        boxText = message->text();
        okText = message->button(QMessageBox::Ok)->text();
        message->accept();
      }});
      window.PreviewFile(QDir(config_.path()).filePath("missing.txt"), 0);
    }
    seen << boxText << okText;

    marlo::clsSettings settings(QDir(config_.path()).filePath("settings.ini"));
    marlo::frmConfig config(settings);
    config.show();
    QVERIFY(QTest::qWaitForWindowExposed(&config, kBusyMachine));
    auto* configTabs = config.findChild<QTabWidget*>("stbConfig");
    seen << configTabs->tabText(2);
    marlo::ConvMarlo engine;
    marlo::frmClipboard clipboard(engine, settings);
    clipboard.SetText(QStringLiteral("這是一段文字"));
    clipboard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&clipboard, kBusyMachine));
    seen << clipboard.findChild<QTabWidget*>("stbMain")->tabText(0);
    // What a screen reader says of a list and a title-bar button.
    seen << window.findChild<QWidget*>("lvwDest")->accessibleName()
         << window.findChild<QWidget*>("imgTitleClose")->accessibleName();
    QCOMPARE(seen, expected);

    marlo::frmSplash about;
    about.ShowCloseButton();
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about, kBusyMachine));
    for (QWidget* shown : std::initializer_list<QWidget*>{&window, &config, &clipboard, &about})
      QVERIFY2(Clipped(*shown).isEmpty(), qPrintable(Clipped(*shown).join(", ")));
    const QString language = QString::fromLatin1(locale).section('.', 0, 0);
    Shoot(window, "main-" + language);
    Shoot(clipboard, "clipboard-" + language);
    Shoot(about, "about-" + language);
    for (int tab = 0; tab < configTabs->count(); ++tab) {
      configTabs->setCurrentIndex(tab);
      QVERIFY2(Clipped(config).isEmpty(), qPrintable(Clipped(config).join(", ")));
      Shoot(config, QStringLiteral("settings-%1-%2").arg(language).arg(tab));
    }
  }

  // The settings window's choice goes through the store the program reads
  // at start, and wins over the locale until set back to automatic.
  void theStoredChoiceOverridesTheLocale() {
    qputenv("LC_ALL", "zh_CN.UTF-8");
    QCOMPARE(marlo::WindowLanguage(marlo::StoredLanguage()), Language::kSimplified);
    const struct {
      const char* shown;
      std::optional<Language> stored;
      Language used;
    } choices[] = {{"English", Language::kEnglish, Language::kEnglish},
                   {"繁體中文", Language::kTraditional, Language::kTraditional},
                   {"自動 (按系統語言)", std::nullopt, Language::kSimplified}};
    for (const auto& choice : choices) {
      {
        marlo::clsSettings settings;
        marlo::frmConfig config(settings);
        auto* languages = config.findChild<QComboBox*>("cboLanguage");
        languages->setCurrentIndex(languages->findText(QString::fromUtf8(choice.shown)));
        QTest::mouseClick(config.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        settings.SaveSettings();
      }
      QCOMPARE(marlo::StoredLanguage(), choice.stored);
      QCOMPARE(marlo::WindowLanguage(marlo::StoredLanguage()), choice.used);
      marlo::clsSettings reloaded;
      marlo::frmConfig config(reloaded);
      QCOMPARE(config.findChild<QComboBox*>("cboLanguage")->currentText(),
               QString::fromUtf8(choice.shown));
    }
  }
};

QTEST_MAIN(LanguageTest)
#include "LanguageTest.moc"
