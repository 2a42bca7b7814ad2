// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/RunView.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "batch/UserTexts.h"
#include "frame/Artwork.h"
#include "frame/ElidedLabel.h"
#include "frame/ProgressBarMarlo.h"
#include "frame/Translations.h"
#include "mainwindow/Captions.h"
#include "mainwindow/ReportList.h"
#include "mainwindow/SourceLists.h"

namespace marlo {

ProgressArea::ProgressArea(QWidget* parent) : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  bar_ = Named(new ProgressBarMarlo, "procTotal");
  bar_->setAccessibleName(Caption(QT_TRANSLATE_NOOP("marlo::frmMain", "進度")));
  bar_->setMinimumWidth(240);
  row->addWidget(bar_, 2);
  processing_ =
      Named(new QLabel(Caption(QT_TRANSLATE_NOOP("marlo::frmMain", "正在處理:"))), "lblcurFile");
  row->addWidget(processing_);
  // A long name or the run's summary is cut with "…", whole in the tooltip:
  // it must not widen the window.
  current_ = Named(new ElidedLabel, "lblHandleFieldName");
  current_->setMinimumWidth(120);
  row->addWidget(current_, 3);
  row->addWidget(Named(new QLabel(Caption(QT_TRANSLATE_NOOP("marlo::frmMain", "總共處理文件:"))),
                       "lblHandle"));
  count_ = Named(new QLabel(QStringLiteral("0")), "lblHandFileCnt");
  count_->setMinimumWidth(40);
  row->addWidget(count_);
  stop_ = Named(new QPushButton(Caption(QT_TRANSLATE_NOOP("marlo::frmMain", "停止"))),
                "cmdStopConvert");
  stop_->hide();
  // Keeps the row's height when the button comes and goes.
  stop_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  setMinimumHeight(stop_->sizeHint().height());
  connect(stop_, &QPushButton::clicked, this, &ProgressArea::StopClicked);
  row->addWidget(stop_);
}

void ProgressArea::ShowCount(int count) { count_->setText(QString::number(count)); }

void ProgressArea::ShowRunning(int count) {
  ShowCount(count);
  processing_->show();
  current_->setToolTip({});
  stop_->show();
}

void ProgressArea::ShowCurrent(const QString& name) { current_->setText(name); }

void ProgressArea::ShowOutcome(const QString& text) {
  processing_->hide();
  current_->setText(text);
  current_->setToolTip(text);
}

void ProgressArea::HideStop() { stop_->hide(); }

RunView::RunView(QWidget& window, const ConvMarlo& engine, ProgressArea& progress,
                 ReportList& results, const DestList& dest, QLineEdit& target)
    : window_(window),
      engine_(engine),
      progress_(progress),
      results_(results),
      dest_(dest),
      target_(target),
      okIcon_(artwork::ResultOk()),
      skippedIcon_(artwork::ResultSkipped()),
      warningIcon_(artwork::ResultWarning()),
      errorIcon_(artwork::ResultError()) {}

RunView::~RunView() { SetBusy(false); }

OverwriteAnswer RunView::AskOverwrite(const std::string& targetPath) {
  const ShownName target = ShowPath(QByteArray::fromStdString(targetPath), engine_);
  QMessageBox box(QMessageBox::NoIcon, UserWord(text::kOverwriteTitle),
                  UserWord(text::kOverwriteQuestion), QMessageBox::Yes | QMessageBox::No, &window_);
  box.setObjectName("msgOverwrite");
  box.setInformativeText(target.text);
  QPushButton* all = box.addButton(UserWord(text::kOverwriteAll), QMessageBox::YesRole);
  all->setObjectName("cmdOverwriteAll");
  QPushButton* none = box.addButton(UserWord(text::kSkipAll), QMessageBox::NoRole);
  none->setObjectName("cmdSkipAll");
  box.setDefaultButton(QMessageBox::Yes);
  box.exec();
  if (box.clickedButton() == all) return OverwriteAnswer::kOverwriteAll;
  if (box.clickedButton() == none) return OverwriteAnswer::kSkipAll;
  return box.clickedButton() == box.button(QMessageBox::Yes) ? OverwriteAnswer::kOverwrite
                                                             : OverwriteAnswer::kSkip;
}

