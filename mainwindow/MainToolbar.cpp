// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/MainToolbar.h"

#include <QAction>
#include <QCoreApplication>

namespace marlo {

namespace {

// The captions are the main window's words.
QAction* Button(QToolBar* bar, const char* key, const char* caption, const char* tip = nullptr) {
  QAction* action = bar->addAction(QCoreApplication::translate("marlo::frmMain", caption));
  action->setObjectName(key);
  if (tip) action->setToolTip(QCoreApplication::translate("marlo::frmMain", tip));
  return action;
}

}  // namespace

MainToolbar::MainToolbar(QWidget* parent)
    : QToolBar(parent),
      convert(Button(this, "butConvert", QT_TRANSLATE_NOOP("marlo::frmMain", "開始轉換"),
                     QT_TRANSLATE_NOOP("marlo::frmMain", "按選定的轉換方式轉換選定的文件."))),
      config(Button(this, "butConfig", QT_TRANSLATE_NOOP("marlo::frmMain", "設    置"))),
      clipboard(Button(this, "butClipboard", QT_TRANSLATE_NOOP("marlo::frmMain", "剪貼板"),
                       QT_TRANSLATE_NOOP("marlo::frmMain", "將剪貼板的內容按選定方式轉換."))),
      preview(
          Button(this, "butPreview", QT_TRANSLATE_NOOP("marlo::frmMain", "預    覽"),
                 QT_TRANSLATE_NOOP("marlo::frmMain", "雙擊選定的文件,可按選定的方式轉換并預覽."))),
      about(Button(this, "butAbout", QT_TRANSLATE_NOOP("marlo::frmMain", "關    于"))),
      exit(Button(this, "butExit", QT_TRANSLATE_NOOP("marlo::frmMain", "退    出"))) {
  setObjectName("tbToolbar");
  setToolButtonStyle(Qt::ToolButtonTextOnly);
  convert->setShortcut(Qt::Key_F5);
  clipboard->setShortcut(QKeySequence("Ctrl+Shift+V"));
}

}  // namespace marlo
