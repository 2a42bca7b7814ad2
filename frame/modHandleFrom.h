// SPDX-License-Identifier: Apache-2.0
// The skinned frame shared by the main, clipboard and settings windows: a
// title bar and border drawn from images, rounded corners, and moving the
// window by its title images.
#pragma once

#include <QObject>
#include <QRegion>
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
// new width. Never covers the buttons.
void SetTitle(QWidget* window, const QString& title);

// Lets the user resize the window by its left, right and bottom borders
// and its lower corners.
void AllowResize(QWidget* window);

// Pressing any mouse button on the title images or lblTitle moves the
// window; a click on imgTitleClose closes it, one on imgTitleMinimize calls
// minimize. imgTitleHelp does nothing.
void WireFrame(QWidget* window, std::function<void()> minimize);

}  // namespace marlo::modHandleFrom
