// SPDX-License-Identifier: Apache-2.0
// The windows' costs, on the offscreen platform (or a real display):
// listing and adding 10,000 files, a run over 1,000 small files beyond the
// conversion itself, how late the window answers while a 500 MB file
// converts; the same run over UTF-8 files found and written as UTF-8, a
// large UTF-8 file against marlo-convert, adding a tree of 10,000 files; opening the clipboard
// window, GetConvData on 1 MB with the page, and previewing a 100 MB file. Prints one line per
// figure.
//
//   QT_QPA_PLATFORM=offscreen build/release/bench/marlo_window_bench [MB] [preview MB]
//   QT_QPA_PLATFORM=offscreen build/release/bench/marlo_window_bench --preview-with-bytes MB
// The second form previews one large file with the return-value option on,
// shows its page tab, and prints the longest wait and the peak memory.
#include <sys/resource.h>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "batch/ConversionRun.h"
#include "bench/SampleText.h"
#include "clipboard/frmClipboard.h"
#include "mainwindow/frmMain.h"
#include "settings/clsSettings.h"

namespace {

using marlo::frmMain;

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
    qFatal("cannot write %s", qPrintable(path));
}

template <typename T = QWidget>
T* Child(frmMain& window, const char* name) {
  return window.findChild<T*>(name);
}

void Convert(frmMain& window) { window.findChild<QAction*>("butConvert")->trigger(); }

