// SPDX-License-Identifier: Apache-2.0
// The main window's toolbar (tbToolbar) and its six buttons, each an action
// the window wires by pointer.
#pragma once

#include <QToolBar>

namespace marlo {

class MainToolbar : public QToolBar {
  Q_OBJECT

 public:
  explicit MainToolbar(QWidget* parent = nullptr);

  QAction* convert;    // butConvert "開始轉換", F5
  QAction* config;     // butConfig "設    置"
  QAction* clipboard;  // butClipboard "剪貼板", Ctrl+Shift+V
  QAction* preview;    // butPreview "預    覽"
  QAction* about;      // butAbout "關    于"
  QAction* exit;       // butExit "退    出"
};

}  // namespace marlo
