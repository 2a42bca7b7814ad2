// SPDX-License-Identifier: Apache-2.0
#include "clipboard/frmClipboard.h"

#include <QAbstractScrollArea>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "batch/ConversionTypes.h"
#include "batch/TextFile.h"
#include "batch/UserTexts.h"
#include "clipboard/TextForms.h"
#include "frame/Translations.h"
#include "frame/modFunctions.h"
#include "frame/modHandleFrom.h"
#include "settings/clsSettings.h"

namespace marlo {

namespace {

constexpr int kWidth = 640, kHeight = 480;

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

// The embedded browser. It decodes the page by its declared character set
// as web browsers do: "gb2312" as GBK, its superset, so the GBK output of
// the types that declare gb2312 shows as text; "big5" as code page 950.
class PageBrowser : public QTextBrowser {
 public:
  explicit PageBrowser(const ConvMarlo& engine) : engine_(engine) {}

 protected:
  QVariant loadResource(int type, const QUrl& name) override {
    if (type != QTextDocument::HtmlResource || !name.isLocalFile())
      return QTextBrowser::loadResource(type, name);
    QFile file(name.toLocalFile());
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray page = file.readAll();
    const qsizetype at = page.left(1024).toLower().indexOf("charset=");
    if (at < 0) return QTextBrowser::loadResource(type, name);
    const QByteArray charset = page.mid(at + 8, 16).toLower();
    ByteForm form;
    if (charset.startsWith("gb2312") || charset.startsWith("gbk"))
      form = ByteForm::kGbk;
    else if (charset.startsWith("big5"))
      form = ByteForm::kBig5;
    else
      return QTextBrowser::loadResource(type, name);
    return DecodeBytes(engine_, std::string_view(page.constData(), size_t(page.size())), form);
  }

 private:
  const ConvMarlo& engine_;
};

QWidget* Tab(QWidget* content, const char* noteName, const QString& note) {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(content, 1);
  auto* label = Named(new QLabel(note), noteName);
  label->setWordWrap(true);
  layout->addWidget(label);
  return page;
}

}  // namespace

frmClipboard::frmClipboard(const ConvMarlo& engine, clsSettings& settings, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), engine_(engine), settings_(settings) {
  setObjectName("frmClipboard");
  setAttribute(Qt::WA_DeleteOnClose);  // the close image and cancel unload it
  modFunctions::RegisterForm(this);
  frame_ = new modHandleFrom::SkinnedFrame(this);
  lblTitle_ = frame_->title();
  lblTitle_->setText(tr("剪貼板"));
  setWindowTitle(tr("剪貼板"));

  QWidget* content = modHandleFrom::ContentArea(this);
  auto* layout = new QVBoxLayout(content);
  layout->setContentsMargins(0, 0, 0, 0);

  txtDest_ = Named(new QPlainTextEdit, "txtDest");
  txtDest_->setReadOnly(true);
  wbDest_ = Named(new PageBrowser(engine_), "wbDest");
  wbDest_->setOpenLinks(false);  // a local page only; nothing is fetched
  wbDest_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(wbDest_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    // The note on this tab tells the user to refresh from here.
    std::unique_ptr<QMenu> menu(wbDest_->createStandardContextMenu(at));
    menu->addSeparator();
    menu->addAction(tr("刷新"), wbDest_, &QTextBrowser::reload);
    menu->exec(wbDest_->viewport()->mapToGlobal(at));
  });
  txtDestByte_ = Named(new QPlainTextEdit, "txtDestByte");
  txtDestByte_->setReadOnly(true);

  stbMain_ = Named(new QTabWidget, "stbMain");
  stbMain_->addTab(
      Tab(txtDest_, "Label1_0", tr("只有与當前操作系統匹配的字符才能在文本框中正常顯示。")),
      tr("文本"));
  stbMain_->addTab(
      Tab(wbDest_, "Label1_1",
          tr("如果該頁現實得內容与實際不符,請嘗試使用右鍵點擊文本框,然后選擇\"刷新\"。")),
      tr("瀏覽器預覽"));
  stbMain_->addTab(Tab(txtDestByte_, "Label1_2", tr("該頁默認只顯示500個字符。")),
                   tr("十六進制編碼"));
  // Each view is named after its tab, for a screen reader.
  stbMain_->setAccessibleName(tr("轉換結果"));
  for (int tab = 0; tab < stbMain_->count(); ++tab)
    stbMain_->widget(tab)->findChild<QAbstractScrollArea*>()->setAccessibleName(
        stbMain_->tabText(tab));
  // Showing the page tab reloads the page, by mouse or keyboard, and so
  // does a click on it while it shows.
  connect(stbMain_, &QTabWidget::currentChanged, this, [this](int tab) {
    if (tab == 1) wbDest_->reload();
  });
  connect(stbMain_, &QTabWidget::tabBarClicked, this, [this](int tab) {
    if (tab == 1 && stbMain_->currentIndex() == 1) wbDest_->reload();
  });
  layout->addWidget(stbMain_, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* cancel = Named(new QPushButton(tr("取消(&C)")), "cmdCancel");
  connect(cancel, &QPushButton::clicked, this, &QWidget::close);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);

  frame_->Wire();
  connect(frame_, &modHandleFrom::SkinnedFrame::minimizeClicked, this, &QWidget::hide);
  setFixedSize(minimumSizeHint().expandedTo(QSize(kWidth, kHeight)));
  Load();
}

QString frmClipboard::PagePath() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
      .filePath(QStringLiteral("output.html"));
}

