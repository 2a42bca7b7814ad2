// SPDX-License-Identifier: Apache-2.0
#include "clipboard/TextForms.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>

#include "engine/FormCoding.h"

namespace marlo {

namespace {

// ICU's names: "windows-950" is code page 950 with its box-drawing codes,
// which plain "Big5" tables lack.
const char* CodecName(ByteForm form) { return form == ByteForm::kGbk ? "GBK" : "windows-950"; }

}  // namespace

std::string EncodeText(const QString& text, ByteForm form, qsizetype* lost) {
  if (lost) *lost = 0;
  if (form == ByteForm::kUcs)  // holds every character
    return EncodeUcsForm(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())));
  QStringEncoder encoder(CodecName(form));
  const QByteArray bytes = encoder.encode(text);
  if (lost && encoder.hasError()) {
    // The encoder only says that something was replaced: ask it about each
    // distinct character, which are few even in a long text.
    QHash<char32_t, bool> held;
    for (const char32_t c : text.toUcs4()) {
      if (c < 0x80) continue;
      auto it = held.find(c);
      if (it == held.end()) {
        QStringEncoder one(CodecName(form));
        const QByteArray encoded = one.encode(QString::fromUcs4(&c, 1));  // runs when converted
        it = held.insert(c, !one.hasError());
      }
      *lost += !*it;
    }
  }
  return std::string(bytes.constData(), size_t(bytes.size()));
}

QString DecodeBytes(std::string_view bytes, ByteForm form, bool utf8) {
  if (utf8) return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
  if (form == ByteForm::kUcs) {
    const std::u16string units = DecodeUcsForm(bytes);
    return QString(reinterpret_cast<const QChar*>(units.data()), qsizetype(units.size()));
  }
  QStringDecoder decoder(CodecName(form));
  return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

}  // namespace marlo
