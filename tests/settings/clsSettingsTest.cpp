// SPDX-License-Identifier: Apache-2.0
#include <sys/stat.h>

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "settings/StoredNumber.h"
#include "settings/StoredSettings.h"
#include "settings/clsSettings.h"

using marlo::clsSettings;

class clsSettingsTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  QString Ini() const { return dir_.filePath("Marlo.conf"); }
  void Store(const QString& key, const QString& value) {
    QSettings store(Ini(), QSettings::IniFormat);
    store.setValue("Configs/" + key, value);
  }

 private slots:
  void init() { QFile::remove(Ini()); }

  void emptyStoreGivesTheDefaults() {
    clsSettings settings(Ini());
    QCOMPARE(settings.HandleExistFile(), 0);
    QCOMPARE(settings.IgnoreFileTypes(), clsSettings::kDefaultIgnoreFileTypes);
    QCOMPARE(settings.IgnoreFileTypes().size(), 157);
    QCOMPARE(settings.IsReturnbyte(), 0);
  }

  void storedNumbers_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("loaded");
    QTest::newRow("text") << "abc" << 0;
    QTest::newRow("blanks around") << " 2 " << 2;
    QTest::newRow("half up to even") << "1.5" << 2;
    QTest::newRow("half down to even") << "2.5" << 2;
    QTest::newRow("fraction") << "2.6" << 3;
    QTest::newRow("sign") << "-7" << -7;
    QTest::newRow("plus") << "+1" << 1;
    QTest::newRow("leading point") << ".5" << 0;
    QTest::newRow("eleven nines") << "99999999999" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("exponent") << "1e3" << 0;
    QTest::newRow("32-bit edge") << "2147483647" << 2147483647;
  }

  void storedNumbers() {
    QFETCH(QString, stored);
    QFETCH(int, loaded);
    Store("HandleExistFile", stored);
    Store("IsReturnbyte", stored);
    clsSettings settings(Ini());
    QCOMPARE(settings.HandleExistFile(), loaded);
    QCOMPARE(settings.IsReturnbyte(), loaded);
  }

  void storedEmptyListStaysEmpty() {
    Store("IgnoreFileTypes", "");
    QCOMPARE(clsSettings(Ini()).IgnoreFileTypes(), QString());
  }

  void savesTextUnchanged() {
    {
      clsSettings settings(Ini());
      settings.setIgnoreFileTypes(".txt;.log");
      settings.setHandleExistFile(7);  // no range check
      settings.setIsReturnbyte(1);
      settings.SaveSettings();
    }
    clsSettings again(Ini());
    QCOMPARE(again.IgnoreFileTypes(), QString(".txt;.log"));
    QCOMPARE(again.HandleExistFile(), 7);
    QCOMPARE(again.IsReturnbyte(), 1);
    QSettings raw(Ini(), QSettings::IniFormat);
    QCOMPARE(raw.value("Configs/HandleExistFile").toString(), QString("7"));
  }

  // The window's four check boxes: UTF-8 detection on until stored off, the
  // others off; each round-trips on its own, stored as text.
  void theChoicesRoundTrip() {
    {
      clsSettings fresh(Ini());
      QVERIFY(fresh.Choices().detectUtf8);
      QVERIFY(!fresh.Choices().toUtf8 && !fresh.Choices().phrases && !fresh.IncludeSubFolders());
    }
    for (int flip = 0; flip < 4; ++flip) {
      QFile::remove(Ini());
      {
        clsSettings settings(Ini());
        settings.setChoices({flip != 0, flip == 1, flip == 2});
        settings.setIncludeSubFolders(flip == 3);
        settings.SaveSettings();
      }
      clsSettings again(Ini());
      QCOMPARE(again.Choices().detectUtf8, flip != 0);
      QCOMPARE(again.Choices().toUtf8, flip == 1);
      QCOMPARE(again.Choices().phrases, flip == 2);
      QCOMPARE(again.IncludeSubFolders(), flip == 3);
    }
    QCOMPARE(QSettings(Ini(), QSettings::IniFormat).value("Configs/IncludeSubFolders").toString(),
             QString("1"));
  }

  // A damaged store loads the defaults and saves without a false alarm;
  // one that truly cannot be written still fails, also as root.
  void onlyARealFailureFailsTheSave() {
    {
      QFile file(Ini());
      QVERIFY(file.open(QIODevice::WriteOnly));
      QByteArray noise(4096, '\0');
      for (int k = 0; k < noise.size(); ++k) noise[k] = char((k * 7919 + 13) % 256);
      file.write(noise);
    }
    clsSettings damaged(Ini());
    QCOMPARE(damaged.IgnoreFileTypes(), clsSettings::kDefaultIgnoreFileTypes);
    damaged.setHandleExistFile(2);
    damaged.SaveSettings();
    QCOMPARE(clsSettings(Ini()).HandleExistFile(), 2);

    QFile blocker(dir_.filePath("plain-file"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    clsSettings unwritable(dir_.filePath("plain-file/Marlo.conf"));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, unwritable.SaveSettings());
  }

  void aStoreThatCannotBeWrittenFailsTheSave() {
    const QString folder = dir_.filePath("readonly");
    QDir().mkdir(folder);
    clsSettings settings(folder + "/sub/none/Marlo.conf");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(folder).isWritable() || geteuid() == 0)
      QSKIP("permissions do not bind this user");
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, settings.SaveSettings());
  }

  // marlo-convert reads the store without Qt: whatever QSettings wrote, it
  // reads what QSettings reads back.
  void theQtFreeReaderReadsWhatQSettingsWrote_data() {
    QTest::addColumn<QVariant>("value");
    QTest::newRow("default list") << QVariant(clsSettings::kDefaultIgnoreFileTypes);
    QTest::newRow("empty") << QVariant(QString());
    QTest::newRow("separators") << QVariant(QString(".TXT;.LOG,x=\"q\" \\ end"));
    QTest::newRow("blanks at the ends") << QVariant(QString("  .EXE; "));
    QTest::newRow("control bytes, then hex digits")
        << QVariant(QString::fromUtf8("a\tb\nc\x01"
                                      "2f\x7F"
                                      "A\r"));
    QTest::newRow("at signs") << QVariant(QString("@String(x)"));
    QTest::newRow("an at sign first") << QVariant(QString("@.EXE"));
    QTest::newRow("Chinese") << QVariant(QString::fromUtf8(".文本;.圖片,更多"));
    QTest::newRow("a list") << QVariant(QStringList{".EXE", ".ZIP"});
    QTest::newRow("a list of one") << QVariant(QStringList{".EXE"});
    QTest::newRow("nothing at all") << QVariant();
  }
  void theQtFreeReaderReadsWhatQSettingsWrote() {
    QFETCH(QVariant, value);
    {
      QSettings store(Ini(), QSettings::IniFormat);
      store.setValue("Other/IgnoreFileTypes", "not this group");
      store.setValue("Configs/HandleExistFile", "1");
      store.setValue("Configs/IgnoreFileTypes", value);
      store.setValue("Configs/Z%Key=", "after");
    }
    const QString expected =
        QSettings(Ini(), QSettings::IniFormat).value("Configs/IgnoreFileTypes").toString();
    const auto read = marlo::ReadStoredText(Ini().toStdString(), "Configs", "IgnoreFileTypes");
    QVERIFY(read.has_value());
    QCOMPARE(QString::fromStdString(*read), expected);
  }

  // A store that is no regular file of sane size would hang both programs
  // (a FIFO) or fill their memory (a link to /dev/zero): neither reads it,
  // the defaults hold, and the window's save says it cannot rather than
  // write over it.
  void aStoreThatIsNoSaneFileIsNeitherReadNorWritten_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("fifo") << "fifo";
    QTest::newRow("link to /dev/zero") << "zero";
    QTest::newRow("too large") << "large";
  }
  void aStoreThatIsNoSaneFileIsNeitherReadNorWritten() {
    QFETCH(QString, kind);
    const QByteArray path = QFile::encodeName(Ini());
    if (kind == "fifo") QCOMPARE(::mkfifo(path.constData(), 0600), 0);
    if (kind == "zero") QVERIFY(QFile::link("/dev/zero", Ini()));
    if (kind == "large") {
      QFile large(Ini());
      QVERIFY(large.open(QIODevice::WriteOnly));
      large.write("[Configs]\nHandleExistFile=2\nIgnoreFileTypes=");
      large.write(QByteArray(int(marlo::kMaxStoreBytes), 'x'));
    }
    QCOMPARE(marlo::ReadStoredText(path.toStdString(), "Configs", "HandleExistFile"), std::nullopt);
    clsSettings settings(Ini());
    QCOMPARE(settings.HandleExistFile(), 0);
    QCOMPARE(settings.IgnoreFileTypes(), clsSettings::kDefaultIgnoreFileTypes);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, settings.SaveSettings());
    const QFileInfo after(Ini());
    QCOMPARE(after.isSymLink(), kind == "zero");
    QCOMPARE(after.size() > 0, kind == "large");
    QFile::remove(Ini());
  }

  // A key written twice (by hand, or by two versions) reads as QSettings
  // reads it: the last one wins.
  void aRepeatedKeyReadsAsQSettingsReadsIt() {
    {
      QFile file(Ini());
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write("[Configs]\nIgnoreFileTypes=.ONE\nIgnoreFileTypes=.TWO\n");
    }
    const QString expected =
        QSettings(Ini(), QSettings::IniFormat).value("Configs/IgnoreFileTypes").toString();
    QCOMPARE(QString::fromStdString(
                 *marlo::ReadStoredText(Ini().toStdString(), "Configs", "IgnoreFileTypes")),
             expected);
  }

  void withoutAStoreTheDefaultIgnoreListApplies() {
    qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8());
    QCOMPARE(QString::fromStdString(marlo::StoredIgnoreList()),
             clsSettings::kDefaultIgnoreFileTypes);
    QCOMPARE(marlo::ReadStoredText(Ini().toStdString(), "Configs", "IgnoreFileTypes"),
             std::nullopt);
    QDir(dir_.path()).mkdir("Marlo");
    clsSettings settings(dir_.filePath("Marlo/Marlo.conf"));
    settings.setIgnoreFileTypes(".ONE");
    settings.SaveSettings();
    QCOMPARE(QString::fromStdString(marlo::StoredIgnoreList()), QString(".ONE"));
    qunsetenv("XDG_CONFIG_HOME");
  }
};

QTEST_GUILESS_MAIN(clsSettingsTest)
#include "clsSettingsTest.moc"
