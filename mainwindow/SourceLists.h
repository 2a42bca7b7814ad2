// SPDX-License-Identifier: Apache-2.0
// What the drive, folder and file lists of the main window show, read from
// the file system without widgets.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace marlo {

struct Place {
  QString label;  // what the drive box shows
  QString path;
};

// The home folder first, then the mounted volumes a user would pick from:
// ready, valid, and not a kernel or pseudo file system.
QVector<Place> SourcePlaces();

struct FolderRow {
  QString name;  // "/" for the root
  QString path;
  int depth;     // 0 for the root
  bool current;  // the folder the lists show
};

// The folder and its parents from the root down, then its subfolders
// (without hidden ones), by name. An unreadable folder lists no subfolders.
QVector<FolderRow> FolderRows(const QString& folder);

// The names of the regular files in a folder that match a wildcard pattern,
// by name. "*.*" matches every file, also one without a dot.
QStringList FilesMatching(const QString& folder, const QString& pattern);

}  // namespace marlo
