// SPDX-License-Identifier: Apache-2.0
#include "frame/frmSplash.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

#include "frame/Artwork.h"

namespace marlo {

namespace {
constexpr int kWidth = 420, kHeight = 250;
}  // namespace

QString frmSplash::VersionLine() {
  return tr("版本信息：") + QCoreApplication::applicationVersion();
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
  AddLabel("lblPlatform", tr("操作系統：Linux"), 100, 100, 300, 20);
  // No support address exists to name: the labels for it stay empty and
  // hidden rather than show a made-up one.
  for (const char* name : {"Label1", "lblEmail", "Label2"})
    AddLabel(name, {}, 100, 130, 0, 0)->hide();
  // The program is free software; the rights text says so.
  AddLabel("lblWarning",
           tr("本程序是自由軟件，依 Apache 許可證 2.0 版發佈：可以自由使用、複製、"
              "修改和散發。許可證全文見隨程序安裝的 LICENSE 文件。"),
           20, 150, 380, 56)
      ->setWordWrap(true);
  setWindowTitle(tr("關於 Marlo"));
  auto* close = new QPushButton(tr("關閉"), this);
  close->setObjectName("cmdClose");
  close->setGeometry(kWidth - 90, kHeight - 34, 76, 26);
  close->hide();
  connect(close, &QPushButton::clicked, this, &QDialog::close);
}

void frmSplash::ShowCloseButton() {
  if (auto* close = findChild<QPushButton*>("cmdClose")) close->show();
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
