// SPDX-License-Identifier: Apache-2.0
// A one-line label for texts that may be longer than its room: it shows
// them cut with "…" and the whole text in its tooltip, and never widens
// the window for them.
#pragma once

#include <QLabel>

namespace marlo {

class ElidedLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ElidedLabel(QWidget* parent = nullptr);
  // text() stays the whole text; this is what the label draws at its width.
  QString ShownText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;
};

}  // namespace marlo
