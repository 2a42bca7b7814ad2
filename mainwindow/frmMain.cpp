// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/frmMain.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>

#include <sys/stat.h>

#include "batch/ConversionTypes.h"
#include "batch/InputCheck.h"
#include "batch/SourceSelection.h"
#include "batch/TextFile.h"
#include "batch/UserTexts.h"
#include "clipboard/TextForms.h"
#include "clipboard/frmClipboard.h"
#include "frame/Artwork.h"
#include "frame/ElidedLabel.h"
#include "frame/ProgressBarMarlo.h"
#include "frame/Translations.h"
#include "frame/frmSplash.h"
#include "frame/modFunctions.h"
#include "frame/modHandleFrom.h"
#include "mainwindow/BackgroundRun.h"
#include "mainwindow/FolderWatch.h"
#include "mainwindow/ReportList.h"
#include "mainwindow/RunView.h"
#include "mainwindow/SourceLists.h"
#include "mainwindow/TrayIcon.h"
#include "settings/clsSettings.h"
#include "settings/frmConfig.h"

namespace marlo {

namespace {

// The size the window starts at the first time, where the screen has room:
// on 1280 × 1024 its lists show six rows and more.
constexpr int kStartWidth = 800, kStartHeight = 900;

constexpr int kDepthRole = Qt::UserRole + 1;  // of a folder row: how far it is indented

const char* const kFilePatterns[] = {"*.*",   "*.htm", "*.html", "*.txt", "*.asp", "*.jsp",
                                     "*.php", "*.xml", "*.ini",  "*.cpp", "*.h",   "*.vbp",
                                     "*.frm", "*.cls", "*.bas",  "*.log", "*.bat", "*.sql"};

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// What the remark says of a type, in the window's language.
QString TypeDescription(ConvType type) {
  return QCoreApplication::translate("ConversionTypes", TypeInfo(type).description);
}

// A tooltip: a text, and on a line of its own how a name was decoded.
QString WithNote(const QString& text, const QString& note) {
  return note.isEmpty() ? text : text + '\n' + note;
}

// A step of the load that fails leaves its part as designed, and the next
// runs; the failure is logged. Tables that did not load say so when a run
// starts.
template <typename Step>
void Suppressed(const char* what, Step step) {
  try {
    step();
  } catch (const std::exception& e) {
    qWarning("marlo: %s failed: %s", what, e.what());
  }
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

frmMain::frmMain(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
  setObjectName("frmMain");
  // The program ends through this window's unload only, which saves the
  // settings; not when some other window happens to close last.
  QApplication::setQuitOnLastWindowClosed(false);
  modFunctions::RegisterForm(this);
  BuildControls();
  runView_ =
      std::make_unique<RunView>(*this, cfMain_, *progress_, *lvwResult_, *lvwDest_, *txtDescPath_);
  setMinimumSize(minimumSizeHint());
  modHandleFrom::AllowResize(this);
  previewWatcher_ = new QFutureWatcher<std::shared_ptr<PreviewWork>>(this);
  connect(previewWatcher_, &QFutureWatcher<std::shared_ptr<PreviewWork>>::finished, this,
          [this] { ShowPreview(previewWatcher_->result()); });
  Load();
  FitToScreen();
}

frmMain::~frmMain() {
  run_.reset();  // waits for the file under way; the view must outlive it
  previewWatcher_->waitForFinished();
  if (treeWalks_ > 0) QGuiApplication::restoreOverrideCursor();  // its list is gone
}

void frmMain::BuildControls() {
  modHandleFrom::CreateFrameElements(this);
  lblTitle_ = findChild<QLabel*>("lblTitle");

  QWidget* content = modHandleFrom::ContentArea(this);

  auto* toolbar = Named(new QToolBar(content), "tbToolbar");
  toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  struct Button {
    const char* key;
    const char* caption;
    const char* tip;
  };
  const Button buttons[] = {
      {"butConvert", QT_TRANSLATE_NOOP("marlo::frmMain", "開始轉換"),
       QT_TRANSLATE_NOOP("marlo::frmMain", "按選定的轉換方式轉換選定的文件.")},
      {"butConfig", QT_TRANSLATE_NOOP("marlo::frmMain", "設    置"), nullptr},
      {"butClipboard", QT_TRANSLATE_NOOP("marlo::frmMain", "剪貼板"),
       QT_TRANSLATE_NOOP("marlo::frmMain", "將剪貼板的內容按選定方式轉換.")},
      {"butPreview", QT_TRANSLATE_NOOP("marlo::frmMain", "預    覽"),
       QT_TRANSLATE_NOOP("marlo::frmMain", "雙擊選定的文件,可按選定的方式轉換并預覽.")},
      {"butAbout", QT_TRANSLATE_NOOP("marlo::frmMain", "關    于"), nullptr},
      {"butExit", QT_TRANSLATE_NOOP("marlo::frmMain", "退    出"), nullptr}};
  for (const Button& b : buttons) {
    QAction* action = toolbar->addAction(tr(b.caption));
    action->setObjectName(b.key);
    if (b.tip) action->setToolTip(tr(b.tip));
  }
  butConvert_ = toolbar->findChild<QAction*>("butConvert");
  butConvert_->setShortcut(Qt::Key_F5);
  connect(butConvert_, &QAction::triggered, this, &frmMain::ConvertFiles);
  connect(toolbar->findChild<QAction*>("butExit"), &QAction::triggered, this, &QWidget::close);
  connect(toolbar->findChild<QAction*>("butClipboard"), &QAction::triggered, this,
          &frmMain::ConvertClipboard);
  toolbar->findChild<QAction*>("butClipboard")->setShortcut(QKeySequence("Ctrl+Shift+V"));
  connect(toolbar->findChild<QAction*>("butPreview"), &QAction::triggered, this,
          &frmMain::PreviewSelected);
  connect(toolbar->findChild<QAction*>("butConfig"), &QAction::triggered, this, [this] {
    frmConfig config(Settings(), this);
    config.exec();
  });
  connect(toolbar->findChild<QAction*>("butAbout"), &QAction::triggered, this, [this] {
    frmSplash about(this);
    about.ShowCloseButton();
    about.exec();
  });

  auto* layout = new QVBoxLayout(content);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(toolbar);
  // The lists take the room there is, and what the window gains. The
  // options keep their height while the window has room and scroll on a
  // small screen, so that results and buttons are never off screen.
  layout->addWidget(BuildSourceArea(), 5);
  auto* options = Named(new QScrollArea(content), "scrOptions");
  options->setWidget(BuildOptionArea());
  options->setWidgetResizable(true);
  options->setFrameShape(QFrame::NoFrame);
  options->setFocusPolicy(Qt::NoFocus);  // Tab goes on to the options themselves
  options->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  options->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
  options->setMinimumHeight(3 * fontMetrics().height());
  // The options' whole height while there is room; QScrollArea would
  // offer less.
  options->setMaximumHeight(options->widget()->sizeHint().height());
  // Scrolled, the options lose no width to the scroll bar.
  options->setMinimumWidth(options->widget()->minimumSizeHint().width() +
                           options->verticalScrollBar()->sizeHint().width());
  layout->addWidget(options);
  progress_ = new ProgressArea(content);
  connect(progress_, &ProgressArea::StopClicked, this, [this] {
    if (run_) run_->RequestStop();
  });
  layout->addWidget(progress_);

  lvwResult_ = Named(new ReportList(content), "lvwResult");
  lvwResult_->setAccessibleName(tr("轉換結果"));
  lvwResult_->setHeaderLabels({tr("文件名"), tr("耗時(秒)"), tr("描述")});
  lvwResult_->setColumnWidth(0, 220);
  lvwResult_->setColumnWidth(1, 70);
  connect(lvwResult_, &QTreeWidget::itemDoubleClicked, this, &frmMain::OpenResult);
  layout->addWidget(lvwResult_, 2);
  // At their least the lists show three rows: the window fits a screen of
  // 1024 × 560 logical pixels.
  const int fewRows = 3 * fontMetrics().height() + 8;
  for (QAbstractScrollArea* list :
       std::initializer_list<QAbstractScrollArea*>{dirSource_, FilSource_, lvwDest_, lvwResult_})
    list->setMinimumHeight(fewRows);
  lvwResult_->setMinimumHeight(fewRows + lvwResult_->header()->sizeHint().height());

  auto* taskbar = Named(new QLabel(this), "picTaskbar");
  taskbar->setPixmap(artwork::WindowIcon().pixmap(16, 16));
  taskbar->hide();

  modHandleFrom::WireFrame(this, [this] { MinimizeToTray(); });

  // A burst of changes (a copy of many files) refreshes the lists once.
  watcher_ = new FolderWatch(this);
  refreshTimer_ = new QTimer(this);
  refreshTimer_->setSingleShot(true);
  refreshTimer_->setInterval(200);
  connect(watcher_, &FolderWatch::Changed, refreshTimer_, qOverload<>(&QTimer::start));
  connect(refreshTimer_, &QTimer::timeout, this, &frmMain::RefreshLists);
}

QWidget* frmMain::BuildSourceArea() {
  auto* area = new QWidget;
  auto* row = new QHBoxLayout(area);
  row->setContentsMargins(0, 0, 0, 0);

  auto* source = Named(new QGroupBox(tr("請選擇要轉換的文件")), "fraSource");
  auto* column = new QVBoxLayout(source);
  drvSource_ = Named(new QComboBox, "drvSource");
  drvSource_->setAccessibleName(tr("位置"));
  dirSource_ = Named(new QListWidget, "dirSource");
  dirSource_->setAccessibleName(tr("文件夾"));
  dirSource_->setItemDelegate(new IndentDelegate(dirSource_));
  dirSource_->setIconSize(QSize(16, 16));  // rows of the text's height: more of them show
  FilSource_ = Named(new QListWidget, "FilSource");
  FilSource_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  FilSource_->setUniformItemSizes(true);
  FilSource_->setToolTip(tr("非處理文件可以在\"設置\"中修改"));
  FilSource_->setAccessibleName(tr("文件"));
  imcFileType_ = Named(new QComboBox, "imcFileType");
  imcFileType_->setAccessibleName(tr("文件類型"));
  column->addWidget(drvSource_);
  column->addWidget(dirSource_, 1);
  column->addWidget(FilSource_, 1);
  // The pattern and the tree option share a row: the lists get its height.
  auto* filterRow = new QHBoxLayout;
  filterRow->addWidget(imcFileType_, 1);
  chkSubFolders_ = Named(new QCheckBox(UserWord(text::kSubFolders)), "chkSubFolders");
  filterRow->addWidget(chkSubFolders_);
  column->addLayout(filterRow);
  row->addWidget(source, 4);

  connect(drvSource_, &QComboBox::activated, this,
          [this](int index) { SetSourceFolder(drvSource_->itemData(index).toString()); });
  connect(dirSource_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    SetSourceFolderBytes(item->data(kPathRole).toByteArray());
  });
  connect(imcFileType_, &QComboBox::activated, this, [this] { RefreshFileList(); });
  connect(FilSource_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    // Enter on the current file adds it even when the keyboard left it
    // unselected; a double click has selected it already.
    if (!item->isSelected()) item->setSelected(true);
    AddSelectedFiles();
  });

