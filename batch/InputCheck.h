// SPDX-License-Identifier: Apache-2.0
// Whether the bytes handed to a conversion type are what it expects: a file
// that is really UTF-8 or GBK under a Big5 type converts into garbage
// without a word otherwise. Counting the bytes that form no character of the
// source code tells, and trying the other codes tells what they are instead.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "batch/CodeVerdict.h"
#include "batch/ConversionTypes.h"
#include "engine/ConvMarlo.h"
#include "engine/FormCheck.h"

namespace marlo {

const char* SourceCodeName(SourceCode code);  // "GB2312", "GBK", "Big5", "UCS-2", "UTF-8"

// The code a conversion type reads.
SourceCode SourceCodeOf(ConvType type);

// The name of the code text is encoded into for a type, in the form given
// (from UTF-8: FormEncodedFromUtf8; the clipboard: the type's source): GB2312
// where a GB2312-reading type takes GBK's form, as it takes only those codes.
const char* EncodedCodeName(ConvType type, ByteForm form);

// The code whose lack a type's table replacements stand for: the code its
// table writes ("Big5" for GbToBig), GB2312 for BigToGb, CNS 11643 for
// BigToCNS, and Big5 for GbToBigToGbk, whose simplified characters are
// lost on the way through Big5.
const char* ReplacingCodeName(ConvType type);

// Above this share of bad characters the input is not of the expected code.
inline constexpr double kNotThisCodeShare = 0.01;

// The code the bytes fit best, other than `expected`, when one fits well.
std::optional<SourceCode> LikelyCode(const ConvMarlo& engine, SourceCode expected,
                                     std::string_view bytes);

// The verdict on a file, or none when its bytes fit. Judged
// on the first kCheckedBytes; bytes that are only the start of a longer
// input (not whole) lose a character their end cuts in two, which is no
// fault of the input.
std::optional<CodeVerdict> CheckInput(const ConvMarlo& engine, ConvType type,
                                      std::string_view bytes, bool whole = true);

// The start of a longer input up to its last whole character in a code.
std::string_view WholeCharacters(SourceCode code, std::string_view start);

// Whether bytes read best as UTF-8: valid, with some text beyond ASCII,
// judged on their first kCheckedBytes. A start of a text (not whole) may
// end inside a character; so may the checked start of any input that long,
// whether the input ends there or not, so that a run (which reads no more
// than the start before it decides) and a preview (which has it all) judge
// alike.
bool LooksLikeUtf8(std::string_view bytes, bool whole);

// How much of a large input the check reads: enough to tell, at no cost
// that matters beside the conversion.
inline constexpr size_t kCheckedBytes = 1 << 20;

}  // namespace marlo
