// SPDX-License-Identifier: Apache-2.0
// A file's preview, read, converted and laid out off the window's thread:
// a large file takes seconds, and only the finished document meets the
// window.
#pragma once

#include <QByteArray>
#include <QFont>
#include <QFutureWatcher>
#include <QObject>
#include <QTextDocument>
#include <functional>
#include <memory>

#include "batch/ConversionPipeline.h"
#include "clipboard/PreviewData.h"
#include "engine/ConvMarlo.h"

namespace marlo {

struct PreviewResult {
  QByteArray path;
  ConvType type{};
  PreviewData data;
  std::unique_ptr<QTextDocument> text;  // on the window's thread
  QString error;                        // in the user's words; empty on success
};

class PreviewJob : public QObject {
 public:
  using Done = std::function<void(PreviewResult&)>;
  // done is called on this object's thread when a preview is ready.
  PreviewJob(const ConvMarlo& engine, Done done, QObject* parent = nullptr);
  ~PreviewJob() override;  // waits for the preview under way

  bool IsRunning() const { return running_; }
  // One at a time: false while another runs.
  bool Start(const QByteArray& path, ConvType type, bool byteFlag, const QFont& font,
             const ConversionChoices& choices);

 private:
  const ConvMarlo& engine_;
  Done done_;
  QFutureWatcher<std::shared_ptr<PreviewResult>>* watcher_;
  bool running_ = false;  // until done_ has the result
};

}  // namespace marlo
