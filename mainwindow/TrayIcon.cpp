// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/TrayIcon.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

namespace marlo {

TrayIcon::TrayIcon(QWidget* mainWindow, QLabel* titleLabel)
    : QObject(mainWindow), mainWindow_(mainWindow), titleLabel_(titleLabel) {}

bool TrayIcon::Available() { return QSystemTrayIcon::isSystemTrayAvailable(); }

void TrayIcon::SetTrayIcon(bool add) {
  if (!Available()) return;
  if (!icon_) {
    icon_ = new QSystemTrayIcon(QApplication::windowIcon(), this);
    connect(icon_, &QSystemTrayIcon::activated, this, &TrayIcon::Activate);
  }
  icon_->setIcon(QApplication::windowIcon());
  icon_->setToolTip(titleLabel_->text());
  if (add) icon_->show();
}

void TrayIcon::RemoveTrayIcon() {
  if (icon_) icon_->hide();
}

void TrayIcon::Activate(QSystemTrayIcon::ActivationReason reason) {
  if (reason == QSystemTrayIcon::Trigger) {
    mainWindow_->showNormal();
    mainWindow_->activateWindow();
  } else if (reason == QSystemTrayIcon::Context) {
    // Brings a visible window to the front; a hidden one stays hidden.
    if (mainWindow_->isVisible()) {
      mainWindow_->raise();
      mainWindow_->activateWindow();
    }
  }
}

}  // namespace marlo
