// SPDX-License-Identifier: Apache-2.0
// The run as the main window shows it: the progress row (bar, current file
// or summary, file count, stop button) and the results list.
#pragma once

#include <QElapsedTimer>
#include <QIcon>
#include <QWidget>

#include "batch/ConversionRun.h"
#include "engine/ConvMarlo.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace marlo {

class DestList;
class ElidedLabel;
class ProgressBarMarlo;
class ReportList;

// procTotal, lblcurFile "正在處理:", lblHandleFieldName, lblHandle
// "總共處理文件:", lblHandFileCnt and cmdStopConvert, in one row.
class ProgressArea : public QWidget {
  Q_OBJECT

 public:
  explicit ProgressArea(QWidget* parent = nullptr);

  ProgressBarMarlo* Bar() const { return bar_; }
  void ShowCount(int count);
  // A run begins: the current file's place and the stop button show.
  void ShowRunning(int count);
  void ShowCurrent(const QString& name);
  // What happened (a run's summary, a tree's walk) where the file's name
  // was, whole in the tooltip.
  void ShowOutcome(const QString& text);
  void HideStop();

 signals:
  void StopClicked();

 private:
  ProgressBarMarlo* bar_;
  QLabel* processing_;
  ElidedLabel* current_;
  QLabel* count_;
  QPushButton* stop_;
};

// Called by the run on the window's thread.
class RunView : public RunHost {
 public:
  RunView(QWidget& window, const ConvMarlo& engine, ProgressArea& progress, ReportList& results,
          const DestList& dest, QLineEdit& target);
  ~RunView() override;
  // The type whose rows come next: it names the code a row's replaced
  // characters could not be written in.
  void SetType(ConvType type) { type_ = type; }

  OverwriteAnswer AskOverwrite(const std::string& targetPath) override;
  void ShowError(const std::string& message) override;
  void SetBusy(bool busy) override;
  void RunStarted(int32_t fileCount) override;
  void CurrentFile(const std::string& fileName) override;
  void AddRow(const RunRow& row) override;
  void SetProgressMax(int32_t max) override;
  void SetProgressValue(int32_t value) override;
  void RunEnded(RunOutcome outcome) override;

 private:
  QWidget& window_;
  const ConvMarlo& engine_;
  ProgressArea& progress_;
  ReportList& results_;
  const DestList& dest_;
  QLineEdit& target_;
  bool busy_ = false;
  ConvType type_ = ConvType::kGbToBig;
  int converted_ = 0, skipped_ = 0, failed_ = 0;
  int doubtful_ = 0;  // converted, with a warning
  QElapsedTimer timer_;
  QIcon okIcon_, skippedIcon_, warningIcon_, errorIcon_;
};

}  // namespace marlo