  auto* buttons = new QVBoxLayout;
  buttons->addStretch();
  auto* select = Named(new QPushButton(QStringLiteral(">>")), "cmdSelect");
  auto* deselect = Named(new QPushButton(QStringLiteral("<<")), "cmdDisSelect");
  select->setAccessibleName(tr("加入選定的文件"));
  deselect->setAccessibleName(tr("移除選定的文件"));
  for (QPushButton* button : {select, deselect}) {
    button->setFixedWidth(44);
    buttons->addWidget(button);
  }
  buttons->addStretch();
  row->addLayout(buttons);
  connect(select, &QPushButton::clicked, this, &frmMain::AddSelectedFiles);
  lvwDest_ = Named(new DestList(cfMain_), "lvwDest");
  lvwDest_->setHeaderLabels({tr("文件名")});
  lvwDest_->setAccessibleName(tr("要轉換的文件"));
  connect(deselect, &QPushButton::clicked, lvwDest_, &DestList::RemoveSelected);
  connect(lvwDest_, &DestList::PathsDropped, this, &frmMain::AddDroppedPaths);
  connect(lvwDest_, &DestList::CountChanged, this,
          [this](int count) { progress_->ShowCount(count); });
  // A double click, or Enter, previews the entry.
  connect(lvwDest_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    if (!item->isSelected()) lvwDest_->setCurrentItem(item);  // Enter on an unselected entry
    PreviewSelected();
  });
  row->addWidget(lvwDest_, 5);
  return area;
}

