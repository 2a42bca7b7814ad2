// SPDX-License-Identifier: Apache-2.0
#include "TextForms.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include "UcsForm.h"

namespace marlo {

namespace {

// ICU's names: "windows-950" is code page 950 with its box-drawing codes,
// which plain "Big5" tables lack.
const char* CodecName(ByteForm form) { return form == ByteForm::kGbk ? "GBK" : "windows-950"; }

}  // namespace

std::string EncodeText(const QString& text, ByteForm form) {
  if (form == ByteForm::kUcs)
    return EncodeUcsForm(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())));
  QStringEncoder encoder(CodecName(form));
  const QByteArray bytes = encoder.encode(text);
  return std::string(bytes.constData(), size_t(bytes.size()));
}

QString DecodeBytes(std::string_view bytes, ByteForm form) {
  if (form == ByteForm::kUcs) {
    const std::u16string units = DecodeUcsForm(bytes);
    return QString(reinterpret_cast<const QChar*>(units.data()), qsizetype(units.size()));
  }
  QStringDecoder decoder(CodecName(form));
  return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

}  // namespace marlo
