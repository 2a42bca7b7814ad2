// SPDX-License-Identifier: Apache-2.0
#include "frame/modHandleFrom.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainterPath>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <iterator>

#include "frame/Artwork.h"

namespace marlo::modHandleFrom {

namespace {

const QColor kBackground(207, 207, 207);

using enum FrameElement;

// Each element's object name and artwork; stretched ones are scaled to the
// size Skin gives them.
struct ElementKind {
  FrameElement which;
  const char* name;
  QPixmap (*artwork)();
  bool stretched;
};
// In the order they are made: later ones are drawn over earlier ones.
constexpr ElementKind kElements[] = {
    {kTitleMain, "imgTitleMain", artwork::TitleMain, true},
    {kTitleLeft, "imgTitleLeft", artwork::TitleLeft, false},
    {kTitleRight, "imgTitleRight", artwork::TitleRight, false},
    {kWindowLeft, "imgWindowLeft", artwork::WindowLeft, true},
    {kWindowRight, "imgWindowRight", artwork::WindowRight, true},
    {kWindowBottom, "imgWindowBottom", artwork::WindowBottom, true},
    {kWindowBottomLeft, "imgWindowBottomLeft", artwork::WindowBottomLeft, false},
    {kWindowBottomRight, "imgWindowBottomRight", artwork::WindowBottomRight, false},
    {kTitleClose, "imgTitleClose", artwork::TitleClose, true},
    {kTitleMinimize, "imgTitleMinimize", artwork::TitleMinimize, true},
    {kTitleHelp, "imgTitleHelp", artwork::TitleHelp, true},
    {kIcon, "Imageicon", [] { return artwork::WindowIcon().pixmap(24, 24); }, false},
    {kTitle, "lblTitle", nullptr, false},
};
static_assert(std::size(kElements) == kFrameElementCount, "one row per frame element");

// The images the window is moved by, and the title-bar buttons.
constexpr FrameElement kTitleBar[] = {kTitleLeft, kTitleMain, kTitleRight, kTitle};
constexpr FrameElement kButtons[] = {kTitleClose, kTitleMinimize, kTitleHelp};

// What a screen reader, and whatever drives the window by role, calls the
// buttons.
constexpr const char* kButtonNames[] = {QT_TRANSLATE_NOOP("marlo::modHandleFrom", "關閉"),
                                        QT_TRANSLATE_NOOP("marlo::modHandleFrom", "最小化"),
                                        QT_TRANSLATE_NOOP("marlo::modHandleFrom", "幫助")};
static_assert(std::size(kButtonNames) == std::size(kButtons));

// The borders, with the edges a press on them moves and their cursor. The
// title images resize only by their top pixels, so their cursor follows
// the pointer.
struct Border {
  FrameElement which;
  Qt::Edges edges;
  Qt::CursorShape cursor;
};
constexpr Border kBorders[] = {
    {kWindowLeft, Qt::LeftEdge, Qt::SizeHorCursor},
    {kWindowRight, Qt::RightEdge, Qt::SizeHorCursor},
    {kWindowBottom, Qt::BottomEdge, Qt::SizeVerCursor},
    {kWindowBottomLeft, Qt::BottomEdge | Qt::LeftEdge, Qt::SizeBDiagCursor},
    {kWindowBottomRight, Qt::BottomEdge | Qt::RightEdge, Qt::SizeFDiagCursor},
};

template <size_t N>
bool OneOf(const SkinnedFrame& frame, const QObject* watched, const FrameElement (&which)[N]) {
  return std::any_of(std::begin(which), std::end(which),
                     [&](FrameElement e) { return frame.element(e) == watched; });
}

class FrameEvents : public QObject {
 public:
  FrameEvents(SkinnedFrame* frame, QWidget* window)
      : QObject(frame), frame_(*frame), window_(window) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress && OneOf(frame_, watched, kTitleBar)) {
      DragForm(window_);
      return true;
    }
    const bool button = OneOf(frame_, watched, kButtons);
    if (button && event->type() == QEvent::MouseButtonPress) return true;  // act on release
    if (button && event->type() == QEvent::MouseButtonRelease) {
      // As a button does: a press dragged off the image and released
      // elsewhere does nothing.
      const auto* release = static_cast<QMouseEvent*>(event);
      if (!static_cast<QWidget*>(watched)->rect().contains(release->position().toPoint()))
        return true;
      if (watched == frame_.element(kTitleClose)) window_->close();
      if (watched == frame_.element(kTitleMinimize)) emit frame_.minimizeClicked();
      return true;
    }
    return false;
  }

 private:
  SkinnedFrame& frame_;
  QWidget* window_;
};

// The title bar's top pixels are its edge, and its ends' top pixels are
// corners, as on a system frame; the rest of it moves the window.
constexpr int kTopEdge = 5, kCorner = 16;

// Presses on the borders resize the window: by the window manager where it
// can, else by following the mouse.
class ResizeEvents : public QObject {
 public:
  ResizeEvents(SkinnedFrame* frame, QWidget* window)
      : QObject(frame), frame_(*frame), window_(window) {}