void frmClipboard::Load() {
  frame_->Skin();
  if (settings_.IsReturnbyte() != 1) {
    SetPageTabsEnabled(false);
    return;
  }
  try {
    const QString page = PagePath();
    QDir().mkpath(QFileInfo(page).absolutePath());
    // An empty page until the first conversion: a byte-order mark alone.
    textfile::WriteAll(page.toStdString(), "\xFF\xFE");
    wbDest_->setSource(QUrl::fromLocalFile(page));
  } catch (const std::exception& e) {
    // The tabs still open; the page shows once a conversion writes it.
    qWarning("marlo: the empty preview page was not written: %s", DescribeError(e).c_str());
  }
  SetPageTabsEnabled(true);
}

void frmClipboard::SetPageTabsEnabled(bool enabled) {
  stbMain_->setTabEnabled(1, enabled);
  stbMain_->setTabEnabled(2, enabled);
}

std::unique_ptr<QTextDocument> frmClipboard::BuildTextDocument(QString text, const QFont& font) {
  // A block per line costs seconds for a file of a million lines, both here
  // and when the text box takes the document. Past that size, lines go in
  // groups of 32 per block, joined by line separators; the text box shows
  // them as lines, and copying gives them back as line feeds (CR LF too).
  constexpr qsizetype kGroupFrom = 1 << 20;
  if (text.size() > kGroupFrom) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));  // a CR alone also ends a block
    int line = 0;
    for (QChar& c : text)
      if (c == u'\n' && ++line % 32 != 0) c = QChar(QChar::LineSeparator);
  }
  auto document = std::make_unique<QTextDocument>();
  document->setDocumentLayout(new QPlainTextDocumentLayout(document.get()));
  document->setDefaultFont(font);
  document->setPlainText(text);
  return document;
}

bool frmClipboard::ByteFlag() const { return settings_.IsReturnbyte() != 0; }

void frmClipboard::SetTitle(const QString& title, int keepEnd) {
  frame_->SetTitle(title, keepEnd);
  setWindowTitle(title);
}

void frmClipboard::SetText(const QString& text) { txtDest_->setPlainText(text); }

std::shared_ptr<ConvResult> frmClipboard::GetConvData(const QString& sSource, int32_t ConvIndex,
                                                      qsizetype* lost, qsizetype* unconverted,
                                                      QString* text) {
  if (lost) *lost = 0;
  if (unconverted) *unconverted = 0;
  const std::optional<ConvType> type = ConvTypeAt(ConvIndex);
  if (!type) return nullptr;
  const QByteArray utf8 = sSource.toUtf8();
  const PreviewData preview =
      ConvertTextForPreview(engine_, *type, std::string_view(utf8.constData(), size_t(utf8.size())),
                            ByteFlag(), settings_.Choices().phrases);
  if (lost) *lost = qsizetype(preview.replaced);
  if (unconverted) *unconverted = qsizetype(preview.unconverted);
  if (text && preview.result) *text = ResultText(engine_, preview, *type);
  return Show(preview, *type);
}

std::shared_ptr<ConvResult> frmClipboard::GetConvDataBytes(std::string_view source, ConvType type) {
  // Bytes handed over as they are: of the window's choices only phrases
  // apply, as for the clipboard's text.
  ConversionChoices choices;
  choices.phrases = settings_.Choices().phrases;
  return Show(ConvertForPreview(engine_, type, source, ByteFlag(), choices), type);
}

std::shared_ptr<ConvResult> frmClipboard::Show(const PreviewData& preview, ConvType type) {
  if (preview.failure != PreviewFailure::kNone)
    QMessageBox::critical(
        this, QStringLiteral("Marlo"),
        UserWord(preview.failure == PreviewFailure::kOutOfMemory ? text::kOutOfMemory
                                                                 : text::kEngineNotReady));
  ShowConversion(preview, type);
  return preview.result;
}

void frmClipboard::ShowConversion(const PreviewData& preview, ConvType type,
                                  std::unique_ptr<QTextDocument> text) {
  // Without a result the window keeps what it showed.
  if (!preview.result) return;
  const bool large = text != nullptr;
  if (text) {
    // The text box deletes the document it held when that is its child, as
    // this one becomes.
    text->setParent(txtDest_);
    txtDest_->setDocument(text.release());
  } else {
    txtDest_->setPlainText(ResultText(engine_, preview, type));
  }
  if (!preview.byteFlag) {
    SetPageTabsEnabled(false);
    return;
  }
  SetPageTabsEnabled(true);
  if (large) {
    // Taking a large document and laying out the page are each work for
    // the window's thread: one after the other, the window answers between.
    QMetaObject::invokeMethod(
        this,
        [this, page = PreviewData{nullptr, preview.pageBody, preview.pageCharset, true,
                                  preview.byteText, preview.pageHoldsTheStartOnly}] {
          ShowPage(page);
        },
        Qt::QueuedConnection);
    return;
  }
  ShowPage(preview);
}

void frmClipboard::ShowPage(const PreviewData& preview) {
  try {
    WritePreviewPage(PagePath().toStdString(), preview.pageBody, preview.pageCharset);
    // Turned on after this window loaded, the flag finds no page open yet.
    if (wbDest_->source().isEmpty())
      wbDest_->setSource(QUrl::fromLocalFile(PagePath()));
    else
      wbDest_->reload();
  } catch (const std::exception& e) {
    // The text and the byte values still show; only the page is missing.
    qWarning("marlo: the preview page was not written: %s", DescribeError(e).c_str());
  }
  txtDestByte_->setPlainText(QString::fromLatin1(preview.byteText));
}

}  // namespace marlo
