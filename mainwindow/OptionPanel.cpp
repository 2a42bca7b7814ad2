// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/OptionPanel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

#include "batch/ConversionTypes.h"
#include "batch/UserTexts.h"
#include "frame/Translations.h"
#include "mainwindow/Captions.h"
#include "mainwindow/SourceLists.h"

namespace marlo {

namespace {

// What the remark says of a type, in the window's language.
QString TypeDescription(ConvType type) {
  return QCoreApplication::translate("ConversionTypes", TypeInfo(type).description);
}

// The chooser's "Type" column in the window's language: Qt's own
// translations lack the word.
class FolderTypeNames : public QFileIconProvider {
 public:
  QString type(const QFileInfo& info) const override {
    return info.isDir() ? QCoreApplication::translate("marlo::frmMain", "文件夾", "a file's type")
                        : QFileIconProvider::type(info);
  }
};

}  // namespace

OptionPanel::OptionPanel(const ConvMarlo& engine, QWidget* parent)
    : QWidget(parent), engine_(engine) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);

  auto* options =
      Named(new QGroupBox(Caption(QT_TRANSLATE_NOOP("marlo::frmMain", "轉換方式"))), "fraOption");
  auto* grid = new QGridLayout(options);
  grid->setVerticalSpacing(2);
  auto* typeGroup = new QButtonGroup(this);
  for (const ConversionType& type : ConversionTypes()) {
    const int i = IndexOf(type.type);
    auto* option = new QRadioButton(QString::fromUtf8(type.caption));
    option->setObjectName(QStringLiteral("optConvType_%1").arg(i));
    grid->addWidget(option, i % 5, i / 5);
    typeGroup->addButton(option, i);
    types_[size_t(i)] = option;
    connect(option, &QRadioButton::clicked, this, [this, i] { OnTypeClicked(i); });
  }
  types_[0]->setChecked(true);
  remark_ = Named(new QLabel, "lblRemark");
  remark_->setAccessibleName(Caption(QT_TRANSLATE_NOOP("marlo::frmMain", "說明")));
  remark_->setWordWrap(true);
  remark_->setMinimumHeight(2 * remark_->fontMetrics().lineSpacing() + 4);
  remark_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  grid->addWidget(remark_, 5, 0, 1, 3);
  autoUtf8_ = Named(new QCheckBox(UserWord(text::kAutoUtf8)), "chkAutoUtf8");
  phrases_ = Named(new QCheckBox(UserWord(text::kPhrases)), "chkPhrases");
  grid->addWidget(autoUtf8_, 6, 0, 1, 2);
  grid->addWidget(phrases_, 6, 2);
  // The remark says what phrase conversion does while the pointer is on it.
  phrases_->installEventFilter(this);
  row->addWidget(options, 3);

  auto* right = new QVBoxLayout;
  auto* existing =
      Named(new QGroupBox(Caption(QT_TRANSLATE_NOOP("marlo::frmMain", "當目標文件已經存在時"))),
            "fraHandleExistFile");
  auto* existingRow = new QHBoxLayout(existing);
  const char* existingCaptions[] = {QT_TRANSLATE_NOOP("marlo::frmMain", "跳過該文件"),
                                    QT_TRANSLATE_NOOP("marlo::frmMain", "詢問用戶"),
                                    QT_TRANSLATE_NOOP("marlo::frmMain", "直接覆蓋")};
  auto* existGroup = new QButtonGroup(this);
  for (int i = 0; i < 3; ++i) {
    auto* option = new QRadioButton(Caption(existingCaptions[i]));
    option->setObjectName(QStringLiteral("optHandleExistFile_%1").arg(i));
    existingRow->addWidget(option);
    existGroup->addButton(option, i);
    existing_[size_t(i)] = option;
  }
  existing_[0]->setChecked(true);
  right->addWidget(existing);

  auto* target =
      Named(new QGroupBox(Caption(QT_TRANSLATE_NOOP("marlo::frmMain", "目標"))), "fraDesc");
  auto* targetGrid = new QGridLayout(target);
  targetGrid->addWidget(
      Named(new QLabel(Caption(QT_TRANSLATE_NOOP("marlo::frmMain", "保存路徑:"))), "lblDescPath"),
      0, 0, 1, 2);
  target_ = Named(new QLineEdit, "txtDescPath");
  target_->setAccessibleName(Caption(QT_TRANSLATE_NOOP("marlo::frmMain", "保存路徑")));
  targetGrid->addWidget(target_, 1, 0);
  // The folder chooser shows names as UTF-8 only: a folder named in GBK or
  // Big5 is taken from the folder list, which shows it, as its bytes.
  auto* useFolder = Named(new QToolButton, "imgUseFolder");
  useFolder->setIcon(QFileIconProvider().icon(QFileIconProvider::Folder));
  useFolder->setToolTip(
      Caption(QT_TRANSLATE_NOOP("marlo::frmMain", "保存到文件夾列表中選定的文件夾")));
  useFolder->setAccessibleName(useFolder->toolTip());
  targetGrid->addWidget(useFolder, 1, 1);
  auto* findPath = Named(new QToolButton, "imgFindPath");
  findPath->setText(QStringLiteral("…"));
  findPath->setToolTip(Caption(QT_TRANSLATE_NOOP("marlo::frmMain", "保存路徑")));
  findPath->setAccessibleName(Caption(QT_TRANSLATE_NOOP("marlo::frmMain", "選擇保存路徑")));
  targetGrid->addWidget(findPath, 1, 2);
  toUtf8_ = Named(new QCheckBox(UserWord(text::kOutputUtf8)), "chkToUtf8");
  targetGrid->addWidget(toUtf8_, 2, 0, 1, 3);
  targetGrid->setRowStretch(3, 1);
  connect(findPath, &QToolButton::clicked, this, &OptionPanel::PickTargetFolderAsked);
  connect(useFolder, &QToolButton::clicked, this, &OptionPanel::UseChosenFolder);
  right->addWidget(target, 1);
  row->addLayout(right, 2);

  phrases_->setEnabled(TakesPhrases(Type()));
  for (QCheckBox* box : {autoUtf8_, toUtf8_, phrases_})
    connect(box, &QCheckBox::toggled, this, &OptionPanel::ChoicesChanged);
}