  // The edges a press at this point of the element would move.
  Qt::Edges EdgesAt(const QWidget* element, QPoint at) const {
    for (const Border& border : kBorders)
      if (element == frame_.element(border.which)) return border.edges;
    if (!OneOf(frame_, element, kTitleBar)) return {};
    const QPoint inWindow = element->mapTo(window_, at);
    if (inWindow.y() >= kTopEdge) return {};
    Qt::Edges edges = Qt::TopEdge;
    if (inWindow.x() < kCorner) edges |= Qt::LeftEdge;
    if (inWindow.x() >= window_->width() - kCorner) edges |= Qt::RightEdge;
    return edges;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
      return false;
    auto* element = static_cast<QWidget*>(watched);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const Qt::Edges edges = EdgesAt(element, mouse->position().toPoint());
    switch (type) {
      case QEvent::MouseButtonPress:
        if (!edges || mouse->button() != Qt::LeftButton) return false;
        if (QWindow* handle = window_->windowHandle(); handle && handle->startSystemResize(edges))
          return true;
        dragging_ = edges;
        start_ = mouse->globalPosition().toPoint();
        startGeometry_ = window_->geometry();
        return true;
      case QEvent::MouseMove: {
        if (!dragging_) {
          if (element->hasMouseTracking()) {  // a title image: its cursor says where it resizes
            if (edges)
              element->setCursor(CursorFor(edges));
            else
              element->unsetCursor();
          }
          return false;
        }
        const QPoint delta = mouse->globalPosition().toPoint() - start_;
        QRect g = startGeometry_;
        const QSize least = window_->minimumSize();
        if (dragging_ & Qt::LeftEdge)
          g.setLeft(std::min(g.left() + delta.x(), g.right() - least.width()));
        if (dragging_ & Qt::TopEdge)
          g.setTop(std::min(g.top() + delta.y(), g.bottom() - least.height()));
        if (dragging_ & Qt::RightEdge) g.setRight(g.right() + delta.x());
        if (dragging_ & Qt::BottomEdge) g.setBottom(g.bottom() + delta.y());
        window_->setGeometry(g);
        return true;
      }
      case QEvent::MouseButtonRelease: {
        const bool wasDragging = bool(dragging_);
        dragging_ = {};
        return wasDragging;
      }
      default:
        return false;
    }
  }

 private:
  static Qt::CursorShape CursorFor(Qt::Edges edges) {
    if (edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge))
      return Qt::SizeFDiagCursor;
    if (edges == (Qt::TopEdge | Qt::RightEdge) || edges == (Qt::BottomEdge | Qt::LeftEdge))
      return Qt::SizeBDiagCursor;
    return edges & (Qt::LeftEdge | Qt::RightEdge) ? Qt::SizeHorCursor : Qt::SizeVerCursor;
  }

  SkinnedFrame& frame_;
  QWidget* window_;
  Qt::Edges dragging_;
  QPoint start_;
  QRect startGeometry_;
};

}  // namespace

void FitToScreen(QWidget* window, QSize wanted) {
  const QScreen* screen = window->screen();
  if (!screen) return window->resize(wanted.expandedTo(window->minimumSize()));
  // At a fractional scale the room is rounded up: one pixel less fits.
  const QRect room = screen->availableGeometry().adjusted(0, 0, -1, -1);
  window->resize(wanted.boundedTo(room.size()).expandedTo(window->minimumSize()));
  window->move(room.topLeft() + QPoint(std::max(0, (room.width() - window->width()) / 2),
                                       std::max(0, (room.height() - window->height()) / 2)));
}

void PlaceOver(QWidget* window, const QWidget* owner) {
  const QScreen* screen = owner && owner->isVisible() ? owner->screen() : window->screen();
  if (!screen) return;
  const QRect room = screen->availableGeometry();
  const QPoint centre =
      owner && owner->isVisible() ? owner->frameGeometry().center() : room.center();
  QRect placed(QPoint(0, 0), window->frameGeometry().size());
  placed.moveCenter(centre);
  // Inside the screen: its top-left corner first, where the title bar is.
  placed.moveLeft(
      std::max(room.left(), std::min(placed.left(), room.right() - placed.width() + 1)));
  placed.moveTop(std::max(room.top(), std::min(placed.top(), room.bottom() - placed.height() + 1)));
  window->move(placed.topLeft());
}

SkinnedFrame::SkinnedFrame(QWidget* window) : QObject(window), window_(window) {
  for (const ElementKind& kind : kElements) {
    auto* label = new QLabel(window);
    label->setObjectName(kind.name);
    if (kind.artwork) {
      const QPixmap pixmap = kind.artwork();
      label->setPixmap(pixmap);
      label->setScaledContents(kind.stretched);
      label->resize(pixmap.size());
    }
    elements_[size_t(kind.which)] = label;
  }
  for (size_t i = 0; i < std::size(kButtons); ++i) {
    element(kButtons[i])->resize(14, 14);
    element(kButtons[i])
        ->setAccessibleName(QCoreApplication::translate("marlo::modHandleFrom", kButtonNames[i]));
  }
  title()->setStyleSheet("color: white; font-weight: bold;");
  title()->resize(300, 18);
}

