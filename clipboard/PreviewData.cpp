// SPDX-License-Identifier: Apache-2.0
#include "clipboard/PreviewData.h"

#include <algorithm>

#include "batch/ConversionPipeline.h"
#include "batch/ConversionTypes.h"
#include "batch/InputCheck.h"
#include "batch/TextFile.h"
#include "batch/UserTexts.h"

namespace marlo {

namespace {

// The type's whole chain over the source: the bytes a batch run writes. A
// type of one step shows their byte values on request; the second step of
// GbToBigToGbk asks for none, so that type shows none.
std::shared_ptr<ConvResult> RunType(const ConvMarlo& engine, ConvType type, std::string_view source,
                                    bool byteFlag, const TextEnds& ends, bool phrases,
                                    PreviewData* counts = nullptr) {
  ConversionPipeline pipeline(engine, type, ends, /*checkInput=*/false, /*strict=*/false,
                              phrases && TakesPhrases(type));
  auto result = std::make_shared<ConvResult>();
  // Piece by piece, each piece's output added to the result: the
  // pipeline's own buffer stays small and warm, and the result's memory is
  // written once, where a whole-text feed would fill a buffer of the whole
  // output and then copy it. Room is asked for the wide types' double size
  // up front, without being cleared.
  constexpr size_t kPiece = size_t(1) << 20;
  std::string& out = result->strResult;
  out.reserve(2 * source.size() + 16);
  for (size_t at = 0;; at += kPiece) {
    const bool last = at + kPiece >= source.size();
    out.append(pipeline.Feed(source.substr(std::min(at, source.size()), kPiece), last));
    if (last) break;
  }
  if (counts) {
    counts->replaced = pipeline.replaced() + pipeline.invalid();
    counts->unconverted = pipeline.unconverted();
  }
  // An empty input gives a result untouched, as the engine's calls do.
  if (byteFlag && !source.empty() && (ends.toUtf8 || OperationsOf(type).size() == 1))
    result->byteResults()->AppendValues(result->strResult);
  return result;
}

// "&#NNNN;" for each character of a UTF-8 text: a note that reads the same
// whatever character set the page declares.
std::string AsCharacterReferences(std::string_view utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    const auto b = uint8_t(utf8[i]);
    const size_t length = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    uint32_t c = length == 1 ? b : b & (0x7F >> length);
    for (size_t k = 1; k < length && i + k < utf8.size(); ++k) c = c << 6 | (utf8[i + k] & 0x3F);
    out += "&#" + std::to_string(c) + ";";
    i += length;
  }
  return out;
}

PreviewData Preview(const ConvMarlo& engine, ConvType type, std::string_view source, bool byteFlag,
                    const TextEnds& ends, bool phrases, size_t pageLimit) {
  PreviewData data;
  const ConversionType& info = TypeInfo(type);
  data.readAsUtf8 = ends.fromUtf8;
  data.utf8Output = ends.toUtf8;
  data.pageCharset = ends.toUtf8 ? "utf-8" : info.pageCharset;
  data.byteFlag = byteFlag;
  // A byte value per output byte of a large file would take many times its
  // size, and its page would freeze the window: the start shows instead.
  const bool startOnly = byteFlag && source.size() > pageLimit;
  std::shared_ptr<ConvResult> paged;
  try {
    data.result = RunType(engine, type, source, byteFlag && !startOnly, ends, phrases, &data);
    paged = data.result;
    if (info.target == ByteForm::kUcs && !ends.toUtf8) {
      TextEnds asText = ends;
      asText.toUtf8 = true;
      data.textUtf8 = std::move(RunType(engine, type, source, false, asText, phrases)->strResult);
    }
    if (startOnly) {
      std::string_view start = source.substr(0, pageLimit);
      if (const size_t end = start.rfind('\n'); end != std::string_view::npos)
        start = start.substr(0, end + 1);
      paged = RunType(engine, type, start, true, ends, phrases);
    }
  } catch (const std::bad_alloc&) {
    data.result.reset();
    data.failure = PreviewFailure::kOutOfMemory;
    return data;
  } catch (const InputError& e) {
    if (e.failure().reason != FailureReason::kEngineNotReady) throw;
    data.result.reset();
    data.failure = PreviewFailure::kEngineNotReady;
    return data;
  }
  // Only the page shows the body, and only with the byte flag; for a large
  // file it would cost as much as the conversion.
  if (!byteFlag) return data;
  // Unescaped, a text such as "#include <stdio.h>" would lose words.
  data.pageBody = ends.toUtf8                    ? EscapeHtmlText(paged->strResult, true)
                  : info.pageIsCodeValueReport() ? engine.USCToWebContent(paged)
                                                 : EscapeHtmlText(paged->strResult);
  if (startOnly) {
    data.pageHoldsTheStartOnly = true;
    data.pageBody += "<hr>" + AsCharacterReferences(text::Tr(text::kPageHoldsTheStart));
  }
  data.byteText = ByteText(*paged);
  return data;
}

}  // namespace

