#include "ProgressBarMarlo.h"

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
  resize(160, 20);
}

bool ProgressBarMarlo::eventFilter(QObject* watched, QEvent* event) {
  const bool click = event->type() == QEvent::MouseButtonRelease;
  const bool doubleClick = event->type() == QEvent::MouseButtonDblClick;
  if (!click && !doubleClick && event->type() != QEvent::MouseButtonPress) return false;
  // The percentage text takes its clicks without passing them on.
  if (watched != lblFore_) {
    if (click) emit Click();
    if (doubleClick) emit DblClick();
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
  backColor_ = color;
  ApplyColors();
  emit propertyChanged("BackColor");
}

void ProgressBarMarlo::setForeColor(uint32_t color) {
  foreColor_ = color;
  ApplyColors();
  emit propertyChanged("ForeColor");
}

QFont ProgressBarMarlo::Font() const { return lblFore_->font(); }

void ProgressBarMarlo::setFont(const QFont& font) {
  lblFore_->setFont(font);
  emit propertyChanged("Font");
}

void ProgressBarMarlo::setBorderStyle(int style) {
  borderStyle_ = style;
  ApplyFrame();
  emit propertyChanged("BorderStyle");
}

QString ProgressBarMarlo::ToolTipText() const { return picBack_->toolTip(); }

void ProgressBarMarlo::setToolTipText(const QString& text) {
  picBack_->setToolTip(text);
  emit propertyChanged("ToolTipText");
}

void ProgressBarMarlo::setAppearance(int appearance) {
  appearance_ = appearance;
  ApplyFrame();
  emit propertyChanged("Appearance");
}

bool ProgressBarMarlo::ForeVisible() const { return !lblFore_->isHidden(); }

void ProgressBarMarlo::setForeVisible(bool visible) {
  lblFore_->setVisible(visible);
  emit propertyChanged("ForeVisible");
}

void ProgressBarMarlo::setBarColor(uint32_t color) {
  barColor_ = color;
  ApplyColors();
  emit propertyChanged("BarColor");
}

void ProgressBarMarlo::setBarStyle(int style) {
  barStyle_ = style;
  ApplyColors();
  emit propertyChanged("BarStyle");
}

void ProgressBarMarlo::setValue(int32_t value) {
  value_ = value > max_ ? max_ : value < min_ ? min_ : value;
  emit propertyChanged("Value");
  // The percentage ignores Min; halves round to the even neighbour.
  const int percent = max_ > 0 ? int(std::nearbyint(double(value_) / double(max_) * 100.0)) : 0;
  lblFore_->setText(QString::number(percent) + "%");
  // The background always fills the control; its size is known here even
  // before a hidden control gets its resize event.
  lblBar_->resize(int(percent / 100.0 * width()), height());
}

void ProgressBarMarlo::setMin(int32_t value) {
  min_ = value < 0 ? 0 : value > max_ ? max_ : value;
  if (value_ < min_) setValue(min_);
  emit propertyChanged("Min");
}

void ProgressBarMarlo::setMax(int32_t value) {
  if (value <= 0) {
    WarningHandler()(QStringLiteral("Max Should More than 0"));
    return;
  }
  max_ = value < min_ ? min_ : value;
  if (max_ < value_) setValue(max_);
  emit propertyChanged("Max");
}

void ProgressBarMarlo::resizeEvent(QResizeEvent*) {
  const int minWidth = kMinWidthTwips / kTwipsPerPixel,
            minHeight = kMinHeightTwips / kTwipsPerPixel;
  if (width() < minWidth || height() < minHeight) {
    resize(std::max(width(), minWidth), std::max(height(), minHeight));
    return;  // the resize comes back here with the corrected size
  }
  picBack_->setGeometry(0, 0, width(), height());
  lblBar_->move(0, 0);
  lblBar_->resize(lblBar_->width(), picBack_->height());
  lblFore_->move((picBack_->width() - lblFore_->width()) / 2,
                 (picBack_->height() - lblFore_->height()) / 2);
  setValue(value_);
}

void ProgressBarMarlo::WriteProperties(PropertyBag& bag) const {
  bag.WriteProperty("BackColor", backColor_, kDefaultBackColor);
  bag.WriteProperty("ForeColor", foreColor_, kDefaultForeColor);
  const QFont ambient = parentWidget() ? parentWidget()->font() : QApplication::font();
  bag.WriteProperty("Font", Font(), ambient);
  bag.WriteProperty("BorderStyle", borderStyle_, 1);
  bag.WriteProperty("ToolTipText", ToolTipText(), QString());
  bag.WriteProperty("Appearance", appearance_, 0);
  bag.WriteProperty("ForeVisible", ForeVisible(), true);
  bag.WriteProperty("BarColor", barColor_, kDefaultBarColor);
  bag.WriteProperty("BarStyle", barStyle_, 1);
  bag.WriteProperty("Min", min_, 0);
  bag.WriteProperty("Max", max_, 100);
  bag.WriteProperty("Value", value_, 0);
}

void ProgressBarMarlo::ReadProperties(const PropertyBag& bag) {
  backColor_ = bag.ReadProperty("BackColor", kDefaultBackColor).toUInt();
  foreColor_ = bag.ReadProperty("ForeColor", kDefaultForeColor).toUInt();
  const QFont ambient = parentWidget() ? parentWidget()->font() : QApplication::font();
  lblFore_->setFont(bag.ReadProperty("Font", ambient).value<QFont>());
  borderStyle_ = bag.ReadProperty("BorderStyle", 1).toInt();
  picBack_->setToolTip(bag.ReadProperty("ToolTipText", QString()).toString());
  appearance_ = bag.ReadProperty("Appearance", 0).toInt();
  lblFore_->setVisible(bag.ReadProperty("ForeVisible", true).toBool());
  barColor_ = bag.ReadProperty("BarColor", kDefaultBarColor).toUInt();
  barStyle_ = bag.ReadProperty("BarStyle", 1).toInt();
  // Stored as read, without the setter rules; the next resize draws them.
  min_ = bag.ReadProperty("Min", 0).toInt();
  max_ = bag.ReadProperty("Max", 100).toInt();
  value_ = bag.ReadProperty("Value", 0).toInt();
  ApplyColors();
  ApplyFrame();
}

}  // namespace marlo
