// SPDX-License-Identifier: Apache-2.0
#include "batch/ConversionTypes.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace marlo {

const std::array<ConversionType, kConversionTypeCount>& ConversionTypes() {
  static const std::array<ConversionType, kConversionTypeCount> types = {{
      {0,
       "GbToBig",
       "BG -->> Big5",
       "將GB2312碼(簡体Windows默認內碼)轉換為Big5碼(繁体Windows默認內碼).",
       ByteForm::kGbk,
       ByteForm::kBig5,
       "big5",
       {Operation::GBToBig}},
      {1,
       "BigToGb",
       "Big5 -->> GB",
       "BG -->> Big5的逆操作.",
       ByteForm::kBig5,
       ByteForm::kGbk,
       "gb2312",
       {Operation::BigToGB}},
      {2,
       "GbkToBig",
       "GBK -->> Big5",
       "如果希望能在簡体/繁体OS上都能看到繁体字,可將文檔由Big5碼轉換為GBK碼.",
       ByteForm::kGbk,
       ByteForm::kBig5,
       "big5",
       {Operation::GbkToBig}},
      {3,
       "BigToGbk",
       "Big5 -->> GBK",
       "如果希望能在簡体/繁体OS上都能看到繁体字,可將文檔由Big5碼轉換為GBK碼.",
       ByteForm::kBig5,
       ByteForm::kGbk,
       "gb2312",
       {Operation::BigToGbk}},
      {4,
       "UscToBig",
       "UniCode -->> Big5",
       "",
       ByteForm::kUcs,
       ByteForm::kBig5,
       "big5",
       {Operation::USCToBig}},
      {5,
       "BigToUsc",
       "Big5 -->> Unicode",
       "英文字符不被轉換,即所有轉換后的英文字符仍為一個字節.如果希望同時轉換英文字符,請使用 "
       "Big5 -->> Unicode(W)",
       ByteForm::kBig5,
       ByteForm::kUcs,
       "utf-8",
       {Operation::BigToUSC}},
      {6,
       "GbkToUsc",
       "GBK -->> Unicode",
       "英文字符不被轉換,即所有轉換后的英文字符仍為一個字節.如果希望同時轉換英文字符,請使用 "
       "GBK -->> Unicode(W)",
       ByteForm::kGbk,
       ByteForm::kUcs,
       "utf-8",
       {Operation::GbkToUSC}},
      {7,
       "UscToGbk",
       "Unicode -->> GBK",
       "",
       ByteForm::kUcs,
       ByteForm::kGbk,
       "gb2312",
       {Operation::USCToGbk}},
      {8,
       "GbkToUscWide",
       "GBK -->> Unicode(W)",
       "",
       ByteForm::kGbk,
       ByteForm::kUcs,
       "utf-8",
       {Operation::GbkToUSCforWide}},
      {9,
       "UscToGbkNarrow",
       "USC -->> GBK(N)",
       "英文字符將按單字節處理",
       ByteForm::kUcs,
       ByteForm::kGbk,
       "gb2312",
       {Operation::USCToGbkforNarrow}},
      {10,
       "UscToBigNarrow",
       "USC -->> Big(N)",
       "英文字符將按單字節處理",
       ByteForm::kUcs,
       ByteForm::kBig5,
       "big5",
       {Operation::USCToBigforNarrow}},
      {11,
       "BigToUscWide",
       "Big5 -->> Unicode(W)",
       "如果希望單字節英文字符不被轉換,請使用 Big5 -->> Unicode",
       ByteForm::kBig5,
       ByteForm::kUcs,
       "utf-8",
       {Operation::BigToUSCforWide}},
      {12,
       "BigToCNS",
       "Big5 -->> CNS",
       "CNS碼即倚天碼",
       ByteForm::kBig5,
       ByteForm::kBig5,
       "big5",
       {Operation::BigToCNS}},
      {13,
       "GbToBigToGbk",
       "GB -->>Big5 -->>GBK",
       "該操作可以直接將簡体字轉換為繁体字,效果等同在Word中將簡体字轉換為繁体字.",
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

std::string GetConvTypeName(int32_t index) {
  if (index < 0 || index >= kConversionTypeCount) return {};
  return ConversionTypes()[size_t(index)].identifier;
}

std::optional<int32_t> FindConversionType(std::string_view nameOrIndex) {
  int32_t index = -1;
  const auto [end, error] =
      std::from_chars(nameOrIndex.data(), nameOrIndex.data() + nameOrIndex.size(), index);
  if (error == std::errc() && end == nameOrIndex.data() + nameOrIndex.size()) {
    if (index >= 0 && index < kConversionTypeCount) return index;
    return std::nullopt;
  }
  auto lower = [](char c) { return char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); };
  for (const ConversionType& type : ConversionTypes()) {
    const std::string_view id = type.identifier;
    if (id.size() == nameOrIndex.size() &&
        std::equal(id.begin(), id.end(), nameOrIndex.begin(),
                   [&](char a, char b) { return lower(a) == lower(b); }))
      return type.index;
  }
  return std::nullopt;
}

std::string DefaultTargetFolder(const std::string& sourceFolder, int32_t type) {
  std::string folder = sourceFolder;
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder + GetConvTypeName(type);
}

std::vector<Operation> OperationsOf(int32_t type, bool phrases) {
  if (type < 0 || type >= kConversionTypeCount)
    throw std::out_of_range("no conversion type " + std::to_string(type));
  std::vector<Operation> operations = ConversionTypes()[size_t(type)].operations;
  if (phrases)
    for (Operation& operation : operations) {
      if (operation == Operation::BigToGB) operation = Operation::BigToGBPhrases;
      if (operation == Operation::GBToBig) operation = Operation::GBToBigPhrases;
    }
  return operations;
}

bool TakesPhrases(int32_t type) { return OperationsOf(type, true) != OperationsOf(type, false); }

}  // namespace marlo