QWidget* frmMain::BuildOptionArea() {
  auto* area = new QWidget;
  auto* row = new QHBoxLayout(area);
  row->setContentsMargins(0, 0, 0, 0);

  auto* options = Named(new QGroupBox(tr("轉換方式")), "fraOption");
  auto* grid = new QGridLayout(options);
  grid->setVerticalSpacing(2);
  auto* typeGroup = new QButtonGroup(this);
  for (const ConversionType& type : ConversionTypes()) {
    const int i = IndexOf(type.type);
    auto* option = new QRadioButton(Text(type.caption));
    option->setObjectName(QStringLiteral("optConvType_%1").arg(i));
    grid->addWidget(option, i % 5, i / 5);
    typeGroup->addButton(option, i);
    optConvType_[size_t(i)] = option;
    connect(option, &QRadioButton::clicked, this, [this, i] { OnConvTypeClicked(i); });
  }
  optConvType_[0]->setChecked(true);
  lblRemark_ = Named(new QLabel, "lblRemark");
  lblRemark_->setAccessibleName(tr("說明"));
  lblRemark_->setWordWrap(true);
  lblRemark_->setMinimumHeight(2 * lblRemark_->fontMetrics().lineSpacing() + 4);
  lblRemark_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  grid->addWidget(lblRemark_, 5, 0, 1, 3);
  chkAutoUtf8_ = Named(new QCheckBox(UserWord(text::kAutoUtf8)), "chkAutoUtf8");
  chkPhrases_ = Named(new QCheckBox(UserWord(text::kPhrases)), "chkPhrases");
  grid->addWidget(chkAutoUtf8_, 6, 0, 1, 2);
  grid->addWidget(chkPhrases_, 6, 2);
  // The remark says what phrase conversion does while the pointer is on it.
  chkPhrases_->installEventFilter(this);
  row->addWidget(options, 3);

  auto* right = new QVBoxLayout;
  auto* existing = Named(new QGroupBox(tr("當目標文件已經存在時")), "fraHandleExistFile");
  auto* existingRow = new QHBoxLayout(existing);
  const char* existingCaptions[] = {QT_TRANSLATE_NOOP("marlo::frmMain", "跳過該文件"),
                                    QT_TRANSLATE_NOOP("marlo::frmMain", "詢問用戶"),
                                    QT_TRANSLATE_NOOP("marlo::frmMain", "直接覆蓋")};
  auto* existGroup = new QButtonGroup(this);
  for (int i = 0; i < 3; ++i) {
    auto* option = new QRadioButton(tr(existingCaptions[i]));
    option->setObjectName(QStringLiteral("optHandleExistFile_%1").arg(i));
    existingRow->addWidget(option);
    existGroup->addButton(option, i);
    optHandleExistFile_[size_t(i)] = option;
  }
  optHandleExistFile_[0]->setChecked(true);
  right->addWidget(existing);

  auto* target = Named(new QGroupBox(tr("目標")), "fraDesc");
  auto* targetGrid = new QGridLayout(target);
  targetGrid->addWidget(Named(new QLabel(tr("保存路徑:")), "lblDescPath"), 0, 0, 1, 2);
  txtDescPath_ = Named(new QLineEdit, "txtDescPath");
  txtDescPath_->setAccessibleName(tr("保存路徑"));
  targetGrid->addWidget(txtDescPath_, 1, 0);
  // The folder chooser shows names as UTF-8 only: a folder named in GBK or
  // Big5 is taken from the folder list, which shows it, as its bytes.
  auto* useFolder = Named(new QToolButton, "imgUseFolder");
  useFolder->setIcon(QFileIconProvider().icon(QFileIconProvider::Folder));
  useFolder->setToolTip(tr("保存到文件夾列表中選定的文件夾"));
  useFolder->setAccessibleName(useFolder->toolTip());
  targetGrid->addWidget(useFolder, 1, 1);
  auto* findPath = Named(new QToolButton, "imgFindPath");
  findPath->setText(QStringLiteral("…"));
  findPath->setToolTip(tr("保存路徑"));
  findPath->setAccessibleName(tr("選擇保存路徑"));
  targetGrid->addWidget(findPath, 1, 2);
  chkToUtf8_ = Named(new QCheckBox(UserWord(text::kOutputUtf8)), "chkToUtf8");
  targetGrid->addWidget(chkToUtf8_, 2, 0, 1, 3);
  targetGrid->setRowStretch(3, 1);
  connect(findPath, &QToolButton::clicked, this, &frmMain::PickTargetFolder);
  connect(useFolder, &QToolButton::clicked, this, &frmMain::UseChosenFolderAsTarget);
  right->addWidget(target, 1);
  row->addLayout(right, 2);
  return area;
}

