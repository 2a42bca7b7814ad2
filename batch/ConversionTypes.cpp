// SPDX-License-Identifier: Apache-2.0
#include "batch/ConversionTypes.h"

#include <algorithm>
#include <charconv>

#include "batch/UserTexts.h"

namespace marlo {

const std::array<ConversionType, kConversionTypeCount>& ConversionTypes() {
  static const std::array<ConversionType, kConversionTypeCount> types = {{
      {ConvType::kGbToBig,
       "GbToBig",
       "BG -->> Big5",
       QT_TRANSLATE_NOOP("ConversionTypes",
                         "將GB2312碼(簡体Windows默認內碼)轉換為Big5碼(繁体Windows默認內碼)."),
       ByteForm::kGbk,
       ByteForm::kBig5,
       "big5",
       {Operation::GBToBig}},
      {ConvType::kBigToGb,
       "BigToGb",
       "Big5 -->> GB",
       QT_TRANSLATE_NOOP("ConversionTypes", "BG -->> Big5的逆操作."),
       ByteForm::kBig5,
       ByteForm::kGbk,
       "gb2312",
       {Operation::BigToGB}},
      {ConvType::kGbkToBig,
       "GbkToBig",
       "GBK -->> Big5",
       QT_TRANSLATE_NOOP("ConversionTypes",
                         "如果希望能在簡体/繁体OS上都能看到繁体字,可將文檔由Big5碼轉換為GBK碼."),
       ByteForm::kGbk,
       ByteForm::kBig5,
       "big5",
       {Operation::GbkToBig}},
      {ConvType::kBigToGbk,
       "BigToGbk",
       "Big5 -->> GBK",
       QT_TRANSLATE_NOOP("ConversionTypes",
                         "如果希望能在簡体/繁体OS上都能看到繁体字,可將文檔由Big5碼轉換為GBK碼."),
       ByteForm::kBig5,
       ByteForm::kGbk,
       "gb2312",
       {Operation::BigToGbk}},
      {ConvType::kUscToBig,
       "UscToBig",
       "UniCode -->> Big5",
       "",
       ByteForm::kUcs,
       ByteForm::kBig5,
       "big5",
       {Operation::USCToBig}},
      {ConvType::kBigToUsc,
       "BigToUsc",
       "Big5 -->> Unicode",
       QT_TRANSLATE_NOOP(
           "ConversionTypes",
           "英文字符不被轉換,即所有轉換后的英文字符仍為一個字節.如果希望同時轉換英文字符,請使用 "
           "Big5 -->> Unicode(W)"),
       ByteForm::kBig5,
       ByteForm::kUcs,
       "utf-8",
       {Operation::BigToUSC}},
      {ConvType::kGbkToUsc,
       "GbkToUsc",
       "GBK -->> Unicode",
       QT_TRANSLATE_NOOP(
           "ConversionTypes",
           "英文字符不被轉換,即所有轉換后的英文字符仍為一個字節.如果希望同時轉換英文字符,請使用 "
           "GBK -->> Unicode(W)"),
       ByteForm::kGbk,
       ByteForm::kUcs,
       "utf-8",
       {Operation::GbkToUSC}},
      {ConvType::kUscToGbk,
       "UscToGbk",
       "Unicode -->> GBK",
       "",
       ByteForm::kUcs,
       ByteForm::kGbk,
       "gb2312",
       {Operation::USCToGbk}},
      {ConvType::kGbkToUscWide,
       "GbkToUscWide",
       "GBK -->> Unicode(W)",
       "",
       ByteForm::kGbk,
       ByteForm::kUcs,
       "utf-8",
       {Operation::GbkToUSCforWide}},
      {ConvType::kUscToGbkNarrow,
       "UscToGbkNarrow",
       "USC -->> GBK(N)",
       QT_TRANSLATE_NOOP("ConversionTypes", "英文字符將按單字節處理"),
       ByteForm::kUcs,
       ByteForm::kGbk,
       "gb2312",
       {Operation::USCToGbkforNarrow}},
      {ConvType::kUscToBigNarrow,
       "UscToBigNarrow",
       "USC -->> Big(N)",
       QT_TRANSLATE_NOOP("ConversionTypes", "英文字符將按單字節處理"),
       ByteForm::kUcs,
       ByteForm::kBig5,
       "big5",
       {Operation::USCToBigforNarrow}},
      {ConvType::kBigToUscWide,
       "BigToUscWide",
       "Big5 -->> Unicode(W)",
       QT_TRANSLATE_NOOP("ConversionTypes",
                         "如果希望單字節英文字符不被轉換,請使用 Big5 -->> Unicode"),
       ByteForm::kBig5,
       ByteForm::kUcs,
       "utf-8",
       {Operation::BigToUSCforWide}},
      {ConvType::kBigToCns,
       "BigToCNS",
       "Big5 -->> CNS",
       QT_TRANSLATE_NOOP("ConversionTypes", "CNS碼即倚天碼"),
       ByteForm::kBig5,
       ByteForm::kBig5,
       "big5",
       {Operation::BigToCNS}},
      {ConvType::kGbToBigToGbk,
       "GbToBigToGbk",
       "GB -->>Big5 -->>GBK",
       QT_TRANSLATE_NOOP(
           "ConversionTypes",
           "該操作可以直接將簡体字轉換為繁体字,效果等同在Word中將簡体字轉換為繁体字."),
       ByteForm::kGbk,
       ByteForm::kGbk,
       "gb2312",
       {Operation::GBToBig, Operation::BigToGbk}},
  }};
  return types;
}

bool ConversionType::pageIsCodeValueReport() const {
  return std::string_view(pageCharset) == "utf-8";
}

const ConversionType& TypeInfo(ConvType type) { return ConversionTypes()[size_t(type)]; }

std::optional<ConvType> ConvTypeAt(int32_t index) {
  if (index < 0 || index >= kConversionTypeCount) return std::nullopt;
  return ConvType(index);
}

std::string GetConvTypeName(ConvType type) { return TypeInfo(type).identifier; }

std::optional<ConvType> FindConversionType(std::string_view nameOrIndex) {
  int32_t index = -1;
  const auto [end, error] =
      std::from_chars(nameOrIndex.data(), nameOrIndex.data() + nameOrIndex.size(), index);
  if (error == std::errc() && end == nameOrIndex.data() + nameOrIndex.size())
    return ConvTypeAt(index);
  auto lower = [](char c) { return char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); };
  for (const ConversionType& type : ConversionTypes()) {
    const std::string_view id = type.identifier;
    if (id.size() == nameOrIndex.size() &&
        std::equal(id.begin(), id.end(), nameOrIndex.begin(),
                   [&](char a, char b) { return lower(a) == lower(b); }))
      return type.type;
  }
  return std::nullopt;
}

std::string DefaultTargetFolder(const std::string& sourceFolder, ConvType type) {
  std::string folder = sourceFolder;
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder + GetConvTypeName(type);
}

std::vector<Operation> OperationsOf(ConvType type, bool phrases) {
  std::vector<Operation> operations = TypeInfo(type).operations;
  if (phrases)
    for (Operation& operation : operations) {
      if (operation == Operation::BigToGB) operation = Operation::BigToGBPhrases;
      if (operation == Operation::GBToBig) operation = Operation::GBToBigPhrases;
    }
  return operations;
}

ByteForm FormEncodedFromUtf8(ConvType type) {
  const ConversionType& info = TypeInfo(type);
  return info.source == ByteForm::kUcs ? info.target : info.source;
}

ByteForm FormDecodedToUtf8(ConvType type) {
  const ConversionType& info = TypeInfo(type);
  return info.target == ByteForm::kUcs ? info.source : info.target;
}

bool TakesPhrases(ConvType type) { return OperationsOf(type, true) != OperationsOf(type, false); }

bool WritesUtf8(ConvType type) { return type != ConvType::kBigToCns; }

}  // namespace marlo
