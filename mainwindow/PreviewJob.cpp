// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/PreviewJob.h"

#include <QThread>
#include <QtConcurrent/QtConcurrentRun>

#include "batch/ConversionTypes.h"
#include "batch/TextFile.h"
#include "batch/UserTexts.h"
#include "clipboard/TextForms.h"
#include "clipboard/frmClipboard.h"
#include "frame/Translations.h"

namespace marlo {

PreviewJob::PreviewJob(const ConvMarlo& engine, Done done, QObject* parent)
    : QObject(parent),
      engine_(engine),
      done_(std::move(done)),
      watcher_(new QFutureWatcher<std::shared_ptr<PreviewResult>>(this)) {
  connect(watcher_, &QFutureWatcher<std::shared_ptr<PreviewResult>>::finished, this, [this] {
    running_ = false;
    done_(*watcher_->result());
  });
}

PreviewJob::~PreviewJob() { watcher_->waitForFinished(); }

bool PreviewJob::Start(const QByteArray& path, ConvType type, bool byteFlag, const QFont& font,
                       const ConversionChoices& choices) {
  if (running_) return false;
  running_ = true;
  QThread* uiThread = thread();
  watcher_->setFuture(QtConcurrent::run([this, path, type, byteFlag, font, uiThread, choices] {
    auto work = std::make_shared<PreviewResult>();
    work->path = path;
    work->type = type;
    try {
      // Each copy goes as soon as the next exists, so that a large file
      // costs about twice its size at the most, not every copy at once.
      std::string bytes = textfile::ReadAll(path.toStdString());
      work->data = ConvertForPreview(engine_, type, bytes, byteFlag, choices);
      std::string().swap(bytes);
      if (work->data.failure != PreviewFailure::kNone)
        work->error =
            UserWord(work->data.failure == PreviewFailure::kOutOfMemory ? text::kOutOfMemory
                                                                        : text::kEngineNotReady);
      if (work->data.result) {
        QString text = ResultText(engine_, work->data, type);
        std::string().swap(work->data.result->strResult);  // the document shows it now
        work->data.textUtf8.reset();
        work->text = frmClipboard::BuildTextDocument(std::move(text), font);
        work->text->moveToThread(uiThread);
      }
    } catch (const std::bad_alloc&) {
      work->error = UserWord(text::kOutOfMemory);
    } catch (const std::exception& e) {  // a file that cannot be read, mostly
      work->error = QString::fromStdString(DescribeError(e));
    }
    return work;
  }));
  return true;
}

}  // namespace marlo
