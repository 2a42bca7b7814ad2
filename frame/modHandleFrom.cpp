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
#include <cmath>

#include "frame/Artwork.h"

namespace marlo::modHandleFrom {

namespace {

const QColor kBackground(207, 207, 207);

QLabel* Element(QWidget* window, const char* name) {
  return window->findChild<QLabel*>(name, Qt::FindDirectChildrenOnly);
}

void Place(QWidget* window, const char* name, int left, int top, int width = -1, int height = -1) {
  if (QLabel* element = Element(window, name)) {
    element->move(left, top);
    if (width >= 0 || height >= 0)
      element->resize(width >= 0 ? width : element->width(),
                      height >= 0 ? height : element->height());
  }
}

class FrameEvents : public QObject {
 public:
  FrameEvents(QWidget* window, std::function<void()> minimize)
      : QObject(window), window_(window), minimize_(std::move(minimize)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QString name = watched->objectName();
    if (event->type() == QEvent::MouseButtonPress &&
        (name == "imgTitleLeft" || name == "imgTitleMain" || name == "imgTitleRight" ||
         name == "lblTitle")) {
      DragForm(window_);
      return true;
    }
    const bool button =
        name == "imgTitleClose" || name == "imgTitleMinimize" || name == "imgTitleHelp";
    if (button && event->type() == QEvent::MouseButtonPress) return true;  // act on release
    if (event->type() == QEvent::MouseButtonRelease) {
      // As a button does: a press dragged off the image and released
      // elsewhere does nothing.
      const auto* release = static_cast<QMouseEvent*>(event);
      if (button && !static_cast<QWidget*>(watched)->rect().contains(release->position().toPoint()))
        return true;
      if (name == "imgTitleClose") {
        window_->close();
        return true;
      }
      if (name == "imgTitleMinimize") {
        if (minimize_) minimize_();
        return true;
      }
    }
    return false;
  }

 private:
  QWidget* window_;
  std::function<void()> minimize_;
};

constexpr const char* kFullTitle = "marloFullTitle";
constexpr const char* kKeptEnd = "marloKeptEnd";

// The title label ends a few pixels before the leftmost title-bar button.
// A title whose end is asked to be kept (a file's name) loses characters
// from the middle of what comes before it.
void FitTitle(QWidget* window) {
  QLabel* title = Element(window, "lblTitle");
  if (!title) return;
  const QString full = title->property(kFullTitle).isValid()
                           ? title->property(kFullTitle).toString()
                           : title->text();
  const qsizetype kept = std::min<qsizetype>(title->property(kKeptEnd).toInt(), full.size());
  const int room = std::max(0, window->width() - 62 - 6 - title->x());
  const QFontMetrics metrics = title->fontMetrics();
  QString shown = full;
  if (metrics.horizontalAdvance(full) > room) {
    const QString end = full.right(kept);
    const int headRoom = room - metrics.horizontalAdvance(end);
    shown = kept > 0 && headRoom > metrics.horizontalAdvance(QStringLiteral("……"))
                ? metrics.elidedText(full.left(full.size() - kept), Qt::ElideMiddle, headRoom) + end
                : metrics.elidedText(full, kept > 0 ? Qt::ElideMiddle : Qt::ElideRight, room);
  }
  title->setText(shown);
  title->setToolTip(shown == full ? QString() : full);
  title->resize(std::min(room, title->sizeHint().width()), title->height());
}

// The title bar's top pixels are its edge, and its ends' top pixels are
// corners, as on a system frame; the rest of it moves the window.
constexpr int kTopEdge = 5, kCorner = 16;

// Presses on the borders resize the window: by the window manager where it
// can, else by following the mouse.
class ResizeEvents : public QObject {
 public:
  explicit ResizeEvents(QWidget* window) : QObject(window), window_(window) {}

