// SPDX-License-Identifier: Apache-2.0
// The window's report-style lists: the files to convert and the results.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "batch/ConversionRun.h"
#include "engine/ConvMarlo.h"

namespace marlo {

// What a row carries besides its text.
inline constexpr int kPathRole = Qt::UserRole;      // the full path, as bytes
inline constexpr int kNameRole = Qt::UserRole + 2;  // a file's name, or path below its folder

// A click on any column header sorts by that column and flips the one order
// of the whole list; rows added later take their place in it.
class ReportList : public QTreeWidget {
  Q_OBJECT

 public:
  explicit ReportList(QWidget* parent = nullptr);
  // Puts the rows in the order the user chose, if one was chosen.
  void KeepSorted();

 private:
  void SortByColumn(int column);

  bool sorted_ = false;
  int column_ = 0;
  Qt::SortOrder order_ = Qt::AscendingOrder;
};

// The files to convert (lvwDest): one row per full path, shown by the name
// the target takes. It takes files and folders dropped on it from a file
// manager, and removes the selected rows on the Delete key.
class DestList : public ReportList {
  Q_OBJECT

 public:
  explicit DestList(const ConvMarlo& engine, QWidget* parent = nullptr);
  ~DestList() override;

  bool Contains(const QByteArray& path) const { return rows_.contains(path); }
  // Adds entries not listed yet, in their order (then the list's).
  void AddEntries(const std::vector<RunEntry>& entries);
  // These files of one folder, less those the ignore list (the window's
  // rule) rules out.
  void AddFiles(const QByteArray& folder, const std::vector<std::string>& names,
                const std::string& ignoreList);
  // Every file under the folder, named by its path below it, less the
  // ignored ones, the target folder and folders named after a conversion
  // type. A large tree takes seconds to walk: it is walked off the window's
  // thread, and its files join the list when it is done.
  void AddTree(const QByteArray& folder, const std::string& ignoreList,
               const std::string& targetFolder);
  // Files and folders as a drop brings them: a file; a folder's files that
  // match the pattern, or its tree when asked. Returns the paths that are
  // not there.
  QList<QByteArray> AddPaths(const QList<QByteArray>& paths, const std::string& ignoreList,
                             const QString& pattern, bool tree, const std::string& targetFolder);
  bool IsAddingTree() const { return treeWalks_ > 0; }
  void RemoveSelected();
  // Takes out these entries, where still listed (a finished run's): the
  // count shown stays the run's, so this one does not announce it.
  void Remove(const std::vector<RunEntry>& entries);
  // Every entry, in the order shown.
  std::vector<RunEntry> Entries() const;
  // The first selected entry's path; empty when none is selected.
  QByteArray SelectedPath() const;

 signals:
  void CountChanged(int count);
  // A tree was added: how many files, and what was left out.
  void TreeAdded(const QString& report);
  // Paths as the file system holds them, also where they are no UTF-8.
  void PathsDropped(const QList<QByteArray>& paths);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  const ConvMarlo& engine_;
  QHash<QByteArray, QTreeWidgetItem*> rows_;  // full path → row
  int treeWalks_ = 0;
};

}  // namespace marlo
