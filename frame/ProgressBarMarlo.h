// A progress bar: a coloured bar growing from the left over a background,
// with the percentage in the middle. Keeps its settings through a
// PropertyBag and tells its host of every property change.
#pragma once

#include <QFont>
#include <QWidget>
#include <functional>

#include "PropertyBag.h"

class QFrame;
class QLabel;

namespace marlo {

class ProgressBarMarlo : public QWidget {
  Q_OBJECT

 public:
  // Colours are 32-bit values: RGB with red in the low byte, or with the top
  // bit set a system colour index in the low byte.
  static constexpr uint32_t kDefaultBackColor = 0x80000005;  // window background
  static constexpr uint32_t kDefaultForeColor = 0x80000012;  // button text
  static constexpr uint32_t kDefaultBarColor = 0xC000;       // green 192
  // Sizes below which the control does not shrink, in twips (15 per pixel).
  static constexpr int kMinWidthTwips = 420;
  static constexpr int kMinHeightTwips = 270;
  static constexpr int kTwipsPerPixel = 15;

  explicit ProgressBarMarlo(QWidget* parent = nullptr);

  uint32_t BackColor() const { return backColor_; }
  void setBackColor(uint32_t color);
  uint32_t ForeColor() const { return foreColor_; }
  void setForeColor(uint32_t color);
  QFont Font() const;
  void setFont(const QFont& font);
  int BorderStyle() const { return borderStyle_; }
  void setBorderStyle(int style);
  QString ToolTipText() const;
  void setToolTipText(const QString& text);
  int Appearance() const { return appearance_; }
  void setAppearance(int appearance);
  bool ForeVisible() const;
  void setForeVisible(bool visible);
  uint32_t BarColor() const { return barColor_; }
  void setBarColor(uint32_t color);
  int BarStyle() const { return barStyle_; }
  void setBarStyle(int style);

  int32_t Min() const { return min_; }
  void setMin(int32_t value);
  int32_t Max() const { return max_; }
  void setMax(int32_t value);
  int32_t Value() const { return value_; }
  void setValue(int32_t value);

  void WriteProperties(PropertyBag& bag) const;
  void ReadProperties(const PropertyBag& bag);

  // Shows "Max Should More than 0"; tests replace it to answer without a box.
  static void setWarningHandler(std::function<void(const QString&)> handler);

  // The colour a 32-bit colour value stands for.
  static QColor ToQColor(uint32_t color, const QPalette& palette);

 signals:
  void propertyChanged(const QString& name);
  void Click();
  void DblClick();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ApplyColors();
  void ApplyFrame();

  QFrame* picBack_;
  QLabel* lblBar_;
  QLabel* lblFore_;
  uint32_t backColor_ = kDefaultBackColor;
  uint32_t foreColor_ = kDefaultForeColor;
  uint32_t barColor_ = kDefaultBarColor;
  int borderStyle_ = 1;
  int appearance_ = 0;
  int barStyle_ = 1;
  int32_t min_ = 0;
  int32_t max_ = 100;
  int32_t value_ = 0;
};

}  // namespace marlo
