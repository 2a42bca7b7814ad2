// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/frmMain.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QTreeWidget>
#include <QUrl>

#include "batch/ConversionTypes.h"
#include "batch/InputCheck.h"
#include "batch/TextFile.h"
#include "batch/UserTexts.h"
#include "clipboard/TextForms.h"
#include "clipboard/frmClipboard.h"
#include "frame/Artwork.h"
#include "frame/Translations.h"
#include "frame/frmSplash.h"
#include "frame/modFunctions.h"
#include "frame/modHandleFrom.h"
#include "mainwindow/BackgroundRun.h"
#include "mainwindow/Captions.h"
#include "mainwindow/MainToolbar.h"
#include "mainwindow/OptionPanel.h"
#include "mainwindow/PreviewJob.h"
#include "mainwindow/ReportList.h"
#include "mainwindow/RunView.h"
#include "mainwindow/SourceLists.h"
#include "mainwindow/SourcePanel.h"
#include "mainwindow/TrayIcon.h"
#include "settings/clsSettings.h"
#include "settings/frmConfig.h"

namespace marlo {

namespace {

// The size the window starts at the first time, where the screen has room:
// on 1280 × 1024 its lists show six rows and more.
constexpr int kStartWidth = 800, kStartHeight = 900;

// A step of the load that fails leaves its part as designed, and the next
// runs; the failure is logged. Tables that did not load say so when a run
// starts.
template <typename Step>
void Suppressed(const char* what, Step step) {
  try {
    step();
  } catch (const std::exception& e) {
    qWarning("marlo: %s failed: %s", what, DescribeError(e).c_str());
  }
}

}  // namespace

frmMain::frmMain(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
  setObjectName("frmMain");
  // The program ends through this window's unload only, which saves the
  // settings; not when some other window happens to close last.
  QApplication::setQuitOnLastWindowClosed(false);
  modFunctions::RegisterForm(this);
  BuildControls();
  runView_ = std::make_unique<RunView>(*this, cfMain_, *progress_, *lvwResult_, *lvwDest_,
                                       *options_->Target());
  setMinimumSize(minimumSizeHint());
  frame_->AllowResize();
  preview_ = new PreviewJob(
      cfMain_, [this](PreviewResult& result) { ShowPreview(result); }, this);
  Load();
  FitToScreen();
}

frmMain::~frmMain() {
  run_.reset();     // waits for the file under way; the view must outlive it
  delete preview_;  // waits for a preview under way, which reads cfMain_
}

void frmMain::BuildControls() {
  frame_ = new modHandleFrom::SkinnedFrame(this);
  lblTitle_ = frame_->title();

  QWidget* content = modHandleFrom::ContentArea(this);

  auto* toolbar = new MainToolbar(content);
  butConvert_ = toolbar->convert;
  connect(toolbar->convert, &QAction::triggered, this, &frmMain::ConvertFiles);
  connect(toolbar->exit, &QAction::triggered, this, &QWidget::close);
  connect(toolbar->clipboard, &QAction::triggered, this, &frmMain::ConvertClipboard);
  connect(toolbar->preview, &QAction::triggered, this, &frmMain::PreviewSelected);
  connect(toolbar->config, &QAction::triggered, this, [this] {
    frmConfig config(Settings(), this);
    config.exec();
  });
  connect(toolbar->about, &QAction::triggered, this, [this] {
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
  options_ = new OptionPanel(cfMain_);
  connect(options_, &OptionPanel::TypeClicked, this, &frmMain::RebuildTargetFolder);
  connect(options_, &OptionPanel::ChoicesChanged, this, &frmMain::StoreChoices);
  connect(options_, &OptionPanel::PickTargetFolderAsked, this, &frmMain::PickTargetFolder);
  connect(options_, &OptionPanel::UseChosenFolder, this, &frmMain::UseChosenFolderAsTarget);
  layout->addWidget(options_->InScrollArea());
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
  for (QAbstractScrollArea* list : std::initializer_list<QAbstractScrollArea*>{
           source_->Folders(), source_->Files(), lvwDest_, lvwResult_})
    list->setMinimumHeight(fewRows);
  lvwResult_->setMinimumHeight(fewRows + lvwResult_->header()->sizeHint().height());

  auto* taskbar = Named(new QLabel(this), "picTaskbar");
  taskbar->setPixmap(artwork::WindowIcon().pixmap(16, 16));
  taskbar->hide();

  frame_->Wire();
  connect(frame_, &modHandleFrom::SkinnedFrame::minimizeClicked, this, &frmMain::MinimizeToTray);
}

QWidget* frmMain::BuildSourceArea() {
  auto* area = new QWidget;
  auto* row = new QHBoxLayout(area);
  row->setContentsMargins(0, 0, 0, 0);

  source_ = new SourcePanel(cfMain_);
  row->addWidget(source_, 4);
  connect(source_, &SourcePanel::FolderChanged, this, &frmMain::RebuildTargetFolder);
  connect(source_, &SourcePanel::FileActivated, this, &frmMain::AddSelectedFiles);

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
  connect(lvwDest_, &DestList::PathsDropped, this, &frmMain::AddPaths);
  connect(lvwDest_, &DestList::CountChanged, this,
          [this](int count) { progress_->ShowCount(count); });
  // What a tree's walk left out is said where the run's summary goes,
  // unless a run is showing its files there.
  connect(lvwDest_, &DestList::TreeAdded, this, [this](const QString& report) {
    if (!IsConverting()) progress_->ShowOutcome(report);
  });
  // A double click, or Enter, previews the entry.
  connect(lvwDest_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    if (!item->isSelected()) lvwDest_->setCurrentItem(item);  // Enter on an unselected entry
    PreviewSelected();
  });
  row->addWidget(lvwDest_, 5);
  return area;
}

void frmMain::Load() {
  Suppressed("the skin", [this] { frame_->Skin(); });
  Suppressed("loading the settings", [this] { settings_ = std::make_unique<clsSettings>(); });
  Suppressed("loading the code tables", [this] { cfMain_.InitMe(); });
  Suppressed("the file types", [this] { source_->FillPatterns(); });
  Suppressed("the drive list", [this] { source_->FillPlaces(); });
  // The target follows the start folder as it follows any folder change:
  // the start folder itself would make every file its own target.
  Suppressed("the start folder", [this] { SetSourceFolder(QDir::homePath()); });
  setWindowTitle(QStringLiteral("Marlo"));
  const QStringList version = QCoreApplication::applicationVersion().split('.');
  auto number = [&version](int k) { return k < version.size() ? version[k].toInt() : 0; };
  frame_->SetTitle(
      QStringLiteral("Marlo  %1.%2.%3 Bata").arg(number(0)).arg(number(1)).arg(number(2)));
  Suppressed("the notification area icon", [this] {
    tray_ = new TrayIcon(this, lblTitle_);
    tray_->SetTrayIcon(true);
  });
  options_->SetExistingFileIndex(Settings().HandleExistFile());
  // Set before the choices are stored on every change: the clipboard
  // window reads them from the settings when it converts.
  options_->blockSignals(true);
  options_->SetChoices(Settings().Choices());
  options_->blockSignals(false);
  source_->SubFolders()->setChecked(Settings().IncludeSubFolders());
  connect(source_->SubFolders(), &QCheckBox::toggled, this, &frmMain::StoreChoices);
  source_->Folders()->setFocus();
}

void frmMain::FitToScreen() {
  // The last size, or the first one.
  QSize size(Settings().WindowWidth(), Settings().WindowHeight());
  modHandleFrom::FitToScreen(this, size.width() > 0 && size.height() > 0 ? size : StartSize());
}

QSize frmMain::StartSize() { return {kStartWidth, kStartHeight}; }

clsSettings& frmMain::Settings() {
  // A store that failed to load leaves the defaults, in memory only.
  if (!settings_) settings_ = std::make_unique<clsSettings>(QString());
  return *settings_;
}

bool frmMain::IsConverting() const { return run_ && run_->IsRunning(); }

bool frmMain::IsPreviewing() const { return preview_->IsRunning(); }

bool frmMain::IsAddingTree() const { return lvwDest_->IsAddingTree(); }

int32_t frmMain::GetConvType() const { return options_->TypeIndex(); }

int32_t frmMain::GetHandleExistFile() const { return options_->ExistingFileIndex(); }

QString frmMain::GetConvTypeName(int32_t index) {
  const std::optional<ConvType> type = ConvTypeAt(index);
  return type ? QString::fromStdString(marlo::GetConvTypeName(*type)) : QString();
}

ConvType frmMain::CurrentType() const { return options_->Type(); }

void frmMain::StoreChoices() {
  Settings().setChoices(options_->StoredChoices());
  Settings().setIncludeSubFolders(source_->SubFolders()->isChecked());
}

void frmMain::RebuildTargetFolder() {
  SetTargetFolder(QByteArray::fromStdString(
      DefaultTargetFolder(source_->Folder().toStdString(), CurrentType())));
}

void frmMain::SetTargetFolder(const QByteArray& folder) { options_->SetTargetFolder(folder); }

QByteArray frmMain::TargetFolderBytes() const { return options_->TargetFolderBytes(); }

QString frmMain::SourceFolder() const { return ShowPath(source_->Folder(), cfMain_).text; }

QByteArray frmMain::SourceFolderBytes() const { return source_->Folder(); }

void frmMain::SetSourceFolder(const QString& folder) {
  SetSourceFolderBytes(QFile::encodeName(folder));
}

void frmMain::SetSourceFolderBytes(const QByteArray& folder) { source_->SetFolder(folder); }

void frmMain::AddSelectedFiles() {
  const std::vector<std::string> names = source_->SelectedFileNames();
  // Chosen files are what ">>" adds; a folder's tree only when the user
  // chose the folder and no file.
  const std::string ignore = Settings().IgnoreFileTypes().toStdString();
  if (!names.empty()) return lvwDest_->AddFiles(source_->Folder(), names, ignore);
  if (source_->SubFolders()->isChecked())
    for (const QByteArray& folder : source_->ChosenFolders())
      lvwDest_->AddTree(folder, ignore, TargetFolderBytes().toStdString());
  lvwDest_->AddEntries({});  // the count is shown after every add
}

void frmMain::AddPaths(const QList<QByteArray>& paths) {
  const QList<QByteArray> missing =
      lvwDest_->AddPaths(paths, Settings().IgnoreFileTypes().toStdString(), source_->Pattern(),
                         source_->SubFolders()->isChecked(), TargetFolderBytes().toStdString());
  QStringList shown;
  for (const QByteArray& path : missing) shown << ShowPath(path, cfMain_).text;
  if (!shown.isEmpty() && !IsConverting())
    progress_->ShowOutcome(
        tr("%1 個路徑不存在, 未加入: %2").arg(shown.size()).arg(shown.join(", ")));
}

void frmMain::UseChosenFolderAsTarget() {
  const QList<QByteArray> chosen = source_->ChosenFolders();
  SetTargetFolder(chosen.isEmpty() ? source_->Folder() : chosen.first());
}

void frmMain::PickTargetFolder() { options_->PickTargetFolder(source_->Folder()); }

void frmMain::ConvertFiles() {
  if (lvwDest_->topLevelItemCount() == 0 || IsConverting()) return;
  RunSettings settings;
  settings.entries = lvwDest_->Entries();
  settings.convType = CurrentType();
  settings.checkInput = true;  // as marlo-convert does: a row says when the bytes look wrong
  settings.targetFolderText = TargetFolderBytes().toStdString();
  settings.handleExistFile = ExistingFileAt(GetHandleExistFile()).value_or(ExistingFile::kSkip);
  const ConversionChoices choices = options_->Choices();
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
  qsizetype lost = 0, unconverted = 0;
  QString text;
  const auto result = window->GetConvData(clipboard->text(), type, &lost, &unconverted, &text);
  if (!result) return;
  const ConversionType& info = TypeInfo(CurrentType());
  if (lost > 0 || unconverted > 0) {
    // The clipboard may hold the only copy of the text: nothing of it is
    // replaced without the user's word.
    QStringList losses;
    if (lost > 0)
      losses << UserWord(text::kCharactersReplaced)
                    .arg(lost)
                    .arg(QString::fromLatin1(
                        EncodedCodeName(info.type, FormEncodedFromUtf8(info.type))));
    if (unconverted > 0)
      losses << UserWord(text::kCharactersReplaced)
                    .arg(unconverted)
                    .arg(QString::fromLatin1(ReplacingCodeName(info.type)));
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Marlo"), losses.join('\n'),
                    QMessageBox::Yes | QMessageBox::No, window);
    box.setObjectName("msgClipboardLoss");
    box.setInformativeText(UserWord(text::kClipboardLossQuestion));
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes) return;
  }
  clipboard->setText(text);
}

