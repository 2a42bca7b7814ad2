// SPDX-License-Identifier: Apache-2.0
// What the drive, folder and file lists of the main window show, read from
// the file system without widgets. Names are kept as the bytes the file
// system holds: archives from Chinese Windows machines carry names in GBK
// or Big5, which are no UTF-8 and which a QString cannot carry back.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include "engine/ConvMarlo.h"

namespace marlo {

struct Place {
  QString label;  // what the drive box shows
  QString path;
};

// The home folder first, then the mounted volumes a user would pick from:
// ready, valid, and not a kernel or pseudo file system.
QVector<Place> SourcePlaces();

// A name, or a path, as the file system holds it and as a person reads it.
struct ShownName {
  QByteArray bytes;  // exactly as on disk
  QString text;      // decoded: UTF-8, else the likelier of GBK and Big5
  QString note;      // "文件名為 GBK 編碼" when not UTF-8; else empty
};

// A name's bytes made readable. A path decodes part by part.
ShownName ShowName(const QByteArray& bytes, const ConvMarlo& engine);
ShownName ShowPath(const QByteArray& path, const ConvMarlo& engine);

struct FolderRow {
  ShownName name;  // "/" for the root
  QByteArray path;
  int depth;     // 0 for the root
  bool current;  // the folder the lists show
};

// The folder and its parents from the root down, then its subfolders
// (without hidden ones), by name. An unreadable folder lists no subfolders.
QVector<FolderRow> FolderRows(const QByteArray& folder, const ConvMarlo& engine);

// The regular files in a folder (and links to them, not hidden ones) whose
// shown name matches a wildcard pattern, by name. "*.*" matches every file,
// also one without a dot.
QVector<ShownName> FilesMatching(const QByteArray& folder, const QString& pattern,
                                 const ConvMarlo& engine);

// A folder with one separator between it and a name, at the root too.
QByteArray JoinName(const QByteArray& folder, const QByteArray& name);

}  // namespace marlo