void frmMain::Load() {
  Suppressed("the skin", [this] { modHandleFrom::SkinForm(this); });
  Suppressed("loading the settings", [this] { settings_ = std::make_unique<clsSettings>(); });
  Suppressed("loading the code tables", [this] { cfMain_.InitMe(); });
  Suppressed("the file types", [this] {
    for (const char* pattern : kFilePatterns) imcFileType_->addItem(QString::fromLatin1(pattern));
    imcFileType_->setCurrentIndex(0);
  });
  Suppressed("the drive list", [this] { FillDrives(); });
  // The target follows the start folder as it follows any folder change:
  // the start folder itself would make every file its own target.
  Suppressed("the start folder", [this] { SetSourceFolder(QDir::homePath()); });
  setWindowTitle(QStringLiteral("Marlo"));
  const QStringList version = QCoreApplication::applicationVersion().split('.');
  auto part = [&version](int k) { return k < version.size() ? version[k].toInt() : 0; };
  modHandleFrom::SetTitle(
      this, QStringLiteral("Marlo  %1.%2.%3 Bata").arg(part(0)).arg(part(1)).arg(part(2)));
  Suppressed("the notification area icon", [this] {
    tray_ = new TrayIcon(this, lblTitle_);
    tray_->SetTrayIcon(true);
  });
  const int32_t choice = Settings().HandleExistFile();
  if (choice >= 0 && choice <= 2) optHandleExistFile_[size_t(choice)]->setChecked(true);
  const ConversionChoices stored = Settings().Choices();
  chkAutoUtf8_->setChecked(stored.detectUtf8);
  chkToUtf8_->setChecked(stored.toUtf8);
  chkPhrases_->setChecked(stored.phrases);
  chkSubFolders_->setChecked(Settings().IncludeSubFolders());
  chkPhrases_->setEnabled(TakesPhrases(CurrentType()));
  // The clipboard window reads the choices from the settings when it converts.
  for (QCheckBox* box : {chkAutoUtf8_, chkToUtf8_, chkPhrases_, chkSubFolders_})
    connect(box, &QCheckBox::toggled, this, &frmMain::StoreChoices);
  dirSource_->setFocus();
}