PreviewData ConvertForPreview(const ConvMarlo& engine, ConvType type, std::string_view source,
                              bool byteFlag, const ConversionChoices& choices, size_t pageLimit) {
  // A type that cannot write UTF-8 shows its own output, as the page
  // declares it; a run with that choice is refused before it writes.
  const TextEnds ends{choices.detectUtf8 && LooksLikeUtf8(source, true),
                      choices.toUtf8 && WritesUtf8(type), /*lossy=*/false};
  return Preview(engine, type, source, byteFlag, ends, choices.phrases, pageLimit);
}

PreviewData ConvertTextForPreview(const ConvMarlo& engine, ConvType type, std::string_view utf8,
                                  bool byteFlag, bool phrases, size_t pageLimit) {
  // Text made from a QString is valid UTF-8; lossy all the same, so that no
  // text can fail the clipboard.
  const TextEnds ends{/*fromUtf8=*/true, /*toUtf8=*/false, /*lossy=*/true};
  PreviewData data = Preview(engine, type, utf8, byteFlag, ends, phrases, pageLimit);
  data.readAsUtf8 = false;  // no file was found to be anything
  return data;
}

std::string ByteText(ConvResult& result, size_t maxChars) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  for (const char c : result.byteResults()->Values()) {
    const auto value = uint8_t(c);
    text += ' ';
    text += kHex[value >> 4];
    text += kHex[value & 0xF];
    if (text.size() > maxChars) break;
  }
  return text;
}

std::string EscapeHtmlText(std::string_view text, bool utf8) {
  std::string escaped;
  escaped.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (!utf8 &&
        CharacterLength(CharacterParse::kWidening, reinterpret_cast<const uint8_t*>(&text[i]),
                        text.size() - i) == 2) {
      escaped += c;
      escaped += text[++i];
      continue;
    }
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string PreviewPage(std::string_view body, std::string_view charset) {
  const std::string_view lines[] = {
      "<HTML>",
      "<HEAD>",
      {},  // the character set
      "</HEAD>",
      "<BODY topmargin=0 leftmargin=0 bgcolor='White'>",
      "<DIV ID='TabStyle1Cont'>",
      "<table width=100% BORDER='0' CELLSPACING='1' CELLPADDING='1'>",
      "<TR valign=top align=left>",
      "<TD>",
      "<font face='Arial' size='2px'>",
      body,
      "</font>",
      "</TD>",
      "</TR>",
      "</table>",
      "</DIV>",
      "</BODY>",
      "</HTML>",
  };
  std::string page;
  page.reserve(body.size() + 512);
  for (size_t k = 0; k < std::size(lines); ++k) {
    if (k == 2)
      page.append("<meta http-equiv='Content-Type' content='text/html; charset=")
          .append(charset)
          .append("'>");
    else
      page.append(lines[k]);
    page.append("\r\n");
  }
  return page;
}

void WritePreviewPage(const std::filesystem::path& file, std::string_view body,
                      std::string_view charset) {
  textfile::WriteAll(file, PreviewPage(body, charset));
}

}  // namespace marlo
