// SPDX-License-Identifier: Apache-2.0
#include "batch/InputCheck.h"

#include "batch/ConversionTypes.h"

namespace marlo {

const char* SourceCodeName(SourceCode code) {
  switch (code) {
    case SourceCode::kGb2312:
      return "GB2312";
    case SourceCode::kGbk:
      return "GBK";
    case SourceCode::kBig5:
      return "Big5";
    case SourceCode::kUcs:
      return "UCS-2";
    case SourceCode::kUtf8:
      return "UTF-8";
  }
  return "";
}

SourceCode SourceCodeOf(ConvType type) {
  // GBToBig reads GB2312 rows only
  if (type == ConvType::kGbToBig || type == ConvType::kGbToBigToGbk) return SourceCode::kGb2312;
  switch (TypeInfo(type).source) {
    case ByteForm::kGbk:
      return SourceCode::kGbk;
    case ByteForm::kBig5:
      return SourceCode::kBig5;
    case ByteForm::kUcs:
      return SourceCode::kUcs;
  }
  return SourceCode::kGbk;
}

const char* EncodedCodeName(ConvType type, ByteForm form) {
  switch (form) {
    case ByteForm::kGbk:
      return SourceCodeName(SourceCodeOf(type) == SourceCode::kGb2312 ? SourceCode::kGb2312
                                                                      : SourceCode::kGbk);
    case ByteForm::kBig5:
      return SourceCodeName(SourceCode::kBig5);
    case ByteForm::kUcs:
      return SourceCodeName(SourceCode::kUcs);
  }
  return "";
}

const char* ReplacingCodeName(ConvType type) {
  switch (type) {
    case ConvType::kBigToGb:
      return SourceCodeName(SourceCode::kGb2312);
    case ConvType::kBigToCns:
      return "CNS 11643";
    case ConvType::kGbToBigToGbk:
      return SourceCodeName(SourceCode::kBig5);
    default:
      break;
  }
  switch (TypeInfo(type).target) {
    case ByteForm::kGbk:
      return SourceCodeName(SourceCode::kGbk);
    case ByteForm::kBig5:
      return SourceCodeName(SourceCode::kBig5);
    case ByteForm::kUcs:
      return SourceCodeName(SourceCode::kUcs);
  }
  return "";
}

std::string_view WholeCharacters(SourceCode code, std::string_view start) {
  const auto* s = reinterpret_cast<const uint8_t*>(start.data());
  size_t n = start.size();
  if (code == SourceCode::kUtf8) {  // a last sequence may go on beyond the start
    // Only a lead byte with fewer continuation bytes after it than it
    // announces is cut; a continuation byte with no lead before it is
    // invalid, not cut, and must stay to be judged.
    size_t lead = n;
    while (lead > 0 && n - lead < 3 && (s[lead - 1] & 0xC0) == 0x80) --lead;
    if (lead == 0 || s[lead - 1] < 0xC0) return start;
    const size_t announced = s[lead - 1] >= 0xF0 ? 4 : s[lead - 1] >= 0xE0 ? 3 : 2;
    return n - (lead - 1) < announced ? start.substr(0, lead - 1) : start;
  }
  // Pairs are read from a character boundary on: in GBK, GB2312 and Big5
  // any byte below 0x40 stands alone, as no pair's second byte is that low.
  const CharacterParse parse =
      code == SourceCode::kUcs ? CharacterParse::kTable : CharacterParse::kWidening;
  size_t i = 0;
  if (code != SourceCode::kUcs)
    for (size_t k = n; k > 0; --k)
      if (s[k - 1] < 0x40) {
        i = k;
        break;
      }
  while (i + 1 < n) i += CharacterLength(parse, s + i, n - i);
  if (i + 1 == n && MayStartPair(parse, s[i])) --n;  // its second byte is beyond the start
  return start.substr(0, n);
}

bool LooksLikeUtf8(std::string_view bytes, bool whole) {
  // The start judges, as the input check does: a batch run reads no more
  // before it decides, and a preview must decide as the run would.
  if (bytes.size() >= kCheckedBytes) {
    bytes = bytes.substr(0, kCheckedBytes);
    whole = false;
  }
  return IsUtf8BeyondAscii(whole ? bytes : WholeCharacters(SourceCode::kUtf8, bytes));
}

std::optional<SourceCode> LikelyCode(const ConvMarlo& engine, SourceCode expected,
                                     std::string_view bytes) {
  // UTF-8 first: its sequences are the hardest to meet by chance.
  for (const SourceCode code :
       {SourceCode::kUtf8, SourceCode::kBig5, SourceCode::kGb2312, SourceCode::kGbk}) {
    if (code == expected) continue;
    if (expected == SourceCode::kGb2312 && code == SourceCode::kGbk) continue;
    const CheckCount count = CountErrors(engine, code, bytes);
    if (count.characters && count.share() < kNotThisCodeShare) return code;
  }
  return std::nullopt;
}

std::optional<CodeVerdict> CheckInput(const ConvMarlo& engine, ConvType type,
                                      std::string_view bytes, bool whole) {
  const SourceCode code = SourceCodeOf(type);
  if (bytes.size() > kCheckedBytes) whole = false;
  std::string_view checked = bytes.substr(0, kCheckedBytes);
  if (!whole) checked = WholeCharacters(code, checked);
  const CheckCount count = CountErrors(engine, code, checked);
  if (count.share() <= kNotThisCodeShare) return std::nullopt;
  return CodeVerdict{code, count.share(), LikelyCode(engine, code, checked)};
}

}  // namespace marlo
