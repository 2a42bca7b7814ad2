// SPDX-License-Identifier: Apache-2.0
// The main window: conversion types, source and target selection, the
// existing-file choice, the batch run with its progress and results, under
// the skinned frame.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QHash>
#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>

#include "batch/ConversionRun.h"
#include "engine/ConvMarlo.h"

class QCheckBox;
class QComboBox;
class QTimer;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace marlo::modHandleFrom {
class SkinnedFrame;
}

namespace marlo {

class BackgroundRun;
class ProgressArea;
class RunView;
class DestList;
class ReportList;
class OptionPanel;
class PreviewJob;
struct PreviewResult;
class SourcePanel;
class frmClipboard;
class TrayIcon;
class clsSettings;

class frmMain : public QWidget {
  Q_OBJECT

 public:
  explicit frmMain(QWidget* parent = nullptr);
  ~frmMain() override;

  int32_t GetConvType() const;
  int32_t GetHandleExistFile() const;
  static QString GetConvTypeName(int32_t index);
  // The size the window first opens at, where the screen has room.
  static QSize StartSize();
  // The checked option as a type.
  ConvType CurrentType() const;

  // The folder the source lists show; changing it refreshes the folder and
  // file lists and rebuilds the target folder. The bytes are the path as
  // the file system holds it; the text is how the lists show it.
  QString SourceFolder() const;
  QByteArray SourceFolderBytes() const;
  void SetSourceFolder(const QString& folder);
  void SetSourceFolderBytes(const QByteArray& folder);

  const ConvMarlo& cfMain() const { return cfMain_; }
  // The settings as loaded, or the defaults when the store could not load.
  clsSettings& Settings();
  bool IsConverting() const;
  bool IsPreviewing() const;
  // A folder tree is being walked for its files.
  bool IsAddingTree() const;

  // Converts the clipboard's text with the chosen type, shows it in the
  // clipboard window and puts the converted text back on the clipboard.
  void ConvertClipboard();
  // Previews the selected entry of lvwDest.
  void PreviewSelected();
  // Converts one file into the clipboard window, off this thread; writes
  // nothing to disk and leaves the clipboard alone.
  void PreviewFile(const QByteArray& path, int32_t index);
  void PreviewFile(const QString& path, int32_t type);
  // The clipboard window, loaded when it is not.
  frmClipboard* LoadClipboardWindow();
  // Adds files and folders to lvwDest as a drop does: a file; a folder's
  // files matching the pattern, or its tree with 包含子文件夾. Paths that
  // are not there are named in the progress area.
  void AddPaths(const QList<QByteArray>& paths);

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildControls();
  QWidget* BuildSourceArea();
  void Load();
  void FitToScreen();

  void RebuildTargetFolder();
  void SetTargetFolder(const QByteArray& folder);
  // The target as typed, or as set when the text is still what was set.
  QByteArray TargetFolderBytes() const;
  void AddSelectedFiles();
  // The check boxes as they stand; phrases only for a type that takes them.
  void StoreChoices();
  void PickTargetFolder();
  // The folder selected in the folder list (or the one it shows) as the
  // target, as its bytes.
  void UseChosenFolderAsTarget();
  void ShowOver(QWidget* window);
  void ConvertFiles();
  void OnRunEnded(RunOutcome outcome, const std::vector<RunEntry>& entries);
  void OpenResult(QTreeWidgetItem* row);
  void MinimizeToTray();

  ConvMarlo cfMain_;
  std::unique_ptr<clsSettings> settings_;
  TrayIcon* tray_ = nullptr;
  modHandleFrom::SkinnedFrame* frame_ = nullptr;
  QLabel* lblTitle_ = nullptr;
  OptionPanel* options_ = nullptr;  // fraOption, fraHandleExistFile, fraDesc
  SourcePanel* source_ = nullptr;   // fraSource: drvSource … chkSubFolders
  DestList* lvwDest_ = nullptr;
  ReportList* lvwResult_ = nullptr;
  ProgressArea* progress_ = nullptr;  // procTotal … cmdStopConvert
  QAction* butConvert_ = nullptr;
  bool filling_ = false;  // the lists are being refilled, not changed by the user
  bool closeAfterRun_ = false;
  bool unloaded_ = false;
  // The run's view outlives the run, which calls it until it is destroyed.
  std::unique_ptr<RunView> runView_;
  std::unique_ptr<BackgroundRun> run_;
  QPointer<frmClipboard> clipboardWindow_;
  // A file's preview is read and converted off the window's thread.
  void ShowPreview(PreviewResult& result);
  PreviewJob* preview_ = nullptr;
};

}  // namespace marlo