  // The edges a press at this point of the element would move.
  Qt::Edges EdgesAt(const QWidget* element, QPoint at) const {
    const QString name = element->objectName();
    if (name == "imgWindowLeft") return Qt::LeftEdge;
    if (name == "imgWindowRight") return Qt::RightEdge;
    if (name == "imgWindowBottom") return Qt::BottomEdge;
    if (name == "imgWindowBottomLeft") return Qt::BottomEdge | Qt::LeftEdge;
    if (name == "imgWindowBottomRight") return Qt::BottomEdge | Qt::RightEdge;
    if (name != "imgTitleLeft" && name != "imgTitleMain" && name != "imgTitleRight") return {};
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

  QWidget* window_;
  Qt::Edges dragging_;
  QPoint start_;
  QRect startGeometry_;
};

}  // namespace

void SetTitle(QWidget* window, const QString& title, int keepEnd) {
  if (QLabel* label = Element(window, "lblTitle")) {
    label->setProperty(kFullTitle, title);
    label->setProperty(kKeptEnd, keepEnd);
    label->setText(title);
    FitTitle(window);
  }
}

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

void AllowResize(QWidget* window) {
  auto* events = new ResizeEvents(window);
  const struct {
    const char* name;
    Qt::CursorShape cursor;  // none: set by the pointer's place on it
  } borders[] = {{"imgWindowLeft", Qt::SizeHorCursor},
                 {"imgWindowRight", Qt::SizeHorCursor},
                 {"imgWindowBottom", Qt::SizeVerCursor},
                 {"imgWindowBottomLeft", Qt::SizeBDiagCursor},
                 {"imgWindowBottomRight", Qt::SizeFDiagCursor},
                 {"imgTitleLeft", Qt::ArrowCursor},
                 {"imgTitleMain", Qt::ArrowCursor},
                 {"imgTitleRight", Qt::ArrowCursor}};
  for (const auto& border : borders)
    if (QLabel* element = Element(window, border.name)) {
      if (border.cursor == Qt::ArrowCursor)
        element->setMouseTracking(true);
      else
        element->setCursor(border.cursor);
      element->installEventFilter(events);
    }
}

void CreateFrameElements(QWidget* window) {
  auto add = [window](const char* name, const QPixmap& pixmap, bool stretched) {
    auto* label = new QLabel(window);
    label->setObjectName(name);
    label->setPixmap(pixmap);
    label->setScaledContents(stretched);
    label->resize(pixmap.size());
    return label;
  };
  add("imgTitleMain", artwork::TitleMain(), true);
  add("imgTitleLeft", artwork::TitleLeft(), false);
  add("imgTitleRight", artwork::TitleRight(), false);
  add("imgWindowLeft", artwork::WindowLeft(), true);
  add("imgWindowRight", artwork::WindowRight(), true);
  add("imgWindowBottom", artwork::WindowBottom(), true);
  add("imgWindowBottomLeft", artwork::WindowBottomLeft(), false);
  add("imgWindowBottomRight", artwork::WindowBottomRight(), false);
  for (const char* name : {"imgTitleClose", "imgTitleMinimize", "imgTitleHelp"}) {
    const QPixmap pixmap = name == std::string_view("imgTitleClose")      ? artwork::TitleClose()
                           : name == std::string_view("imgTitleMinimize") ? artwork::TitleMinimize()
                                                                          : artwork::TitleHelp();
    add(name, pixmap, true)->resize(14, 14);
  }
  // A screen reader, and whatever drives the window by role, knows the
  // buttons by these names.
  const struct {
    const char* name;
    const char* accessible;
  } named[] = {{"imgTitleClose", QT_TRANSLATE_NOOP("marlo::modHandleFrom", "關閉")},
               {"imgTitleMinimize", QT_TRANSLATE_NOOP("marlo::modHandleFrom", "最小化")},
               {"imgTitleHelp", QT_TRANSLATE_NOOP("marlo::modHandleFrom", "幫助")}};
  for (const auto& element : named)
    Element(window, element.name)
        ->setAccessibleName(
            QCoreApplication::translate("marlo::modHandleFrom", element.accessible));
  add("Imageicon", artwork::WindowIcon().pixmap(24, 24), false);
  auto* title = new QLabel(window);
  title->setObjectName("lblTitle");
  title->setStyleSheet("color: white; font-weight: bold;");
  title->resize(300, 18);
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

void SkinForm(QWidget* window) {
  const int w = window->width(), h = window->height();
  QPalette palette = window->palette();
  palette.setColor(QPalette::Window, kBackground);
  window->setPalette(palette);
  window->setAutoFillBackground(true);
  Place(window, "lblTitle", 35, 7);
  Place(window, "Imageicon", 10, 3);
  Place(window, "imgTitleLeft", 0, 0);
  Place(window, "imgTitleRight", w - 19, 0);
  Place(window, "imgTitleMain", 19, 0, w - 19);
  Place(window, "imgWindowLeft", 0, 30, -1, h - 60);
  Place(window, "imgWindowBottomLeft", 0, h - 30);
  Place(window, "imgWindowBottom", 19, h - 30, w - 38);
  Place(window, "imgWindowBottomRight", w - 19, h - 30);
  Place(window, "imgWindowRight", w - 19, 30, -1, h - 60);
  Place(window, "imgTitleClose", w - 22, 8);
  Place(window, "imgTitleMinimize", w - 42, 8);
  Place(window, "imgTitleHelp", w - 62, 8);
  FitTitle(window);
  // The right end is drawn over the stretched middle piece; the buttons go
  // over everything, so that a click on them never moves the window.
  if (QLabel* right = Element(window, "imgTitleRight")) right->raise();
  for (const char* name :
       {"Imageicon", "lblTitle", "imgTitleHelp", "imgTitleMinimize", "imgTitleClose"})
    if (QLabel* element = Element(window, name)) element->raise();
  ShapeForm(window);
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

void WireFrame(QWidget* window, std::function<void()> minimize) {
  auto* events = new FrameEvents(window, std::move(minimize));
  for (const char* name : {"imgTitleLeft", "imgTitleMain", "imgTitleRight", "lblTitle",
                           "imgTitleClose", "imgTitleMinimize", "imgTitleHelp"})
    if (QLabel* element = Element(window, name)) element->installEventFilter(events);
}

}  // namespace marlo::modHandleFrom
