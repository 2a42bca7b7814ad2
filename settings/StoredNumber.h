// SPDX-License-Identifier: Apache-2.0
// How a stored setting text becomes a number: surrounding blanks, a sign and
// a decimal part are accepted; a fraction rounds to the nearest integer,
// halves to the even neighbour. Anything else, or a number outside the
// 32-bit range, gives nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace marlo {

std::optional<int32_t> ParseStoredInteger(std::string_view text);

}  // namespace marlo
