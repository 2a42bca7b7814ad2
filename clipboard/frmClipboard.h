// SPDX-License-Identifier: Apache-2.0
// The clipboard window: one conversion shown three ways, as text, as a page
// in the embedded browser and as the output's byte values.
#pragma once

#include <QWidget>
#include <memory>
#include <string_view>

#include "clipboard/PreviewData.h"
#include "engine/ConvMarlo.h"

class QLabel;
class QPlainTextEdit;
class QTabWidget;
class QTextBrowser;
class QTextDocument;

namespace marlo::modHandleFrom {
class SkinnedFrame;
}

namespace marlo {

class clsSettings;

class frmClipboard : public QWidget {
  Q_OBJECT

 public:
  // The engine and the settings are the main window's and outlive this.
  frmClipboard(const ConvMarlo& engine, clsSettings& settings, QWidget* parent = nullptr);

  // "output.html" in the per-user application data folder.
  static QString PagePath();

  // Converts a text as a file read as UTF-8 converts, and shows it.
  // Returns null for an index that is no type, or when the conversion
  // failed (out of memory, said in a message box); the window stays usable.
  // lost, when given, receives the characters the type's code could not
  // hold, which went into the conversion as its ideographic space;
  // unconverted those the type's tables could not write (ReplacingCodeName);
  // text the result as text, as --to-utf8 writes it.
  std::shared_ptr<ConvResult> GetConvData(const QString& sSource, int32_t ConvIndex,
                                          qsizetype* lost = nullptr,
                                          qsizetype* unconverted = nullptr,
                                          QString* text = nullptr);
  // The same for bytes as they are, such as a file's.
  std::shared_ptr<ConvResult> GetConvDataBytes(std::string_view source, ConvType type);
  // Shows a conversion worked out on another thread. text is the output
  // already decoded into a plain-text document, or null to decode it here.
  void ShowConversion(const PreviewData& preview, ConvType type,
                      std::unique_ptr<QTextDocument> text = nullptr);

  // A plain-text document for txtDest, built on any thread: a large text
  // would take seconds to lay out on this one.
  static std::unique_ptr<QTextDocument> BuildTextDocument(QString text, const QFont& font);

  // Whether GetConvData asks for byte values now: the setting IsReturnbyte.
  bool ByteFlag() const;
  // keepEnd: the last characters (a file's name) kept whole in the title bar.
  void SetTitle(const QString& title, int keepEnd = 0);
  void SetText(const QString& text);

 private:
  void Load();
  void SetPageTabsEnabled(bool enabled);
  std::shared_ptr<ConvResult> Show(const PreviewData& preview, ConvType type);
  // Writes and shows the page and the byte text of a conversion.
  void ShowPage(const PreviewData& preview);

  const ConvMarlo& engine_;
  clsSettings& settings_;
  modHandleFrom::SkinnedFrame* frame_ = nullptr;
  QLabel* lblTitle_ = nullptr;
  QTabWidget* stbMain_ = nullptr;
  QPlainTextEdit* txtDest_ = nullptr;
  QTextBrowser* wbDest_ = nullptr;
  QPlainTextEdit* txtDestByte_ = nullptr;
};

}  // namespace marlo