void SkinnedFrame::Skin() {
  const int w = window_->width(), h = window_->height();
  QPalette palette = window_->palette();
  palette.setColor(QPalette::Window, kBackground);
  window_->setPalette(palette);
  window_->setAutoFillBackground(true);
  const struct {
    FrameElement which;
    QRect place;  // a width or height below 0 keeps the artwork's
  } places[] = {
      {kTitle, {35, 7, -1, -1}},
      {kIcon, {10, 3, -1, -1}},
      {kTitleLeft, {0, 0, -1, -1}},
      {kTitleRight, {w - 19, 0, -1, -1}},
      {kTitleMain, {19, 0, w - 19, -1}},
      {kWindowLeft, {0, 30, -1, h - 60}},
      {kWindowBottomLeft, {0, h - 30, -1, -1}},
      {kWindowBottom, {19, h - 30, w - 38, -1}},
      {kWindowBottomRight, {w - 19, h - 30, -1, -1}},
      {kWindowRight, {w - 19, 30, -1, h - 60}},
      {kTitleClose, {w - 22, 8, -1, -1}},
      {kTitleMinimize, {w - 42, 8, -1, -1}},
      {kTitleHelp, {w - 62, 8, -1, -1}},
  };
  static_assert(std::size(places) == kFrameElementCount, "every element has its place");
  for (const auto& [which, place] : places) {
    QLabel* label = element(which);
    label->move(place.topLeft());
    label->resize(place.width() >= 0 ? place.width() : label->width(),
                  place.height() >= 0 ? place.height() : label->height());
  }
  FitTitle();
  // The right end is drawn over the stretched middle piece; the buttons go
  // over everything, so that a click on them never moves the window.
  for (const FrameElement which :
       {kTitleRight, kIcon, kTitle, kTitleHelp, kTitleMinimize, kTitleClose})
    element(which)->raise();
  ShapeForm(window_);
}

void SkinnedFrame::SetTitle(const QString& text, int keepEnd) {
  fullTitle_ = text;
  titleSet_ = true;
  keptEnd_ = keepEnd;
  title()->setText(text);
  FitTitle();
}

// The title ends a few pixels before the leftmost title-bar button. A
// title whose end is asked to be kept (a file's name) loses characters
// from the middle of what comes before it.
void SkinnedFrame::FitTitle() {
  QLabel* label = title();
  const QString full = titleSet_ ? fullTitle_ : label->text();
  const qsizetype kept = std::min<qsizetype>(keptEnd_, full.size());
  const int room = std::max(0, window_->width() - 62 - 6 - label->x());
  const QFontMetrics metrics = label->fontMetrics();
  QString shown = full;
  if (metrics.horizontalAdvance(full) > room) {
    const QString end = full.right(kept);
    const int headRoom = room - metrics.horizontalAdvance(end);
    shown = kept > 0 && headRoom > metrics.horizontalAdvance(QStringLiteral("……"))
                ? metrics.elidedText(full.left(full.size() - kept), Qt::ElideMiddle, headRoom) + end
                : metrics.elidedText(full, kept > 0 ? Qt::ElideMiddle : Qt::ElideRight, room);
  }
  label->setText(shown);
  label->setToolTip(shown == full ? QString() : full);
  label->resize(std::min(room, label->sizeHint().width()), label->height());
}

void SkinnedFrame::Wire() {
  auto* events = new FrameEvents(this, window_);
  for (const FrameElement which : kTitleBar) element(which)->installEventFilter(events);
  for (const FrameElement which : kButtons) element(which)->installEventFilter(events);
}

void SkinnedFrame::AllowResize() {
  auto* events = new ResizeEvents(this, window_);
  for (const Border& border : kBorders) {
    element(border.which)->setCursor(border.cursor);
    element(border.which)->installEventFilter(events);
  }
  for (const FrameElement which : {kTitleLeft, kTitleMain, kTitleRight}) {
    element(which)->setMouseTracking(true);  // its cursor says where it resizes
    element(which)->installEventFilter(events);
  }
}

QWidget* ContentArea(QWidget* window) {
  // Room for the title bar (30) and the borders (19) with a small gap.
  constexpr int kLeft = 22, kTop = 34, kRight = 22, kBottom = 32;
  auto* content = new QWidget(window);
  auto* outer = new QVBoxLayout(window);
  outer->setContentsMargins(kLeft, kTop, kRight, kBottom);
  outer->addWidget(content);
  return content;
}

QRegion RoundedOutline(int w, int h) {
  QPainterPath path;
  path.addRoundedRect(QRectF(0, 0, w, h), 12, 12);
  return QRegion(path.toFillPolygon().toPolygon());
}

void ShapeForm(QWidget* window) {
  window->setMask(RoundedOutline(window->width(), window->height()));
}

void DragForm(QWidget* window) {
  if (QWindow* handle = window->windowHandle()) handle->startSystemMove();
}

}  // namespace marlo::modHandleFrom
