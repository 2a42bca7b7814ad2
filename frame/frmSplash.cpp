// SPDX-License-Identifier: Apache-2.0
#include "frmSplash.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QUrl>

#include "Artwork.h"

namespace marlo {

namespace {
constexpr int kWidth = 420, kHeight = 250;
}  // namespace

QString frmSplash::VersionLine() {
  return QStringLiteral("版本信息：") + QCoreApplication::applicationVersion();
}

frmSplash::frmSplash(QWidget* parent) : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog) {
  setObjectName("frmSplash");
  setFixedSize(kWidth, kHeight);
  auto* background = AddLabel("imgBackground", {}, 0, 0, kWidth, kHeight);
  background->setPixmap(artwork::SplashBackground(kWidth, kHeight));
  background->removeEventFilter(this);  // a click on the picture is a click on the background
  auto* icon = AddLabel("imgIcon", {}, 24, 26, 64, 64);
  icon->setPixmap(artwork::WindowIcon().pixmap(64, 64));
  auto* product = AddLabel("lblProductName", QStringLiteral("Marlo"), 100, 30, 300, 40);
  QFont big = product->font();
  big.setPointSize(big.pointSize() + 12);
  big.setBold(true);
  product->setFont(big);
  AddLabel("lblVersion", VersionLine(), 100, 78, 300, 20);
  AddLabel("lblPlatform", QStringLiteral("操作系統：Linux"), 100, 100, 300, 20);
  AddLabel("Label1", QStringLiteral("技術支持："), 100, 130, 80, 20);
  auto* email =
      AddLabel("lblEmail", QStringLiteral("marlo-support@example.org"), 180, 130, 220, 20);
  email->setStyleSheet("color: #1a4fa0; text-decoration: underline;");
  email->setCursor(Qt::PointingHandCursor);
  AddLabel("Label2", QStringLiteral("問題與建議：請寫信到上面的地址"), 100, 152, 300, 20);
  AddLabel("lblWarning",
           QStringLiteral("本程序受版權法保護。未經許可，不得複製或散發本程序的全部或部分。"), 20,
           196, 380, 40)
      ->setWordWrap(true);
}

QLabel* frmSplash::AddLabel(const char* name, const QString& text, int x, int y, int w, int h) {
  auto* label = new QLabel(text, this);
  label->setObjectName(name);
  label->setGeometry(x, y, w, h);
  label->installEventFilter(this);
  return label;
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
      type != QEvent::MouseButtonDblClick)
    return false;
  if (type == QEvent::MouseButtonRelease && watched->objectName() == "lblEmail") {
    const auto* email = static_cast<QLabel*>(watched);
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + email->text()));
  }
  return true;  // clicks on the texts do not close the window
}

void frmSplash::mouseReleaseEvent(QMouseEvent* event) {
  QDialog::mouseReleaseEvent(event);
  close();
}

}  // namespace marlo
