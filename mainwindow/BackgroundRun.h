// SPDX-License-Identifier: Apache-2.0
// Runs a conversion run on a thread of its own, so that reading, converting
// and writing a large file never keeps the window from painting or from
// taking the stop button. Every call the run makes on its host reaches the
// window's host on the window's thread, in the order the run made them.
#pragma once

#include <QObject>
#include <atomic>
#include <future>
#include <memory>
#include <mutex>
#include <thread>

#include "batch/ConversionRun.h"

namespace marlo {

class BackgroundRun : public QObject {
  Q_OBJECT

 public:
  // uiHost is called on the thread that creates this object and must
  // outlive it.
  BackgroundRun(const ConvMarlo& engine, RunSettings settings, RunHost& uiHost,
                QObject* parent = nullptr);
  // Stops after the current file and waits for it; an open question is
  // answered "no".
  ~BackgroundRun() override;

  void Start();
  // Takes effect between two files, as the run reads its stop flag there.
  void RequestStop() { stop_ = true; }
  bool IsRunning() const { return running_; }

 signals:
  // After uiHost's RunEnded.
  void finished(marlo::RunOutcome outcome);

 private:
  class Relay;

  const ConvMarlo& engine_;
  RunSettings settings_;
  RunHost& uiHost_;
  // The overwrite question the run waits on: answered once, by the window
  // or, when the window goes first, by the destructor.
  struct Question {
    std::mutex mutex;
    bool answered = false;
    std::promise<OverwriteAnswer> answer;
    void Give(OverwriteAnswer given);
  };

  std::atomic<bool> stop_{false};
  std::mutex questionMutex_;
  bool abandoned_ = false;              // under questionMutex_
  std::shared_ptr<Question> question_;  // under questionMutex_
  bool running_ = false;
  std::thread thread_;
};

}  // namespace marlo
