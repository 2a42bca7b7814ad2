// SPDX-License-Identifier: Apache-2.0
// marlo: the desktop program.
#include "frame/modFunctions.h"
#include "mainwindow/frmMain.h"
#include "settings/StoredSettings.h"

int main(int argc, char** argv) {
  // The language chosen in the settings reaches the frame from here: the
  // frame knows no settings.
  return marlo::modFunctions::Main(
      argc, argv, marlo::StoredLanguage(), [] { return new marlo::frmMain; },
      [](QWidget* window, const QList<QByteArray>& paths) {
        static_cast<marlo::frmMain*>(window)->AddPaths(paths);
      });
}
