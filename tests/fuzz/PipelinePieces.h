// SPDX-License-Identifier: Apache-2.0
// Feeding a pipeline an input cut at given places, for the fuzz targets
// that compare cuttings.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "batch/ConversionPipeline.h"

namespace marlo::fuzz {

// Appends to output as the pieces go, so that what came out before a
// refusal is there to be looked at; throws what Feed throws.
inline void FeedInPieces(ConversionPipeline& pipeline, std::string_view input,
                         std::initializer_list<size_t> cuts, std::string& output) {
  size_t at = 0;
  for (const size_t cut : cuts) {
    output += pipeline.Feed(input.substr(at, cut - at), false);
    at = cut;
  }
  output += pipeline.Feed(input.substr(at), true);
}

}  // namespace marlo::fuzz
