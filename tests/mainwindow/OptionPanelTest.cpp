// SPDX-License-Identifier: Apache-2.0
// The conversion options: types and their captions, the target folder
// chooser, phrases, and the existing-file choice kept in the settings. Driven by object name, as a
// user would.
#include "tests/mainwindow/WindowTestSupport.h"

using namespace marlo::test;
using marlo::frmMain;

class OptionPanelTest : public WindowTest {
  Q_OBJECT

 private slots:
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
};

QTEST_MAIN(OptionPanelTest)
#include "OptionPanelTest.moc"
