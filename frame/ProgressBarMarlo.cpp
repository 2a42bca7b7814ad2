// SPDX-License-Identifier: Apache-2.0
#include "frame/ProgressBarMarlo.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <cmath>

namespace marlo {

namespace {

std::function<void(const QString&)>& WarningHandler() {
  static std::function<void(const QString&)> handler = [](const QString& text) {
    QMessageBox::warning(nullptr, QStringLiteral("Marlo"), text);
  };
  return handler;
}

// Stores a changed value and runs the rest; an unchanged one is not news.
template <typename T, typename Then>
void IfChanged(T& field, T value, Then then) {
  if (field == value) return;
  field = value;
  then();
}

}  // namespace

void ProgressBarMarlo::setWarningHandler(std::function<void(const QString&)> handler) {
  WarningHandler() = std::move(handler);
}

QColor ProgressBarMarlo::ToQColor(uint32_t color, const QPalette& palette) {
  if (color & 0x80000000u) {
    switch (color & 0xFF) {
      case 0x05:
        return palette.color(QPalette::Base);  // window background
      case 0x08:
        return palette.color(QPalette::Text);  // window text
      case 0x0F:
        return palette.color(QPalette::Button);  // button face
      case 0x12:
        return palette.color(QPalette::ButtonText);  // button text
      case 0x0D:
        return palette.color(QPalette::Highlight);
      default:
        return palette.color(QPalette::Window);
    }
  }
  return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

ProgressBarMarlo::ProgressBarMarlo(QWidget* parent)
    : QWidget(parent),
      picBack_(new QFrame(this)),
      lblBar_(new QLabel(picBack_)),
      lblFore_(new QLabel(QStringLiteral("100%"), picBack_)) {
  picBack_->setObjectName("picBack");
  lblBar_->setObjectName("lblBar");
  lblFore_->setObjectName("lblFore");
  lblFore_->setAlignment(Qt::AlignCenter);
  lblFore_->resize(48, 16);
  for (QWidget* part : {static_cast<QWidget*>(picBack_), static_cast<QWidget*>(lblBar_),
                        static_cast<QWidget*>(lblFore_)})
    part->installEventFilter(this);
  ApplyColors();
  ApplyFrame();
  setMinimumSize(kMinWidthTwips / kTwipsPerPixel, kMinHeightTwips / kTwipsPerPixel);
  resize(160, 20);
}

bool ProgressBarMarlo::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
      type != QEvent::MouseButtonDblClick)
    return false;
  // The percentage text takes its clicks without passing them on.
  if (watched == lblFore_) return true;
  if (type == QEvent::MouseButtonDblClick) {
    afterDouble_ = true;
    emit DblClick();
  } else if (type == QEvent::MouseButtonRelease) {
    // A double click is press, release, double click, release: one Click,
    // then DblClick.
    if (!afterDouble_) emit Click();
    afterDouble_ = false;
  }
  return true;
}

void ProgressBarMarlo::ApplyColors() {
  QPalette back = picBack_->palette();
  back.setColor(QPalette::Window, ToQColor(backColor_, palette()));
  picBack_->setPalette(back);
  picBack_->setAutoFillBackground(true);
  QPalette bar = lblBar_->palette();
  bar.setColor(QPalette::Window, ToQColor(barColor_, palette()));
  lblBar_->setPalette(bar);
  lblBar_->setAutoFillBackground(barStyle_ == 1);
  QPalette fore = lblFore_->palette();
  fore.setColor(QPalette::WindowText, ToQColor(foreColor_, palette()));
  lblFore_->setPalette(fore);
}

void ProgressBarMarlo::ApplyFrame() {
  picBack_->setFrameShape(borderStyle_ == 1 ? QFrame::Box : QFrame::NoFrame);
  picBack_->setFrameShadow(appearance_ == 1 ? QFrame::Sunken : QFrame::Plain);
}

void ProgressBarMarlo::setBackColor(uint32_t color) {
  IfChanged(backColor_, color, [this] {
    ApplyColors();
    emit BackColorChanged(backColor_);
    emit propertyChanged(QStringLiteral("BackColor"));
  });
}

void ProgressBarMarlo::setForeColor(uint32_t color) {
  IfChanged(foreColor_, color, [this] {
    ApplyColors();
    emit ForeColorChanged(foreColor_);
    emit propertyChanged(QStringLiteral("ForeColor"));
  });
}

void ProgressBarMarlo::setBorderStyle(int style) {
  IfChanged(borderStyle_, style, [this] {
    ApplyFrame();
    emit BorderStyleChanged(borderStyle_);
    emit propertyChanged(QStringLiteral("BorderStyle"));
  });
}

void ProgressBarMarlo::setAppearance(int appearance) {
  IfChanged(appearance_, appearance, [this] {
    ApplyFrame();
    emit AppearanceChanged(appearance_);
    emit propertyChanged(QStringLiteral("Appearance"));
  });
}

