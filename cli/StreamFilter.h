// SPDX-License-Identifier: Apache-2.0
// Standard input to standard output through a ConvStream, in bounded memory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "batch/ConversionPipeline.h"
#include "engine/ConvMarlo.h"

namespace marlo::cli {

// What a stream lost, as the pipeline counts it.
struct FilterCounts {
  uint64_t replaced = 0;     // from UTF-8: not in the type's source form
  uint64_t unconverted = 0;  // not in the code the type's tables write
  uint64_t invalid = 0;      // invalid UTF-8, lossy
};

// Returns why the stream failed, or nothing on success; counts holds what
// was replaced until then. The
// input's first megabyte is checked against the type's source code: a
// warning on standard error, or with strict an error before any output of
// the piece that showed it.
// inputName names the input in warnings and failures: standard input, or
// the file -o - converts.
std::optional<Failure> FilterStream(const ConvMarlo& engine, ConvType type, const TextEnds& ends,
                                    bool strict, bool phrases, int inputFd, int outputFd,
                                    FilterCounts& counts, const std::string& inputName);

}  // namespace marlo::cli
