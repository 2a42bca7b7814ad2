// SPDX-License-Identifier: Apache-2.0
// The main window's choices: the conversion types (fraOption "轉換方式",
// optConvType_0…13, lblRemark, chkAutoUtf8, chkPhrases), what to do with
// existing targets (fraHandleExistFile, optHandleExistFile_0…2) and the
// target (fraDesc "目標": txtDescPath, imgUseFolder, imgFindPath, chkToUtf8).
#pragma once

#include <QByteArray>
#include <QWidget>
#include <array>

#include "batch/ConversionPipeline.h"
#include "engine/ConvMarlo.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollArea;

namespace marlo {

class OptionPanel : public QWidget {
  Q_OBJECT

 public:
  explicit OptionPanel(const ConvMarlo& engine, QWidget* parent = nullptr);

  // The first checked option's index, 0 when none is (GetConvType).
  int32_t TypeIndex() const;
  ConvType Type() const;
  int32_t ExistingFileIndex() const;
  // An index outside 0..2 leaves the choice as it is.
  void SetExistingFileIndex(int32_t index);
  // The check boxes as they stand; phrases only for a type that takes them.
  ConversionChoices Choices() const;
  // The check boxes as stored, phrases whatever the type.
  ConversionChoices StoredChoices() const;
  void SetChoices(const ConversionChoices& choices);

  // The target as given (bytes, shown decoded); typing replaces it.
  void SetTargetFolder(const QByteArray& folder);
  // The target as typed, or as set when the text is still what was set.
  QByteArray TargetFolderBytes() const;
  QLineEdit* Target() const { return target_; }
  // The folder chooser (dlgMain), starting at the target when it is a
  // folder, else at the source folder; a folder chosen becomes the target.
  void PickTargetFolder(const QByteArray& sourceFolder);

  // The panel in a scroll area (scrOptions) that keeps the panel's whole
  // height while the window has room and scrolls it on a small screen.
  QScrollArea* InScrollArea();

 signals:
  void TypeClicked(int32_t index);
  void ChoicesChanged();
  void UseChosenFolder();
  void PickTargetFolderAsked();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnTypeClicked(int32_t index);

  const ConvMarlo& engine_;
  std::array<QRadioButton*, 14> types_{};
  std::array<QRadioButton*, 3> existing_{};
  QLabel* remark_;
  QCheckBox* autoUtf8_;
  QCheckBox* phrases_;
  QCheckBox* toUtf8_;
  QLineEdit* target_;
  QByteArray targetBytes_;  // the target folder as last set, and as shown:
  QString targetShown_;     // a typed text replaces it
};

}  // namespace marlo
