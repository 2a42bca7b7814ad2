// SPDX-License-Identifier: Apache-2.0
// Writes the program's icon as PNG files for the desktop's icon theme,
// drawn by the same code as the window's icon: RenderIcons FOLDER
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "frame/Artwork.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");  // no display needed at build time
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: RenderIcons FOLDER\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    const QString file = folder.filePath(QStringLiteral("marlo-%1.png").arg(size));
    if (!marlo::artwork::IconPixmap(size).save(file, "PNG")) {
      std::fprintf(stderr, "RenderIcons: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
