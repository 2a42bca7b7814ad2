// SPDX-License-Identifier: Apache-2.0
// Where text meets bytes: the clipboard and the clipboard window's text box.
// Each side of a conversion type has its own byte form, so every conversion
// works whatever the locale.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "batch/ConversionTypes.h"

namespace marlo {

// Characters the form cannot hold become the encoder's substitution
// character; the conversion still runs on the rest. lost, when given,
// receives how many characters were replaced so.
std::string EncodeText(const QString& text, ByteForm form, qsizetype* lost = nullptr);
// Bytes that are no character of the form become U+FFFD.
QString DecodeBytes(std::string_view bytes, ByteForm form, bool utf8 = false);

}  // namespace marlo