double WaitForRun(frmMain& window) {
  QElapsedTimer timer;
  timer.start();
  while (window.IsConverting()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  return double(timer.nsecsElapsed()) / 1e6;
}

// A run with a host that shows nothing: the conversion and file work alone.
class SilentHost : public marlo::RunHost {
 public:
  marlo::OverwriteAnswer AskOverwrite(const std::string&) override {
    return marlo::OverwriteAnswer::kOverwrite;
  }
  void ShowError(const std::string& message) override { qFatal("%s", message.c_str()); }
  void AddRow(const marlo::RunRow&) override {}
};

void ListAndAdd(const QString& root) {
  const QString folder = root + "/many";
  QDir().mkpath(folder);
  // One name in ten is GBK bytes, as from a Chinese Windows archive: 文件 and a number.
  for (int k = 0; k < 10000; ++k) {
    const QByteArray name = k % 10
                                ? QByteArray("file") + QByteArray::number(k) + ".txt"
                                : QByteArray("\xCE\xC4\xBC\xFE") + QByteArray::number(k) + ".txt";
    std::FILE* file = std::fopen((QFile::encodeName(folder) + '/' + name).constData(), "wb");
    if (!file) qFatal("cannot write a file of the listing");
    std::fclose(file);
  }

  frmMain window;
  window.show();
  QElapsedTimer timer;
  timer.start();
  window.SetSourceFolder(folder);
  const double listMs = double(timer.nsecsElapsed()) / 1e6;
  auto* files = Child<QListWidget>(window, "FilSource");
  files->selectAll();
  timer.restart();
  QTest::mouseClick(Child<QPushButton>(window, "cmdSelect"), Qt::LeftButton);
  const double addMs = double(timer.nsecsElapsed()) / 1e6;
  std::printf(
      "list a folder of %d files, one in ten named in GBK bytes, in FilSource: %.1f ms (target <= "
      "300)\n",
      files->count(), listMs);
  std::printf("add %d files to lvwDest in one click: %.1f ms (target <= 1000)\n",
              Child<QTreeWidget>(window, "lvwDest")->topLevelItemCount(), addMs);
}

// The files of a folder through the run alone, with the given settings.
double RunAloneMs(const QString& folder, const QStringList& names, const QString& target,
                  marlo::RunSettings settings) {
  marlo::ConvMarlo engine;
  engine.InitMe();
  for (const QString& name : names)
    settings.entries.push_back({(folder + '/' + name).toStdString(), name.toStdString()});
  settings.targetFolderText = target.toStdString();
  settings.handleExistFile = marlo::ExistingFile::kOverwrite;
  SilentHost host;
  QElapsedTimer timer;
  timer.start();
  marlo::ConversionRun(engine, settings).Run(host);
  return double(timer.nsecsElapsed()) / 1e6;
}

// The same files through the window, Big5 -->> GB, overwriting, after
// choose has set the window's choices.
double WindowRunMs(const QString& folder, const QString& target,
                   const std::function<void(frmMain&)>& choose) {
  frmMain window;
  window.show();
  Child<QRadioButton>(window, "optConvType_1")->click();
  Child<QRadioButton>(window, "optHandleExistFile_2")->click();
  choose(window);
  window.SetSourceFolder(folder);
  Child<QListWidget>(window, "FilSource")->selectAll();
  QTest::mouseClick(Child<QPushButton>(window, "cmdSelect"), Qt::LeftButton);
  Child<QLineEdit>(window, "txtDescPath")->setText(target);
  Convert(window);
  return WaitForRun(window);
}

void SmallFiles(const QString& root) {
  const QString folder = root + "/small";
  QDir().mkpath(folder);
  const int count = 1000;
  QStringList names;
  for (int k = 0; k < count; ++k) {
    names << QStringLiteral("s%1.txt").arg(k);
    WriteFile(folder + '/' + names.back(),
              QByteArray("\xB3\x6F plain text \xA4\xA4\r\n", 20).repeated(50));
  }

  // The same files through the run alone, into a folder of their own.
  marlo::RunSettings settings;
  settings.convType = marlo::ConvType::kBigToGb;
  const double bareMs = RunAloneMs(folder, names, root + "/bare", settings);
  const double windowMs = WindowRunMs(folder, root + "/window", [](frmMain&) {});
  std::printf(
      "run over %d small files: window %.1f ms, run alone %.1f ms: %.3f ms per file "
      "beyond the conversion (target <= 2)\n",
      count, windowMs, bareMs, (windowMs - bareMs) / count);
}

// Today's files: 1,000 small UTF-8 files, found to be UTF-8 and written as
// UTF-8, and one large one against marlo-convert with the same options.
void Utf8Files(const QString& root, int megabytes) {
  const QString folder = root + "/utf8";
  QDir().mkpath(folder);
  const int count = 1000;
  QStringList names;
  for (int k = 0; k < count; ++k) {
    names << QStringLiteral("u%1.txt").arg(k);
    WriteFile(folder + '/' + names.back(), QByteArray("這是繁體 plain text 中文\n").repeated(40));
  }
  marlo::RunSettings settings;
  settings.convType = marlo::ConvType::kBigToGb;
  settings.detectUtf8 = true;
  settings.ends.toUtf8 = true;
  const double bareMs = RunAloneMs(folder, names, root + "/utf8-bare", settings);
  const auto utf8 = [](frmMain& window) {
    Child<QCheckBox>(window, "chkAutoUtf8")->setChecked(true);
    Child<QCheckBox>(window, "chkToUtf8")->setChecked(true);
  };
  const double windowMs = WindowRunMs(folder, root + "/utf8-window", utf8);
  std::printf(
      "run over %d small UTF-8 files, found and written as UTF-8: window %.1f ms, run alone "
      "%.1f ms: %.3f ms per file beyond the conversion (target <= 2)\n",
      count, windowMs, bareMs, (windowMs - bareMs) / count);

  // One large file: the window's run against the command line's.
  const QString large = root + "/utf8-large";
  QDir().mkpath(large);
  {
    const QByteArray line("這是繁體中文的 UTF-8 文件,軟體與硬體 plain ASCII text too.\n");
    QFile file(large + "/big.txt");
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write the large file");
    const QByteArray megabyte = line.repeated((1 << 20) / line.size());
    for (int k = 0; k < megabytes; ++k) file.write(megabyte);
  }
  // File to file, as the window writes: the same work, the same disk. The
  // two take turns, and the medians count: writing to disk is uneven.
  std::vector<double> windowRuns, convertRuns;
  for (int round = 0; round < 5; ++round) {
    windowRuns.push_back(WindowRunMs(large, large + "/out", utf8));
    QProcess convert;
    convert.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    convert.start(QStringLiteral(MARLO_CONVERT_EXE),
                  {"-t", "BigToGb", "--from-utf8", "--to-utf8", "-e", "overwrite", "-o",
                   large + "/cli", large + "/big.txt"});
    convert.waitForFinished(-1);
    convertRuns.push_back(double(timer.nsecsElapsed()) / 1e6);
  }
  auto median = [](std::vector<double> runs) {
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
  };
  const double largeMs = median(windowRuns), convertMs = median(convertRuns);
  std::printf(
      "%d MB UTF-8 file to UTF-8, medians of 5: window %.0f ms, marlo-convert %.0f ms: %.2f× "
      "(target <= 1.10)\n",
      megabytes, largeMs, convertMs, largeMs / convertMs);
}

// A tree of 10,000 files in 100 folders, added with "包含子文件夾" by a drop.
void AddTree(const QString& root) {
  const QString tree = root + "/tree";
  for (int f = 0; f < 100; ++f) {
    const QString folder = tree + QStringLiteral("/d%1/e%2").arg(f % 10).arg(f);
    QDir().mkpath(folder);
    for (int k = 0; k < 100; ++k) WriteFile(folder + QStringLiteral("/f%1.txt").arg(k), "x");
  }
  frmMain window;
  window.show();
  Child<QCheckBox>(window, "chkSubFolders")->setChecked(true);
  auto* dest = Child<QTreeWidget>(window, "lvwDest");
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(tree)});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(dest->viewport(), &enter);
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QElapsedTimer timer;
  timer.start();
  QApplication::sendEvent(dest->viewport(), &drop);
  while (window.IsAddingTree()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  std::printf("add a dropped tree of %d files in 100 folders: %.1f ms (target <= 1000)\n",
              dest->topLevelItemCount(), double(timer.nsecsElapsed()) / 1e6);
}

