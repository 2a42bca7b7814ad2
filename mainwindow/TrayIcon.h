// SPDX-License-Identifier: Apache-2.0
// The main window's icon in the notification area, so a hidden main window
// stays reachable. Where the desktop has no notification area there is no
// icon, and the main window minimizes instead of hiding.
#pragma once

#include <QObject>
#include <QSystemTrayIcon>

class QLabel;
class QWidget;

namespace marlo {

class TrayIcon : public QObject {
  Q_OBJECT

 public:
  TrayIcon(QWidget* mainWindow, QLabel* titleLabel);

  static bool Available();
  // Adds the icon (true) or updates its picture and tip (false).
  void SetTrayIcon(bool add);
  void RemoveTrayIcon();
  bool shown() const { return icon_ && icon_->isVisible(); }

  // What a click on the icon does: left restores, right brings forward.
  void Activate(QSystemTrayIcon::ActivationReason reason);

 private:
  QWidget* mainWindow_;
  QLabel* titleLabel_;
  QSystemTrayIcon* icon_ = nullptr;
};

}  // namespace marlo
