// SPDX-License-Identifier: Apache-2.0
// The skinned frame, the progress bar and the splash window.
#include <QLabel>
#include <QMetaProperty>
#include <QtTest>

#include "frame/ProgressBarMarlo.h"
#include "frame/frmSplash.h"
#include "frame/modHandleFrom.h"

using marlo::ProgressBarMarlo;

class FrameWidgetsTest : public QObject {
  Q_OBJECT

 private:
  QStringList warnings_;

  static QString Text(ProgressBarMarlo& bar) { return bar.findChild<QLabel*>("lblFore")->text(); }
  static int BarWidth(ProgressBarMarlo& bar) { return bar.findChild<QLabel*>("lblBar")->width(); }

 private slots:
  void initTestCase() {
    ProgressBarMarlo::setWarningHandler([this](const QString& text) { warnings_ << text; });
  }
  void init() { warnings_.clear(); }

  void skinFormPlacesTheFrameFor500By400() {
    QWidget window;
    window.resize(500, 400);
    (new marlo::modHandleFrom::SkinnedFrame(&window))->Skin();
    auto at = [&](const char* name) { return window.findChild<QLabel*>(name)->geometry(); };
    QCOMPARE(at("imgTitleRight").left(), 481);
    QCOMPARE(at("imgTitleClose").left(), 478);
    QCOMPARE(at("imgTitleMinimize").left(), 458);
    QCOMPARE(at("imgTitleHelp").left(), 438);
    QCOMPARE(at("imgTitleClose").size(), QSize(14, 14));
    QCOMPARE(at("imgWindowBottom").top(), 370);
    QCOMPARE(at("imgWindowBottomLeft").top(), 370);
    QCOMPARE(at("imgWindowLeft").height(), 340);
    QCOMPARE(at("imgWindowRight").height(), 340);
    QCOMPARE(at("imgWindowBottom").width(), 462);
    QCOMPARE(at("imgTitleMain").width(), 481);
    QCOMPARE(at("lblTitle").topLeft(), QPoint(35, 7));
    QCOMPARE(window.palette().color(QPalette::Window), QColor(207, 207, 207));
    const QRegion outline = window.mask();
    QCOMPARE(outline.boundingRect(), QRect(0, 0, 500, 400));
    QVERIFY(!outline.contains(QPoint(1, 1)));  // the corners are cut round
    QVERIFY(!outline.contains(QPoint(498, 398)));
    QVERIFY(outline.contains(QPoint(12, 12)));
    QVERIFY(outline.contains(QPoint(250, 0)));
    QVERIFY(outline.contains(QPoint(0, 200)));
  }