// Measures how late a 5 ms timer fires while a large file converts: the
// longest the window waits before it can repaint or take a click.
void LargeFile(const QString& root, int megabytes) {
  const QString folder = root + "/large";
  QDir().mkpath(folder);
  {
    marlo::ConvMarlo engine;
    engine.InitMe();
    const std::string prose = marlo::bench::MakeBig5Prose(engine, 1 << 20);
    QFile file(folder + "/big.txt");
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write the large file");
    for (int k = 0; k < megabytes; ++k) file.write(prose.data(), qint64(prose.size()));
  }
  WriteFile(folder + "/next.txt", "x");

  frmMain window;
  window.show();
  window.SetSourceFolder(folder);
  Child<QRadioButton>(window, "optConvType_1")->click();
  Child<QListWidget>(window, "FilSource")->selectAll();
  QTest::mouseClick(Child<QPushButton>(window, "cmdSelect"), Qt::LeftButton);

  QElapsedTimer clock;
  clock.start();
  qint64 last = 0, worst = 0;
  int repaints = 0;
  QTimer probe;
  QObject::connect(&probe, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    worst = std::max(worst, now - last);
    last = now;
    window.repaint();  // a paint in the middle of the work, as an expose asks for
    ++repaints;
  });
  probe.start(5);
  last = clock.nsecsElapsed();
  Convert(window);
  // Stop is pressed while the large file converts; the next file is not done.
  QTimer::singleShot(200, &window, [&] {
    QTest::mouseClick(Child<QPushButton>(window, "cmdStopConvert"), Qt::LeftButton);
  });
  const double runMs = WaitForRun(window);
  probe.stop();
  std::printf(
      "%d MB file: converted in %.0f ms, %d repaints meanwhile, longest wait of the "
      "window %.1f ms (target <= 100); stopped before the next file: %s\n",
      megabytes, runMs, repaints, double(worst) / 1e6,
      QFile::exists(folder + "/BigToGb/next.txt") ? "no" : "yes");
}

// Calls a step while a probe notes the longest gap between its ticks: how
// long the window could not answer.
template <typename Step>
double LongestWaitMs(Step step) {
  QElapsedTimer clock;
  qint64 last = 0, worst = 0;
  QTimer probe;
  QObject::connect(&probe, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    worst = std::max(worst, now - last);
    last = now;
  });
  clock.start();
  probe.start(5);
  step();
  QTest::qWait(50);  // the probe's next tick measures the step that ended it
  probe.stop();
  return double(worst) / 1e6;
}

// A file of `megabytes` times the text, for previewing.
QString WritePreviewFile(const QString& root, const std::string& text, int megabytes) {
  const QString file = root + "/preview.txt";
  QFile out(file);
  if (!out.open(QIODevice::WriteOnly)) qFatal("cannot write the preview file");
  for (int k = 0; k < megabytes; ++k) out.write(text.data(), qint64(text.size()));
  return file;
}

