// SPDX-License-Identifier: Apache-2.0
// A progress bar: a coloured bar growing from the left over a background,
// with the percentage in the middle. Keeps its settings through a
// PropertyBag and tells its host of every property that changes.
#pragma once

#include <QFont>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <vector>

#include "frame/PropertyBag.h"

class QFrame;
class QLabel;

namespace marlo {

class ProgressBarMarlo : public QWidget {
  Q_OBJECT
  // The persisted properties, in the order they are saved and loaded.
  Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor NOTIFY BackColorChanged)
  Q_PROPERTY(uint ForeColor READ ForeColor WRITE setForeColor NOTIFY ForeColorChanged)
  Q_PROPERTY(QFont Font READ font WRITE setFont NOTIFY FontChanged)
  Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle NOTIFY BorderStyleChanged)
  Q_PROPERTY(QString ToolTipText READ ToolTipText WRITE setToolTipText NOTIFY ToolTipTextChanged)
  Q_PROPERTY(int Appearance READ Appearance WRITE setAppearance NOTIFY AppearanceChanged)
  Q_PROPERTY(bool ForeVisible READ ForeVisible WRITE setForeVisible NOTIFY ForeVisibleChanged)
  Q_PROPERTY(uint BarColor READ BarColor WRITE setBarColor NOTIFY BarColorChanged)
  Q_PROPERTY(int BarStyle READ BarStyle WRITE setBarStyle NOTIFY BarStyleChanged)
  Q_PROPERTY(int Min READ Min WRITE setMin NOTIFY MinChanged)
  Q_PROPERTY(int Max READ Max WRITE setMax NOTIFY MaxChanged)
  Q_PROPERTY(int Value READ Value WRITE setValue NOTIFY ValueChanged)

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

  // The persisted properties: names in saving order, each with its default.
  struct Persisted {
    const char* name;
    QVariant defaultValue;
  };
  std::vector<Persisted> PersistedProperties() const;
  void WriteProperties(PropertyBag& bag) const;
  void ReadProperties(const PropertyBag& bag);

  // Shows "Max Should More than 0"; tests replace it to answer without a box.
  static void setWarningHandler(std::function<void(const QString&)> handler);

  // The colour a 32-bit colour value stands for.
  static QColor ToQColor(uint32_t color, const QPalette& palette);

 signals:
  // Every change, by the property's persisted name, for the host to save.
  void propertyChanged(const QString& name);
  void BackColorChanged(uint color);
  void ForeColorChanged(uint color);
  void FontChanged(const QFont& font);
  void BorderStyleChanged(int style);
  void ToolTipTextChanged(const QString& text);
  void AppearanceChanged(int appearance);
  void ForeVisibleChanged(bool visible);
  void BarColorChanged(uint color);
  void BarStyleChanged(int style);
  void MinChanged(int value);
  void MaxChanged(int value);
  void ValueChanged(int value);
  void Click();
  void DblClick();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ApplyColors();
  void ApplyFrame();
  void Redraw();
  QFont AmbientFont() const;

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
  bool afterDouble_ = false;  // the release that ends a double click is no click
};

}  // namespace marlo
