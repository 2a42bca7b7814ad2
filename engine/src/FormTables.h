// SPDX-License-Identifier: Apache-2.0
// The Unicode tables the encoders, the decoders and the form check read.
// Engine-internal.
#pragma once

#include "engine/ByteForms.h"
#include "engine/ConvMarlo.h"
#include "engine/FormCheck.h"

namespace marlo {

struct FormTables {
  // Unicode → code of a form; null for the UCS form. Into GBK, the
  // characters other GB2312 decoders give for a code encode to that code
  // where GBK lacks them, and always with asGb2312 (U+2015 is A844 in GBK,
  // but A1AA in GB2312).
  static const CodeTable* Encoding(const ConvMarlo& engine, ByteForm form, bool asGb2312);
  // Code → Unicode of GBK or Big5.
  static const CodeTable& Decoding(const ConvMarlo& engine, ByteForm form);
  // The pairs the input check accepts in GB2312, GBK or Big5, a bit per
  // native pair index. Throws std::out_of_range for another code.
  static const uint64_t* HeldPairs(const ConvMarlo& engine, SourceCode code);
};

}  // namespace marlo
