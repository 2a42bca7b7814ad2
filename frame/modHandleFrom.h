// SPDX-License-Identifier: Apache-2.0
// The skinned frame shared by the main, clipboard and settings windows: a
// title bar and border drawn from images, rounded corners, and moving the
// window by its title images.
#pragma once

#include <QObject>
#include <QRegion>
#include <QSize>
#include <QString>
#include <functional>

class QWidget;

namespace marlo::modHandleFrom {

// Adds the named frame elements (lblTitle, Imageicon, imgTitleLeft…) with
// their artwork to a window that has none yet.
void CreateFrameElements(QWidget* window);

// A widget that fills the window inside the title bar and borders, for the
// window's own controls and layouts; the frame elements stay outside it.
QWidget* ContentArea(QWidget* window);

// Places the frame elements for the window's size, sets its background and
// cuts its outline. Elements the window lacks are skipped.
void SkinForm(QWidget* window);

// The rounded outline for a window of w × h pixels: a 24 × 24 corner ellipse.
QRegion RoundedOutline(int w, int h);
void ShapeForm(QWidget* window);

// Lets the window manager move the window with the mouse.
void DragForm(QWidget* window);

// Shows a title in lblTitle, cut with "…" to the room left of the title-bar
// buttons (the whole title in its tooltip); SkinForm cuts it again for a
// new width. Never covers the buttons. The last keepEnd characters (a
// file's name) are kept whole while there is room for them: the cut is
// then in the middle of what comes before.
void SetTitle(QWidget* window, const QString& title, int keepEnd = 0);

// Gives a window this size, never more than its screen has room for nor
// less than its controls need, centred in that room.
void FitToScreen(QWidget* window, QSize wanted);

// Moves a window that is about to show centred on its owner (or on the
// screen, without one), wholly inside the owner's screen.
void PlaceOver(QWidget* window, const QWidget* owner);

// Lets the user resize the window by its borders and corners: the left,
// right and bottom border images, and the top few pixels of the title bar.
// Call it after WireFrame: a press on the title bar's edge resizes, it does
// not move the window.
void AllowResize(QWidget* window);

// Pressing any mouse button on the title images or lblTitle moves the
// window; a click on imgTitleClose closes it, one on imgTitleMinimize calls
// minimize. imgTitleHelp does nothing.
void WireFrame(QWidget* window, std::function<void()> minimize);

}  // namespace marlo::modHandleFrom