void frmMain::FitToScreen() {
  // The last size, or the first one; never more than the screen has room
  // for, never less than the controls need.
  QSize size(Settings().WindowWidth(), Settings().WindowHeight());
  if (size.width() <= 0 || size.height() <= 0) size = StartSize();
  if (const QScreen* screen = this->screen()) {
    // At a fractional scale the room is rounded up: one pixel less fits.
    const QRect room = screen->availableGeometry().adjusted(0, 0, -1, -1);
    size = size.boundedTo(room.size());
    resize(size.expandedTo(minimumSize()));
    move(room.topLeft() + QPoint(std::max(0, (room.width() - width()) / 2),
                                 std::max(0, (room.height() - height()) / 2)));
    return;
  }
  resize(size.expandedTo(minimumSize()));
}

QSize frmMain::StartSize() { return {kStartWidth, kStartHeight}; }

clsSettings& frmMain::Settings() {
  // A store that failed to load leaves the defaults, in memory only.
  if (!settings_) settings_ = std::make_unique<clsSettings>(QString());
  return *settings_;
}

bool frmMain::IsConverting() const { return run_ && run_->IsRunning(); }

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
  const std::optional<ConvType> type = ConvTypeAt(index);
  return type ? QString::fromStdString(marlo::GetConvTypeName(*type)) : QString();
}

ConvType frmMain::CurrentType() const { return ConvTypeAt(GetConvType()).value_or(ConvType{}); }

ConversionChoices frmMain::Choices() const {
  return {chkAutoUtf8_->isChecked(), chkToUtf8_->isChecked(),
          chkPhrases_->isChecked() && TakesPhrases(CurrentType())};
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == chkPhrases_ && event->type() == QEvent::Enter)
    lblRemark_->setText(UserWord(text::kPhrasesRemark));
  if (watched == chkPhrases_ && event->type() == QEvent::Leave)
    lblRemark_->setText(TypeDescription(CurrentType()));
  return QWidget::eventFilter(watched, event);
}

void frmMain::StoreChoices() {
  Settings().setChoices(
      {chkAutoUtf8_->isChecked(), chkToUtf8_->isChecked(), chkPhrases_->isChecked()});
  Settings().setIncludeSubFolders(chkSubFolders_->isChecked());
}

void frmMain::OnConvTypeClicked(int32_t index) {
  lblRemark_->setText(TypeDescription(ConvTypeAt(index).value_or(ConvType{})));
  chkPhrases_->setEnabled(TakesPhrases(CurrentType()));
  RebuildTargetFolder();
}

void frmMain::RebuildTargetFolder() {
  SetTargetFolder(
      QByteArray::fromStdString(DefaultTargetFolder(sourceFolder_.toStdString(), CurrentType())));
}

void frmMain::SetTargetFolder(const QByteArray& folder) {
  targetBytes_ = folder;
  targetShown_ = ShowPath(folder, cfMain_).text;
  txtDescPath_->setText(targetShown_);
}

QByteArray frmMain::TargetFolderBytes() const {
  const QString typed = txtDescPath_->text();
  return typed == targetShown_ ? targetBytes_ : QFile::encodeName(typed);
}

void frmMain::FillDrives() {
  drvSource_->clear();
  for (const Place& place : SourcePlaces()) drvSource_->addItem(place.label, place.path);
}

QString frmMain::SourceFolder() const { return ShowPath(sourceFolder_, cfMain_).text; }

void frmMain::SetSourceFolder(const QString& folder) {
  SetSourceFolderBytes(QFile::encodeName(folder));
}

void frmMain::SetSourceFolderBytes(const QByteArray& folder) {
  // Latin-1 carries any bytes through the path cleaning unchanged.
  sourceFolder_ = QDir::cleanPath(QString::fromLatin1(folder)).toLatin1();
  if (sourceFolder_.isEmpty()) sourceFolder_ = "/";

  // The drive box shows the place the folder lies in: the longest match.
  int place = -1;
  qsizetype matched = -1;
  for (int k = 0; k < drvSource_->count(); ++k) {
    const QByteArray root = QFile::encodeName(drvSource_->itemData(k).toString());
    const bool inside =
        sourceFolder_ == root || root == "/" || sourceFolder_.startsWith(root + '/');
    if (inside && root.size() > matched) {
      place = k;
      matched = root.size();
    }
  }
  if (place >= 0) drvSource_->setCurrentIndex(place);

  // New files and folders show without leaving and entering again.
  if (watcher_) watcher_->Watch(sourceFolder_);
  FillFolderList();
  RefreshFileList();
  RebuildTargetFolder();
}

