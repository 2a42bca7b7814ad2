// SPDX-License-Identifier: Apache-2.0
// Answers the modal boxes of a Qt test from the event loop.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <functional>

namespace marlo::test {

// What a modal box showed before the test answered it.
struct SeenBox {
  QString title, text, informative;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Answers the next modal boxes of one kind (message boxes unless told
// otherwise), one answer each, in order, and then stops watching. It touches
// no other modal window: a settings window the test opens after the boxes it
// expects is the test's own, and closing it from here made tests fail at
// random on busy machines. A box the test did not expect stays open, so the
// test fails on its time limit rather than passing on a wrong count.
class BoxAnswerer : public QObject {
 public:
  using Answer = std::function<void(QWidget* box)>;

  explicit BoxAnswerer(QList<Answer> answers, const char* kind = "QMessageBox")
      : answers_(std::move(answers)), kind_(kind) {
    if (!answers_.isEmpty()) timer_ = startTimer(10);
  }
  QList<SeenBox> seen;
  bool done() const { return answers_.isEmpty(); }

 protected:
  void timerEvent(QTimerEvent*) override {
    QWidget* box = QApplication::activeModalWidget();
    if (!box || box == last_.data() || !box->inherits(kind_)) return;
    last_ = box;
    if (auto* message = qobject_cast<QMessageBox*>(box)) {
      QPushButton* preset = message->defaultButton();
      seen.push_back({message->windowTitle(), message->text(), message->informativeText(),
                      message->icon(),
                      preset ? message->standardButton(preset) : QMessageBox::NoButton});
    }
    Answer answer = answers_.takeFirst();
    if (answers_.isEmpty()) killTimer(timer_);
    answer(box);
  }

 private:
  QList<Answer> answers_;
  const char* kind_;
  int timer_ = 0;
  QPointer<QWidget> last_;  // a later box may reuse a closed one's address
};

inline BoxAnswerer::Answer Press(QMessageBox::StandardButton button) {
  return [button](QWidget* box) { static_cast<QMessageBox*>(box)->button(button)->click(); };
}

// Clicks a button of the box by its object name.
inline BoxAnswerer::Answer PressNamed(const QString& name) {
  return [name](QWidget* box) {
    if (auto* button = box->findChild<QPushButton*>(name))
      button->click();
    else
      box->close();
  };
}

}  // namespace marlo::test
