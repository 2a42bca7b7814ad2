// SPDX-License-Identifier: Apache-2.0
#include "SourceLists.h"

#include <QCollator>
#include <QDir>
#include <QStorageInfo>

#include <algorithm>

namespace marlo {

namespace {

bool IsPseudoFileSystem(const QStorageInfo& volume) {
  static const QStringList kTypes = {
      "proc",    "sysfs",   "devtmpfs",    "devpts",   "cgroup", "cgroup2",    "securityfs",
      "pstore",  "debugfs", "tracefs",     "bpf",      "mqueue", "hugetlbfs",  "configfs",
      "fusectl", "autofs",  "binfmt_misc", "efivarfs", "nsfs",   "rpc_pipefs", "squashfs"};
  if (kTypes.contains(QString::fromLatin1(volume.fileSystemType()))) return true;
  const QString root = volume.rootPath();
  for (const char* system : {"/proc", "/sys", "/dev", "/run", "/snap", "/boot/efi"})
    if (root == system || root.startsWith(QString::fromLatin1(system) + '/')) return true;
  return false;
}

void SortByName(QStringList& names) {
  QCollator collator;
  collator.setNumericMode(true);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::sort(names.begin(), names.end(), collator);
}

}  // namespace

QVector<Place> SourcePlaces() {
  QVector<Place> places = {{QDir::homePath(), QDir::homePath()}};
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady() || IsPseudoFileSystem(volume)) continue;
    const QString root = volume.rootPath();
    const QString name = volume.displayName();
    places.push_back({name == root ? root : QStringLiteral("%1  [%2]").arg(root, name), root});
  }
  return places;
}

QVector<FolderRow> FolderRows(const QString& folder) {
  const QString clean = QDir::cleanPath(folder);
  QVector<FolderRow> rows = {{QStringLiteral("/"), QStringLiteral("/"), 0, clean == "/"}};
  const QStringList parts = clean.split('/', Qt::SkipEmptyParts);
  QString path;
  for (int k = 0; k < parts.size(); ++k) {
    path += '/' + parts[k];
    rows.push_back({parts[k], path, k + 1, k + 1 == parts.size()});
  }
  QStringList subfolders = QDir(clean).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  SortByName(subfolders);
  const QString prefix = clean == "/" ? clean : clean + '/';
  for (const QString& name : subfolders)
    rows.push_back({name, prefix + name, int(parts.size()) + 1, false});
  return rows;
}

QStringList FilesMatching(const QString& folder, const QString& pattern) {
  // On Windows "*.*" stands for every file; here a name needs no dot.
  const QString filter = pattern == "*.*" ? QStringLiteral("*") : pattern;
  QStringList names = QDir(folder).entryList({filter}, QDir::Files);
  SortByName(names);
  return names;
}

}  // namespace marlo
