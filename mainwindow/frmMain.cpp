#include "frmMain.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include "Artwork.h"
#include "ConversionTypes.h"
#include "ProgressBarMarlo.h"
#include "TrayIcon.h"
#include "clsSettings.h"
#include "frmSplash.h"
#include "modFunctions.h"
#include "modHandleFrom.h"

namespace marlo {

namespace {

constexpr int kWidth = 760, kHeight = 700;

const char* const kFilePatterns[] = {"*.*",   "*.htm", "*.html", "*.txt", "*.asp", "*.jsp",
                                     "*.php", "*.xml", "*.ini",  "*.cpp", "*.h",   "*.vbp",
                                     "*.frm", "*.cls", "*.bas",  "*.log", "*.bat", "*.sql"};

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, QRect geometry) {
  auto* label = Named(new QLabel(text, parent), name);
  label->setGeometry(geometry);
  return label;
}

// A step of the load that fails leaves its part as designed; the next runs.
template <typename Step>
void Suppressed(Step step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

// Stands for the common dialog; the save dialog itself opens on demand.
class CommonDialog : public QObject {
 public:
  using QObject::QObject;
};

}  // namespace

frmMain::frmMain(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
  setObjectName("frmMain");
  setFixedSize(kWidth, kHeight);
  modFunctions::RegisterForm(this);
  BuildControls();
  Load();
}

frmMain::~frmMain() = default;

void frmMain::BuildControls() {
  modHandleFrom::CreateFrameElements(this);
  lblTitle_ = findChild<QLabel*>("lblTitle");

  auto* toolbar = Named(new QToolBar(this), "tbToolbar");
  toolbar->setGeometry(12, 34, 736, 34);
  toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  struct Button {
    const char* key;
    const char* caption;
    const char* tip;
  };
  const Button buttons[] = {{"butConvert", "開始轉換", "按選定的轉換方式轉換選定的文件."},
                            {"butConfig", "設    置", ""},
                            {"butClipboard", "剪貼板", "將剪貼板的內容按選定方式轉換."},
                            {"butPreview", "預    覽", "雙擊選定的文件,可按選定的方式轉換并預覽."},
                            {"butAbout", "關    于", ""},
                            {"butExit", "退    出", ""}};
  for (const Button& b : buttons) {
    QAction* action = toolbar->addAction(QString::fromUtf8(b.caption));
    action->setObjectName(b.key);
    action->setToolTip(QString::fromUtf8(b.tip));
  }
  connect(toolbar->findChild<QAction*>("butExit"), &QAction::triggered, this, &QWidget::close);
  connect(toolbar->findChild<QAction*>("butAbout"), &QAction::triggered, this, [this] {
    frmSplash about(this);
    about.exec();
  });

  auto* source = Named(new QGroupBox(QStringLiteral("請選擇要轉換的文件"), this), "fraSource");
  source->setGeometry(12, 72, 300, 300);
  Named(new QComboBox(source), "drvSource")->setGeometry(8, 22, 284, 24);
  Named(new QListWidget(source), "dirSource")->setGeometry(8, 50, 284, 106);
  auto* files = Named(new QListWidget(source), "FilSource");
  files->setGeometry(8, 160, 284, 100);
  files->setSelectionMode(QAbstractItemView::ExtendedSelection);
  files->setToolTip(QStringLiteral("非處理文件可以在\"設置\"中修改"));
  imcFileType_ = Named(new QComboBox(source), "imcFileType");
  imcFileType_->setGeometry(8, 266, 284, 24);

  Named(new QPushButton(QStringLiteral(">>"), this), "cmdSelect")->setGeometry(318, 180, 40, 28);
  Named(new QPushButton(QStringLiteral("<<"), this), "cmdDisSelect")->setGeometry(318, 220, 40, 28);
  auto* dest = Named(new QTreeWidget(this), "lvwDest");
  dest->setGeometry(364, 78, 384, 294);
  dest->setHeaderLabels({QStringLiteral("文件名")});
  dest->setRootIsDecorated(false);

  auto* options = Named(new QGroupBox(QStringLiteral("轉換方式"), this), "fraOption");
  options->setGeometry(12, 378, 476, 170);
  auto* typeGroup = new QButtonGroup(this);
  for (const ConversionType& type : ConversionTypes()) {
    const int i = type.index;
    auto* option = new QRadioButton(QString::fromUtf8(type.caption), options);
    option->setObjectName(QStringLiteral("optConvType_%1").arg(i));
    const int column = i / 5, left[] = {10, 150, 308}, width[] = {140, 156, 162};
    option->setGeometry(left[column], 20 + (i % 5) * 21, width[column], 20);
    typeGroup->addButton(option, i);
    optConvType_[size_t(i)] = option;
    connect(option, &QRadioButton::clicked, this, [this, i] { OnConvTypeClicked(i); });
  }
  optConvType_[0]->setChecked(true);
  lblRemark_ = AddLabel(options, "lblRemark", {}, {10, 128, 456, 38});
  lblRemark_->setWordWrap(true);

  auto* existing =
      Named(new QGroupBox(QStringLiteral("當目標文件已經存在時"), this), "fraHandleExistFile");
  existing->setGeometry(494, 378, 254, 56);
  const char* existingCaptions[] = {"跳過該文件", "詢問用戶", "直接覆蓋"};
  auto* existGroup = new QButtonGroup(this);
  for (int i = 0; i < 3; ++i) {
    auto* option = new QRadioButton(QString::fromUtf8(existingCaptions[i]), existing);
    option->setObjectName(QStringLiteral("optHandleExistFile_%1").arg(i));
    option->setGeometry(6 + i * 82, 24, 82, 22);
    existGroup->addButton(option, i);
    optHandleExistFile_[size_t(i)] = option;
  }
  optHandleExistFile_[0]->setChecked(true);

  auto* target = Named(new QGroupBox(QStringLiteral("目標"), this), "fraDesc");
  target->setGeometry(494, 440, 254, 108);
  AddLabel(target, "lblDescPath", QStringLiteral("保存路徑:"), {8, 22, 120, 20});
  txtDescPath_ = Named(new QLineEdit(target), "txtDescPath");
  txtDescPath_->setGeometry(8, 46, 208, 24);
  auto* findPath = Named(new QToolButton(target), "imgFindPath");
  findPath->setGeometry(220, 46, 26, 24);
  findPath->setText(QStringLiteral("…"));

  auto* progress = Named(new ProgressBarMarlo(this), "procTotal");
  progress->setGeometry(12, 556, 280, 20);
  AddLabel(this, "lblcurFile", QStringLiteral("正在處理:"), {300, 556, 64, 20});
  AddLabel(this, "lblHandleFieldName", {}, {364, 556, 180, 20});
  AddLabel(this, "lblHandle", QStringLiteral("總共處理文件:"), {548, 556, 90, 20});
  AddLabel(this, "lblHandFileCnt", QStringLiteral("0"), {638, 556, 40, 20});
  auto* stop = Named(new QPushButton(QStringLiteral("停止"), this), "cmdStopConvert");
  stop->setGeometry(688, 552, 60, 26);
  stop->hide();

  auto* results = Named(new QTreeWidget(this), "lvwResult");
  results->setGeometry(12, 584, 736, 84);
  results->setHeaderLabels(
      {QStringLiteral("文件名"), QStringLiteral("耗時(秒)"), QStringLiteral("描述")});
  results->setRootIsDecorated(false);

  auto* taskbar = Named(new QLabel(this), "picTaskbar");
  taskbar->setPixmap(artwork::WindowIcon().pixmap(16, 16));
  taskbar->hide();
  Named(new CommonDialog(this), "dlgMain");

  modHandleFrom::WireFrame(this, [this] { MinimizeToTray(); });
}

void frmMain::Load() {
  Suppressed([this] { modHandleFrom::SkinForm(this); });
  Suppressed([this] { settings_ = std::make_unique<clsSettings>(); });
  Suppressed([this] { cfMain_.InitMe(); });
  Suppressed([this] {
    for (const char* pattern : kFilePatterns) imcFileType_->addItem(QString::fromLatin1(pattern));
    imcFileType_->setCurrentIndex(0);
  });
  Suppressed([this] {
    sourceFolder_ = QDir::currentPath();
    txtDescPath_->setText(sourceFolder_);
  });
  setWindowTitle(QStringLiteral("Marlo"));
  const QStringList version = QCoreApplication::applicationVersion().split('.');
  auto part = [&version](int k) { return k < version.size() ? version[k].toInt() : 0; };
  lblTitle_->setText(QStringLiteral("Marlo  %1.%2.%3 Bata").arg(part(0)).arg(part(1)).arg(part(2)));
  lblTitle_->adjustSize();
  Suppressed([this] {
    tray_ = new TrayIcon(this, lblTitle_);
    tray_->SetTrayIcon(true);
  });
  if (settings_) {
    const int32_t choice = settings_->HandleExistFile();
    if (choice >= 0 && choice <= 2) optHandleExistFile_[size_t(choice)]->setChecked(true);
  }
}

int32_t frmMain::GetConvType() const {
  for (size_t i = 0; i < optConvType_.size(); ++i)
    if (optConvType_[i]->isChecked()) return int32_t(i);
  return 0;
}

int32_t frmMain::GetHandleExistFile() const {
  for (size_t i = 0; i < optHandleExistFile_.size(); ++i)
    if (optHandleExistFile_[i]->isChecked()) return int32_t(i);
  return 0;
}

QString frmMain::GetConvTypeName(int32_t index) {
  return QString::fromStdString(marlo::GetConvTypeName(index));
}

void frmMain::OnConvTypeClicked(int32_t index) {
  lblRemark_->setText(QString::fromUtf8(ConversionTypes()[size_t(index)].description));
  RebuildTargetFolder();
}

void frmMain::SetSourceFolder(const QString& folder) {
  sourceFolder_ = folder;
  RebuildTargetFolder();
}

void frmMain::RebuildTargetFolder() {
  txtDescPath_->setText(
      QString::fromStdString(DefaultTargetFolder(sourceFolder_.toStdString(), GetConvType())));
}

void frmMain::MinimizeToTray() {
  // Without a notification area a hidden window could not be reached again.
  if (tray_ && tray_->shown())
    hide();
  else
    showMinimized();
}

void frmMain::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && isMinimized() && tray_ && tray_->shown())
    hide();
}

void frmMain::closeEvent(QCloseEvent* event) {
  if (unloaded_) {
    event->accept();
    return;
  }
  unloaded_ = true;
  if (settings_) {
    settings_->setHandleExistFile(GetHandleExistFile());
    try {
      settings_->SaveSettings();
    } catch (const std::exception& e) {
      QMessageBox::critical(this, QStringLiteral("Marlo"), QString::fromStdString(e.what()));
    }
  }
  if (tray_) tray_->RemoveTrayIcon();
  event->accept();
  modFunctions::UnloadAllForms();
}

}  // namespace marlo