void ClipboardWindow(const QString& root, int previewMegabytes) {
  {
    QSettings store(QStringLiteral("Marlo"), QStringLiteral("Marlo"));
    store.setValue("Configs/IsReturnbyte", "1");
  }
  frmMain window;
  window.show();
  QElapsedTimer timer;
  timer.start();
  marlo::frmClipboard* clipboard = window.LoadClipboardWindow();
  clipboard->show();
  QCoreApplication::processEvents();
  const double openMs = double(timer.nsecsElapsed()) / 1e6;

  marlo::ConvMarlo engine;
  engine.InitMe();
  const std::string big5 = marlo::bench::MakeBig5Prose(engine, 1 << 20);
  timer.restart();
  clipboard->GetConvDataBytes(big5, marlo::ConvType::kBigToGb);
  QCoreApplication::processEvents();
  const double convMs = double(timer.nsecsElapsed()) / 1e6;
  std::printf("clipboard window opens in %.1f ms (target <= 100)\n", openMs);
  std::printf(
      "GetConvData on 1 MB of Big5 with the page written and reloaded: %.0f ms "
      "(target <= 300)\n",
      convMs);
  clipboard->close();

  // A large file previewed with the byte flag off, as a user first meets it.
  {
    QSettings store(QStringLiteral("Marlo"), QStringLiteral("Marlo"));
    store.setValue("Configs/IsReturnbyte", "0");
  }
  const QString file = WritePreviewFile(root, big5, previewMegabytes);
  frmMain second;
  second.show();
  double shownMs = 0;
  const double worstMs = LongestWaitMs([&] {
    QElapsedTimer clock;
    clock.start();
    second.PreviewFile(file, 1);
    while (second.IsPreviewing()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    shownMs = double(clock.nsecsElapsed()) / 1e6;
  });
  std::printf(
      "preview of a %d MB file: text shown after %.0f ms (target <= 5000), longest wait "
      "of the window meanwhile %.0f ms\n",
      previewMegabytes, shownMs, worstMs);
}

void PreviewWithBytes(const QString& root, int megabytes) {
  {
    QSettings store(QStringLiteral("Marlo"), QStringLiteral("Marlo"));
    store.setValue("Configs/IsReturnbyte", "1");
  }
  marlo::ConvMarlo engine;
  engine.InitMe();
  const std::string big5 = marlo::bench::MakeBig5Prose(engine, 1 << 20);
  const QString file = WritePreviewFile(root, big5, megabytes);
  rusage before{};
  getrusage(RUSAGE_SELF, &before);
  frmMain window;
  window.show();
  const double previewWait = LongestWaitMs([&] {
    window.PreviewFile(file, 1);
    while (window.IsPreviewing()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  });
  auto* tabs = window.LoadClipboardWindow()->findChild<QTabWidget*>("stbMain");
  const double pageWait = LongestWaitMs([&] { tabs->setCurrentIndex(1); });
  rusage after{};
  getrusage(RUSAGE_SELF, &after);
  std::printf(
      "preview of a %d MB file with the return-value option: longest wait %.0f ms, page tab "
      "%.0f ms (target <= 100); peak memory %.0f MB, %.0f MB before it: %.2f x the file "
      "(target <= 3)\n",
      megabytes, previewWait, pageWait, double(after.ru_maxrss) / 1024,
      double(before.ru_maxrss) / 1024,
      double(after.ru_maxrss - before.ru_maxrss) / 1024 / megabytes);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const bool previewOnly = argc > 2 && std::strcmp(argv[1], "--preview-with-bytes") == 0;
  const int megabytes = argc > 1 ? std::atoi(argv[1]) : 500;
  QTemporaryDir root;
  qputenv("XDG_CONFIG_HOME", (root.path() + "/config").toUtf8());
  qputenv("XDG_DATA_HOME", (root.path() + "/data").toUtf8());
  QCoreApplication::setApplicationName("Marlo");
  QCoreApplication::setOrganizationName("Marlo");
  if (previewOnly) {
    PreviewWithBytes(root.path(), std::atoi(argv[2]));
    return 0;
  }
  ListAndAdd(root.path());
  SmallFiles(root.path());
  LargeFile(root.path(), megabytes);
  Utf8Files(root.path(), std::min(megabytes, 200));
  AddTree(root.path());
  ClipboardWindow(root.path(), argc > 2 ? std::atoi(argv[2]) : 100);
  return 0;
}