void frmMain::FillFolderList() {
  dirSource_->clear();
  const QFileIconProvider icons;
  for (const FolderRow& row : FolderRows(sourceFolder_, cfMain_)) {
    auto* item =
        new QListWidgetItem(icons.icon(QFileIconProvider::Folder), row.name.text, dirSource_);
    item->setData(kPathRole, row.path);
    item->setData(kDepthRole, row.depth);
    item->setToolTip(WithNote(ShowPath(row.path, cfMain_).text, row.name.note));
    // The folder shown is current, not selected: a selected folder is one
    // the user chose, whose tree ">>" may add.
    if (row.current) {
      QFont font = item->font();
      font.setBold(true);
      item->setFont(font);
      dirSource_->setCurrentItem(item, QItemSelectionModel::NoUpdate);
    }
  }
}

void frmMain::RefreshFileList() {
  FilSource_->clear();
  for (const ShownName& name : FilesMatching(sourceFolder_, imcFileType_->currentText(), cfMain_)) {
    auto* item = new QListWidgetItem(name.text, FilSource_);
    item->setData(kPathRole, name.bytes);
    if (!name.note.isEmpty()) item->setToolTip(name.note);
  }
}

void frmMain::RefreshLists() {
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
  const QByteArray currentFolder = remember(dirSource_, folders);
  const QByteArray currentFile = remember(FilSource_, files);
  FillFolderList();
  RefreshFileList();
  restore(dirSource_, folders, currentFolder);
  restore(FilSource_, files, currentFile);
}

void frmMain::AddSelectedFiles() {
  std::vector<std::string> names;
  for (int i = 0; i < FilSource_->count(); ++i)
    if (FilSource_->item(i)->isSelected())
      names.push_back(FilSource_->item(i)->data(kPathRole).toByteArray().toStdString());
  // Chosen files are what ">>" adds; a folder's tree only when the user
  // chose the folder and no file.
  if (!names.empty()) return AddFiles(sourceFolder_, names);
  if (chkSubFolders_->isChecked())
    for (const QListWidgetItem* folder : dirSource_->selectedItems())
      AddTree(folder->data(kPathRole).toByteArray());
  lvwDest_->AddEntries({});  // the count is shown after every add
}

void frmMain::AddFiles(const QByteArray& folder, const std::vector<std::string>& names) {
  lvwDest_->AddEntries(EntriesToAdd(folder.toStdString(), names,
                                    Settings().IgnoreFileTypes().toStdString(),
                                    [this](const std::string& path) {
                                      return lvwDest_->Contains(QByteArray::fromStdString(path));
                                    }));
}

void frmMain::AddTree(const QByteArray& folder) {
  // A large tree takes seconds to walk: off the window's thread, and its
  // files join the list once it is walked.
  auto* walk = new QFutureWatcher<TreeListing>(this);
  connect(walk, &QFutureWatcher<TreeListing>::finished, this, [this, walk] {
    TreeListing listing = walk->result();
    walk->deleteLater();
    if (--treeWalks_ == 0) QGuiApplication::restoreOverrideCursor();
    // A folder that cannot be read has no file to list; files listed
    // already, also by a walk that ended first, stay as they are.
    std::erase_if(listing.entries, [this](const RunEntry& entry) {
      return entry.failure || lvwDest_->Contains(QByteArray::fromStdString(entry.fullPath));
    });
    lvwDest_->AddEntries(listing.entries);
    // What the walk left out is said where the run's summary goes, unless
    // a run is showing its files there.
    if (IsConverting()) return;
    QString added = UserWord(text::kTreeAdded).arg(listing.entries.size());
    if (listing.typeFolders) added += UserWord(text::kTypeFoldersLeftOut).arg(listing.typeFolders);
    if (listing.ignoredFiles) added += UserWord(text::kIgnoredByList).arg(listing.ignoredFiles);
    progress_->ShowOutcome(added);
  });
  if (treeWalks_++ == 0) QGuiApplication::setOverrideCursor(Qt::BusyCursor);
  walk->setFuture(QtConcurrent::run([root = folder.toStdString(),
                                     ignore = Settings().IgnoreFileTypes().toStdString(),
                                     target = TargetFolderBytes().toStdString()] {
    return ListTree(root, IgnoreList(ignore, IgnoreList::Rule::kSubstring),
                    {target, /*skipTypeFolders=*/true, /*skipBinary=*/false});
  }));
}

void frmMain::AddDroppedPaths(const QList<QByteArray>& paths) {
  for (QByteArray path : paths) {
    while (path.size() > 1 && path.endsWith('/')) path.chop(1);
    struct stat info;
    if (::stat(path.constData(), &info) != 0) continue;
    if (S_ISDIR(info.st_mode) && chkSubFolders_->isChecked()) {
      AddTree(path);
    } else if (S_ISDIR(info.st_mode)) {
      std::vector<std::string> names;
      for (const ShownName& name : FilesMatching(path, imcFileType_->currentText(), cfMain_))
        names.push_back(name.bytes.toStdString());
      AddFiles(path, names);
    } else if (S_ISREG(info.st_mode)) {
      const qsizetype slash = path.lastIndexOf('/');
      AddFiles(slash <= 0 ? QByteArray("/") : path.left(slash),
               {path.mid(slash + 1).toStdString()});
    }
  }
}

