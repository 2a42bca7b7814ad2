// SPDX-License-Identifier: Apache-2.0
// Standard input to standard output through a ConvStream, in bounded memory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "batch/ConversionPipeline.h"
#include "engine/ConvMarlo.h"

namespace marlo::cli {

// Returns why the stream failed, or nothing on success. Characters that the
// type's source form cannot hold (from UTF-8) are counted in replaced. The
// input's first megabyte is checked against the type's source code: a
// warning on standard error, or with strict an error before any output of
// the piece that showed it.
std::optional<Failure> FilterStream(const ConvMarlo& engine, ConvType type, const TextEnds& ends,
                                    bool strict, bool phrases, int inputFd, int outputFd,
                                    uint64_t& replaced, uint64_t& invalid);

}  // namespace marlo::cli
