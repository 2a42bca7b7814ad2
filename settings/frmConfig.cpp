// SPDX-License-Identifier: Apache-2.0
#include "settings/frmConfig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "frame/modHandleFrom.h"
#include "settings/clsSettings.h"

namespace marlo {

namespace {

constexpr int kWidth = 520, kHeight = 320;

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

QWidget* Tab(QGroupBox* frame) {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(frame);
  layout->addStretch();
  return page;
}

}  // namespace

frmConfig::frmConfig(clsSettings& settings, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), settings_(settings) {
  setObjectName("frmConfig");
  setModal(true);
  frame_ = new modHandleFrom::SkinnedFrame(this);
  frame_->title()->setText(tr("設置"));
  setWindowTitle(tr("設置"));  // for screen readers and task switchers

  QWidget* content = modHandleFrom::ContentArea(this);
  auto* layout = new QVBoxLayout(content);
  layout->setContentsMargins(0, 0, 0, 0);

  auto* ignore = Named(new QGroupBox(tr("在進行文件轉換時自動跳過下列文件類型(使用分號\";\"隔開)")),
                       "fraIgnoreFileTypes");
  auto* ignoreLayout = new QVBoxLayout(ignore);
  txtIgnoreFileTypes_ = Named(new QLineEdit, "txtIgnoreFileTypes");
  ignoreLayout->addWidget(txtIgnoreFileTypes_);

  auto* returned = Named(new QGroupBox(tr("設置預覽文件或轉換剪貼板內容時的返回值")), "fraReturn");
  auto* returnLayout = new QVBoxLayout(returned);
  chkIsReturnbyte_ =
      Named(new QCheckBox(
                tr("同時用瀏覽器顯示轉換文本,并同時顯示轉換文本的十六進制編碼(最多顯示500個字符)")),
            "chkIsReturnbyte");
  returnLayout->addWidget(chkIsReturnbyte_);
  auto* note =
      Named(new QLabel(tr("注意：如果要轉換的文件內容很多，選擇該項會耗費更多的系統資源。（會比直接"
                          "轉換的耗時多很多）該選項不會影響批量轉換文件的效率。")),
            "Label1");
  note->setWordWrap(true);
  returnLayout->addWidget(note);

  auto* language = Named(new QGroupBox(tr("界面語言")), "fraLanguage");
  auto* languageLayout = new QVBoxLayout(language);
  cboLanguage_ = Named(new QComboBox, "cboLanguage");
  // Each language is named in its own words, so that a user who cannot
  // read the current one still finds theirs.
  cboLanguage_->addItem(tr("自動 (按系統語言)"), QStringLiteral("auto"));
  cboLanguage_->addItem(QStringLiteral("繁體中文"), QStringLiteral("zh_TW"));
  cboLanguage_->addItem(QStringLiteral("简体中文"), QStringLiteral("zh_CN"));
  cboLanguage_->addItem(QStringLiteral("English"), QStringLiteral("en"));
  languageLayout->addWidget(cboLanguage_);
  auto* languageNote =
      Named(new QLabel(tr("更改後的界面語言在下次啟動本程序時生效。")), "lblLanguageNote");
  languageNote->setWordWrap(true);
  languageLayout->addWidget(languageNote);

  auto* tabs = Named(new QTabWidget, "stbConfig");
  tabs->addTab(Tab(ignore), tr("非處理文件類型"));
  tabs->addTab(Tab(returned), tr("返回值"));
  tabs->addTab(Tab(language), tr("界面語言"));
  layout->addWidget(tabs, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* ok = Named(new QPushButton(tr("确定(&O)")), "cmdOK");
  auto* cancel = Named(new QPushButton(tr("取消(&C)")), "Command1");
  ok->setDefault(true);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &frmConfig::Confirm);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  // Hiding a modal window ends its wait too, with nothing copied.
  frame_->Wire();
  connect(frame_, &modHandleFrom::SkinnedFrame::minimizeClicked, this, &QDialog::reject);
  setFixedSize(minimumSizeHint().expandedTo(QSize(kWidth, kHeight)));
  Load();
}

void frmConfig::Load() {
  frame_->Skin();
  txtIgnoreFileTypes_->setText(settings_.IgnoreFileTypes());
  txtIgnoreFileTypes_->setCursorPosition(0);  // the list reads from its start
  // A value the box does not take, or one too large for its state, leaves
  // it as designed: unchecked.
  chkIsReturnbyte_->setChecked(settings_.IsReturnbyte() == 1);
  // An unknown stored value follows the locale, as the program does at start.
  cboLanguage_->setCurrentIndex(std::max(0, cboLanguage_->findData(settings_.InterfaceLanguage())));
}

void frmConfig::Confirm() {
  settings_.setIgnoreFileTypes(txtIgnoreFileTypes_->text());
  settings_.setIsReturnbyte(chkIsReturnbyte_->isChecked() ? 1 : 0);
  settings_.setInterfaceLanguage(cboLanguage_->currentData().toString());
  accept();
}

}  // namespace marlo
