// SPDX-License-Identifier: Apache-2.0
// The splash window at start-up, and the about box later: product name,
// version and contact lines over a painted background. A click on the
// background closes it; a click on the e-mail address opens the mail client.
#pragma once

#include <QDialog>

class QLabel;

namespace marlo {

class frmSplash : public QDialog {
  Q_OBJECT

 public:
  explicit frmSplash(QWidget* parent = nullptr);

  static QString VersionLine();  // "版本信息：" and the program version
  // As the about box: a button to close it, besides a click anywhere.
  void ShowCloseButton();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* AddLabel(const char* name, const QString& text, int x, int y, int w, int h);
};

}  // namespace marlo
