// SPDX-License-Identifier: Apache-2.0
// The fourteen conversion types: identifiers, captions, descriptions, and the
// engine operations each one runs.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <vector>

#include "engine/ByteForms.h"
#include "engine/ConvMarlo.h"
#include "engine/Operations.h"

namespace marlo {

// The fourteen types, in the order of the window's options; the option
// index and the stored setting are the number.
enum class ConvType : uint8_t {
  kGbToBig,
  kBigToGb,
  kGbkToBig,
  kBigToGbk,
  kUscToBig,
  kBigToUsc,
  kGbkToUsc,
  kUscToGbk,
  kGbkToUscWide,
  kUscToGbkNarrow,
  kUscToBigNarrow,
  kBigToUscWide,
  kBigToCns,
  kGbToBigToGbk,
};

struct ConversionType {
  ConvType type;
  const char* identifier;   // "GbToBig"
  const char* caption;      // the option caption, "BG -->> Big5"
  const char* description;  // what the remark label shows, may be empty
  ByteForm source;
  ByteForm target;
  // The preview page's character set; "utf-8" pages show the code-value
  // report of the Unicode output instead of the output itself.
  const char* pageCharset;
  std::vector<Operation> operations;  // the engine operations it runs, in order
  bool pageIsCodeValueReport() const;
};

constexpr int32_t kConversionTypeCount = 14;
const std::array<ConversionType, kConversionTypeCount>& ConversionTypes();
const ConversionType& TypeInfo(ConvType type);

// Where a type is a number: the window's option index, the stored setting.
std::optional<ConvType> ConvTypeAt(int32_t index);
constexpr int32_t IndexOf(ConvType type) { return int32_t(type); }

// The identifier of a type ("GbToBig").
std::string GetConvTypeName(ConvType type);

// A type by identifier (any letter case) or by index text ("0".."13").
std::optional<ConvType> FindConversionType(std::string_view nameOrIndex);

// The default target folder: the source folder and the type's identifier,
// with one separator between them also at the root ("/" gives "/GbToBig").
std::string DefaultTargetFolder(const std::string& sourceFolder, ConvType type);

// The engine operations a type runs, in order; with phrases, its
// simplified ⇄ traditional step converts phrases first.
std::vector<Operation> OperationsOf(ConvType type, bool phrases = false);
// Whether the type has such a step (BigToGb, GbToBig, GbToBigToGbk).
bool TakesPhrases(ConvType type);

// Whether the type's output can be written as UTF-8. BigToCNS writes CNS
// 11643 codes, which no table of the engine reads back: decoding them as
// the preview page declares (Big5) would write other characters.
bool WritesUtf8(ConvType type);

// The UCS form cannot tell U+662F from the two characters "f/", so UTF-8
// never passes through it: UTF-8 input of a type that reads the UCS form
// is encoded straight into the type's target form, and the output of a type
// that writes it is decoded straight from the type's source form.
ByteForm FormEncodedFromUtf8(ConvType type);
ByteForm FormDecodedToUtf8(ConvType type);

}  // namespace marlo