namespace {

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

void frmMain::UseChosenFolderAsTarget() {
  const QList<QListWidgetItem*> chosen = dirSource_->selectedItems();
  SetTargetFolder(chosen.isEmpty() ? sourceFolder_ : chosen.first()->data(kPathRole).toByteArray());
}

void frmMain::PickTargetFolder() {
  // A folder is what the run needs; on this desktop that is a folder chooser.
  QFileDialog dlgMain(this, tr("保存路徑"));
  dlgMain.setObjectName("dlgMain");
  FolderTypeNames typeNames;
  dlgMain.setIconProvider(&typeNames);
  dlgMain.setFileMode(QFileDialog::Directory);
  dlgMain.setOption(QFileDialog::ShowDirsOnly);
  const QString current = txtDescPath_->text().trimmed();
  dlgMain.setDirectory(QFileInfo(current).isDir() ? current : QFile::decodeName(sourceFolder_));
  if (dlgMain.exec() != QDialog::Accepted || dlgMain.selectedFiles().isEmpty()) return;
  txtDescPath_->setText(QDir::cleanPath(dlgMain.selectedFiles().first()));
}

void frmMain::ConvertFiles() {
  if (lvwDest_->topLevelItemCount() == 0 || IsConverting()) return;
  RunSettings settings;
  settings.entries = lvwDest_->Entries();
  settings.convType = CurrentType();
  settings.checkInput = true;  // as marlo-convert does: a row says when the bytes look wrong
  settings.targetFolderText = TargetFolderBytes().toStdString();
  settings.handleExistFile = ExistingFileAt(GetHandleExistFile()).value_or(ExistingFile::kSkip);
  const ConversionChoices choices = Choices();
  settings.detectUtf8 = choices.detectUtf8;
  settings.ends.toUtf8 = choices.toUtf8;
  settings.phrases = choices.phrases;

  run_.reset();
  runView_->SetType(settings.convType);
  run_ = std::make_unique<BackgroundRun>(cfMain_, settings, *runView_);
  connect(run_.get(), &BackgroundRun::finished, this,
          [this, entries = settings.entries](RunOutcome outcome) { OnRunEnded(outcome, entries); });
  butConvert_->setEnabled(false);
  run_->Start();
}

void frmMain::OnRunEnded(RunOutcome outcome, const std::vector<RunEntry>& entries) {
  // Entries the user added during the run wait for the next one.
  if (outcome == RunOutcome::kFinished) lvwDest_->Remove(entries);
  butConvert_->setEnabled(true);
  if (closeAfterRun_) close();
}

void frmMain::ShowOver(QWidget* window) {
  // Opened for the first time, or hidden since: centred on this window, not
  // at the screen's corner over its toolbar. A window left showing stays
  // where the user put it.
  if (!window->isVisible()) modHandleFrom::PlaceOver(window, this);
  window->show();
}

frmClipboard* frmMain::LoadClipboardWindow() {
  if (!clipboardWindow_) clipboardWindow_ = new frmClipboard(cfMain_, Settings());
  return clipboardWindow_;
}

void frmMain::ConvertClipboard() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  const QMimeData* mime = clipboard->mimeData();
  if (!mime || !mime->hasText()) {
    QMessageBox::warning(this, tr("類型不匹配"),
                         tr("只有當剪貼板中的內容是文本時,才能使用該功能!"));
    return;
  }
  const int32_t type = GetConvType();
  frmClipboard* window = LoadClipboardWindow();
  window->SetTitle(tr("剪貼板:(") + GetConvTypeName(type) + ')');
  window->SetText(clipboard->text());
  ShowOver(window);
  window->raise();
  window->repaint();
  qsizetype lost = 0;
  const auto result = window->GetConvData(clipboard->text(), type, &lost);
  if (!result) return;
  const ConversionType& info = TypeInfo(CurrentType());
  if (lost > 0) {
    // The clipboard may hold the only copy of the text: nothing of it is
    // replaced without the user's word.
    QMessageBox box(
        QMessageBox::Warning, QStringLiteral("Marlo"),
        UserWord(text::kCharactersReplaced)
            .arg(lost)
            .arg(QString::fromLatin1(EncodedCodeName(info.type, FormEncodedFromUtf8(info.type)))),
        QMessageBox::Yes | QMessageBox::No, window);
    box.setObjectName("msgClipboardLoss");
    box.setInformativeText(UserWord(text::kClipboardLossQuestion));
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes) return;
  }
  clipboard->setText(DecodeBytes(cfMain_, result->strResult, info.target));
}