void ProgressBarMarlo::setBarColor(uint32_t color) {
  IfChanged(barColor_, color, [this] {
    ApplyColors();
    emit BarColorChanged(barColor_);
    emit propertyChanged(QStringLiteral("BarColor"));
  });
}

void ProgressBarMarlo::setBarStyle(int style) {
  IfChanged(barStyle_, style, [this] {
    ApplyColors();
    emit BarStyleChanged(barStyle_);
    emit propertyChanged(QStringLiteral("BarStyle"));
  });
}

QString ProgressBarMarlo::ToolTipText() const { return picBack_->toolTip(); }

void ProgressBarMarlo::setToolTipText(const QString& text) {
  if (text == ToolTipText()) return;
  picBack_->setToolTip(text);
  emit ToolTipTextChanged(text);
  emit propertyChanged(QStringLiteral("ToolTipText"));
}

bool ProgressBarMarlo::ForeVisible() const { return !lblFore_->isHidden(); }

void ProgressBarMarlo::setForeVisible(bool visible) {
  if (visible == ForeVisible()) return;
  lblFore_->setVisible(visible);
  emit ForeVisibleChanged(visible);
  emit propertyChanged(QStringLiteral("ForeVisible"));
}

void ProgressBarMarlo::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // The percentage text follows the control's font, set on it or inherited.
  if (event->type() == QEvent::FontChange) {
    emit FontChanged(font());
    emit propertyChanged(QStringLiteral("Font"));
  }
}

void ProgressBarMarlo::setValue(int32_t value) {
  const int32_t clamped = value > max_ ? max_ : value < min_ ? min_ : value;
  const bool changed = clamped != value_;
  value_ = clamped;
  if (changed) {
    emit ValueChanged(value_);
    emit propertyChanged(QStringLiteral("Value"));
  }
  Redraw();  // also unchanged: a new Max shows only at the next Value
}

void ProgressBarMarlo::Redraw() {
  // The percentage ignores Min; halves round to the even neighbour.
  const int percent = max_ > 0 ? int(std::nearbyint(double(value_) / double(max_) * 100.0)) : 0;
  lblFore_->setText(QString::number(percent) + "%");
  // The background always fills the control; its size is known here even
  // before a hidden control gets its resize event.
  lblBar_->resize(int(percent / 100.0 * width()), height());
}

void ProgressBarMarlo::setMin(int32_t value) {
  const int32_t clamped = value < 0 ? 0 : value > max_ ? max_ : value;
  if (clamped == min_) return;
  min_ = clamped;
  if (value_ < min_) setValue(min_);
  emit MinChanged(min_);
  emit propertyChanged(QStringLiteral("Min"));
}

void ProgressBarMarlo::setMax(int32_t value) {
  if (value <= 0) {
    WarningHandler()(QStringLiteral("Max Should More than 0"));
    return;
  }
  const int32_t stored = value < min_ ? min_ : value;
  if (stored == max_) return;
  max_ = stored;
  if (max_ < value_) setValue(max_);
  emit MaxChanged(max_);
  emit propertyChanged(QStringLiteral("Max"));
}

void ProgressBarMarlo::resizeEvent(QResizeEvent*) {
  picBack_->setGeometry(0, 0, width(), height());
  lblBar_->move(0, 0);
  lblBar_->resize(lblBar_->width(), picBack_->height());
  lblFore_->move((picBack_->width() - lblFore_->width()) / 2,
                 (picBack_->height() - lblFore_->height()) / 2);
  setValue(value_);
}

QFont ProgressBarMarlo::AmbientFont() const {
  return parentWidget() ? parentWidget()->font() : QApplication::font();
}

std::vector<ProgressBarMarlo::Persisted> ProgressBarMarlo::PersistedProperties() const {
  return {{"BackColor", uint(kDefaultBackColor)},
          {"ForeColor", uint(kDefaultForeColor)},
          {"Font", AmbientFont()},
          {"BorderStyle", 1},
          {"ToolTipText", QString()},
          {"Appearance", 0},
          {"ForeVisible", true},
          {"BarColor", uint(kDefaultBarColor)},
          {"BarStyle", 1},
          {"Min", 0},
          {"Max", 100},
          {"Value", 0}};
}

void ProgressBarMarlo::WriteProperties(PropertyBag& bag) const {
  for (const Persisted& p : PersistedProperties())
    bag.WriteProperty(p.name, property(p.name), p.defaultValue);
}

void ProgressBarMarlo::ReadProperties(const PropertyBag& bag) {
  for (const Persisted& p : PersistedProperties()) {
    const QVariant value = bag.ReadProperty(p.name, p.defaultValue);
    // The three numbers are stored as read, without the setter rules; the
    // next resize draws them.
    const std::string_view name = p.name;
    if (name == "Min")
      min_ = value.toInt();
    else if (name == "Max")
      max_ = value.toInt();
    else if (name == "Value")
      value_ = value.toInt();
    else
      setProperty(p.name, value);
  }
}

}  // namespace marlo
