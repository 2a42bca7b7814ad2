// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/BackgroundRun.h"

#include <future>
#include <memory>

#include "batch/UserTexts.h"

namespace marlo {

// The run's host on the worker thread: passes each call on to the window's
// thread. Only the overwrite question waits for its answer.
class BackgroundRun::Relay : public RunHost {
 public:
  explicit Relay(BackgroundRun& run) : run_(run) {}

  bool StopRequested() override { return run_.stop_; }

  OverwriteAnswer AskOverwrite(const std::string& targetPath) override {
    auto question = std::make_shared<Question>();
    std::future<OverwriteAnswer> future = question->answer.get_future();
    {
      std::lock_guard lock(run_.questionMutex_);
      if (run_.abandoned_) return OverwriteAnswer::kSkip;
      run_.question_ = question;
    }
    // Not a blocking queued call: the window may be torn down while the
    // question waits, and must not wait for this thread in turn; its
    // destructor answers "no" instead.
    Post([question, targetPath](RunHost& ui) { question->Give(ui.AskOverwrite(targetPath)); });
    const OverwriteAnswer answer = future.get();
    std::lock_guard lock(run_.questionMutex_);
    run_.question_.reset();
    return answer;
  }

  void ShowError(const std::string& message) override {
    Post([message](RunHost& ui) { ui.ShowError(message); });
  }
  void SetBusy(bool busy) override {
    Post([busy](RunHost& ui) { ui.SetBusy(busy); });
  }
  void RunStarted(int32_t fileCount) override {
    Post([fileCount](RunHost& ui) { ui.RunStarted(fileCount); });
  }
  void CurrentFile(const std::string& fileName) override {
    Post([fileName](RunHost& ui) { ui.CurrentFile(fileName); });
  }
  void AddRow(const RunRow& row) override {
    Post([row](RunHost& ui) { ui.AddRow(row); });
  }
  void SetProgressMax(int32_t max) override {
    Post([max](RunHost& ui) { ui.SetProgressMax(max); });
  }
  void SetProgressValue(int32_t value) override {
    Post([value](RunHost& ui) { ui.SetProgressValue(value); });
  }
  void RunEnded(RunOutcome outcome) override {
    Post([outcome](RunHost& ui) { ui.RunEnded(outcome); });
  }

 private:
  // Calls queued on a destroyed BackgroundRun are dropped by Qt.
  template <typename Call>
  void Post(Call call) {
    BackgroundRun* run = &run_;
    QMetaObject::invokeMethod(
        run, [run, call] { call(run->uiHost_); }, Qt::QueuedConnection);
  }

  BackgroundRun& run_;
};

BackgroundRun::BackgroundRun(const ConvMarlo& engine, RunSettings settings, RunHost& uiHost,
                             QObject* parent)
    : QObject(parent), engine_(engine), settings_(std::move(settings)), uiHost_(uiHost) {}

void BackgroundRun::Question::Give(OverwriteAnswer given) {
  std::lock_guard lock(mutex);
  if (answered) return;
  answered = true;
  answer.set_value(given);
}

BackgroundRun::~BackgroundRun() {
  stop_ = true;
  {
    std::lock_guard lock(questionMutex_);
    abandoned_ = true;
    if (question_) question_->Give(OverwriteAnswer::kSkip);
  }
  if (thread_.joinable()) thread_.join();
}

void BackgroundRun::Start() {
  running_ = true;
  thread_ = std::thread([this] {
    Relay relay(*this);
    RunOutcome outcome = RunOutcome::kAborted;
    try {
      outcome = ConversionRun(engine_, settings_).Run(relay);
    } catch (const std::exception& e) {  // a failure outside any one file
      relay.ShowError(DescribeError(e));
      relay.SetBusy(false);
      relay.RunEnded(outcome);
    }
    QMetaObject::invokeMethod(
        this,
        [this, outcome] {
          thread_.join();
          running_ = false;
          emit finished(outcome);
        },
        Qt::QueuedConnection);
  });
}

}  // namespace marlo
