// SPDX-License-Identifier: Apache-2.0
// What the fuzz targets share: the tests' one engine, and a trap on a
// broken invariant.
#pragma once

#include "tests/engine/TestSupport.h"

namespace marlo::fuzz {

using test::Engine;

inline void Require(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace marlo::fuzz
