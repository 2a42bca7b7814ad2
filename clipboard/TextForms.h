// SPDX-License-Identifier: Apache-2.0
// Where bytes meet text: the clipboard window's text box, the clipboard
// out, the page in the browser. Through the engine's own decoders, the ones
// --to-utf8 uses: one description of each byte form. (Text into bytes goes
// the way of a file read as UTF-8: ConvertTextForPreview.)
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "batch/ConversionTypes.h"
#include "clipboard/PreviewData.h"
#include "engine/ConvMarlo.h"

namespace marlo {

// Bytes that are no character of the form become U+FFFD.
QString DecodeBytes(const ConvMarlo& engine, std::string_view bytes, ByteForm form,
                    bool utf8 = false);

// A preview's result as text: what the text box shows and the clipboard
// gets back, as --to-utf8 writes it.
QString ResultText(const ConvMarlo& engine, const PreviewData& preview, ConvType type);

}  // namespace marlo
