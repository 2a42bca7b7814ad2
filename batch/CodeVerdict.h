// SPDX-License-Identifier: Apache-2.0
// The input check's finding on bytes that do not look like the code their
// type reads, as a value: the words for it are made where they are shown
// (Describe), in that program's language.
#pragma once

#include <optional>

#include "engine/CodeTables.h"

namespace marlo {

struct CodeVerdict {
  SourceCode expected = SourceCode::kGbk;
  double invalidShare = 0;                // of the non-ASCII characters, 0…1
  std::optional<SourceCode> likely = {};  // a code the bytes fit well, if one does

  bool operator==(const CodeVerdict&) const = default;
};

}  // namespace marlo
