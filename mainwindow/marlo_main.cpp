// SPDX-License-Identifier: Apache-2.0
// marlo: the desktop program.
#include "frame/modFunctions.h"
#include "mainwindow/frmMain.h"

int main(int argc, char** argv) {
  return marlo::modFunctions::Main(argc, argv, [] { return new marlo::frmMain; });
}
