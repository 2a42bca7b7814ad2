// The main window, driven by object name, on a temporary settings store.
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

#include "ConversionTypes.h"
#include "frmMain.h"

using marlo::frmMain;

class frmMainTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir config_;

  QString StoredHandleExistFile() {
    QSettings store(QStringLiteral("Marlo"), QStringLiteral("Marlo"));
    return store.value("Configs/HandleExistFile").toString();
  }

 private slots:
  void initTestCase() {
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    QCoreApplication::setApplicationVersion("0.1.0");
  }
  void init() { QDir(config_.path()).removeRecursively(); }

  void everyNamedControlIsThere() {
    frmMain window;
    for (const char* name :
         {"lblTitle",       "Imageicon",      "imgTitleLeft",       "imgTitleClose",
          "tbToolbar",      "fraSource",      "drvSource",          "dirSource",
          "FilSource",      "imcFileType",    "cmdSelect",          "cmdDisSelect",
          "lvwDest",        "fraOption",      "lblRemark",          "fraHandleExistFile",
          "fraDesc",        "lblDescPath",    "txtDescPath",        "imgFindPath",
          "procTotal",      "lblcurFile",     "lblHandleFieldName", "lblHandle",
          "lblHandFileCnt", "cmdStopConvert", "lvwResult",          "picTaskbar",
          "dlgMain"})
      QVERIFY2(window.findChild<QObject*>(name), name);
    for (const char* key :
         {"butConvert", "butConfig", "butClipboard", "butPreview", "butAbout", "butExit"})
      QVERIFY2(window.findChild<QAction*>(key), key);
    QCOMPARE(window.findChild<QAction*>("butConfig")->text(), QString("設    置"));
    auto* results = window.findChild<QTreeWidget*>("lvwResult");
    QCOMPARE(results->headerItem()->text(1), QString("耗時(秒)"));
    QVERIFY(window.findChild<QWidget*>("cmdStopConvert")->isHidden());
    QCOMPARE(window.findChild<QLabel*>("lblHandFileCnt")->text(), QString("0"));
    QCOMPARE(window.windowTitle(), QString("Marlo"));
    QCOMPARE(window.findChild<QLabel*>("lblTitle")->text(), QString("Marlo  0.1.0 Bata"));
  }

  void conversionTypesShowTheirCaptionsAndDescriptions() {
    frmMain window;
    QCOMPARE(window.GetConvType(), 0);
    window.SetSourceFolder("/data/texts");
    for (const marlo::ConversionType& type : marlo::ConversionTypes()) {
      auto* option =
          window.findChild<QRadioButton*>(QStringLiteral("optConvType_%1").arg(type.index));
      QCOMPARE(option->text(), QString::fromUtf8(type.caption));
      QTest::mouseClick(option, Qt::LeftButton);
      QCOMPARE(window.GetConvType(), type.index);
      QCOMPARE(window.findChild<QLabel*>("lblRemark")->text(), QString::fromUtf8(type.description));
      QCOMPARE(window.findChild<QLineEdit*>("txtDescPath")->text(),
               "/data/texts/" + QString::fromUtf8(type.identifier));
    }
    QCOMPARE(frmMain::GetConvTypeName(11), QString("BigToUscWide"));
    QCOMPARE(frmMain::GetConvTypeName(14), QString());
  }

  void targetFolderStartsAtTheSourceAndJoinsOnceAtTheRoot() {
    frmMain window;
    QCOMPARE(window.findChild<QLineEdit*>("txtDescPath")->text(), QDir::currentPath());
    QTest::mouseClick(window.findChild<QRadioButton*>("optConvType_13"), Qt::LeftButton);
    window.SetSourceFolder("/");
    QCOMPARE(window.findChild<QLineEdit*>("txtDescPath")->text(), QString("/GbToBigToGbk"));
  }

  void theExistingFileChoiceIsStoredOnClose() {
    {
      QSettings store(QStringLiteral("Marlo"), QStringLiteral("Marlo"));
      store.setValue("Configs/HandleExistFile", "1");
    }
    auto* window = new frmMain;
    QCOMPARE(window->GetHandleExistFile(), 1);
    QTest::mouseClick(window->findChild<QRadioButton*>("optHandleExistFile_2"), Qt::LeftButton);
    window->show();
    window->close();
    QCOMPARE(StoredHandleExistFile(), QString("2"));
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
    QTest::mouseClick(window.findChild<QLabel*>("imgTitleMinimize"), Qt::LeftButton);
    QVERIFY(window.isVisible());  // minimized, not hidden: there is no tray here
  }

  void theAboutBoxIsTheSplashWindowShownModally() {
    frmMain window;
    window.show();
    QTimer::singleShot(0, [] {
      QWidget* about = QApplication::activeModalWidget();
      QVERIFY(about && about->objectName() == "frmSplash");
      QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(5, 5));  // the background closes it
    });
    window.findChild<QAction*>("butAbout")->trigger();
    QVERIFY(!QApplication::activeModalWidget());
  }

  void theEngineIsReady() {
    frmMain window;
    QCOMPARE(window.cfMain().BigToGB("\xB3\x6F")->strResult, std::string("\xD5\xE2"));
  }
};

QTEST_MAIN(frmMainTest)
#include "frmMainTest.moc"
