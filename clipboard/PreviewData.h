// SPDX-License-Identifier: Apache-2.0
// What the clipboard window shows for one conversion, worked out without
// widgets: the result, the preview page's body and character set, and the
// byte text. Also the preview page itself.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "batch/ConversionPipeline.h"
#include "batch/ConversionTypes.h"
#include "engine/ConvMarlo.h"

namespace marlo {

enum class PreviewFailure : uint8_t {
  kNone,
  kOutOfMemory,
  kEngineNotReady,  // the code tables did not load
};

struct PreviewData {
  std::shared_ptr<ConvResult> result;  // null on a failure
  // The page's body: the output with "&", "<" and ">" escaped, or for the
  // Unicode types the code-value report, which is markup by design.
  std::string pageBody;
  std::string pageCharset;
  bool byteFlag = false;
  std::string byteText;  // only with the byte flag
  bool pageHoldsTheStartOnly = false;
  PreviewFailure failure = PreviewFailure::kNone;
  bool readAsUtf8 = false;  // the source was found to be UTF-8
  bool utf8Output = false;  // the result is UTF-8, not the type's target form
  // From UTF-8: characters the type's code could not hold, replaced
  // (invalid UTF-8 too).
  uint64_t replaced = 0;
  // Characters the type's tables could not write in its target code.
  uint64_t unconverted = 0;
  // The result as UTF-8 text where its bytes cannot tell their characters:
  // the UCS form, whose byte 0x30 may be '0' or the first of U+3000. It is
  // what --to-utf8 writes. None otherwise.
  std::optional<std::string> textUtf8 = {};
};

// How much of a source the page and the byte values show: the embedded
// browser lays the page's table out on the window's thread at about half a
// megabyte a second, and the window must not wait for long.
inline constexpr size_t kPageSourceLimit = 24 * 1024;

// Converts with a type through the same pipeline as a batch run and, with
// the byte flag, makes byte values: the second step of GbToBigToGbk asks
// for none. A source longer than pageLimit converts whole without byte
// values; the page and the byte text are made from its start alone (cut at
// a line end), and the page says so. A failure leaves the result null, the
// rest empty, and says which it was.
// The choices apply as in a batch run: a source that is UTF-8 is read as
// such, the output may be UTF-8, phrases for the types that take them.
PreviewData ConvertForPreview(const ConvMarlo& engine, ConvType type, std::string_view source,
                              bool byteFlag, const ConversionChoices& choices = {},
                              size_t pageLimit = kPageSourceLimit);

// The same for text (the clipboard's), given as UTF-8: it converts as a file
// read as UTF-8 does (marlo-convert --from-utf8), so the clipboard gives the
// bytes a file would, whatever the type's source form. Only the phrase
// choice applies: the text is Unicode already, and its output is shown as
// text.
PreviewData ConvertTextForPreview(const ConvMarlo& engine, ConvType type, std::string_view utf8,
                                  bool byteFlag, bool phrases, size_t pageLimit = kPageSourceLimit);

// " XX" per byte value in upper-case hex, stopping once the text is longer
// than maxChars: at most 167 bytes for the usual 500.
std::string ByteText(ConvResult& result, size_t maxChars = 500);

// "&", "<" and ">" standing at a character start as entities. A byte
// 0x81..0xFE starts a two-byte character whose second byte is kept as it
// is, so no character's bytes change, also where a second byte is below 0x40
// (CNS plane 2). In UTF-8 text those three bytes are always characters.
std::string EscapeHtmlText(std::string_view text, bool utf8 = false);

// The page: eighteen lines joined by CR LF and a final CR LF, the body on
// line 11 and the character set copied verbatim into line 3.
std::string PreviewPage(std::string_view body, std::string_view charset);

// Writes the page as raw bytes, without byte-order mark; the earlier page
// stays whole if the write fails. Throws textfile::FileError.
void WritePreviewPage(const std::filesystem::path& file, std::string_view body,
                      std::string_view charset);

}  // namespace marlo