void RunView::ShowError(const std::string& message) {
  QMessageBox::critical(&window_, QStringLiteral("Marlo"), QString::fromStdString(message));
}

void RunView::SetBusy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy)
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
  else
    QGuiApplication::restoreOverrideCursor();
}

void RunView::RunStarted(int32_t fileCount) {
  converted_ = skipped_ = failed_ = doubtful_ = 0;
  timer_.start();
  progress_.ShowRunning(fileCount);
  results_.clear();
}

void RunView::CurrentFile(const std::string& fileName) {
  progress_.ShowCurrent(ShowPath(QByteArray::fromStdString(fileName), engine_).text);
}

void RunView::AddRow(const RunRow& row) {
  const ShownName name = ShowPath(QByteArray::fromStdString(row.fileName), engine_);
  // A source that did not look like the type's code converted all the
  // same, most likely into garbage, and characters the code could not hold
  // were replaced: its row says so, not a plain success.
  const std::string warnings = RowWarnings(row, type_);
  const bool doubtful = !warnings.empty();
  const QString description = QString::fromStdString(
      doubtful ? RowDescription(row) + "; " + warnings : RowDescription(row));
  auto* item =
      new QTreeWidgetItem(QStringList{name.text, QString::fromStdString(row.seconds), description});
  QString tip = description;
  switch (row.outcome) {
    case RowOutcome::kConverted:
      ++converted_;
      doubtful_ += doubtful;
      item->setIcon(0, doubtful ? warningIcon_ : okIcon_);
      break;
    case RowOutcome::kSkipped:
    case RowOutcome::kDeclined:
      ++skipped_;
      item->setIcon(0, skippedIcon_);
      break;
    case RowOutcome::kFailed:
      ++failed_;
      item->setIcon(0, errorIcon_);
      break;
  }
  if (row.outcome != RowOutcome::kFailed) {
    const QByteArray target = QByteArray::fromStdString(row.targetPath);
    item->setData(0, kPathRole, target);
    tip = ShowPath(target, engine_).text + '\n' + description;
  }
  if (!name.note.isEmpty()) tip += '\n' + name.note;
  // The description column is narrow: the whole text is a hover away.
  for (int column = 0; column < 3; ++column) item->setToolTip(column, tip);
  results_.addTopLevelItem(item);
  results_.KeepSorted();
}

void RunView::SetProgressMax(int32_t max) { progress_.Bar()->setMax(max); }

void RunView::SetProgressValue(int32_t value) { progress_.Bar()->setValue(value); }

void RunView::RunEnded(RunOutcome outcome) {
  progress_.HideStop();
  SetBusy(false);
  if (outcome == RunOutcome::kNoTargetFolder) target_.setFocus();
  if (outcome != RunOutcome::kFinished && outcome != RunOutcome::kStopped) return;
  // The progress area says how the run ended, not the last file's name.
  const QString summary =
      (outcome == RunOutcome::kFinished
           ? UserWord(text::kRunSummary)
                 .arg(converted_)
                 .arg(skipped_)
                 .arg(failed_)
                 .arg(double(timer_.elapsed()) / 1000.0, 0, 'f', 1)
           : UserWord(text::kRunStopped)
                 .arg(converted_)
                 .arg(skipped_)
                 .arg(failed_)
                 .arg(dest_.topLevelItemCount() - converted_ - skipped_ - failed_)) +
      (doubtful_ ? UserWord(text::kConvertedWithWarnings).arg(doubtful_) : QString());
  progress_.ShowOutcome(summary);
}

}  // namespace marlo
