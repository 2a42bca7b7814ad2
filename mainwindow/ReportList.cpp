// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/ReportList.h"

#include <sys/stat.h>

#include <QFutureWatcher>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>

#include "batch/SourceSelection.h"
#include "batch/UserTexts.h"
#include "frame/Translations.h"

#include "mainwindow/SourceLists.h"

namespace marlo {

ReportList::ReportList(QWidget* parent) : QTreeWidget(parent) {
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  header()->setSectionsClickable(true);
  connect(header(), &QHeaderView::sectionClicked, this, &ReportList::SortByColumn);
}

void ReportList::SortByColumn(int column) {
  sorted_ = true;
  column_ = column;
  order_ = order_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
  sortItems(column, order_);
  header()->setSortIndicatorShown(true);
  header()->setSortIndicator(column, order_);
}

void ReportList::KeepSorted() {
  if (sorted_) sortItems(column_, order_);
}

DestList::DestList(const ConvMarlo& engine, QWidget* parent) : ReportList(parent), engine_(engine) {
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void DestList::AddEntries(const std::vector<RunEntry>& entries) {
  QList<QTreeWidgetItem*> items;
  items.reserve(qsizetype(entries.size()));
  for (const RunEntry& entry : entries) {
    const QByteArray path = QByteArray::fromStdString(entry.fullPath);
    if (rows_.contains(path)) continue;
    // A tree's entry is a path below its folder, decoded folder by folder.
    const ShownName name = ShowPath(QByteArray::fromStdString(entry.fileName), engine_);
    auto* item = new QTreeWidgetItem(QStringList{name.text});
    item->setData(0, kPathRole, path);
    item->setData(0, kNameRole, QByteArray::fromStdString(entry.fileName));
    const QString shownPath = ShowPath(path, engine_).text;
    item->setToolTip(0, name.note.isEmpty() ? shownPath : shownPath + '\n' + name.note);
    rows_.insert(path, item);
    items << item;
  }
  addTopLevelItems(items);
  KeepSorted();
  emit CountChanged(topLevelItemCount());
}

DestList::~DestList() {
  if (treeWalks_ > 0) QGuiApplication::restoreOverrideCursor();  // its rows are gone
}

void DestList::AddFiles(const QByteArray& folder, const std::vector<std::string>& names,
                        const std::string& ignoreList) {
  AddEntries(EntriesToAdd(folder.toStdString(), names, ignoreList, [this](const std::string& path) {
    return Contains(QByteArray::fromStdString(path));
  }));
}

QList<QByteArray> DestList::AddPaths(const QList<QByteArray>& paths, const std::string& ignoreList,
                                     const QString& pattern, bool tree,
                                     const std::string& targetFolder) {
  QList<QByteArray> missing;
  for (QByteArray path : paths) {
    while (path.size() > 1 && path.endsWith('/')) path.chop(1);
    struct stat info;
    if (::stat(path.constData(), &info) != 0) {
      missing << path;
    } else if (S_ISDIR(info.st_mode) && tree) {
      AddTree(path, ignoreList, targetFolder);
    } else if (S_ISDIR(info.st_mode)) {
      std::vector<std::string> names;
      for (const ShownName& name : FilesMatching(path, pattern, engine_))
        names.push_back(name.bytes.toStdString());
      AddFiles(path, names, ignoreList);
    } else if (S_ISREG(info.st_mode)) {
      const qsizetype slash = path.lastIndexOf('/');
      AddFiles(slash <= 0 ? QByteArray("/") : path.left(slash), {path.mid(slash + 1).toStdString()},
               ignoreList);
    }
  }
  return missing;
}

void DestList::AddTree(const QByteArray& folder, const std::string& ignoreList,
                       const std::string& targetFolder) {
  auto* walk = new QFutureWatcher<TreeListing>(this);
  connect(walk, &QFutureWatcher<TreeListing>::finished, this, [this, walk] {
    TreeListing listing = walk->result();
    walk->deleteLater();
    if (--treeWalks_ == 0) QGuiApplication::restoreOverrideCursor();
    // A folder that cannot be read has no file to list; files listed
    // already, also by a walk that ended first, stay as they are.
    std::erase_if(listing.entries, [this](const RunEntry& entry) {
      return entry.failure || Contains(QByteArray::fromStdString(entry.fullPath));
    });
    AddEntries(listing.entries);
    QString report = UserWord(text::kTreeAdded).arg(listing.entries.size());
    if (listing.typeFolders) report += UserWord(text::kTypeFoldersLeftOut).arg(listing.typeFolders);
    if (listing.ignoredFiles) report += UserWord(text::kIgnoredByList).arg(listing.ignoredFiles);
    if (listing.links) report += UserWord(text::kLinksSkipped).arg(listing.links);
    emit TreeAdded(report);
  });
  if (treeWalks_++ == 0) QGuiApplication::setOverrideCursor(Qt::BusyCursor);
  walk->setFuture(QtConcurrent::run([root = folder.toStdString(), ignoreList, targetFolder] {
    return ListTree(root, IgnoreList(ignoreList, IgnoreList::Rule::kSubstring),
                    {targetFolder, /*skipTypeFolders=*/true, /*skipBinary=*/false});
  }));
}

void DestList::RemoveSelected() {
  QList<QByteArray> keys;
  for (int i = 0; i < topLevelItemCount(); ++i)
    if (topLevelItem(i)->isSelected()) keys << topLevelItem(i)->data(0, kPathRole).toByteArray();
  for (const QByteArray& key : keys) delete rows_.take(key);
  emit CountChanged(topLevelItemCount());
}

void DestList::Remove(const std::vector<RunEntry>& entries) {
  for (const RunEntry& entry : entries)
    delete rows_.take(QByteArray::fromStdString(entry.fullPath));
}

std::vector<RunEntry> DestList::Entries() const {
  std::vector<RunEntry> entries;
  for (int i = 0; i < topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = topLevelItem(i);
    entries.push_back({item->data(0, kPathRole).toByteArray().toStdString(),
                       item->data(0, kNameRole).toByteArray().toStdString()});
  }
  return entries;
}

QByteArray DestList::SelectedPath() const {
  for (int i = 0; i < topLevelItemCount(); ++i)
    if (topLevelItem(i)->isSelected()) return topLevelItem(i)->data(0, kPathRole).toByteArray();
  return {};
}

void DestList::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Delete))
    RemoveSelected();
  else
    QTreeWidget::keyPressEvent(event);
}

void DestList::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void DestList::dragMoveEvent(QDragMoveEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void DestList::dropEvent(QDropEvent* event) {
  // A file manager percent-encodes a name's bytes, whatever their code;
  // toLocalFile would lose those that are no UTF-8.
  QList<QByteArray> paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile())
      paths << QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
  event->acceptProposedAction();
  emit PathsDropped(paths);
}

}  // namespace marlo
