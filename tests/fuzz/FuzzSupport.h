// SPDX-License-Identifier: Apache-2.0
// What the fuzz targets share: one engine, and a trap on a broken invariant.
#pragma once

#include "engine/ConvMarlo.h"

namespace marlo::fuzz {

inline const ConvMarlo& Engine() {
  static const ConvMarlo* engine = [] {
    auto* e = new ConvMarlo;
    e->InitMe();
    return e;
  }();
  return *engine;
}

inline void Require(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace marlo::fuzz
