// SPDX-License-Identifier: Apache-2.0
// The skinned frame shared by the main, clipboard and settings windows: a
// title bar and border drawn from images, rounded corners, and moving and
// resizing the window by them.
#pragma once

#include <QObject>
#include <QRegion>
#include <QSize>
#include <QString>
#include <array>

class QLabel;
class QWidget;

namespace marlo::modHandleFrom {

// The frame's elements; each keeps the object name styling and tests know
// it by (lblTitle, Imageicon, imgTitleLeft…).
enum class FrameElement {
  kTitleMain,
  kTitleLeft,
  kTitleRight,
  kWindowLeft,
  kWindowRight,
  kWindowBottom,
  kWindowBottomLeft,
  kWindowBottomRight,
  kTitleClose,
  kTitleMinimize,
  kTitleHelp,
  kIcon,
  kTitle,
};
inline constexpr size_t kFrameElementCount = size_t(FrameElement::kTitle) + 1;

// A window's frame: made once with the window, which owns it and its
// elements; the window holds the pointer.
class SkinnedFrame : public QObject {
  Q_OBJECT

 public:
  // Adds the elements with their artwork to a window that has none yet.
  explicit SkinnedFrame(QWidget* window);

  QLabel* element(FrameElement which) const { return elements_[size_t(which)]; }
  QLabel* title() const { return element(FrameElement::kTitle); }

  // Places the elements for the window's size, sets its background and
  // cuts its outline.
  void Skin();

  // Shows a title, cut with "…" to the room left of the title-bar buttons
  // (the whole title in its tooltip); Skin cuts it again for a new width.
  // Never covers the buttons. The last keepEnd characters (a file's name)
  // are kept whole while there is room for them: the cut is then in the
  // middle of what comes before.
  void SetTitle(const QString& text, int keepEnd = 0);

  // Pressing any mouse button on the title images or the title moves the
  // window; a click on the close image closes it, one on the minimize image
  // emits minimizeClicked. The help image does nothing.
  void Wire();

  // Lets the user resize the window by its borders and corners: the left,
  // right and bottom border images, and the top few pixels of the title
  // bar. Call it after Wire: a press on the title bar's edge resizes, it
  // does not move the window.
  void AllowResize();

 signals:
  void minimizeClicked();

 private:
  void FitTitle();

  QWidget* window_;
  std::array<QLabel*, kFrameElementCount> elements_{};
  QString fullTitle_;
  bool titleSet_ = false;  // else the title is the label's text, set on it
  int keptEnd_ = 0;
};

// A widget that fills the window inside the title bar and borders, for the
// window's own controls and layouts; the frame elements stay outside it.
QWidget* ContentArea(QWidget* window);

// The rounded outline for a window of w × h pixels: a 24 × 24 corner ellipse.
QRegion RoundedOutline(int w, int h);
void ShapeForm(QWidget* window);

// Lets the window manager move the window with the mouse.
void DragForm(QWidget* window);

// Gives a window this size, never more than its screen has room for nor
// less than its controls need, centred in that room.
void FitToScreen(QWidget* window, QSize wanted);

// Moves a window that is about to show centred on its owner (or on the
// screen, without one), wholly inside the owner's screen.
void PlaceOver(QWidget* window, const QWidget* owner);

}  // namespace marlo::modHandleFrom
