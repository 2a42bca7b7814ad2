// SPDX-License-Identifier: Apache-2.0
// A type's operations run one after the other on the whole text through the
// engine's whole-text calls: what every stream, pipeline and program must
// give, byte for byte.
#pragma once

#include <memory>
#include <string_view>

#include "batch/ConversionTypes.h"
#include "engine/ConvMarlo.h"

namespace marlo {

inline std::shared_ptr<ConvResult> ConvertWithType(const ConvMarlo& engine, ConvType type,
                                                   std::string_view text) {
  std::shared_ptr<ConvResult> result;
  for (Operation operation : OperationsOf(type))
    result = engine.Run(operation, result ? result->strResult : text);
  return result;
}

}  // namespace marlo
