// SPDX-License-Identifier: Apache-2.0
#include "frame/ElidedLabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace marlo {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  setTextFormat(Qt::PlainText);
}

QString ElidedLabel::ShownText() const {
  return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void ElidedLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(),
                        ShownText(), foregroundRole());
}

bool ElidedLabel::event(QEvent* event) {
  // The tooltip is the whole text, and only while part of it is hidden; a
  // tooltip set by the owner wins.
  if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
    if (ShownText() != text()) {
      QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
      return true;
    }
  }
  return QLabel::event(event);
}

}  // namespace marlo
