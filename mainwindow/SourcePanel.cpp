// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/SourcePanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileIconProvider>
#include <QHBoxLayout>
#include <QListWidget>
#include <QSet>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>

#include "batch/UserTexts.h"
#include "frame/Translations.h"
#include "mainwindow/Captions.h"
#include "mainwindow/FolderWatch.h"
#include "mainwindow/ReportList.h"
#include "mainwindow/SourceLists.h"

namespace marlo {

namespace {

constexpr int kDepthRole = Qt::UserRole + 1;  // of a folder row: how far it is indented

const char* const kFilePatterns[] = {"*.*",   "*.htm", "*.html", "*.txt", "*.asp", "*.jsp",
                                     "*.php", "*.xml", "*.ini",  "*.cpp", "*.h",   "*.vbp",
                                     "*.frm", "*.cls", "*.bas",  "*.log", "*.bat", "*.sql"};

QString WithNote(const QString& text, const QString& note) {
  return note.isEmpty() ? text : text + '\n' + note;
}

// The folder list draws each folder indented by its depth, as a tree.
class IndentDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->rect.adjust(index.data(kDepthRole).toInt() * 12, 0, 0, 0);
  }
};

}  // namespace

SourcePanel::SourcePanel(const ConvMarlo& engine, QWidget* parent)
    : QGroupBox(Caption(QT_TRANSLATE_NOOP("marlo::frmMain", "請選擇要轉換的文件")), parent),
      engine_(engine) {
  setObjectName("fraSource");
  auto* column = new QVBoxLayout(this);
  places_ = Named(new QComboBox, "drvSource");
  places_->setAccessibleName(Caption(QT_TRANSLATE_NOOP("marlo::frmMain", "位置")));
  folders_ = Named(new QListWidget, "dirSource");
  folders_->setAccessibleName(Caption(QT_TRANSLATE_NOOP("marlo::frmMain", "文件夾")));
  folders_->setItemDelegate(new IndentDelegate(folders_));
  folders_->setIconSize(QSize(16, 16));  // rows of the text's height: more of them show
  files_ = Named(new QListWidget, "FilSource");
  files_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  files_->setUniformItemSizes(true);
  files_->setToolTip(
      Caption(QT_TRANSLATE_NOOP("marlo::frmMain", "非處理文件可以在\"設置\"中修改")));
  files_->setAccessibleName(Caption(QT_TRANSLATE_NOOP("marlo::frmMain", "文件")));
  patterns_ = Named(new QComboBox, "imcFileType");
  patterns_->setAccessibleName(Caption(QT_TRANSLATE_NOOP("marlo::frmMain", "文件類型")));
  column->addWidget(places_);
  column->addWidget(folders_, 1);
  column->addWidget(files_, 1);
  // The pattern and the tree option share a row: the lists get its height.
  auto* filterRow = new QHBoxLayout;
  filterRow->addWidget(patterns_, 1);
  subFolders_ = Named(new QCheckBox(UserWord(text::kSubFolders)), "chkSubFolders");
  filterRow->addWidget(subFolders_);
  column->addLayout(filterRow);

  connect(places_, &QComboBox::activated, this,
          [this](int index) { SetFolder(QFile::encodeName(places_->itemData(index).toString())); });
  connect(folders_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { SetFolder(item->data(kPathRole).toByteArray()); });
  connect(patterns_, &QComboBox::activated, this, [this] { RefreshFileList(); });
  connect(files_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    // Enter on the current file adds it even when the keyboard left it
    // unselected; a double click has selected it already.
    if (!item->isSelected()) item->setSelected(true);
    emit FileActivated();
  });

  // A burst of changes (a copy of many files) refreshes the lists once.
  watch_ = new FolderWatch(this);
  refresh_ = new QTimer(this);
  refresh_->setSingleShot(true);
  refresh_->setInterval(200);
  connect(watch_, &FolderWatch::Changed, refresh_, qOverload<>(&QTimer::start));
  connect(refresh_, &QTimer::timeout, this, &SourcePanel::RefreshLists);
}