void frmMain::PreviewSelected() {
  const QByteArray path = lvwDest_->SelectedPath();
  if (!path.isEmpty()) PreviewFile(path, GetConvType());
}

void frmMain::PreviewFile(const QString& path, int32_t type) {
  PreviewFile(QFile::encodeName(path), type);
}

void frmMain::PreviewFile(const QByteArray& path, int32_t index) {
  const std::optional<ConvType> known = ConvTypeAt(index);
  if (!known || preview_->IsRunning()) return;  // one at a time; the busy pointer says so
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

  preview_->Start(path, type, window->ByteFlag(), window->findChild<QWidget*>("txtDest")->font(),
                  options_->Choices());
}

void frmMain::ShowPreview(PreviewResult& work) {
  QGuiApplication::restoreOverrideCursor();
  if (!work.error.isEmpty()) {
    QMessageBox::critical(this, QStringLiteral("Marlo"), work.error);
    return;
  }
  if (!clipboardWindow_) return;  // closed meanwhile
  clipboardWindow_->ShowConversion(work.data, work.type, std::move(work.text));
  // A long path loses its middle in the title bar, never the file's name.
  const QString path = ShowPath(work.path, cfMain_).text;
  const QString name = path.mid(path.lastIndexOf('/') + 1);
  QString end = name + '(' + GetConvTypeName(IndexOf(work.type)) + ')';
  // What the conversion replaced, as the file's row would say it.
  if (work.data.replaced > 0)
    end +=
        QStringLiteral(": ") + QString::fromStdString(ReplacedText(work.data.replaced, work.type));
  if (work.data.unconverted > 0)
    end += QStringLiteral(": ") +
           QString::fromStdString(UnconvertedText(work.data.unconverted, work.type));
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
  frame_->Skin();
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
    QMessageBox::critical(this, QStringLiteral("Marlo"), QString::fromStdString(DescribeError(e)));
  }
  if (tray_) tray_->RemoveTrayIcon();
  event->accept();
  modFunctions::UnloadAllForms();
}

}  // namespace marlo
