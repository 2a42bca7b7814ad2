// SPDX-License-Identifier: Apache-2.0
// The settings window: the file types a batch skips, whether the
// clipboard window also shows the page and the byte values, and the
// window's language. Changes go to
// the in-memory settings at once; the store is written when the main
// window closes.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace marlo::modHandleFrom {
class SkinnedFrame;
}

namespace marlo {

class clsSettings;

class frmConfig : public QDialog {
  Q_OBJECT

 public:
  explicit frmConfig(clsSettings& settings, QWidget* parent = nullptr);

 private:
  void Load();
  void Confirm();

  clsSettings& settings_;
  modHandleFrom::SkinnedFrame* frame_ = nullptr;
  QLineEdit* txtIgnoreFileTypes_ = nullptr;
  QCheckBox* chkIsReturnbyte_ = nullptr;
  QComboBox* cboLanguage_ = nullptr;
};

}  // namespace marlo
