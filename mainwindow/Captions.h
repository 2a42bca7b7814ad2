// SPDX-License-Identifier: Apache-2.0
// What the main window's panels share to build their controls: the form's
// words (one translation context for the whole window) and object names.
#pragma once

#include <QCoreApplication>
#include <QString>

namespace marlo {

// A caption of the main window, marked where it is written with
// QT_TRANSLATE_NOOP("marlo::frmMain", …), in the window's language.
inline QString Caption(const char* source) {
  return QCoreApplication::translate("marlo::frmMain", source);
}

// A control with the object name the window's tests and styles know it by.
template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

}  // namespace marlo