  // Title buttons act as buttons do: on a release over them; help does nothing.
  void titleButtonsCloseAndMinimizeButHelpDoesNothing() {
    QWidget window;
    window.resize(300, 200);
    auto* frame = new marlo::modHandleFrom::SkinnedFrame(&window);
    frame->Skin();
    int minimized = 0;
    frame->Wire();
    QObject::connect(frame, &marlo::modHandleFrom::SkinnedFrame::minimizeClicked,
                     [&] { ++minimized; });
    window.show();
    for (const char* name : {"imgTitleClose", "imgTitleMinimize"}) {
      auto* image = window.findChild<QLabel*>(name);
      QTest::mousePress(image, Qt::LeftButton, {}, QPoint(5, 5));
      QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(40, 30));  // dragged off it
    }
    QVERIFY(window.isVisible());
    QCOMPARE(minimized, 0);
    QTest::mouseClick(window.findChild<QLabel*>("imgTitleHelp"), Qt::LeftButton);
    QVERIFY(window.isVisible());
    QTest::mouseClick(window.findChild<QLabel*>("imgTitleMinimize"), Qt::LeftButton);
    QCOMPARE(minimized, 1);
    QTest::mouseClick(window.findChild<QLabel*>("imgTitleClose"), Qt::LeftButton);
    QVERIFY(!window.isVisible());
  }

  // A long title (a preview's path) is cut before the buttons: a click on
  // them must reach them, not the title that moves the window.
  void aLongTitleLeavesTheButtonsClickable() {
    const QString title = QString("/home/user/文檔/很長的文件夾名字/").repeated(6) + "a.txt";
    for (const int width : {300, 640, 1600}) {
      QWidget window;
      window.resize(width, 200);
      auto* frame = new marlo::modHandleFrom::SkinnedFrame(&window);
      frame->Skin();
      frame->SetTitle(title);
      auto* label = window.findChild<QLabel*>("lblTitle");
      for (const char* name : {"imgTitleClose", "imgTitleMinimize", "imgTitleHelp"}) {
        auto* button = window.findChild<QLabel*>(name);
        QVERIFY2(!label->geometry().intersects(button->geometry()), name);
        QCOMPARE(window.childAt(button->geometry().center()), button);
      }
      const bool cut = label->text() != title;
      QCOMPARE(cut, width < 1600);
      QCOMPARE(label->toolTip(), cut ? title : QString());
      if (cut) QVERIFY(label->text().endsWith(QChar(0x2026)));
      // A preview's title keeps its file name and type, cut in the path.
      const QString end = QStringLiteral("a.txt(GbToBig)");
      frame->SetTitle(title + "(GbToBig)", int(end.size()));
      QVERIFY2(label->text().endsWith(end), qPrintable(label->text()));
      QCOMPARE(label->text().contains(QChar(0x2026)), cut);
      if (width >= 640) QVERIFY2(label->text().startsWith("/home/"), qPrintable(label->text()));
    }
  }

  // Every edge and corner resizes, the title bar's top pixels included; the
  // rest of the title bar does not. (No system resize here: the frame
  // follows the mouse itself.)
  void everyEdgeResizesAndTheTitleBarBelowItsEdgeDoesNot_data() {
    QTest::addColumn<QString>("element");
    QTest::addColumn<QPoint>("at");    // in the window
    QTest::addColumn<QPoint>("drag");  // how far
    QTest::addColumn<QRect>("after");
    const QRect start(100, 100, 400, 300);
    QTest::newRow("top") << "imgTitleMain" << QPoint(200, 0) << QPoint(0, -40)
                         << start.adjusted(0, -40, 0, 0);
    QTest::newRow("top-left") << "imgTitleLeft" << QPoint(8, 2) << QPoint(-20, -30)
                              << start.adjusted(-20, -30, 0, 0);
    QTest::newRow("top-right") << "imgTitleRight" << QPoint(391, 2) << QPoint(25, -10)
                               << start.adjusted(0, -10, 25, 0);
    QTest::newRow("left") << "imgWindowLeft" << QPoint(0, 150) << QPoint(-30, 5)
                          << start.adjusted(-30, 0, 0, 0);
    QTest::newRow("bottom-right") << "imgWindowBottomRight" << QPoint(392, 296) << QPoint(30, 20)
                                  << start.adjusted(0, 0, 30, 20);
    QTest::newRow("title bar") << "imgTitleMain" << QPoint(200, 12) << QPoint(0, -40) << start;
  }
  void everyEdgeResizesAndTheTitleBarBelowItsEdgeDoesNot() {
    QFETCH(QString, element);
    QFETCH(QPoint, at);
    QFETCH(QPoint, drag);
    QFETCH(QRect, after);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setGeometry(100, 100, 400, 300);
    window.setMinimumSize(200, 150);
    auto* frame = new marlo::modHandleFrom::SkinnedFrame(&window);
    frame->Skin();
    frame->Wire();
    frame->AllowResize();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* image = window.findChild<QLabel*>(element);
    QCOMPARE(window.childAt(at), image);
    const QPoint local = image->mapFrom(&window, at);
    QTest::mousePress(image, Qt::LeftButton, {}, local);
    QTest::mouseMove(image, local + drag);
    QTest::mouseRelease(image, Qt::LeftButton, {}, local + drag);
    QCOMPARE(window.geometry(), after);
  }

  void percentages_data() {
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("storedValue");
    QTest::newRow("empty") << 0 << 100 << 0 << "0%" << 0;
    QTest::newRow("full") << 0 << 100 << 100 << "100%" << 100;
    QTest::newRow("12.5 to even") << 0 << 8 << 1 << "12%" << 1;
    QTest::newRow("37.5 to even") << 0 << 8 << 3 << "38%" << 3;
    QTest::newRow("half") << 0 << 8 << 4 << "50%" << 4;
    QTest::newRow("above max") << 0 << 8 << 9 << "100%" << 8;
    QTest::newRow("below min") << 2 << 8 << 1 << "25%" << 2;
    QTest::newRow("min ignored") << 10 << 20 << 15 << "75%" << 15;
  }

  void percentages() {
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, value);
    QFETCH(QString, text);
    QFETCH(int, storedValue);
    ProgressBarMarlo bar;
    bar.resize(200, 20);
    bar.setMax(max);
    bar.setMin(min);
    bar.setValue(value);
    QCOMPARE(bar.Value(), storedValue);
    QCOMPARE(Text(bar), text);
    QCOMPARE(BarWidth(bar), int(text.chopped(1).toInt() / 100.0 * 200));
  }

  void minAndMaxRules() {
    ProgressBarMarlo bar;
    bar.resize(200, 20);
    bar.setMin(-5);
    QCOMPARE(bar.Min(), 0);
    bar.setValue(50);
    bar.setMax(200);  // the display waits for the next Value
    QCOMPARE(Text(bar), QString("50%"));
    bar.setValue(50);
    QCOMPARE(Text(bar), QString("25%"));
    bar.setMax(40);  // below Value: pulls it down and redraws
    QCOMPARE(bar.Value(), 40);
    QCOMPARE(Text(bar), QString("100%"));
    bar.setMin(60);  // above Max: stores Max and lifts Value
    QCOMPARE(bar.Min(), 40);
    QCOMPARE(bar.Value(), 40);
    bar.setMax(0);
    bar.setMax(-3);
    QCOMPARE(bar.Max(), 40);
    QCOMPARE(warnings_, QStringList({"Max Should More than 0", "Max Should More than 0"}));
  }

  void propertyChangesReachTheHostOnlyWhenTheyChange() {
    QWidget host;
    auto* bar = new ProgressBarMarlo(&host);
    QSignalSpy changed(bar, &ProgressBarMarlo::propertyChanged);
    QSignalSpy valueChanged(bar, &ProgressBarMarlo::ValueChanged);
    bar->setValue(5);
    bar->setValue(5);
    bar->setBarColor(0xFF);
    bar->setProperty("BarColor", 0xFFu);  // the same value again
    bar->setMax(0);                       // rejected: nothing to tell
    QFont bigger = host.font();
    bigger.setPointSize(bigger.pointSize() + 4);
    host.setFont(bigger);  // inherited by the control and its text
    QStringList names;
    for (const auto& call : changed) names << call.at(0).toString();
    QCOMPARE(names, QStringList({"Value", "BarColor", "Font"}));
    QCOMPARE(valueChanged.count(), 1);
    QCOMPARE(bar->findChild<QLabel*>("lblFore")->font(), bigger);
  }

  void resizingKeepsAMinimumSize() {
    ProgressBarMarlo bar;
    bar.show();
    bar.resize(100 / 15, 100 / 15);
    QCOMPARE(bar.size(), QSize(420 / 15, 270 / 15));
  }

  void settingsSurviveSavingAndLoading() {
    ProgressBarMarlo bar;
    bar.setForeVisible(false);
    bar.setMax(8);
    bar.setValue(3);
    bar.setBarColor(0x0000FF);
    marlo::MemoryPropertyBag bag;
    bar.WriteProperties(bag);
    QVERIFY(!bag.values.contains("Min"));  // equal to its default
    ProgressBarMarlo loaded;
    loaded.ReadProperties(bag);
    QVERIFY(!loaded.ForeVisible());
    QCOMPARE(loaded.Max(), 8);
    QCOMPARE(loaded.Value(), 3);
    QCOMPARE(loaded.BarColor(), 0x0000FFu);
    QCOMPARE(Text(loaded), QString("100%"));  // loading does not redraw
    loaded.resize(200, 20);
    loaded.show();  // the first showing lays it out and draws
    QCOMPARE(Text(loaded), QString("38%"));
  }

  void aDoubleClickIsOneClickThenDblClickAndTheTextRaisesNothing() {
    ProgressBarMarlo bar;
    bar.resize(200, 20);
    bar.show();
    QStringList events;
    connect(&bar, &ProgressBarMarlo::Click, [&] { events << "Click"; });
    connect(&bar, &ProgressBarMarlo::DblClick, [&] { events << "DblClick"; });
    QTest::mouseClick(bar.findChild<QWidget*>("lblFore"), Qt::LeftButton);
    // What a real double click delivers: press, release, double click, release.
    QWidget* back = bar.findChild<QWidget*>("picBack");
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                    QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
      QMouseEvent event(type, QPointF(2, 2), back->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                        Qt::NoModifier);
      QApplication::sendEvent(back, &event);
    }
    QTest::mouseClick(back, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(events, QStringList({"Click", "DblClick", "Click"}));
  }

  void thePropertyBagUsesTheOneTableOfNamesAndDefaults() {
    ProgressBarMarlo bar;
    marlo::MemoryPropertyBag bag;
    bar.WriteProperties(bag);
    QVERIFY(bag.values.isEmpty());  // a new control holds only defaults
    QStringList names;
    for (const auto& p : bar.PersistedProperties()) {
      names << p.name;
      QVERIFY2(bar.metaObject()->indexOfProperty(p.name) >= 0, p.name);
      QVERIFY2(
          bar.metaObject()->property(bar.metaObject()->indexOfProperty(p.name)).hasNotifySignal(),
          p.name);
    }
    QCOMPARE(names.size(), 12);
  }

  void splashShowsTheVersionAndClosesOnTheBackground() {
    QCoreApplication::setApplicationVersion("2.0.0");
    marlo::frmSplash splash;
    splash.show();
    QCOMPARE(splash.findChild<QLabel*>("lblVersion")->text(), QString("版本信息：2.0.0"));
    QTest::mouseClick(splash.findChild<QLabel*>("lblVersion"), Qt::LeftButton);
    QVERIFY(splash.isVisible());
    QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!splash.isVisible());
  }
};

QTEST_MAIN(FrameWidgetsTest)
#include "FrameWidgetsTest.moc"