int32_t OptionPanel::TypeIndex() const {
  for (size_t i = 0; i < types_.size(); ++i)
    if (types_[i]->isChecked()) return int32_t(i);
  return 0;
}

ConvType OptionPanel::Type() const { return ConvTypeAt(TypeIndex()).value_or(ConvType{}); }

int32_t OptionPanel::ExistingFileIndex() const {
  for (size_t i = 0; i < existing_.size(); ++i)
    if (existing_[i]->isChecked()) return int32_t(i);
  return 0;
}

void OptionPanel::SetExistingFileIndex(int32_t index) {
  if (index >= 0 && index <= 2) existing_[size_t(index)]->setChecked(true);
}

ConversionChoices OptionPanel::Choices() const {
  return {autoUtf8_->isChecked(), toUtf8_->isChecked(),
          phrases_->isChecked() && TakesPhrases(Type())};
}

ConversionChoices OptionPanel::StoredChoices() const {
  return {autoUtf8_->isChecked(), toUtf8_->isChecked(), phrases_->isChecked()};
}

void OptionPanel::SetChoices(const ConversionChoices& choices) {
  autoUtf8_->setChecked(choices.detectUtf8);
  toUtf8_->setChecked(choices.toUtf8);
  phrases_->setChecked(choices.phrases);
}

void OptionPanel::OnTypeClicked(int32_t index) {
  remark_->setText(TypeDescription(ConvTypeAt(index).value_or(ConvType{})));
  phrases_->setEnabled(TakesPhrases(Type()));
  emit TypeClicked(index);
}

bool OptionPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == phrases_ && event->type() == QEvent::Enter)
    remark_->setText(UserWord(text::kPhrasesRemark));
  if (watched == phrases_ && event->type() == QEvent::Leave)
    remark_->setText(TypeDescription(Type()));
  return QWidget::eventFilter(watched, event);
}

void OptionPanel::SetTargetFolder(const QByteArray& folder) {
  targetBytes_ = folder;
  targetShown_ = ShowPath(folder, engine_).text;
  target_->setText(targetShown_);
}

QByteArray OptionPanel::TargetFolderBytes() const {
  const QString typed = target_->text();
  return typed == targetShown_ ? targetBytes_ : QFile::encodeName(typed);
}

void OptionPanel::PickTargetFolder(const QByteArray& sourceFolder) {
  // A folder is what the run needs; on this desktop that is a folder chooser.
  QFileDialog dlgMain(window(), Caption(QT_TRANSLATE_NOOP("marlo::frmMain", "保存路徑")));
  dlgMain.setObjectName("dlgMain");
  FolderTypeNames typeNames;
  dlgMain.setIconProvider(&typeNames);
  dlgMain.setFileMode(QFileDialog::Directory);
  dlgMain.setOption(QFileDialog::ShowDirsOnly);
  const QString current = target_->text().trimmed();
  dlgMain.setDirectory(QFileInfo(current).isDir() ? current : QFile::decodeName(sourceFolder));
  if (dlgMain.exec() != QDialog::Accepted || dlgMain.selectedFiles().isEmpty()) return;
  target_->setText(QDir::cleanPath(dlgMain.selectedFiles().first()));
}

QScrollArea* OptionPanel::InScrollArea() {
  auto* area = Named(new QScrollArea, "scrOptions");
  area->setWidget(this);
  area->setWidgetResizable(true);
  area->setFrameShape(QFrame::NoFrame);
  area->setFocusPolicy(Qt::NoFocus);  // Tab goes on to the options themselves
  area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
  area->setMinimumHeight(3 * fontMetrics().height());
  // The whole height while there is room; QScrollArea would offer less.
  area->setMaximumHeight(sizeHint().height());
  // Scrolled, the options lose no width to the scroll bar.
  area->setMinimumWidth(minimumSizeHint().width() + area->verticalScrollBar()->sizeHint().width());
  return area;
}

}  // namespace marlo
