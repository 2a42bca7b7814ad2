// SPDX-License-Identifier: Apache-2.0
// The embedded resources the baked tables are made from, for the tests of
// the engine's internals.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "engine/src/BakedTables.h"
#include "engine/src/EmbeddedResources.h"

namespace marlo::test {

inline std::array<std::span<const uint8_t>, kBakedResourceIds.size()> BakedResources() {
  std::array<std::span<const uint8_t>, kBakedResourceIds.size()> resources;
  for (size_t i = 0; i < resources.size(); ++i) resources[i] = LoadResource(kBakedResourceIds[i]);
  return resources;
}

}  // namespace marlo::test
