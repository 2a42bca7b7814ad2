// The main window: conversion types, source and target selection, the
// existing-file choice, progress and results, under the skinned frame.
#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "ConvMarlo.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QComboBox;
class QPushButton;
class QRadioButton;
class QToolBar;
class QTreeWidget;

namespace marlo {

class ProgressBarMarlo;
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

  // The folder the source lists show; changing it rebuilds the target folder.
  QString SourceFolder() const { return sourceFolder_; }
  void SetSourceFolder(const QString& folder);

  const ConvMarlo& cfMain() const { return cfMain_; }
  clsSettings& Settings() { return *settings_; }

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void Load();
  void OnConvTypeClicked(int32_t index);
  void RebuildTargetFolder();
  void MinimizeToTray();

  ConvMarlo cfMain_;
  std::unique_ptr<clsSettings> settings_;
  QString sourceFolder_;
  TrayIcon* tray_ = nullptr;
  std::array<QRadioButton*, 14> optConvType_{};
  std::array<QRadioButton*, 3> optHandleExistFile_{};
  QLabel* lblTitle_ = nullptr;
  QLabel* lblRemark_ = nullptr;
  QLineEdit* txtDescPath_ = nullptr;
  QComboBox* imcFileType_ = nullptr;
  bool unloaded_ = false;
};

}  // namespace marlo
