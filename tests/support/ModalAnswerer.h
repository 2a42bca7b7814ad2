// SPDX-License-Identifier: Apache-2.0
// Answers the modal boxes of a Qt test from the event loop.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <functional>

namespace marlo::test {

// What a modal box showed before the test closed it.
struct SeenBox {
  QString title, text, informative;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Answers the modal boxes as they come, one answer each, from the event
// loop. Every box is closed, so a wrong expectation fails the test after
// exec() returns instead of leaving the box open.
class BoxAnswerer : public QObject {
 public:
  using Answer = std::function<void(QWidget* box)>;

  explicit BoxAnswerer(QList<Answer> answers) : answers_(std::move(answers)) { startTimer(10); }
  QList<SeenBox> seen;
  bool done() const { return answers_.isEmpty(); }

 protected:
  void timerEvent(QTimerEvent*) override {
    QWidget* box = QApplication::activeModalWidget();
    if (!box || box == last_.data()) return;
    last_ = box;
    if (auto* message = qobject_cast<QMessageBox*>(box)) {
      QPushButton* preset = message->defaultButton();
      seen.push_back({message->windowTitle(), message->text(), message->informativeText(),
                      message->icon(),
                      preset ? message->standardButton(preset) : QMessageBox::NoButton});
    }
    if (answers_.isEmpty()) {
      box->close();
      return;
    }
    answers_.takeFirst()(box);
  }

 private:
  QList<Answer> answers_;
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
