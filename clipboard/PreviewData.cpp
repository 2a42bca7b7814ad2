// SPDX-License-Identifier: Apache-2.0
#include "PreviewData.h"

#include "ConversionTypes.h"
#include "TextFile.h"

namespace marlo {

PreviewData ConvertForPreview(const ConvMarlo& engine, int32_t type, std::string_view source,
                              bool byteFlag) {
  PreviewData data;
  if (type < 0 || type >= kConversionTypeCount) return data;
  const ConversionType& info = ConversionTypes()[size_t(type)];
  data.pageCharset = info.pageCharset;
  data.byteFlag = byteFlag;
  try {
    bool first = true;
    for (const Operation operation : OperationsOf(type)) {
      data.result =
          engine.Run(operation, first ? source : data.result->strResult, first && byteFlag);
      first = false;
    }
  } catch (const std::exception&) {
    data.result.reset();
    return data;
  }
  // Only the page shows the body, and only with the byte flag; for a large
  // file it would cost as much as the conversion.
  if (!byteFlag) return data;
  // Unescaped, a text such as "#include <stdio.h>" would lose words.
  data.pageBody = info.pageIsCodeValueReport() ? engine.USCToWebContent(data.result)
                                               : EscapeHtmlText(data.result->strResult);
  data.byteText = ByteText(*data.result);
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

std::string EscapeHtmlText(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (uint8_t(c) >= 0x81 && uint8_t(c) <= 0xFE && i + 1 < text.size()) {
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
