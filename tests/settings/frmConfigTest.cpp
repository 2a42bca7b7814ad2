// SPDX-License-Identifier: Apache-2.0
// The settings window edits the in-memory settings only, on OK only.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "settings/clsSettings.h"
#include "settings/frmConfig.h"

using marlo::clsSettings;
using marlo::frmConfig;

class frmConfigTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  QString Ini() const { return dir_.filePath("Marlo.conf"); }

  // Opens the window on the settings, edits it, ends it by the named
  // control, and returns what the window showed on opening.
  static std::pair<QString, bool> Edit(clsSettings& settings, const QString& text, bool checked,
                                       const char* closer) {
    frmConfig window(settings);
    window.show();
    auto* box = window.findChild<QLineEdit*>("txtIgnoreFileTypes");
    auto* check = window.findChild<QCheckBox*>("chkIsReturnbyte");
    const std::pair<QString, bool> shown{box->text(), check->isChecked()};
    box->setText(text);
    check->setChecked(checked);
    QTest::mouseClick(window.findChild<QWidget*>(closer), Qt::LeftButton);
    return shown;
  }

 private slots:
  void init() { QFile::remove(Ini()); }

  void okCopiesBothValuesAndOnlyOk_data() {
    QTest::addColumn<QString>("closer");
    QTest::addColumn<bool>("copied");
    QTest::newRow("确定") << "cmdOK" << true;
    QTest::newRow("取消") << "Command1" << false;
    QTest::newRow("close image") << "imgTitleClose" << false;
    QTest::newRow("minimize image") << "imgTitleMinimize" << false;
  }
  void okCopiesBothValuesAndOnlyOk() {
    QFETCH(QString, closer);
    QFETCH(bool, copied);
    clsSettings settings(Ini());
    settings.setIgnoreFileTypes(".EXE");
    const auto shown = Edit(settings, " .txt;;bad ", true, closer.toUtf8().constData());
    QCOMPARE(shown.first, QString(".EXE"));
    QCOMPARE(shown.second, false);
    QCOMPARE(settings.IgnoreFileTypes(), copied ? QString(" .txt;;bad ") : QString(".EXE"));
    QCOMPARE(settings.IsReturnbyte(), copied ? 1 : 0);
    QVERIFY(!QFile::exists(Ini()));  // the store is written when the main window closes
  }

  void onlyOneChecksTheBox_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("checked");
    QTest::newRow("0") << 0 << false;
    QTest::newRow("1") << 1 << true;
    QTest::newRow("2") << 2 << false;
    QTest::newRow("-1") << -1 << false;
    QTest::newRow("65537") << 65537 << false;
  }
  void onlyOneChecksTheBox() {
    QFETCH(int, stored);
    clsSettings settings(Ini());
    settings.setIsReturnbyte(stored);
    frmConfig window(settings);
    QTEST(window.findChild<QCheckBox*>("chkIsReturnbyte")->isChecked(), "checked");
    QCOMPARE(window.findChild<QLabel*>("lblTitle")->text(), QString("設置"));
  }

  void anEmptyListIsKept() {
    clsSettings settings(Ini());
    Edit(settings, "", false, "cmdOK");
    QCOMPARE(settings.IgnoreFileTypes(), QString(""));
    settings.SaveSettings();
    QCOMPARE(clsSettings(Ini()).IgnoreFileTypes(), QString(""));
  }
};

QTEST_MAIN(frmConfigTest)
#include "frmConfigTest.moc"
