// SPDX-License-Identifier: Apache-2.0
// The program's own code tables by identifier: 101 to 105 the code tables,
// 106 and 107 the phrases, 108 the GB2312 Unicode aliases.
#pragma once

#include <cstdint>
#include <span>

namespace marlo {

// The bytes of a resource; std::out_of_range for an unknown identifier.
std::span<const uint8_t> LoadResource(int id);

// The image of the phrase table made from resource 106 or 107 when the
// program was built (PhraseTable::Image); std::out_of_range for another.
std::span<const uint8_t> LoadPhraseImage(int id);

}  // namespace marlo
