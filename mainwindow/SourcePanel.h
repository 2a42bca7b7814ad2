// SPDX-License-Identifier: Apache-2.0
// The source frame of the main window (fraSource "請選擇要轉換的文件"): the
// place box drvSource, the folder list dirSource, the file list FilSource,
// the pattern box imcFileType and the tree option chkSubFolders. It shows
// one folder, named by its bytes, and follows its changes on disk.
#pragma once

#include <QByteArray>
#include <QGroupBox>
#include <string>
#include <vector>

#include "engine/ConvMarlo.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QTimer;

namespace marlo {

class FolderWatch;

class SourcePanel : public QGroupBox {
  Q_OBJECT

 public:
  SourcePanel(const ConvMarlo& engine, QWidget* parent = nullptr);

  // The places (home first, then mounted volumes) and the patterns, "*.*"
  // chosen.
  void FillPlaces();
  void FillPatterns();

  QByteArray Folder() const { return folder_; }
  // Shows this folder: both lists anew, watched from now on.
  void SetFolder(const QByteArray& folder);

  // The selected files' names (bytes), in list order.
  std::vector<std::string> SelectedFileNames() const;
  // The folders the user selected in the folder list (the one shown is
  // current, not selected, unless clicked).
  QList<QByteArray> ChosenFolders() const;
  QString Pattern() const;
  QCheckBox* SubFolders() const { return subFolders_; }
  QListWidget* Folders() const { return folders_; }
  QListWidget* Files() const { return files_; }

 signals:
  // After a change of the folder shown, with its lists filled.
  void FolderChanged();
  // A file was double-clicked, or Enter pressed on it: it is selected.
  void FileActivated();

 private:
  void FillFolderList();
  void RefreshFileList();
  // After the folder changed on disk: both lists again, the selections
  // and the current rows kept.
  void RefreshLists();

  const ConvMarlo& engine_;
  QByteArray folder_;
  QComboBox* places_;
  QListWidget* folders_;
  QListWidget* files_;
  QComboBox* patterns_;
  QCheckBox* subFolders_;
  FolderWatch* watch_;
  QTimer* refresh_;
};

}  // namespace marlo
