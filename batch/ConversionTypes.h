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

struct ConversionType {
  int32_t index;
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

// The identifier of a type index; empty for any other index.
std::string GetConvTypeName(int32_t index);

// A type by identifier (any letter case) or by index text ("0".."13").
std::optional<int32_t> FindConversionType(std::string_view nameOrIndex);

// The default target folder: the source folder and the type's identifier,
// with one separator between them also at the root ("/" gives "/GbToBig").
std::string DefaultTargetFolder(const std::string& sourceFolder, int32_t type);

// The engine operations a type runs, in order; with phrases, its
// simplified ⇄ traditional step converts phrases first.
std::vector<Operation> OperationsOf(int32_t type, bool phrases = false);
// Whether the type has such a step (BigToGb, GbToBig, GbToBigToGbk).
bool TakesPhrases(int32_t type);

}  // namespace marlo
