// SPDX-License-Identifier: Apache-2.0
// The skinned frame's images, painted in code: no bitmap files to ship.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace marlo::artwork {

// 19 × 30 pieces of the title bar and the border.
QPixmap TitleLeft();
QPixmap TitleMain();
QPixmap TitleRight();
QPixmap WindowLeft();
QPixmap WindowRight();
QPixmap WindowBottom();
QPixmap WindowBottomLeft();
QPixmap WindowBottomRight();
// 13 × 13 title buttons.
QPixmap TitleClose();
QPixmap TitleMinimize();
QPixmap TitleHelp();
// 16 × 16 marks of a results row: converted ("pOk") and failed ("pError").
QPixmap ResultOk();
QPixmap ResultError();
// A target that was there and was left alone.
QPixmap ResultSkipped();
// Converted, but the source did not look like the type's code.
QPixmap ResultWarning();
// The program's icon, at the sizes a desktop asks for; the installed icon
// files are drawn by the same code.
QIcon WindowIcon();
QPixmap IconPixmap(int size);
// The splash and about window's background.
QPixmap SplashBackground(int width, int height);

}  // namespace marlo::artwork
