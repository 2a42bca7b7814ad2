// SPDX-License-Identifier: Apache-2.0
#include "clipboard/TextForms.h"

#include "engine/FormCoding.h"

namespace marlo {

QString DecodeBytes(const ConvMarlo& engine, std::string_view bytes, ByteForm form, bool utf8) {
  if (utf8) return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
  if (form == ByteForm::kUcs) {
    const std::u16string units = DecodeUcsForm(bytes);
    return QString(reinterpret_cast<const QChar*>(units.data()), qsizetype(units.size()));
  }
  const std::string text = DecodeToUtf8(engine, form, bytes);
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString ResultText(const ConvMarlo& engine, const PreviewData& preview, ConvType type) {
  if (preview.textUtf8)
    return QString::fromUtf8(preview.textUtf8->data(), qsizetype(preview.textUtf8->size()));
  return DecodeBytes(engine, preview.result->strResult, TypeInfo(type).target, preview.utf8Output);
}

}  // namespace marlo