void frmMain::PreviewSelected() {
  const QByteArray path = lvwDest_->SelectedPath();
  if (!path.isEmpty()) PreviewFile(path, GetConvType());
}

void frmMain::PreviewFile(const QString& path, int32_t type) {
  PreviewFile(QFile::encodeName(path), type);
}

struct frmMain::PreviewWork {
  QByteArray path;
  ConvType type{};
  PreviewData data;
  std::unique_ptr<QTextDocument> text;
  QString error;
};

void frmMain::PreviewFile(const QByteArray& path, int32_t index) {
  const std::optional<ConvType> known = ConvTypeAt(index);
  if (!known || previewing_) return;  // one at a time; the busy pointer says so
  const ConvType type = *known;
  if (!textfile::FileExists(path.toStdString())) {
    QMessageBox::warning(this, QStringLiteral("Marlo"), tr("該文件不存在!"));
    return;
  }
  frmClipboard* window = LoadClipboardWindow();
  QGuiApplication::setOverrideCursor(Qt::BusyCursor);
  ShowOver(window);
  window->raise();
  window->repaint();

  // Reading, converting and laying out a large file's text take seconds:
  // they run off the window's thread, and only the finished document meets
  // the window.
  const bool byteFlag = window->ByteFlag();
  const QFont font = window->findChild<QWidget*>("txtDest")->font();
  QThread* uiThread = thread();
  previewing_ = true;
  const ConversionChoices choices = Choices();
  previewWatcher_->setFuture(
      QtConcurrent::run([this, path, type, byteFlag, font, uiThread, choices] {
        auto work = std::make_shared<PreviewWork>();
        work->path = path;
        work->type = type;
        try {
          // Each copy goes as soon as the next exists, so that a large file
          // costs about twice its size at the most, not every copy at once.
          std::string bytes = textfile::ReadAll(path.toStdString());
          work->data = ConvertForPreview(cfMain_, type, bytes, byteFlag, choices);
          std::string().swap(bytes);
          if (work->data.failure != PreviewFailure::kNone)
            work->error = UserWord(work->data.failure == PreviewFailure::kOutOfMemory
                                       ? text::kOutOfMemory
                                       : text::kEngineNotReady);
          if (work->data.result) {
            QString text = DecodeBytes(cfMain_, work->data.result->strResult, TypeInfo(type).target,
                                       work->data.utf8Output);
            std::string().swap(work->data.result->strResult);  // the document shows it now
            work->text = frmClipboard::BuildTextDocument(std::move(text), font);
            work->text->moveToThread(uiThread);
          }
        } catch (const std::bad_alloc&) {
          work->error = UserWord(text::kOutOfMemory);
        } catch (const std::exception& e) {  // a file that cannot be read, mostly
          work->error = QString::fromStdString(e.what());
        }
        return work;
      }));
}

void frmMain::ShowPreview(const std::shared_ptr<PreviewWork>& work) {
  previewing_ = false;
  QGuiApplication::restoreOverrideCursor();
  if (!work->error.isEmpty()) {
    QMessageBox::critical(this, QStringLiteral("Marlo"), work->error);
    return;
  }
  if (!clipboardWindow_) return;  // closed meanwhile
  clipboardWindow_->ShowConversion(work->data, work->type, std::move(work->text));
  // A long path loses its middle in the title bar, never the file's name.
  const QString path = ShowPath(work->path, cfMain_).text;
  const QString name = path.mid(path.lastIndexOf('/') + 1);
  const QString end = name + '(' + GetConvTypeName(IndexOf(work->type)) + ')';
  clipboardWindow_->SetTitle(path.left(path.size() - name.size()) + end, int(end.size()));
}

void frmMain::OpenResult(QTreeWidgetItem* row) {
  const QByteArray path = row ? row->data(0, kPathRole).toByteArray() : QByteArray();
  // Percent-encoded bytes reach the opener as the name's own bytes, also
  // where they are no UTF-8.
  if (!path.isEmpty())
    QDesktopServices::openUrl(QUrl::fromEncoded("file://" + path.toPercentEncoding("/")));
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

void frmMain::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  modHandleFrom::SkinForm(this);
}

void frmMain::closeEvent(QCloseEvent* event) {
  if (IsConverting()) {
    // Let the file under way finish; the window closes when the run ends.
    closeAfterRun_ = true;
    run_->RequestStop();
    event->ignore();
    return;
  }
  if (unloaded_) {
    event->accept();
    return;
  }
  unloaded_ = true;
  Settings().setHandleExistFile(GetHandleExistFile());
  Settings().setWindowSize(normalGeometry().width(), normalGeometry().height());
  try {
    Settings().SaveSettings();
  } catch (const std::exception& e) {
    QMessageBox::critical(this, QStringLiteral("Marlo"), QString::fromStdString(e.what()));
  }
  if (tray_) tray_->RemoveTrayIcon();
  event->accept();
  modFunctions::UnloadAllForms();
}

}  // namespace marlo
