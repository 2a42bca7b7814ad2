// SPDX-License-Identifier: Apache-2.0
// What a later start tells the running copy: the paths it was named, as
// bytes, whatever they hold.
#include <QtTest>

#include "frame/modFunctions.h"

using marlo::modFunctions::PathArguments;
using marlo::modFunctions::SingleInstance;

class HandOverTest : public QObject {
  Q_OBJECT

 private slots:
  void pathsArriveAsTheyWereNamed_data() {
    QTest::addColumn<QByteArrayList>("arguments");
    QTest::addColumn<QByteArray>("folder");
    QTest::addColumn<QByteArrayList>("paths");
    const QByteArray gbk("\xbc\xf2\xcc\xe5.txt");  // 简体.txt in GBK: no UTF-8
    QTest::newRow("none") << QByteArrayList{} << QByteArray("/home/u") << QByteArrayList{};
    QTest::newRow("relative and absolute")
        << QByteArrayList{"a.txt", "b/", "/tmp/c.txt"} << QByteArray("/home/u")
        << QByteArrayList{"/home/u/a.txt", "/home/u/b/", "/tmp/c.txt"};
    QTest::newRow("legacy bytes, in a legacy folder")
        << QByteArrayList{gbk} << QByteArray("/home/\xa4\xa4")
        << QByteArrayList{"/home/\xa4\xa4/" + gbk};
    QTest::newRow("at the root") << QByteArrayList{"a.txt"} << QByteArray("/")
                                 << QByteArrayList{"/a.txt"};
    QTest::newRow("options are no paths, but after --")
        << QByteArrayList{"-style", "--x", "a\nb.txt", "--", "-c.txt"} << QByteArray("/h")
        << QByteArrayList{"/h/a\nb.txt", "/h/-c.txt"};
    QTest::newRow("no working folder")
        << QByteArrayList{"a.txt", "/b"} << QByteArray() << QByteArrayList{"a.txt", "/b"};
  }
  void pathsArriveAsTheyWereNamed() {
    QFETCH(QByteArrayList, arguments);
    QFETCH(QByteArray, folder);
    QFETCH(QByteArrayList, paths);
    QByteArrayList argv{"marlo"};
    argv += arguments;
    std::vector<char*> raw;
    for (QByteArray& argument : argv) raw.push_back(argument.data());
    raw.push_back(nullptr);
    const QList<QByteArray> named = PathArguments(int(argv.size()), raw.data(), folder);
    QCOMPARE(named, paths);
    // Through the socket's message and back, unchanged.
    const QByteArray message = SingleInstance::HandOverMessage(named);
    QVERIFY(message.startsWith("activate\n"));  // what an older running copy looks for
    QCOMPARE(SingleInstance::ReadHandOver(message), std::optional<QList<QByteArray>>(paths));
  }

  // A message cut short anywhere (also right after a NUL, where it looks
  // whole), or one of something else, opens nothing.
  void aBrokenMessageOpensNothing() {
    const QByteArray whole = SingleInstance::HandOverMessage({"/a.txt", "/b.txt"});
    for (qsizetype cut = 0; cut < whole.size(); ++cut)
      QCOMPARE(SingleInstance::ReadHandOver(whole.left(cut)), std::nullopt);
    QCOMPARE(SingleInstance::ReadHandOver(whole + "x"), std::nullopt);
    QCOMPARE(SingleInstance::ReadHandOver("hello\n/a.txt"), std::nullopt);
    QCOMPARE(SingleInstance::ReadHandOver(SingleInstance::HandOverMessage({})),
             std::optional(QList<QByteArray>()));
  }
};

QTEST_GUILESS_MAIN(HandOverTest)
#include "HandOverTest.moc"