void SourcePanel::FillPlaces() {
  places_->clear();
  for (const Place& place : SourcePlaces()) places_->addItem(place.label, place.path);
}

void SourcePanel::FillPatterns() {
  for (const char* pattern : kFilePatterns) patterns_->addItem(QString::fromLatin1(pattern));
  patterns_->setCurrentIndex(0);
}

QString SourcePanel::Pattern() const { return patterns_->currentText(); }

void SourcePanel::SetFolder(const QByteArray& folder) {
  // Latin-1 carries any bytes through the path cleaning unchanged.
  folder_ = QDir::cleanPath(QString::fromLatin1(folder)).toLatin1();
  if (folder_.isEmpty()) folder_ = "/";

  // The place box shows the place the folder lies in: the longest match.
  int place = -1;
  qsizetype matched = -1;
  for (int k = 0; k < places_->count(); ++k) {
    const QByteArray root = QFile::encodeName(places_->itemData(k).toString());
    const bool inside = folder_ == root || root == "/" || folder_.startsWith(root + '/');
    if (inside && root.size() > matched) {
      place = k;
      matched = root.size();
    }
  }
  if (place >= 0) places_->setCurrentIndex(place);

  // New files and folders show without leaving and entering again.
  watch_->Watch(folder_);
  FillFolderList();
  RefreshFileList();
  emit FolderChanged();
}

void SourcePanel::FillFolderList() {
  folders_->clear();
  const QFileIconProvider icons;
  for (const FolderRow& row : FolderRows(folder_, engine_)) {
    auto* item =
        new QListWidgetItem(icons.icon(QFileIconProvider::Folder), row.name.text, folders_);
    item->setData(kPathRole, row.path);
    item->setData(kDepthRole, row.depth);
    item->setToolTip(WithNote(ShowPath(row.path, engine_).text, row.name.note));
    // The folder shown is current, not selected: a selected folder is one
    // the user chose, whose tree ">>" may add.
    if (row.current) {
      QFont font = item->font();
      font.setBold(true);
      item->setFont(font);
      folders_->setCurrentItem(item, QItemSelectionModel::NoUpdate);
    }
  }
}

void SourcePanel::RefreshFileList() {
  files_->clear();
  for (const ShownName& name : FilesMatching(folder_, Pattern(), engine_)) {
    auto* item = new QListWidgetItem(name.text, files_);
    item->setData(kPathRole, name.bytes);
    if (!name.note.isEmpty()) item->setToolTip(name.note);
  }
}

void SourcePanel::RefreshLists() {
  auto remember = [](QListWidget* list, QSet<QByteArray>& selected) {
    for (const QListWidgetItem* item : list->selectedItems())
      selected.insert(item->data(kPathRole).toByteArray());
    return list->currentItem() ? list->currentItem()->data(kPathRole).toByteArray() : QByteArray();
  };
  auto restore = [](QListWidget* list, const QSet<QByteArray>& selected,
                    const QByteArray& current) {
    for (int i = 0; i < list->count(); ++i) {
      QListWidgetItem* item = list->item(i);
      const QByteArray key = item->data(kPathRole).toByteArray();
      if (key == current) list->setCurrentItem(item, QItemSelectionModel::NoUpdate);
      item->setSelected(selected.contains(key));
    }
  };
  QSet<QByteArray> folders, files;
  const QByteArray currentFolder = remember(folders_, folders);
  const QByteArray currentFile = remember(files_, files);
  FillFolderList();
  RefreshFileList();
  restore(folders_, folders, currentFolder);
  restore(files_, files, currentFile);
}

std::vector<std::string> SourcePanel::SelectedFileNames() const {
  std::vector<std::string> names;
  for (int i = 0; i < files_->count(); ++i)
    if (files_->item(i)->isSelected())
      names.push_back(files_->item(i)->data(kPathRole).toByteArray().toStdString());
  return names;
}

QList<QByteArray> SourcePanel::ChosenFolders() const {
  QList<QByteArray> folders;
  for (const QListWidgetItem* folder : folders_->selectedItems())
    folders << folder->data(kPathRole).toByteArray();
  return folders;
}

}  // namespace marlo
