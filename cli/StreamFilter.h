// SPDX-License-Identifier: Apache-2.0
// Standard input to standard output through a ConvStream, in bounded memory.
#pragma once

#include <cstdint>
#include <string>

#include "ConvMarlo.h"

namespace marlo::cli {

// Returns an error message, or empty on success.
std::string FilterStream(const ConvMarlo& engine, int32_t type, int inputFd, int outputFd);

}  // namespace marlo::cli
